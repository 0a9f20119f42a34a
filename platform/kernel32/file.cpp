// Replacing and deleting files, and the final path of an open file.
//
// Windows' read-only attribute is the owner's write bit here, as in the C
// runtime's calls: a read-only file is neither deleted nor replaced.
#include <windows.h>

#include "crt/faults.h"

#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool read_only(const struct stat &st) { return S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR); }

}   // namespace

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    if (!lpExistingFileName || !lpNewFileName) return FALSE;
    if (faults::should_fail(faults::Call::MoveFile, lpNewFileName) || faults::in_read_only_folder(lpExistingFileName) ||
        faults::in_read_only_folder(lpNewFileName))
        return FALSE;
    struct stat from, to;
    if (::lstat(lpExistingFileName, &from) != 0) return FALSE;
    if (::lstat(lpNewFileName, &to) == 0) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) || S_ISDIR(to.st_mode) || read_only(to)) return FALSE;
        // On Windows the replacement takes on the access of the folder it lands
        // in, which the old file had too; POSIX keeps access per file, so carry
        // the old file's permissions over to keep that outcome.
        if (S_ISREG(to.st_mode) && S_ISREG(from.st_mode)) ::chmod(lpExistingFileName, to.st_mode & 07777);
    }
    return ::rename(lpExistingFileName, lpNewFileName) == 0 ? TRUE : FALSE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName)
{
    if (!lpFileName) return FALSE;
    if (faults::should_fail(faults::Call::DeleteFile, lpFileName) || faults::in_read_only_folder(lpFileName))
        return FALSE;
    struct stat st;
    if (::lstat(lpFileName, &st) != 0 || S_ISDIR(st.st_mode) || read_only(st)) return FALSE;
    return ::unlink(lpFileName) == 0 ? TRUE : FALSE;
}

DWORD WINAPI GetFinalPathNameByHandleA(HANDLE hFile, LPSTR lpszFilePath, DWORD cchFilePath, DWORD dwFlags)
{
    (void)dwFlags;   // FILE_NAME_NORMALIZED | VOLUME_NAME_DOS is all there is here
    // The handle is what _get_osfhandle gives: the descriptor.
    int fd = static_cast<int>(reinterpret_cast<intptr_t>(hFile));
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    ssize_t n = ::readlink(link, target, sizeof target);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof target)) return 0;
    DWORD length = static_cast<DWORD>(n);
    if (!lpszFilePath || length + 1 > cchFilePath) return length + 1;
    std::memcpy(lpszFilePath, target, length);
    lpszFilePath[length] = '\0';
    return length;
}
