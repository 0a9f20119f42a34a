// The automation script runner: each step given while the program waits.
#include "testing/script.h"

#include "driver/driver.h"
#include "testing/actions.h"
#include "testing/windump.h"
#include "user32/compositor.h"
#include "user32/window_internal.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace script {
namespace {

namespace fs = std::filesystem;

// Thrown on the program's thread from the block hook: the script ends the run.
struct Ended {
    int status;
};

// The steps, taken one at a time whenever the program waits for input.
class Runner {
  public:
    Runner(std::string path, std::vector<Step> steps, const Observer &observer)
        : path_(std::move(path)), steps_(std::move(steps)), observer_(observer)
    {}

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
        throw Ended{kScriptRanOut};
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
    const Step *given_ = nullptr;   // an input step the program has not yet been observed after

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
        throw Ended{kStepFailed};
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

    // Where `click ID` clicks the step's control, on the desktop.
    POINT click_point(const Step &step)
    {
        POINT pt;
        std::string why;
        if (!actions::reachable_point(control(step), nullptr, pt, why))
            failed(step, "control " + std::to_string(step.a) + " cannot be clicked: " + why);
        return pt;
    }

    // A drag moves the mouse in this many even steps, as a hand does in a few
    // mouse reports, and lets the button go where the last one ends.
    static constexpr LONG kDragSteps = 4;

    static void drag(POINT from, LONG dx, LONG dy)
    {
        drv::mouse_button(from, drv::Button::Left, true);
        for (LONG i = 1; i <= kDragSteps; ++i)
            drv::mouse_move(POINT{from.x + dx * i / kDragSteps, from.y + dy * i / kDragSteps});
        drv::mouse_button(POINT{from.x + dx, from.y + dy}, drv::Button::Left, false);
    }

    Outcome perform(const Step &step)
    {
        std::string why;
        POINT pt;
        switch (step.op) {
        case Op::Click:
            actions::click(click_point(step));
            return Outcome::Acted;
        case Op::DoubleClick:
            // A click, then at once a second press and release at the same
            // spot: the layer makes that press a double-click where the
            // window's class asks for them.
            pt = click_point(step);
            actions::click(pt);
            drv::mouse_button(pt, drv::Button::Left, true);
            drv::mouse_button(pt, drv::Button::Left, false);
            return Outcome::Acted;
        case Op::Drag:
            drag(click_point(step), static_cast<LONG>(step.b), static_cast<LONG>(step.c));
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
        case Op::Deactivate:
        case Op::Activate:
            // Another application takes the foreground, or gives it back.
            drv::app_focus(step.op == Op::Activate);
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

}   // namespace

int run_script(const std::string &path, const std::function<int()> &program, const Observer &observer)
{
    std::error_code ec;
    fs::path base = fs::current_path(ec);
    Host host;
    host.keyForCharacter = [](char c, unsigned &vk, bool &shift) {
        return user32::vk_for_char(static_cast<unsigned char>(c), vk, shift);
    };
    host.pathFromStart = [&base](const std::string &name) { return (base / name).string(); };
    std::vector<Step> steps;
    if (!load_steps(path, host, steps)) return kStepFailed;
    Runner runner(path, std::move(steps), observer);
    // The hook goes with the run, however the program leaves.
    struct Hooked {
        explicit Hooked(Runner &r)
        {
            drv::current().set_block_hook([&r](uint64_t) { return r.on_block(); });
        }
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

}   // namespace script
