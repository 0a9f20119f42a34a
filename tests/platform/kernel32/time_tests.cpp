// One clock: the program's time(), GetSystemTime and GetTickCount read the
// driver. Standard headers that include <time.h> come before and after ours
// here on purpose: they must all still compile, and time() must still reach
// the driver.
#include <chrono>
#include <cstdio>
#include <ctime>

#include <time.h>

#include <filesystem>
#include <iomanip>
#include <iostream>
#include <locale>
#include <map>
#include <mutex>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include <windows.h>

#include "driver/headless/headless.h"

#include <gtest/gtest.h>

namespace {

// 2001-09-09 01:46:40 UTC
constexpr int64_t BILLION_SECONDS_MS = 1000000000LL * 1000;

}   // namespace

TEST(Clock, ProgramTimeAndSystemTimeReadTheVirtualClock)
{
    drv::HeadlessDriver &d = drv::headless();
    d.set_calendar_at_zero(BILLION_SECONDS_MS);
    EXPECT_EQ(time(nullptr), 1000000000);
    d.set_now(61500);
    time_t out = 0;
    EXPECT_EQ(std::time(&out), 1000000061);
    EXPECT_EQ(out, 1000000061);
    SYSTEMTIME st;
    GetSystemTime(&st);
    char when[80];
    std::snprintf(when, sizeof when, "%d-%d-%d day %d %d:%d:%d.%d", st.wYear, st.wMonth, st.wDay, st.wDayOfWeek,
                  st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    EXPECT_STREQ(when, "2001-9-9 day 0 1:47:41.500");   // a Sunday
    EXPECT_EQ(GetTickCount(), 61500u);
}
