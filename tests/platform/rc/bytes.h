// Helpers for the resource tests: hand-made little-endian byte images, and
// copies of a prefix in a buffer of exactly that size, so that AddressSanitizer
// reports any read past a truncated resource.
#pragma once

#include "platform/rc/embedded.h"
#include "rc/resfile.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct Bytes {
    std::vector<unsigned char> v;

    Bytes &byte(unsigned char b)
    {
        v.push_back(b);
        return *this;
    }
    Bytes &word(WORD w) { return byte(static_cast<unsigned char>(w)).byte(static_cast<unsigned char>(w >> 8)); }
    Bytes &dword(DWORD d) { return word(static_cast<WORD>(d)).word(static_cast<WORD>(d >> 16)); }
    // A NUL-terminated UTF-16 string of single-byte text.
    Bytes &str(const std::string &s)
    {
        for (unsigned char c : s)
            word(c);
        return word(0);
    }
    Bytes &align4()
    {
        while (v.size() % 4)
            byte(0);
        return *this;
    }
};

// The entry of a compiled image with this type and numeric name.
inline rc::ResEntry entry_in(const unsigned char *(*image)(size_t *), WORD type, WORD name)
{
    size_t size;
    const unsigned char *data = image(&size);
    std::vector<rc::ResEntry> entries;
    rc::read_res(data, size, entries, nullptr);
    for (const rc::ResEntry &e : entries)
        if (e.type.isOrdinal && e.type.ordinal == type && e.name.isOrdinal && e.name.ordinal == name)
            return e;
    return rc::ResEntry();
}

inline std::vector<unsigned char> bytes_of(const rc::ResEntry &e)
{
    return std::vector<unsigned char>(e.data, e.data + e.size);
}

// Runs parse on every proper prefix of data, each in a heap block of exactly
// its length; returns the lengths that were accepted or refused without a text.
template <typename Parse>
std::vector<size_t> truncations_not_refused(const std::vector<unsigned char> &data, Parse parse)
{
    std::vector<size_t> bad;
    for (size_t n = 0; n < data.size(); n++) {
        std::vector<unsigned char> prefix(data.begin(), data.begin() + static_cast<long>(n));
        std::string error;
        if (parse(prefix.empty() ? nullptr : prefix.data(), n, error) || error.empty())
            bad.push_back(n);
    }
    return bad;
}
