#include "soak/generator.h"

#include "kernel32/codepage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <random>

namespace soak {
namespace {

const std::string MAIN_TITLE = "Quenmire Stonecall V1.1";
const std::string SETUP_TITLE = MAIN_TITLE + " - Setup";
const std::string EDIT_HELP_TITLE = "Important information about creating your spread...";

// Message-box and dialog buttons, and the screens' controls.
const int OK = 1, CANCEL = 2, YES = 6, NO = 7;
const int CASTING_OK = 101, CHOOSER_LIST = 104, MEANING_EDIT = 1199, FIRST_BUTTON = 10;
const int NEW_TITLE = 101, NEW_NAME = 102, NEW_COUNT = 103;
const int SHOW_EDIT_HELP = 102, SHOW_BANNER = 103, CHANGE_SPREAD = 104, FILE_LIST = 1120, FILE_NAME = 1152;

// Limits the program keeps.
const int TITLE_CHARS = 49, NAME_CHARS = 12, MAX_JUMP = 50;
const int PICTURE_W = 70, PICTURE_H = 129;
// A part of the main window's client area that every layout shows, smaller
// than the maximised window's, so that what lies in it can surely be clicked.
const int SAFE_W = 1000, SAFE_H = 690;

// Name characters narrow enough that a name of ten fits the field's width.
const std::string NAME_SET = "ABCDEFGHIJKLNOPQRSTUVXYZ0123456789";
const std::vector<std::string> WORDS = {"rune",  "the", "past",  "what was", "hidden",   "Norns",  "fate", "wyrd",
                                        "stone", "ash", "north", "journey",  "question", "answer", "yes",  "root"};
// Texts a person might type that look like the spread file's own labels.
const std::vector<std::string> LABELISH = {"NumCards=3", "rune0x=12", "rune4y=-7",     "title=x",       "version=9999",
                                           "NumCards=",  "rune14x=5", "runemeaning1=", "runemeaning0=a"};
const std::string ODD = "<>&\"';:!?.,()[]{}/\\|~^%$@=+-_`";
// The keypad's digits that move a position: 7 8 9 up, 1 2 3 down.
const std::string KEYPAD_MOVES = "12346789";
// The keys for the same moves on a keyboard without a keypad, by the digit.
const char *const NAVIGATION_KEYS[] = {"", "END", "DOWN", "NEXT", "LEFT", "", "RIGHT", "HOME", "UP", "PRIOR"};
const std::string OPEN_TITLE = "Choose the spread you wish to auto-start";

std::string cased(std::string s, int (*to)(int))
{
    for (char &c : s) c = static_cast<char>(to(static_cast<unsigned char>(c)));
    return s;
}

enum class Mode { Idle, Run, Edit, New };

class Walk {
  public:
    Walk(const WalkOptions &options, const Files &files) : options_(options), rng_(options.seed), files_(files) {}

    std::vector<Session> run()
    {
        std::vector<Session> sessions;
        for (int left = options_.actions; left > 0; left -= sessions.back().actions) {
            sessions.emplace_back();
            s_ = &sessions.back();
            if (sessions.size() > 1 && chance(1, 2)) setup_session(std::min(left, pick(1, 8)));
            else main_session(std::min(left, options_.sessionActions));
        }
        return sessions;
    }

  private:
    using Screen = void (Walk::*)();

    WalkOptions options_;
    std::mt19937 rng_;
    Files files_;
    // The settings file's: whether the editor's help shows, the start-up spread.
    bool editHelp_ = true;
    std::string defaultSpread_;

    // The session being written.
    Session *s_ = nullptr;
    int budget_ = 0;   // input steps still to give

