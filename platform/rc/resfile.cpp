// Reading the entries of a compiled resource file.
#include "rc/resfile.h"

#include "rc/byte_reader.h"

namespace rc {

namespace {

// The fixed fields after TYPE and NAME: DataVersion, MemoryFlags, LanguageId,
// Version, Characteristics.
bool read_header_tail(ByteReader &header, ResEntry &entry)
{
    return header.align(4) && header.dword(entry.dataVersion) && header.word(entry.memoryFlags) &&
           header.word(entry.language) && header.dword(entry.version) && header.dword(entry.characteristics);
}

}   // namespace

bool read_res(const void *image, size_t size, std::vector<ResEntry> &out, std::string *error)
{
    ByteReader file(image, size);
    out.clear();
    while (file.remaining() > 0) {
        std::string where = "resource entry at offset " + std::to_string(file.offset());
        const BYTE *start = file.here();
        size_t available = file.remaining();
        DWORD dataSize, headerSize;
        if (!file.dword(dataSize) || !file.dword(headerSize)) return fail(error, where + ": header truncated");
        if (headerSize < 8 || headerSize > available)
            return fail(error, where + ": header size " + std::to_string(headerSize) + " does not fit");
        if (dataSize > available - headerSize)
            return fail(error, where + ": data size " + std::to_string(dataSize) + " runs past the end");

        // The variable part is read from the header's own bytes only.
        ResEntry entry;
        ByteReader header(start, headerSize);
        header.skip(8);
        if (!header.name_or_ordinal(entry.type) || !header.name_or_ordinal(entry.name) ||
            !read_header_tail(header, entry))
            return fail(error, where + ": type, name or flags run past the header size");

        entry.data = start + headerSize;
        entry.size = dataSize;
        file.skip(headerSize - 8 + dataSize);
        // The padding after the last entry may be missing.
        if (!file.align(4)) file.skip(file.remaining());
        if (!(entry.type.isOrdinal && entry.type.ordinal == 0)) out.push_back(entry);
    }
    return true;
}

}   // namespace rc
