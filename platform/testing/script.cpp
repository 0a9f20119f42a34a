#include "testing/script.h"

#include "driver/driver.h"
#include "testing/actions.h"
#include "testing/windump.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace script {
namespace {

namespace fs = std::filesystem;

enum class Op { Menu, Click, ClickAt, Select, Key, Type, Close, Wait, Screenshot, Dump, ExpectWindow, ExpectText };

// What follows a step's name. Free text runs to the end of the line, so only
// steps without it may carry a trailing comment.
enum class Args { None, Number, TwoNumbers, KeyName, Text, OptionalText, NumberThenText };

struct StepKind {
    const char *name;
    Op op;
    Args args;
};
const StepKind stepKinds[] = {
    {"menu", Op::Menu, Args::Text},
    {"click", Op::Click, Args::Number},
    {"clickat", Op::ClickAt, Args::TwoNumbers},
    {"select", Op::Select, Args::TwoNumbers},
    {"key", Op::Key, Args::KeyName},
    {"type", Op::Type, Args::Text},
    {"close", Op::Close, Args::None},
    {"wait", Op::Wait, Args::Number},
    {"screenshot", Op::Screenshot, Args::Text},
    {"dump", Op::Dump, Args::Text},
    {"expect-window", Op::ExpectWindow, Args::OptionalText},
    {"expect-text", Op::ExpectText, Args::NumberThenText},
};

struct Step {
    Op op;
    int line;
    std::string source;   // the line as written
    long a = 0, b = 0;    // numbers: an id, a position, milliseconds
    std::string text;     // free text; a path made absolute
    UINT vk = 0;          // `key`
    bool shift = false;
};

// Thrown on the program's thread from the block hook: the script ends the run.
struct Ended {
    int status;
};

bool number(std::istringstream &in, long &out)
{
    std::string tok;
    if (!(in >> tok)) return false;
    char *end;
    errno = 0;
    out = std::strtol(tok.c_str(), &end, 10);
    return *end == 0 && errno == 0;
}

// Nothing but a comment may follow the arguments.
bool only_comment_left(std::istringstream &in)
{
    std::string tok;
    return !(in >> tok) || tok[0] == '#';
}

// Parses one step; false with the reason when the line is not one.
bool parse_step(const std::string &line, Step &step, const fs::path &base, std::string &why)
{
    std::istringstream in(line);
    std::string name;
    in >> name;
    const StepKind *kind = nullptr;
    for (const StepKind &k : stepKinds)
        if (name == k.name) kind = &k;
    if (!kind) return why = "unknown step \"" + name + "\"", false;
    step.op = kind->op;
    // Free text starts after the one blank that ends the step's name.
    auto rest_of_line = [&] {
        std::string rest;
        std::getline(in, rest);
        return rest.empty() ? rest : rest.substr(1);
    };
    switch (kind->args) {
    case Args::None:
        break;
    case Args::Number:
        if (!number(in, step.a)) return why = "a number must follow", false;
        if (step.op == Op::Wait && step.a < 0) return why = "a time cannot be negative", false;
        break;
    case Args::TwoNumbers:
        if (!number(in, step.a) || !number(in, step.b)) return why = "two numbers must follow", false;
        break;
    case Args::KeyName: {
        std::string key;
        in >> key;
        if (!actions::key_by_name(key, step.vk, step.shift)) return why = "no key is named \"" + key + "\"", false;
        break;
    }
    case Args::Text:
    case Args::OptionalText:
        step.text = rest_of_line();
        if (step.text.empty() && kind->args == Args::Text) return why = "text must follow", false;
        if (step.op == Op::Screenshot || step.op == Op::Dump) step.text = (base / step.text).string();
        return true;
    case Args::NumberThenText:
        if (!number(in, step.a)) return why = "a control id must follow", false;
        step.text = rest_of_line();
        return true;
    }
    if (!only_comment_left(in)) return why = "too many arguments", false;
    return true;
}

bool load(const std::string &path, const fs::path &base, std::vector<Step> &steps)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "script %s: cannot be read\n", path.c_str());
        return false;
    }
    std::string line;
    for (int n = 1; std::getline(file, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        Step step;
        step.line = n;
        step.source = line;
        std::string why;
        if (!parse_step(line.substr(start), step, base, why)) {
            std::fprintf(stderr, "script %s:%d: %s\n  %s\n", path.c_str(), n, line.c_str(), why.c_str());
            return false;
        }
        steps.push_back(std::move(step));
    }
    return true;
}

// The steps, taken one at a time whenever the program waits for input.
class Runner {
public:
    Runner(std::string path, std::vector<Step> steps, const Observer &observer)
        : path_(std::move(path)), steps_(std::move(steps)), observer_(observer)
    {
    }

    uint64_t on_block()
    {
        if (given_) observe();
        if (waitUntil_ > drv::current().now()) return waitUntil_;
        if (menuStep_) return choose_open_item();
        while (next_ < steps_.size()) {
            const Step &step = steps_[next_++];
            switch (perform(step)) {
            case Outcome::Acted:
                // A menu step is given only once its item is clicked.
                if (step.op != Op::Menu) given_ = &step;
                return drv::current().now();
            case Outcome::Waits:
                return waitUntil_;
            case Outcome::Done:
                break;
            }
        }
        report(0, "", "the script ran out while the program waits for input");
        throw Ended{SCRIPT_RAN_OUT};
    }

private:
    // Done: the next step may follow at once. Acted: input was given, the
    // program takes it before the next step. Waits: time must pass first.
    enum class Outcome { Done, Acted, Waits };