    // The program, as the walk believes it to be; anew at each start of the main window.
    struct Program {
        Screen screen = &Walk::main_step;
        Mode mode = Mode::Idle;
        bool reading = false, htmlise = false, buttons = false, changed = false, newAccepted = false;
        std::string caption = MAIN_TITLE, filename;
        Spread spread;
        int acquired = 10, jump = 5;
        // The new-spread dialog's fields; the chooser's selected item; the meaning dialog.
        std::string titleField, nameField, countField;
        int selected = -1;
        bool meaningFocused = false;
        // The clipboard's text, while the walk knows it.
        std::string clip;
        bool clipKnown = true;
        // The desktop resized while another screen or a box was in front: the main
        // window's repaint waited in its queue, and the screen's end took it
        // without the program drawing (its timer draws within 5 s).
        bool stale = false;
    } p_;
    bool holdFocus_ = false;   // within a sequence of keys that another application must not cut into
    std::string front_;        // the title of the window in front, as last expected

    // ---- randomness and the script --------------------------------------

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int n, int d) { return pick(1, d) <= n; }
    template <class List>
    const auto &any(const List &list)
    {
        return list[size_t(pick(0, int(list.size()) - 1))];
    }
    // A spread file by its place in the program's lists, or any.
    const Files::value_type &listed(int i) { return *std::next(files_.begin(), i); }
    int any_listed() { return pick(0, int(files_.size()) - 1); }

    std::string random_name()
    {
        std::string s;
        for (int n = pick(1, 6); n > 0; --n) s += any(NAME_SET);
        return s;
    }

    // Text a person types: words, odd characters, bytes of other alphabets,
    // now and then something that looks like the file's own labels.
    std::string random_text(int most)
    {
        std::string s;
        const int want = chance(1, 6) ? pick(1, most) : pick(1, std::min(most, 24));
        while (int(s.size()) < want) {
            const int r = pick(0, 9);
            if (r == 0) s += any(ODD);
            else if (r <= 2) s += static_cast<char>(pick(0x80, 0xFF));
            else if (r == 3) s += any(LABELISH);
            else if (r == 4) s += "  ";
            else s += any(WORDS) + " ";
        }
        return s.substr(0, size_t(want));
    }

    void line(const std::string &text) { s_->script += kernel32::utf8_of_ansi(text) + "\n"; }
    void input(const std::string &step)
    {
        if (!holdFocus_ && chance(1, 30)) interlude();
        line(step);
        ++s_->actions;
        --budget_;
    }
    void click(int id) { input("click " + std::to_string(id)); }
    void key(const std::string &name) { input("key " + name); }
    void type(const std::string &text) { input("type " + text); }
    void expect(const std::string &title)
    {
        front_ = title;
        line(title.empty() ? "expect-window" : "expect-window " + title);
    }
    void expect_text(int id, const std::string &text) { line("expect-text " + std::to_string(id) + " " + text); }
    // A check once the step just written, the script's last line, is taken.
    void check(Check c) { s_->checks[int(std::count(s_->script.begin(), s_->script.end(), '\n'))] = c; }

    // A message box with an OK button: its button, Enter, Escape and the
    // close command all answer it.
    void answer_ok(const std::string &caption)
    {
        static const std::vector<std::string> ways = {"key RETURN", "key ESCAPE", "close", "click 1"};
        expect(caption);
        input(ways[size_t(std::min(pick(0, 7), 3))]);
    }

    // The save prompt: its buttons or their letters; Escape and the close
    // command do not answer it, so it waits on.
    void answer_save(bool yes)
    {
        expect("Save..");
        if (chance(1, 6)) {
            input(chance(1, 2) ? "key ESCAPE" : "close");
            expect("Save..");
        }
        if (chance(1, 4)) key(yes ? "y" : "n");
        else click(yes ? YES : NO);
    }

    // ---- the main window --------------------------------------------------

    // The file the chooser takes for a title: the first listed that has it.
    std::string file_with_title(const std::string &title)
    {
        for (const auto &f : files_)
            if (f.second.title == title) return f.first;
        return "";
    }

