// Low-level file calls with Microsoft's text mode over POSIX descriptors.
//
// A handle is the POSIX descriptor itself, known here only while _open made it.
// Text mode: _read drops every CR (so CR CR LF reads back as one LF) and stops
// at a Ctrl-Z, _write turns each LF into CR LF and answers the caller's count.
// Offsets are raw byte offsets and 32-bit, as long is on Windows: a file of
// 2 GiB or more has no length and no position here.
//
// Windows' read-only attribute is the owner's write bit: a read-only file
// cannot be opened for writing or unlinked, even by root, as on Windows.
#include <io.h>

#include "crt/faults.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr unsigned char CTRL_Z = 0x1A;
constexpr unsigned int TEXT_CHUNK = 64 * 1024;   // raw bytes a text read takes at a time

struct OpenFile {
    std::string path;
    bool text = true;
    bool writable = false;
    bool at_ctrl_z = false;   // a text read met Ctrl-Z: end of data until the next seek
};

std::map<int, OpenFile> g_files;

OpenFile *find_file(int fd)
{
    auto it = g_files.find(fd);
    if (it == g_files.end()) {
        errno = EBADF;
        return nullptr;
    }
    return &it->second;
}

bool is_read_only(const struct stat &st) { return S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR); }

int posix_flags(int oflag)
{
    static const struct {
        int ms, posix;
    } table[] = {
        {_O_CREAT, O_CREAT},
        {_O_TRUNC, O_TRUNC},
        {_O_EXCL, O_EXCL},
        {_O_APPEND, O_APPEND},
    };
    int access = oflag & 3;
    int flags = access == _O_WRONLY ? O_WRONLY : access == _O_RDWR ? O_RDWR : O_RDONLY;
    for (const auto &t : table)
        if (oflag & t.ms) flags |= t.posix;
    return flags | O_CLOEXEC;
}

// Bytes a write of `size` bytes adds to the file's length.
size_t growth_of_write(int fd, size_t size)
{
    struct stat st;
    off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (::fstat(fd, &st) != 0 || at < 0) return size;
    if (::fcntl(fd, F_GETFL) & O_APPEND) at = st.st_size;
    off_t end = at + static_cast<off_t>(size);
    return end > st.st_size ? static_cast<size_t>(end - std::max(at, st.st_size)) : 0;
}

