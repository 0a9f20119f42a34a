// Virtual-key names as automation scripts write them.
#include "testing/key_names.h"

namespace script {
namespace {

// Windows' codes, written out rather than taken from <windows.h>: this file
// is compiled against our layer's headers and against the real system's.
// NUMPAD0..9 and F1..F24 are counted from their first, not listed.
struct NamedKey {
    const char *name;
    unsigned vk;
};
const NamedKey namedKeys[] = {
    {"BACK", 0x08},     {"TAB", 0x09},     {"CLEAR", 0x0C},   {"RETURN", 0x0D},   {"SHIFT", 0x10},  {"CONTROL", 0x11},
    {"MENU", 0x12},     {"PAUSE", 0x13},   {"CAPITAL", 0x14}, {"ESCAPE", 0x1B},   {"SPACE", 0x20},  {"PRIOR", 0x21},
    {"NEXT", 0x22},     {"END", 0x23},     {"HOME", 0x24},    {"LEFT", 0x25},     {"UP", 0x26},     {"RIGHT", 0x27},
    {"DOWN", 0x28},     {"INSERT", 0x2D},  {"DELETE", 0x2E},  {"MULTIPLY", 0x6A}, {"ADD", 0x6B},    {"SEPARATOR", 0x6C},
    {"SUBTRACT", 0x6D}, {"DECIMAL", 0x6E}, {"DIVIDE", 0x6F},  {"NUMLOCK", 0x90},  {"SCROLL", 0x91},
};
constexpr unsigned kNumpad0 = 0x60;
constexpr unsigned kF1 = 0x70;

// One or two digits after `prefix`, their number within [lo, hi].
bool counted(const std::string &name, const char *prefix, int lo, int hi, int &n)
{
    std::string p = prefix;
    if (name.size() <= p.size() || name.size() > p.size() + 2 || name.compare(0, p.size(), p) != 0) return false;
    n = 0;
    for (size_t i = p.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        n = n * 10 + (name[i] - '0');
    }
    return n >= lo && n <= hi;
}

}   // namespace

bool virtual_key_named(const std::string &name, unsigned &vk)
{
    // ASCII only, whatever locale the program has set.
    std::string upper;
    for (char c : name) upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    for (const NamedKey &k : namedKeys)
        if (upper == k.name) return vk = k.vk, true;
    int n;
    if (counted(upper, "NUMPAD", 0, 9, n)) return vk = kNumpad0 + static_cast<unsigned>(n), true;
    if (counted(upper, "F", 1, 24, n)) return vk = kF1 + static_cast<unsigned>(n - 1), true;
    return false;
}

}   // namespace script