    void main_session(int actions)
    {
        budget_ = actions;
        p_ = Program();
        line("wait 5000");   // past the banner and the pause
        if (defaultSpread_.empty()) {
            expect(p_.caption);
        } else {
            expect("Auto-load activated!");
            expect_text(0xFFFF, "Auto-loading " + files_.at(defaultSpread_).title);
            click(OK);
            p_.htmlise = true;
            p_.mode = Mode::Run;
            p_.filename = defaultSpread_;
            p_.screen = &Walk::casting_step;
            expect("");
        }
        warm_up();
        while (budget_ > 0 || p_.screen != &Walk::main_step) (this->*p_.screen)();
        if (chance(1, 2)) {
            choose("File", "Exit");
        } else if (chance(1, 4)) {
            holdFocus_ = true;
            system_menu("c");
            holdFocus_ = false;
        } else {
            input("close");
        }
        end_mode();
    }

    void back_to_main()
    {
        p_.screen = &Walk::main_step;
        expect(p_.caption);
    }

    // Whatever ends the mode: the layout modes' buttons go and the save
    // prompt comes where the program asks it.
    void end_mode()
    {
        const bool ask =
            !p_.filename.empty() && ((p_.mode == Mode::Edit && p_.changed) || (p_.mode == Mode::New && p_.newAccepted));
        p_.reading = p_.htmlise = p_.buttons = p_.changed = p_.newAccepted = false;
        p_.mode = Mode::Idle;
        if (!ask) return;
        const bool save = chance(3, 4);
        answer_save(save);
        if (!save) return;
        check(Check::Save);
        files_[p_.filename] = p_.spread;
        answer_ok("Done...");
    }

    void main_step()
    {
        if (chance(1, 30)) return window_step();
        const int r = pick(0, 99);
        if (r < 4) return command(Mode::Run);
        if (r < 7) return command(Mode::Edit);
        if (r < 10) return command(Mode::New);
        if (r < 11) {
            choose("Help", "About..");
            answer_ok("About..");
            return expect(p_.caption);
        }
        if (r < 14 && p_.htmlise) return htmlise();
        if (p_.mode == Mode::Edit || p_.mode == Mode::New) return layout_step();
        if (p_.mode == Mode::Run && p_.reading && r < 70) return rune_click();
        command(Mode::Run);
    }

    // Run, Edit or New from the Spread menu (Edit and New turn NumLock on, so
    // that the keypad moves the positions).
    void command(Mode mode)
    {
        static const char *const items[] = {"", "Run", "Edit", "New"};
        choose("Spread", items[int(mode)]);
        end_mode();
        p_.mode = mode;
        p_.htmlise = mode == Mode::Run;
        p_.screen = mode == Mode::New ? &Walk::new_dialog_step : &Walk::chooser_step;
        p_.selected = -1;
        p_.titleField.clear();
        p_.nameField = ".SCS";
        p_.countField.clear();
        expect("");
    }

    void htmlise()
    {
        choose("Spread", "HTMLise");
        if (p_.reading) check(Check::Report);
        answer_ok(p_.reading ? "Rune.htm created..." : "Rune.htm not written...");
        expect(p_.caption);
    }

    // Whether the picture of one of the positions from `from` on lies under the point.
    bool covered(int px, int py, int from)
    {
        for (int j = from; j < p_.spread.count; ++j)
            if (px >= p_.spread.x[j] && px < p_.spread.x[j] + PICTURE_W && py >= p_.spread.y[j] &&
                py < p_.spread.y[j] + PICTURE_H)
                return true;
        return false;
    }

    // A click on or beside a rune of the reading: where a rune shows, its
    // detail screen opens.
    void rune_click()
    {
        const int i = pick(0, p_.spread.count - 1);
        const int px = std::clamp(p_.spread.x[i] + pick(-PICTURE_W / 2, PICTURE_W * 3 / 2), 0, SAFE_W - 1);
        const int py = std::clamp(p_.spread.y[i] + pick(-PICTURE_H / 2, PICTURE_H * 3 / 2), 0, SAFE_H - 1);
        input("clickat " + std::to_string(px) + " " + std::to_string(py));
        if (!covered(px, py, 0)) return expect(p_.caption);
        p_.screen = &Walk::detail_step;
        expect("");
    }

