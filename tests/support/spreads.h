// Spread files for tests: the exact bytes the program's writer stores for a
// title and its positions.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct SpreadPosition {
    int x = 0;
    int y = 0;
    std::string meaning;
};

// The bytes of a spread file as the writer stores them (CR LF line ends).
// Up to 15 positions; the rest are written as the writer writes empty ones
// (no meaning, at 0, 0). NumCards is the number of positions given unless
// numCards says otherwise; version is what a later writer would store.
std::string spread_bytes(const std::string &title, const std::vector<SpreadPosition> &positions, int numCards = -1,
                         int version = 1100);
// Those bytes written to the file `name`.
void write_spread(const std::string &name, const std::string &title, const std::vector<SpreadPosition> &positions,
                  int version = 1100);

}   // namespace testsupport
