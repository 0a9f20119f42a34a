// The one installed driver, the headless one until another is installed.
#include "driver/driver.h"

#include "driver/headless/headless.h"

namespace drv {
namespace {

std::unique_ptr<Driver> &installed()
{
    static std::unique_ptr<Driver> d;
    return d;
}

}   // namespace

Driver &current()
{
    auto &d = installed();
    if (!d) d = std::make_unique<HeadlessDriver>();
    return *d;
}

void install(std::unique_ptr<Driver> driver) { installed() = std::move(driver); }

}   // namespace drv