    // Escape reaches the interpretation's edit box, which has the focus, and
    // a multi-line edit box closes its dialog on Escape.
    void detail_step()
    {
        const int r = budget_ <= 0 ? 0 : pick(0, 9);
        input(r < 6 ? "click 1" : r < 8 ? "close" : "key ESCAPE");
        back_to_main();
    }

    // ---- the chooser and the cast ------------------------------------------

    void chooser_step()
    {
        const int r = budget_ <= 0 ? 99 : pick(0, 99);
        if (r < 80) {
            p_.selected = any_listed();
            input("select " + std::to_string(CHOOSER_LIST) + " " + std::to_string(p_.selected));
        }
        if (r < 30) return;   // a look at some item first
        if (r < 85) {
            // With nothing selected the title is the last file's listed.
            click(OK);
            return chosen(file_with_title(listed(p_.selected < 0 ? int(files_.size()) - 1 : p_.selected).second.title));
        }
        // The close command keeps the file name the program had; only
        // where that names a file there is (or none) can the walk follow.
        if (r < 90 && (p_.filename.empty() || files_.count(p_.filename))) {
            input("close");
            return chosen(p_.filename);
        }
        input(chance(1, 2) ? "click 2" : "key ESCAPE");
        chosen("");
    }

    void chosen(const std::string &name)
    {
        p_.filename = name;
        if (p_.mode == Mode::Run && !name.empty()) {
            p_.screen = &Walk::casting_step;
            return expect("");
        }
        // No spread: the Run ends, HTMLise stays enabled.
        if (p_.mode == Mode::Run) {
            p_.mode = Mode::Idle;
        } else if (!name.empty()) {
            p_.spread = files_.at(name);
            show_editor();
        }
        back_to_main();
    }

    // Whatever the first command, it casts.
    void casting_step()
    {
        static const std::vector<std::string> ways = {"click " + std::to_string(CASTING_OK), "key RETURN", "key ESCAPE",
                                                      "close"};
        input(ways[size_t(budget_ <= 0 ? 0 : std::max(0, pick(0, 5) - 2))]);
        check(Check::Reading);
        p_.spread = files_.at(p_.filename);
        p_.reading = true;
        p_.mode = Mode::Run;
        p_.caption = MAIN_TITLE + " - " + p_.spread.title;
        back_to_main();
    }

    // ---- the layout modes ---------------------------------------------------

    void show_editor()
    {
        if (editHelp_) answer_ok(EDIT_HELP_TITLE);
        p_.buttons = true;
        p_.caption = MAIN_TITLE + " - " + p_.spread.title;
    }

    // Whether some part of position i's button shows in the safe part of
    // the window: later positions lie on top of it.
    bool reachable(int i)
    {
        for (int py = std::max(p_.spread.y[i], 0); py < std::min(p_.spread.y[i] + PICTURE_H, SAFE_H); ++py)
            for (int px = std::max(p_.spread.x[i], 0); px < std::min(p_.spread.x[i] + PICTURE_W, SAFE_W); ++px)
                if (!covered(px, py, i + 1)) return true;
        return false;
    }

    void layout_step()
    {
        if (chance(1, 5)) return layout_extra();
        const int r = pick(0, 99);
        if (r < 25 && p_.buttons) {
            std::vector<int> can;
            for (int i = 0; i < p_.spread.count; ++i)
                if (reachable(i)) can.push_back(i);
            if (!can.empty()) {
                p_.acquired = any(can);
                return click(FIRST_BUTTON + p_.acquired);
            }
        }
        if (r < 70) return keypad_move();
        if (r < 78) return meaning_open();
        if (r < 85) return jump_change(1);
        if (r < 92) return jump_change(-1);
        key("MULTIPLY");
        answer_ok("Button jump size..");
        expect(p_.caption);
    }

