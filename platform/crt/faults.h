// The file layer's fault switch. Tests run as root, where permissions fail
// nothing, so a full disk, a folder that refuses new files, a file that will
// not open or whose length cannot be read are made here instead: a test arms a
// call, and the layer makes it fail the way the real system would.
//
//   faults::fail(faults::Call::Write);                 // the next _write fails
//   faults::fail(faults::Call::Open, 1, 2);            // the third _open fails
//   faults::fail(faults::Call::Open, -1, 0, ".TMP");   // every _open of a name containing ".TMP"
//   faults::disk_full_after(100);                      // 100 more bytes fit on the disk
//
// Calls on handles (_read, _write, _chsize, ...) match a name by the name the
// handle was opened with. Each test runs in a process of its own, so nothing
// stays armed into the next one; reset() disarms everything within a test.
#pragma once

#include <cstddef>
#include <string>

namespace faults {

enum class Call {
    Open, Close, Read, Write, Lseek, Filelength, Chsize, Chmod, Unlink,
    FindFirst, MoveFile, DeleteFile, GlobalAlloc,
};

// Makes `times` calls of `call` fail (-1: every one from then on), after
// letting `skip` matching calls through. With `path_part`, only calls whose
// file name contains it count.
void fail(Call call, int times = 1, int skip = 0, const std::string &path_part = "");

// A disk with room for `bytes` more bytes: a write that does not fit stores
// what fits and fails with ENOSPC, as does growing a file with _chsize.
void disk_full_after(long long bytes);

void reset();

// For the layer: whether this call must fail; counts it against the armed faults.
bool should_fail(Call call, const char *path = nullptr);

// For the layer: how many of `wanted` bytes fit on the disk now; takes them.
size_t take_room(size_t wanted);

} // namespace faults
