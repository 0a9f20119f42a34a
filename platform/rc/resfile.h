// The compiled resource file (.res): a sequence of entries, each a header
// (DataSize, HeaderSize, TYPE and NAME as name-or-ordinal, DataVersion,
// MemoryFlags, LanguageId, Version, Characteristics) followed by its data,
// every header and every data block starting on a DWORD boundary.
#pragma once

#include "rc/templates.h"

#include <cstddef>
#include <string>
#include <vector>

namespace rc {

struct ResEntry {
    NameOrOrdinal type;
    NameOrOrdinal name;
    DWORD dataVersion = 0;
    WORD memoryFlags = 0;
    WORD language = 0;
    DWORD version = 0;
    DWORD characteristics = 0;
    const BYTE *data = nullptr;   // points into the image
    DWORD size = 0;
};

// Lists the entries of a .res image, leaving out the empty entry (type 0)
// that opens every 32-bit .res file. Refuses an image whose lengths or names
// run past its end, with a text saying where.
bool read_res(const void *image, size_t size, std::vector<ResEntry> &out, std::string *error);

}   // namespace rc
