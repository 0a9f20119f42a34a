// A cursor over a resource's bytes. Every read checks the end first: a field
// that would cross it fails the read, and nothing past the end is touched.
// Fields are little-endian and may sit at any address, so they are assembled
// byte by byte.
#pragma once

#include "rc/templates.h"

#include <cstddef>
#include <string>
#include <vector>

namespace rc {

class ByteReader {
  public:
    ByteReader(const void *data, size_t size) : base_(static_cast<const BYTE *>(data)), size_(size) {}

    size_t offset() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    const BYTE *here() const { return base_ + pos_; }

    bool byte(BYTE &v);
    bool word(WORD &v);
    bool dword(DWORD &v);
    bool coord(short &v);
    bool skip(size_t n);
    bool bytes(size_t n, std::vector<BYTE> &out);
    // Moves to the next multiple of boundary, counted from the start of the range.
    bool align(size_t boundary);
    // A NUL-terminated UTF-16 string, as single-byte text (see to_latin1).
    bool string(std::string &out);
    // 0xFFFF and an ordinal, or a string. A lone WORD 0 is the empty name,
    // which the menu and class fields of a dialog header read as "none".
    bool name_or_ordinal(NameOrOrdinal &out);

  private:
    const BYTE *base_;
    size_t size_;
    size_t pos_ = 0;
};

// A UTF-16 code unit as a single byte: Latin-1 stays as it is, anything
// beyond it becomes '?'.
char to_latin1(WORD unit);

// Stores text in *error when the caller asked for it; returns false so that
// parsers can write `return fail(error, "...")`.
bool fail(std::string *error, const std::string &text);

}   // namespace rc
