// _findfirst / _findnext / _findclose: a folder listed against a Windows
// wildcard (* and ?), without regard to case as on Windows. The names are
// sorted without regard to case, the order NTFS gives, so that a listing does
// not change with the host's directory order.
#include <io.h>

#include "crt/faults.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace {

struct Search {
    std::string folder;               // with its trailing separator, or empty
    std::vector<std::string> names;   // sorted
    size_t next = 0;
};

std::map<intptr_t, Search> g_searches;
intptr_t g_next_handle = 1;

bool same_letter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Windows wildcard match: '*' any run, '?' any one character.
bool wildcard_match(const char *pattern, const char *name)
{
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern && (*pattern == '?' || same_letter(*pattern, *name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*') ++pattern;
    return *pattern == '\0';
}

bool sorts_before(const std::string &a, const std::string &b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;   // names differing only in case: a fixed order all the same
}

// Fills `info` from the entry; false when it has vanished since the listing.
bool describe(const Search &search, const std::string &name, _finddata_t *info)
{
    struct stat st;
    if (::stat((search.folder + name).c_str(), &st) != 0) return false;
    std::memset(info, 0, sizeof *info);
    info->attrib = S_ISDIR(st.st_mode) ? _A_SUBDIR : _A_ARCH;
    if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) info->attrib |= _A_RDONLY;
    info->time_create = -1;
    info->time_access = st.st_atime;
    info->time_write = st.st_mtime;
    info->size = st.st_size > static_cast<off_t>(UINT32_MAX) ? UINT32_MAX : static_cast<_fsize_t>(st.st_size);
    std::strncpy(info->name, name.c_str(), sizeof info->name - 1);
    return true;
}

bool next_entry(Search &search, _finddata_t *info)
{
    while (search.next < search.names.size())
        if (describe(search, search.names[search.next++], info)) return true;
    return false;
}

}   // namespace

extern "C" {

intptr_t _findfirst(const char *filespec, struct _finddata_t *fileinfo)
{
    if (!filespec || !fileinfo) {
        errno = EINVAL;
        return -1;
    }
    if (faults::should_fail(faults::Call::FindFirst, filespec)) {
        errno = ENOENT;
        return -1;
    }
    std::string pattern_path = filespec;
    size_t slash = pattern_path.find_last_of("/\\");
    Search search;
    std::string pattern = pattern_path;
    if (slash != std::string::npos) {
        search.folder = pattern_path.substr(0, slash + 1);
        pattern = pattern_path.substr(slash + 1);
    }
    DIR *dir = ::opendir(search.folder.empty() ? "." : search.folder.c_str());
    if (!dir) {
        errno = ENOENT;
        return -1;
    }
    while (const dirent *entry = ::readdir(dir))
        if (wildcard_match(pattern.c_str(), entry->d_name)) search.names.push_back(entry->d_name);
    ::closedir(dir);
    std::sort(search.names.begin(), search.names.end(), sorts_before);
    if (!next_entry(search, fileinfo)) {
        errno = ENOENT;
        return -1;
    }
    intptr_t handle = g_next_handle++;
    g_searches[handle] = std::move(search);
    return handle;
}

int _findnext(intptr_t handle, struct _finddata_t *fileinfo)
{
    auto it = g_searches.find(handle);
    if (it == g_searches.end() || !fileinfo) {
        errno = EINVAL;
        return -1;
    }
    // On failure the caller's structure is left as it was.
    _finddata_t info;
    if (!next_entry(it->second, &info)) {
        errno = ENOENT;
        return -1;
    }
    *fileinfo = info;
    return 0;
}

int _findclose(intptr_t handle)
{
    if (g_searches.erase(handle) == 0) {
        errno = EINVAL;
        return -1;
    }
    return 0;
}

}   // extern "C"
