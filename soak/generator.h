// The soak's walk: from a seed, automation scripts of random but valid user
// actions over every screen of the program. The walk keeps its own picture of
// the program (which screen is in front, the main window's mode, the spread in
// memory, the settings) and of the spread files in the folder, so it only
// ever asks for what a user could do at that moment, and says with
// expect-window steps where it believes the program to be.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace soak {

constexpr int POSITIONS = 15;

// A spread file: what the program reads from it (the walk needs only the
// title, the count of positions in use and the places).
struct Spread {
    int version = 0, count = 0;
    std::string title;
    std::array<int, POSITIONS> x{}, y{};
    std::array<std::string, POSITIONS> meaning;
};

// Spread files by name, in the order the program lists them: without regard to case.
struct Listed {
    bool operator()(const std::string &a, const std::string &b) const;
};
using Files = std::map<std::string, Spread, Listed>;

// One start of the program and its script; what the soak looks at once the
// step on a line of the script is taken.
struct Session {
    std::string script;
    std::map<int, Spread> saves;   // "Done..." is up: the title, count and places the walk gave the spread
    std::map<int, bool> screens;   // true: the screen to compare with later; false: the screen that must equal it
    int actions = 0;               // input steps
};

struct WalkOptions {
    uint32_t seed = 1;
    int actions = 1000;          // in all, over every session
    int sessionActions = 2000;   // about this many before the program is started again
};

// The sessions, in order, for a folder that starts with `files` and no
// settings file; each ends with Exit.
std::vector<Session> generate(const WalkOptions &options, const Files &files);

}   // namespace soak