    // One of the eight directions, away from the window's edges for a
    // position that has a button, so that it can be picked again.
    void keypad_move(bool navigation = false)
    {
        const int a = p_.acquired;
        int digit = 0, dx = 0, dy = 0;
        for (int tries = 0; tries < 8; ++tries) {
            digit = any(KEYPAD_MOVES) - '0';
            dx = (digit - 1) % 3 - 1;
            dy = 1 - (digit - 1) / 3;
            if (a >= p_.spread.count) break;
            const int ny = p_.spread.y[a] + dy * p_.jump, nx = p_.spread.x[a] + dx * p_.jump;
            if (ny > -60 && ny < SAFE_H - 60 && nx > -40 && nx < SAFE_W - 40) break;
        }
        key(navigation ? NAVIGATION_KEYS[digit] : "NUMPAD" + std::to_string(digit));
        p_.spread.y[a] += dy * p_.jump;
        p_.spread.x[a] += dx * p_.jump;
        p_.changed = true;
    }

    void jump_change(int step)
    {
        // Now and then straight to the limit, to meet its message.
        for (int times = chance(1, 10) ? MAX_JUMP : 1; times > 0; --times) {
            key(step > 0 ? "ADD" : "SUBTRACT");
            p_.jump += step;
            if (p_.jump < 1 || p_.jump > MAX_JUMP) {
                answer_ok("Button jump size changed..");
                p_.jump = std::clamp(p_.jump, 1, MAX_JUMP);
                break;
            }
        }
        expect(p_.caption);
    }

    void meaning_open()
    {
        key("NUMPAD5");
        meaning_opened();
    }

    void meaning_step()
    {
        const int r = budget_ <= 0 ? 99 : pick(0, 99);
        if (r < 45 && p_.meaningFocused && chance(1, 6)) return meaning_clipboard();
        if (r < 45) {
            if (!p_.meaningFocused) click(MEANING_EDIT);
            p_.meaningFocused = true;
            return type(random_text(chance(1, 8) ? 300 : 40));
        }
        if (r < 55 && p_.meaningFocused) return key("RETURN");   // a new line
        input(r < 90 ? "click 1" : r < 96 ? "click 2" : "close");
        back_to_main();
    }

    // ---- the new-spread dialog --------------------------------------------

    // A field of the new-spread dialog emptied with Backspace and typed anew.
    void edit_field(int id, std::string &field, const std::string &text)
    {
        click(id);
        key("END");
        for (size_t i = 0; i < field.size(); ++i) key("BACK");
        if (!text.empty()) type(text);
        field = id == NEW_NAME ? cased(text, ::toupper) : text;
        expect_text(id, field);
    }

    void new_dialog_step()
    {
        static const std::vector<std::string> counts = {"0", "16", "99", "x", "-3", ""};
        const int r = budget_ <= 0 ? 99 : pick(0, 99);
        if (r < 90 && chance(1, 5)) return field_clipboard();
        if (r < 25) {
            // Now and then a title some spread has already, or none.
            const std::string title = r < 5 ? listed(any_listed()).second.title : r < 8 ? "" : random_text(60);
            return edit_field(NEW_TITLE, p_.titleField, title);
        }
        if (r < 45) {
            // A name of its own, one that is taken, or one without its extension.
            std::string name = random_name();
            const int kind = pick(0, 9);
            const std::string &taken = listed(any_listed()).first;
            if (kind == 0 && taken.size() <= 10) name = taken.substr(0, taken.size() - 4);
            if (kind != 1) name += ".SCS";
            return edit_field(NEW_NAME, p_.nameField, chance(1, 3) ? cased(name, ::tolower) : name);
        }
        const std::string count = chance(3, 4) ? std::to_string(pick(1, 15)) : any(counts);
        if (r < 65) return edit_field(NEW_COUNT, p_.countField, count);
        if (r < 90) return new_dialog_ok();
        static const std::vector<std::string> cancel = {"click 2", "key ESCAPE", "close"};
        input(any(cancel));
        // Cancelled: new mode without buttons, and nothing to save.
        back_to_main();
    }

