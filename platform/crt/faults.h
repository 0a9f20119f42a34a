// The file layer's fault switch. Tests run as root, where permissions fail
// nothing, so a full disk, a folder that refuses new files, a file that will
// not open or whose length cannot be read are made here instead: a test arms a
// call, and the layer makes it fail the way the real system would.
//
//   faults::fail(faults::Call::Write);                 // the next _write fails
//   faults::fail(faults::Call::Open, 1, 2);            // the third _open fails
//   faults::fail(faults::Call::Open, -1, 0, ".TMP");   // every _open of a name containing ".TMP"
//   faults::disk_full_after(100);                      // 100 more bytes fit on the disk
//   faults::read_only_folder(".");                     // the folder takes no new name
//
// Calls on handles (_read, _write, _chsize, ...) match a name by the name the
// handle was opened with. Each test runs in a process of its own, so nothing
// stays armed into the next one; reset() disarms everything within a test.
#pragma once

#include <cstddef>
#include <string>

namespace faults {

enum class Call {
    Open,
    Close,
    Read,
    Write,
    Lseek,
    Filelength,
    Chsize,
    Chmod,
    Unlink,
    FindFirst,
    MoveFile,
    DeleteFile,
    GlobalAlloc,
};

// Makes `times` calls of `call` fail (-1: every one from then on), after
// letting `skip` matching calls through. With `path_part`, only calls whose
// file name contains it count.
void fail(Call call, int times = 1, int skip = 0, const std::string &path_part = "");

// A disk with room for `bytes` more bytes: a write that does not fit stores
// what fits and fails with ENOSPC, as does growing a file with _chsize.
void disk_full_after(long long bytes);

// A folder whose entries cannot change, as one without write permission for
// its user: no file is created, deleted or renamed in it (EACCES), while the
// files already there can still be read and written.
void read_only_folder(const std::string &folder);

void reset();

// For the layer: whether this call must fail; counts it against the armed faults.
bool should_fail(Call call, const char *path = nullptr);

// For the layer: how many of `wanted` bytes fit on the disk now; takes them.
// Only bytes that make a file longer need room: rewriting bytes a file
// already has takes none, as on a real disk.
size_t take_room(size_t wanted);

// For the layer: whether the folder holding `path` refuses new, deleted or
// renamed entries.
bool in_read_only_folder(const char *path);

}   // namespace faults
