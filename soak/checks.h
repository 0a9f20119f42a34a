// What the soak checks on disk: spread files as the program writes them and
// the reading's page, read here on their own terms, apart from the program.
#pragma once

#include "soak/generator.h"

#include <array>
#include <string>
#include <vector>

namespace soak {

// A spread file read strictly in the order the program writes it.
struct SpreadText {
    int version = 0;
    std::string title;
    std::array<std::string, POSITIONS> meaning;   // carriage returns dropped
    std::array<long, POSITIONS> x{}, y{};
    int count = 0;
};

// Reads the bytes of a spread file: the header, version, title, the fifteen
// meanings each ended by its star, the fifteen places, the count and the
// closing empty line, every line ended by CR LF. Answers the empty text, or
// what is wrong and where.
std::string parse_spread(const std::string &bytes, SpreadText &out);

// Whether a spread the program wrote keeps within what the program can hold:
// a title of at most 51 characters, meanings of at most 499, 1 to 15
// positions. The empty text, or what is out of bounds.
std::string spread_bounds(const SpreadText &s);

// The walk's picture of a spread file.
Spread spread_model(const SpreadText &s);

// The whole bytes of a file; false when it cannot be read.
bool read_file(const std::string &path, std::string &bytes);

// What the reading's page must show.
struct Reading {
    std::string title;
    std::vector<int> runes;                // one per position in use
    std::vector<std::string> meanings;     // as the spread file holds them
};

// Checks a whole page: it begins with <HTML>, ends with </BODY></HTML>, names
// the spread's title (made safe for the page) and holds one picture per
// position, in order, each of the rune cast there, each followed by that
// position's meaning. Answers the empty text, or what is wrong.
std::string check_page(const std::string &page, const Reading &reading);

// The same for a page whose reading is not known: only its frame and pictures.
std::string check_page_frame(const std::string &page);

} // namespace soak