    void new_dialog_ok()
    {
        click(OK);
        p_.filename = p_.nameField.substr(0, NAME_CHARS);
        p_.spread.title = p_.titleField.substr(0, TITLE_CHARS);
        p_.spread.count = int(std::strtol(p_.countField.substr(0, 2).c_str(), nullptr, 10));
        const bool extension = p_.filename.size() >= 4 && p_.filename.compare(p_.filename.size() - 4, 4, ".SCS") == 0;
        if (p_.spread.title.empty() || !extension || p_.spread.count < 1 || p_.spread.count > POSITIONS ||
            files_.count(p_.filename)) {
            answer_ok("Error");
            return expect("");
        }
        p_.newAccepted = true;
        for (int i = 0; i < POSITIONS; ++i) {
            p_.spread.x[i] = 200 + 20 * i;
            p_.spread.y[i] = 10 + 20 * i;
        }
        show_editor();
        back_to_main();
    }

    // ---- the setup screen: its check boxes, the open-file dialog for the start-up spread

    void setup_session(int actions)
    {
        s_->setup = true;
        bool editHelp = editHelp_;
        std::string spread = defaultSpread_;
        expect(SETUP_TITLE);
        for (budget_ = actions; budget_ > 1;) {
            const int r = pick(0, 9), item = any_listed();
            click(r < 4 ? SHOW_EDIT_HELP : r < 8 ? SHOW_BANNER : CHANGE_SPREAD);
            editHelp = editHelp != (r < 4);
            if (r < 8) continue;
            expect(OPEN_TITLE);
            if (chance(1, 3) && open_file_extra(spread)) continue;
            input("select " + std::to_string(FILE_LIST) + " " + std::to_string(item));
            const bool chosen = chance(3, 4);
            click(chosen ? OK : CANCEL);
            spread = chosen ? listed(item).first : spread;
            expect(SETUP_TITLE);
        }
        const int end = pick(0, 3);
        input(end < 2 ? "click 1" : end == 2 ? "click 2" : "close");
        if (end >= 2) return;
        editHelp_ = editHelp;
        defaultSpread_ = spread;
    }

    // ---- the desktop around the program: keyboard menus, other applications,
    // the real window's size, double-clicks, drags and the clipboard

    void keys(const std::vector<std::string> &names)
    {
        for (const std::string &name : names) key(name);
    }

    // The real window made another size and back.
    void resize_and_back()
    {
        line("resize " + std::to_string(pick(320, 1600)) + " " + std::to_string(pick(240, 1200)));
        line("resize 1024 768");
        s_->actions += 2;
    }

    // The desktop at the largest size the walk gives it and back, and a
    // screen kept, first thing: what follows the desktop's size has had its
    // largest memory before the memory check first looks.
    void warm_up()
    {
        line("resize 1600 1200");
        line("resize 1024 768");
        s_->actions += 2;
        check(Check::Picture);
    }

    // Another application takes the foreground and gives it back.
    void switch_away_and_back()
    {
        line("deactivate");
        line("activate");
        s_->actions += 2;
    }

    // Between any two steps, whatever is in front: that, or a resize.
    void interlude()
    {
        if (chance(2, 3)) return switch_away_and_back();
        p_.stale = p_.stale || front_ != p_.caption;
        resize_and_back();
    }

    // A menu command as a user gives it: clicked, by Alt with the letters, or
    // by F10 and the arrows; now and then after a menu opened and left.
    void choose(const std::string &top, const std::string &item)
    {
        static const std::vector<std::string> tops = {"File", "Spread", "Help"}, spreadItems = {"New", "Edit", "Run"};
        const std::string t(1, char(std::tolower(top[0]))), i(1, char(std::tolower(item[0])));
        const long topAt = std::find(tops.begin(), tops.end(), top) - tops.begin();
        const long itemAt =
            top != "Spread" ? 0 : std::find(spreadItems.begin(), spreadItems.end(), item) - spreadItems.begin();
        holdFocus_ = true;
        if (chance(1, 6)) menu_left();
        const int way = pick(0, 4);
        if (way < 2) {
            input("menu " + top + " " + item);
        } else if (way == 2) {
            keys({"MENU+" + t, i});
        } else if (way == 3 || itemAt == 3) {
            keys({chance(1, 2) ? "MENU" : "F10", t, i});
        } else {
            key("F10");
            for (long n = 0; n < topAt; ++n) key("RIGHT");
            key(chance(1, 2) ? "DOWN" : "RETURN");   // opens the drop-down, its first item selected
            for (long n = 0; n < itemAt; ++n) key("DOWN");
            key("RETURN");
        }
        holdFocus_ = false;
    }

