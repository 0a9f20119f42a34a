#include "crt/faults.h"

#include <vector>

namespace faults {
namespace {

struct Armed {
    Call call;
    int times;       // -1: for ever
    int skip;
    std::string path_part;
};

std::vector<Armed> g_armed;
long long g_room = -1;   // -1: the disk never fills

bool matches(const Armed &a, Call call, const char *path)
{
    if (a.call != call || a.times == 0)
        return false;
    if (a.path_part.empty())
        return true;
    return path && std::string(path).find(a.path_part) != std::string::npos;
}

} // namespace

void fail(Call call, int times, int skip, const std::string &path_part)
{
    g_armed.push_back({call, times, skip, path_part});
}

void disk_full_after(long long bytes)
{
    g_room = bytes < 0 ? 0 : bytes;
}

void reset()
{
    g_armed.clear();
    g_room = -1;
}

bool should_fail(Call call, const char *path)
{
    for (Armed &a : g_armed) {
        if (!matches(a, call, path))
            continue;
        if (a.skip > 0) {
            --a.skip;
            continue;
        }
        if (a.times > 0)
            --a.times;
        return true;
    }
    return false;
}

size_t take_room(size_t wanted)
{
    if (g_room < 0)
        return wanted;
    size_t room = static_cast<unsigned long long>(g_room) < wanted ? static_cast<size_t>(g_room) : wanted;
    g_room -= static_cast<long long>(room);
    return room;
}

} // namespace faults
