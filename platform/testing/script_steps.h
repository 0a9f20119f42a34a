// The steps of an automation script, one a line (README, "Automation
// scripts"), as our layer's script runner and the Windows build's driver
// (stonecall-drive) both read them, so that a script means the same to
// both. Nothing but the standard library here: the Windows build compiles
// it against the real system's headers, without our layer.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace script {

// Exit statuses of a scripted run besides the program's own.
constexpr int kStepFailed = 3;     // a step failed (or the script could not be read)
constexpr int kScriptRanOut = 4;   // the program still waits for input after the last step

enum class Op {
    Menu,
    Click,
    ClickAt,
    Select,
    Key,
    Type,
    Close,
    Wait,
    Screenshot,
    Dump,
    ExpectWindow,
    ExpectText,
    DoubleClick,
    Drag,
    Deactivate,
    Activate
};

struct Step {
    Op op = Op::Menu;
    int line = 0;
    std::string source;   // the line as written
    long a = 0, b = 0;    // numbers: an id, a position, milliseconds
    long c = 0;           // `drag`: the distance down
    std::string text;     // free text; the path of the file a step writes, made absolute
    unsigned vk = 0;      // `key`: the virtual key
    char ch = 0;          // `key` of one character: the character
    bool shift = false;   // `key` of one character that needs Shift
};

// What reading a script asks of the system the program runs on.
struct Host {
    // The key a US keyboard types `c` with, and whether it needs Shift;
    // false where no key types it.
    std::function<bool(char c, unsigned &vk, bool &shift)> keyForCharacter;
    // A file a step names (screenshot, dump), from the folder the run started in.
    std::function<std::string(const std::string &name)> pathFromStart;
};

// The step of a line (its leading blanks taken off); false with the reason
// when the line is no step.
bool parse_step(const std::string &line, const Host &host, Step &step, std::string &why);

// The steps of the script at `path`, skipping blank lines and comments.
// False, said on standard error with the line and the reason, when the file
// cannot be read or a line is no step.
bool load_steps(const std::string &path, const Host &host, std::vector<Step> &steps);

}   // namespace script