// Writes all of `data` unless the disk (or a fault) says otherwise.
bool write_all(int fd, const char *data, size_t size)
{
    size_t growth = growth_of_write(fd, size);
    size_t room = size - growth + faults::take_room(growth);
    size_t done = 0;
    while (done < room) {
        ssize_t n = ::write(fd, data + done, room - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    if (room < size) {
        errno = ENOSPC;
        return false;
    }
    return true;
}

int32_t to_offset(off_t pos)
{
    if (pos < 0) return -1;
    if (pos > INT32_MAX) {
        errno = EINVAL;
        return -1;
    }
    return static_cast<int32_t>(pos);
}

int text_read(int fd, OpenFile &file, unsigned char *out, unsigned int count)
{
    if (file.at_ctrl_z) return 0;
    // A text read may deliver less than asked for; callers read on.
    std::vector<unsigned char> raw(count < TEXT_CHUNK ? count : TEXT_CHUNK);
    unsigned int delivered = 0;
    // A chunk of nothing but CRs delivers nothing: read on, so that 0 keeps
    // meaning the end of the data.
    while (delivered == 0) {
        ssize_t n = ::read(fd, raw.data(), raw.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        for (ssize_t i = 0; i < n; ++i) {
            if (raw[i] == '\r') continue;
            if (raw[i] == CTRL_Z) {
                // Leave the file position on the Ctrl-Z: the data ends there.
                file.at_ctrl_z = true;
                ::lseek(fd, static_cast<off_t>(i - n), SEEK_CUR);
                return static_cast<int>(delivered);
            }
            out[delivered++] = raw[i];
        }
    }
    return static_cast<int>(delivered);
}

}   // namespace

extern "C" {

int _open(const char *filename, int oflag, ...)
{
    if (!filename) {
        errno = EINVAL;
        return -1;
    }
    if (faults::should_fail(faults::Call::Open, filename)) {
        errno = EACCES;
        return -1;
    }
    int pmode = _S_IREAD | _S_IWRITE;
    if (oflag & _O_CREAT) {
        va_list args;
        va_start(args, oflag);
        pmode = va_arg(args, int);
        va_end(args);
    }
    bool wants_write = (oflag & 3) != _O_RDONLY || (oflag & _O_TRUNC);
    struct stat st;
    if (::stat(filename, &st) == 0) {
        if (S_ISDIR(st.st_mode) || (wants_write && is_read_only(st))) {
            errno = (oflag & _O_CREAT) && (oflag & _O_EXCL) ? EEXIST : EACCES;
            return -1;
        }
    } else if ((oflag & _O_CREAT) && faults::in_read_only_folder(filename)) {
        errno = EACCES;
        return -1;
    }
    mode_t mode = (pmode & _S_IWRITE) ? 0666 : 0444;
    int fd = ::open(filename, posix_flags(oflag), mode);
    if (fd < 0) {
        if (errno == EISDIR) errno = EACCES;
        return -1;
    }
    OpenFile file;
    file.path = filename;
    file.text = !(oflag & _O_BINARY);
    file.writable = (oflag & 3) != _O_RDONLY;
    g_files[fd] = file;
    return fd;
}

int _close(int fd)
{
    OpenFile *file = find_file(fd);
    if (!file) return -1;
    bool fail = faults::should_fail(faults::Call::Close, file->path.c_str());
    g_files.erase(fd);
    if (::close(fd) != 0 || fail) {
        errno = fail ? EIO : errno;
        return -1;
    }
    return 0;
}

int _read(int fd, void *buffer, unsigned int count)
{
    OpenFile *file = find_file(fd);
    if (!file || !buffer) return -1;
    if (faults::should_fail(faults::Call::Read, file->path.c_str())) {
        errno = EIO;
        return -1;
    }
    if (count == 0) return 0;
    if (count > INT32_MAX) count = INT32_MAX;
    auto *out = static_cast<unsigned char *>(buffer);
    if (file->text) return text_read(fd, *file, out, count);
    for (;;) {
        ssize_t n = ::read(fd, out, count);
        if (n < 0 && errno == EINTR) continue;
        return static_cast<int>(n);
    }
}

int _write(int fd, const void *buffer, unsigned int count)
{
    OpenFile *file = find_file(fd);
    if (!file || !buffer) return -1;
    if (!file->writable) {
        errno = EBADF;
        return -1;
    }
    if (faults::should_fail(faults::Call::Write, file->path.c_str())) {
        errno = ENOSPC;
        return -1;
    }
    if (count > INT32_MAX) count = INT32_MAX;
    const char *in = static_cast<const char *>(buffer);
    if (!file->text) return write_all(fd, in, count) ? static_cast<int>(count) : -1;
    std::string out;
    out.reserve(count + count / 8);
    for (unsigned int i = 0; i < count; ++i) {
        if (in[i] == '\n') out += '\r';
        out += in[i];
    }
    // Like Windows, a write that does not fit fails as a whole (-1, ENOSPC),
    // though the bytes that fitted may be on the disk.
    return write_all(fd, out.data(), out.size()) ? static_cast<int>(count) : -1;
}

int32_t _lseek(int fd, int32_t offset, int origin)
{
    OpenFile *file = find_file(fd);
    if (!file) return -1;
    if (faults::should_fail(faults::Call::Lseek, file->path.c_str())) {
        errno = EINVAL;
        return -1;
    }
    off_t before = ::lseek(fd, 0, SEEK_CUR);
    off_t pos = ::lseek(fd, offset, origin);
    if (pos < 0) return -1;
    if (pos > INT32_MAX) {
        ::lseek(fd, before, SEEK_SET);
        errno = EINVAL;
        return -1;
    }
    file->at_ctrl_z = false;
    return static_cast<int32_t>(pos);
}

int32_t _tell(int fd)
{
    if (!find_file(fd)) return -1;
    return to_offset(::lseek(fd, 0, SEEK_CUR));
}

int32_t _filelength(int fd)
{
    OpenFile *file = find_file(fd);
    if (!file) return -1;
    if (faults::should_fail(faults::Call::Filelength, file->path.c_str())) {
        errno = EIO;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) return -1;
    return to_offset(st.st_size);
}

int _chsize(int fd, int32_t size)
{
    OpenFile *file = find_file(fd);
    if (!file) return -1;
    if (!file->writable) {
        errno = EBADF;
        return -1;
    }
    if (size < 0) {
        errno = EINVAL;
        return -1;
    }
    if (faults::should_fail(faults::Call::Chsize, file->path.c_str())) {
        errno = ENOSPC;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) return -1;
    if (size > st.st_size) {
        size_t growth = static_cast<size_t>(size - st.st_size);
        if (faults::take_room(growth) < growth) {
            errno = ENOSPC;
            return -1;
        }
    }
    // ftruncate fills the new bytes with zeros and leaves the position alone.
    return ::ftruncate(fd, size) == 0 ? 0 : -1;
}

int _setmode(int fd, int mode)
{
    OpenFile *file = find_file(fd);
    if (!file) return -1;
    if (mode != _O_TEXT && mode != _O_BINARY) {
        errno = EINVAL;
        return -1;
    }
    int previous = file->text ? _O_TEXT : _O_BINARY;
    file->text = mode == _O_TEXT;
    return previous;
}

intptr_t _get_osfhandle(int fd) { return find_file(fd) ? fd : -1; }

int _chmod(const char *filename, int pmode)
{
    if (!filename) {
        errno = EINVAL;
        return -1;
    }
    if (faults::should_fail(faults::Call::Chmod, filename)) {
        errno = EACCES;
        return -1;
    }
    struct stat st;
    if (::stat(filename, &st) != 0) return -1;
    mode_t mode = st.st_mode & 07777;
    mode = (pmode & _S_IWRITE) ? (mode | S_IWUSR) : (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
    return ::chmod(filename, mode) == 0 ? 0 : -1;
}

int _unlink(const char *filename)
{
    if (!filename) {
        errno = EINVAL;
        return -1;
    }
    if (faults::should_fail(faults::Call::Unlink, filename) || faults::in_read_only_folder(filename)) {
        errno = EACCES;
        return -1;
    }
    struct stat st;
    if (::lstat(filename, &st) != 0) return -1;
    if (S_ISDIR(st.st_mode) || is_read_only(st)) {
        errno = EACCES;
        return -1;
    }
    return ::unlink(filename) == 0 ? 0 : -1;
}

}   // extern "C"