    std::string path_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    uint64_t waitUntil_ = 0;
    const Step *menuStep_ = nullptr;   // a `menu` whose drop-down was clicked open
    actions::MenuChoice menu_;
    const Observer &observer_;
    const Step *given_ = nullptr;      // an input step the program has not yet been observed after

    // The program has taken the input of the step and waits again.
    void observe()
    {
        const Step &step = *given_;
        given_ = nullptr;
        if (!observer_) return;
        std::string why = observer_(step.line);
        if (!why.empty()) failed(step, why);
    }

    void report(int line, const std::string &source, const std::string &what)
    {
        if (line) std::fprintf(stderr, "script %s:%d: %s\n  %s\n", path_.c_str(), line, source.c_str(), what.c_str());
        else std::fprintf(stderr, "script %s: %s\n", path_.c_str(), what.c_str());
        std::fputs(dump_json().c_str(), stderr);
        std::fflush(stderr);
    }

    [[noreturn]] void failed(const Step &step, const std::string &why)
    {
        report(step.line, step.source, "failed: " + why);
        throw Ended{STEP_FAILED};
    }

    // The second half of a `menu`: its drop-down is open now (the menu's loop
    // waits for input), so the item can be clicked.
    uint64_t choose_open_item()
    {
        const Step &step = *menuStep_;
        menuStep_ = nullptr;
        POINT pt;
        std::string why;
        if (!actions::menu_item_point(menu_, pt, why)) failed(step, why);
        actions::click(pt);
        given_ = &step;
        return drv::current().now();
    }

    HWND active_window(const Step &step)
    {
        HWND active = GetActiveWindow();
        if (!active) failed(step, "no window is active");
        return active;
    }

    // The step's control of the active window.
    HWND control(const Step &step)
    {
        HWND c = GetDlgItem(active_window(step), static_cast<int>(step.a));
        if (!c) failed(step, "the active window has no control " + std::to_string(step.a));
        return c;
    }

    Outcome perform(const Step &step)
    {
        std::string why;
        POINT pt;
        switch (step.op) {
        case Op::Click:
            if (!actions::reachable_point(control(step), nullptr, pt, why))
                failed(step, "control " + std::to_string(step.a) + " cannot be clicked: " + why);
            actions::click(pt);
            return Outcome::Acted;
        case Op::ClickAt:
            pt = POINT{static_cast<LONG>(step.a), static_cast<LONG>(step.b)};
            ClientToScreen(active_window(step), &pt);
            actions::click(pt);
            return Outcome::Acted;
        case Op::Key:
            if (step.shift) actions::key(step.vk, VK_SHIFT);
            else actions::key(step.vk);
            return Outcome::Acted;
        case Op::Type:
            actions::type(step.text);
            return Outcome::Acted;
        case Op::Close:
            // The system close command: Alt+F4 reaches every top-level
            // window, with or without a close box.
            active_window(step);
            actions::key(VK_F4, VK_MENU);
            return Outcome::Acted;
        case Op::Wait:
            waitUntil_ = drv::current().now() + static_cast<uint64_t>(step.a);
            return Outcome::Waits;
        case Op::Screenshot:
            if (!user32::save_desktop_png(step.text, &why)) failed(step, why);
            return Outcome::Done;
        case Op::Dump: {
            std::ofstream out(step.text, std::ios::binary | std::ios::trunc);
            out << dump_json();
            out.close();
            if (!out) failed(step, "cannot write " + step.text);
            return Outcome::Done;
        }
        case Op::ExpectWindow: {
            const std::string &title = user32::find(active_window(step))->text;
            if (title != step.text) failed(step, "the active window is \"" + title + "\"");
            return Outcome::Done;
        }
        case Op::ExpectText: {
            const std::string &text = user32::find(control(step))->text;
            if (text != step.text) failed(step, "control " + std::to_string(step.a) + " reads \"" + text + "\"");
            return Outcome::Done;
        }
        case Op::Menu:
            if (!actions::find_menu_item(active_window(step), step.text, menu_, why) ||
                !actions::menu_bar_point(menu_, pt, why))
                failed(step, why);
            actions::click(pt);
            menuStep_ = &step;
            return Outcome::Acted;
        case Op::Select: {
            int arrows;
            if (!actions::list_item_point(control(step), static_cast<int>(step.b), pt, arrows, why))
                failed(step, "item " + std::to_string(step.b) + " of control " + std::to_string(step.a) +
                                 " cannot be selected: " + why);
            actions::select_list_item(pt, arrows);
            return Outcome::Acted;
        }
        }
        return Outcome::Done;
    }
};

} // namespace

int run_script(const std::string &path, const std::function<int()> &program, const Observer &observer)
{
    std::error_code ec;
    fs::path base = fs::current_path(ec);
    std::vector<Step> steps;
    if (!load(path, base, steps)) return STEP_FAILED;
    Runner runner(path, std::move(steps), observer);
    // The hook goes with the run, however the program leaves.
    struct Hooked {
        explicit Hooked(Runner &r) { drv::current().set_block_hook([&r](uint64_t) { return r.on_block(); }); }
        ~Hooked() { drv::current().set_block_hook(nullptr); }
    } hooked(runner);
    try {
        return program();
    } catch (const Ended &e) {
        return e.status;
    }
}

int run_program(const std::function<int()> &program)
{
    const char *path = std::getenv("STONECALL_SCRIPT");
    if (!path || !*path) return program();
    return run_script(path, program);
}

} // namespace script
