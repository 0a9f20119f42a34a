// The bounded little-endian reads of resource bytes.
#include "rc/byte_reader.h"

namespace rc {

bool ByteReader::byte(BYTE &v)
{
    if (remaining() < 1) return false;
    v = base_[pos_++];
    return true;
}

bool ByteReader::word(WORD &v)
{
    if (remaining() < 2) return false;
    v = static_cast<WORD>(base_[pos_] | base_[pos_ + 1] << 8);
    pos_ += 2;
    return true;
}

bool ByteReader::dword(DWORD &v)
{
    WORD low = 0, high = 0;
    if (remaining() < 4) return false;
    word(low);
    word(high);
    v = static_cast<DWORD>(low) | static_cast<DWORD>(high) << 16;
    return true;
}

bool ByteReader::coord(short &v)
{
    WORD w;
    if (!word(w)) return false;
    v = static_cast<short>(w);
    return true;
}

bool ByteReader::skip(size_t n)
{
    if (remaining() < n) return false;
    pos_ += n;
    return true;
}

bool ByteReader::bytes(size_t n, std::vector<BYTE> &out)
{
    if (remaining() < n) return false;
    out.assign(here(), here() + n);
    pos_ += n;
    return true;
}

bool ByteReader::align(size_t boundary)
{
    size_t padding = (boundary - pos_ % boundary) % boundary;
    return skip(padding);
}

bool ByteReader::string(std::string &out)
{
    bool afterHighSurrogate = false;
    out.clear();
    for (;;) {
        WORD unit;
        if (!word(unit)) return false;
        if (unit == 0) return true;
        // A surrogate pair is one character outside Latin-1: one '?'.
        bool lowSurrogate = unit >= 0xDC00 && unit <= 0xDFFF;
        if (!(lowSurrogate && afterHighSurrogate)) out += to_latin1(unit);
        afterHighSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
    }
}

bool ByteReader::name_or_ordinal(NameOrOrdinal &out)
{
    WORD first;
    size_t start = pos_;
    out = NameOrOrdinal();
    if (!word(first)) return false;
    if (first == 0xFFFF) {
        out.isOrdinal = true;
        return word(out.ordinal);
    }
    if (first == 0) return true;
    pos_ = start;
    return string(out.name);
}

char to_latin1(WORD unit) { return unit <= 0xFF ? static_cast<char>(unit) : '?'; }

bool fail(std::string *error, const std::string &text)
{
    if (error) *error = text;
    return false;
}

}   // namespace rc
