// Spread files exactly as the writer stores them, for the flow tests that
// read or write them.
#pragma once

#include "runes/spread.h"

#include "support/tempdir.h"

#include <array>
#include <string>

namespace editorflow {

struct Position {
    int x = 0, y = 0;
    std::string meaning;
};
using Positions = std::array<Position, MAX_POSITIONS>;

// The bytes of a spread file (a later version's writer only with another version).
inline std::string spread_bytes(const std::string &title, const Positions &at, int numCards, int version = 1100)
{
    std::string text = "\nSpread Data File Created By Quenmire Stonecall V1.10\n\nversion=" + std::to_string(version) +
                       "\ntitle=" + title;
    for (int i = 0; i < MAX_POSITIONS; ++i) text += "\nrunemeaning" + std::to_string(i) + "=" + at[i].meaning + "*";
    for (int i = 0; i < MAX_POSITIONS; ++i)
        text += "\nrune" + std::to_string(i) + "x=" + std::to_string(at[i].x) + "\nrune" + std::to_string(i) +
                "y=" + std::to_string(at[i].y);
    text += "\nNumCards=" + std::to_string(numCards) + "\n\n";
    return testsupport::crlf(text);
}

} // namespace editorflow