    // A menu opened and left without a choice: by Escape, once for each level
    // (Left from the bar's first item is the system menu), or by switching to
    // another application.
    void menu_left()
    {
        static const std::vector<std::vector<std::string>> ways = {
            {"F10", "ESCAPE"}, {"MENU+s", "ESCAPE", "ESCAPE"}, {"F10", "LEFT", "DOWN", "ESCAPE", "ESCAPE"}};
        if (chance(3, 4)) return keys(any(ways));
        key(chance(1, 2) ? "F10" : "MENU+h");
        switch_away_and_back();
    }

    // An item of the active window's system menu, reached by Alt+Space or by
    // F10 and Left.
    void system_menu(const std::string &item)
    {
        if (chance(1, 2)) return keys({"MENU+SPACE", item});
        keys({"F10", "LEFT", "DOWN", item});
    }

    // The main window minimised and restored, restored and maximised, or the
    // real window resized and back: the screen is then as it was. A press of
    // Shift, which changes nothing, marks the screen to compare with. Not in
    // the layout modes, whose white is painted once: a repaint leaves the
    // dialog's grey, as on Windows.
    void window_step()
    {
        const bool same = !p_.stale && (p_.mode == Mode::Idle || p_.mode == Mode::Run);
        p_.stale = false;
        holdFocus_ = true;
        key("SHIFT");
        if (same) check(Check::Picture);
        const int r = pick(0, 2);
        if (r < 2) {
            system_menu(r == 0 ? "n" : "r");
            system_menu(r == 0 ? "r" : "x");
        } else {
            resize_and_back();
        }
        if (same) check(Check::SamePicture);
        holdFocus_ = false;
        expect(p_.caption);
    }

    // In the layout modes: a position moved by the arrow keys or dragged,
    // its meaning opened by F2, Clear or a double-click on its button.
    void layout_extra()
    {
        const int r = pick(0, 3);
        std::vector<int> can;
        for (int i = 0; i < p_.spread.count && p_.buttons; ++i)
            if (reachable(i) && p_.spread.x[i] >= 0 && p_.spread.y[i] >= 0) can.push_back(i);
        if (r == 0 && !can.empty()) {
            p_.acquired = any(can);
            input("doubleclick " + std::to_string(FIRST_BUTTON + p_.acquired));
            return meaning_opened();
        }
        // A drag: far enough to leave the press's spot, not so far that the
        // window's edge stops it.
        const int i = can.empty() ? 0 : any(can);
        const int dx =
            can.empty() ? 0 : std::clamp(p_.spread.x[i] + pick(-120, 120), 0, SAFE_W - PICTURE_W) - p_.spread.x[i];
        const int dy =
            can.empty() ? 0 : std::clamp(p_.spread.y[i] + pick(-120, 120), 0, SAFE_H - PICTURE_H) - p_.spread.y[i];
        if (r == 1 && std::max(std::abs(dx), std::abs(dy)) > 4) {
            input("drag " + std::to_string(FIRST_BUTTON + i) + " " + std::to_string(dx) + " " + std::to_string(dy));
            p_.acquired = i;
            p_.spread.x[i] += dx;
            p_.spread.y[i] += dy;
            p_.changed = true;
            return;
        }
        if (r < 3) return keypad_move(true);
        key(chance(1, 2) ? "F2" : "CLEAR");
        meaning_opened();
    }

