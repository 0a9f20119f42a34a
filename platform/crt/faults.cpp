// The fault switch's state and the checks the file calls make against it.
#include "crt/faults.h"

#include <filesystem>
#include <vector>

namespace faults {
namespace {

struct Armed {
    Call call;
    int times;   // -1: for ever
    int skip;
    std::string path_part;
};

std::vector<Armed> g_armed;
long long g_room = -1;   // -1: the disk never fills
std::vector<std::filesystem::path> g_read_only_folders;

std::filesystem::path absolute_folder(const std::string &path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return full.lexically_normal();
}

bool matches(const Armed &a, Call call, const char *path)
{
    if (a.call != call || a.times == 0) return false;
    if (a.path_part.empty()) return true;
    return path && std::string(path).find(a.path_part) != std::string::npos;
}

}   // namespace

void fail(Call call, int times, int skip, const std::string &path_part)
{
    g_armed.push_back({call, times, skip, path_part});
}

void disk_full_after(long long bytes) { g_room = bytes < 0 ? 0 : bytes; }

void read_only_folder(const std::string &folder) { g_read_only_folders.push_back(absolute_folder(folder + "/")); }

void reset()
{
    g_armed.clear();
    g_room = -1;
    g_read_only_folders.clear();
}

bool in_read_only_folder(const char *path)
{
    if (!path || g_read_only_folders.empty()) return false;
    std::filesystem::path folder = absolute_folder(path).parent_path() / "";
    for (const auto &f : g_read_only_folders)
        if (f == folder) return true;
    return false;
}

bool should_fail(Call call, const char *path)
{
    for (Armed &a : g_armed) {
        if (!matches(a, call, path)) continue;
        if (a.skip > 0) {
            --a.skip;
            continue;
        }
        if (a.times > 0) --a.times;
        return true;
    }
    return false;
}

size_t take_room(size_t wanted)
{
    if (g_room < 0) return wanted;
    size_t room = static_cast<unsigned long long>(g_room) < wanted ? static_cast<size_t>(g_room) : wanted;
    g_room -= static_cast<long long>(room);
    return room;
}

}   // namespace faults
