// Hand-made little-endian byte images for the resource tests.
#pragma once

#include <windows.h>

#include <initializer_list>
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
    Bytes &words(std::initializer_list<WORD> list)
    {
        for (WORD w : list) word(w);
        return *this;
    }
    Bytes &dword(DWORD d) { return word(static_cast<WORD>(d)).word(static_cast<WORD>(d >> 16)); }
    // A NUL-terminated UTF-16 string of single-byte text.
    Bytes &str(const std::string &s)
    {
        for (unsigned char c : s) word(c);
        return word(0);
    }
    Bytes &align4()
    {
        while (v.size() % 4) byte(0);
        return *this;
    }
};