    void meaning_opened()
    {
        p_.changed = true;
        p_.screen = &Walk::meaning_step;
        p_.meaningFocused = false;
        expect("");
    }

    // Cut, copy and paste in the meaning: the text is the program's own
    // business here (each save is compared with what it holds), the clipboard
    // then unknown.
    void meaning_clipboard()
    {
        static const std::vector<std::string> ways = {"SHIFT+HOME",   "SHIFT+LEFT", "SHIFT+UP",       "CONTROL+X",
                                                      "SHIFT+DELETE", "CONTROL+C",  "CONTROL+INSERT", "CONTROL+V",
                                                      "SHIFT+INSERT", "CONTROL+Z",  "CONTROL+LEFT"};
        if (chance(1, 4)) input("doubleclick " + std::to_string(MEANING_EDIT));
        for (int n = pick(1, 4); n > 0; --n) key(any(ways));
        p_.clip.clear();
        p_.clipKnown = false;
    }

    void select_field(int id)
    {
        click(id);
        keys({"END", "SHIFT+HOME"});
    }

    // The new-spread dialog's fields through the clipboard: one cut and
    // pasted back unchanged, one copied into the title, or what the walk
    // knows the clipboard holds pasted at the title's end.
    void field_clipboard()
    {
        static const std::vector<int> ids = {NEW_TITLE, NEW_NAME, NEW_COUNT};
        const int id = any(ids), r = pick(0, 2);
        std::string &field = id == NEW_TITLE ? p_.titleField : id == NEW_NAME ? p_.nameField : p_.countField;
        if (r == 2 || field.empty()) {
            if (!p_.clipKnown || p_.clip.empty()) return;
            click(NEW_TITLE);
            keys({"END", "SHIFT+INSERT"});
            p_.titleField += p_.clip;
            return expect_text(NEW_TITLE, p_.titleField);
        }
        select_field(id);
        if (r == 0) {
            key(chance(1, 2) ? "CONTROL+X" : "SHIFT+DELETE");
            expect_text(id, "");
            key(chance(1, 2) ? "CONTROL+V" : "SHIFT+INSERT");
        } else {
            key(chance(1, 2) ? "CONTROL+C" : "CONTROL+INSERT");
            select_field(NEW_TITLE);
            key("CONTROL+V");
            p_.titleField = field;
        }
        p_.clip = field;
        p_.clipKnown = true;
        expect_text(id, field);
        expect_text(NEW_TITLE, p_.titleField);
    }

    // The open-file dialog of the setup screen: a name typed into its field,
    // a spread's (chosen at once) or one that is not there (a message, the
    // dialog stays); or the dialog moved by its system menu's Move and back.
    // Answers whether a spread was chosen.
    bool open_file_extra(std::string &spread)
    {
        const int r = pick(0, 2);
        if (r == 0) {
            holdFocus_ = true;
            key("SHIFT");
            check(Check::Picture);
            const int steps = pick(1, 5);
            for (const char *way : {"RIGHT", "LEFT"}) {
                keys({"MENU+SPACE", "m"});
                for (int i = 0; i < steps; ++i) key(way);
                key("RETURN");
            }
            check(Check::SamePicture);
            holdFocus_ = false;
            expect(OPEN_TITLE);
            return false;
        }
        const std::string name = r == 1 ? listed(any_listed()).first : random_name() + ".SCS";
        select_field(FILE_NAME);
        type(name);
        input(chance(1, 2) ? "key RETURN" : "click 1");
        if (files_.count(name)) spread = name;
        else answer_ok(OPEN_TITLE);
        expect(files_.count(name) ? SETUP_TITLE : OPEN_TITLE);
        return files_.count(name) > 0;
    }
};

}   // namespace

bool Listed::operator()(const std::string &a, const std::string &b) const
{
    const std::string la = cased(a, ::tolower), lb = cased(b, ::tolower);
    return la != lb ? la < lb : a < b;
}

std::vector<Session> generate(const WalkOptions &options, const Files &files) { return Walk(options, files).run(); }

}   // namespace soak
