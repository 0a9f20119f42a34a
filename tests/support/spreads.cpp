// Spread files for tests, built as the program's writer lays them out.
#include "support/spreads.h"

#include "support/tempdir.h"

namespace testsupport {

std::string spread_bytes(const std::string &title, const std::vector<SpreadPosition> &positions, int numCards,
                         int version)
{
    const int kPositions = 15;
    std::vector<SpreadPosition> at = positions;
    at.resize(kPositions);
    if (numCards < 0) numCards = static_cast<int>(positions.size());
    std::string text = "\nSpread Data File Created By Quenmire Stonecall V1.10\n";
    text += "\nversion=" + std::to_string(version);
    text += "\ntitle=" + title;
    for (int i = 0; i < kPositions; ++i) text += "\nrunemeaning" + std::to_string(i) + "=" + at[i].meaning + "*";
    for (int i = 0; i < kPositions; ++i) {
        text += "\nrune" + std::to_string(i) + "x=" + std::to_string(at[i].x);
        text += "\nrune" + std::to_string(i) + "y=" + std::to_string(at[i].y);
    }
    text += "\nNumCards=" + std::to_string(numCards) + "\n\n";
    return crlf(text);
}

void write_spread(const std::string &name, const std::string &title, const std::vector<SpreadPosition> &positions,
                  int version)
{
    write_bytes(name, spread_bytes(title, positions, -1, version));
}

}   // namespace testsupport
