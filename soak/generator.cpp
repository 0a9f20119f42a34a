#include "soak/generator.h"

#include "kernel32/codepage.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <random>

namespace soak {
namespace {

const std::string MAIN_TITLE = "Quenmire Stonecall V1.1";
const std::string EDIT_HELP_TITLE = "Important information about creating your spread...";

// Message-box and dialog buttons, and the screens' controls.
const int OK = 1, YES = 6, NO = 7;
const int CHOOSER_LIST = 104, MEANING_EDIT = 1199, FIRST_BUTTON = 10;
const int NEW_TITLE = 101, NEW_NAME = 102, NEW_COUNT = 103;

// Limits the program keeps; the keypad's jump, which the walk leaves as it starts.
const int TITLE_CHARS = 49, NAME_CHARS = 12, JUMP = 5;
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
// The ways a user answers a box with an OK button, and leaves the screens
// that end on any of their commands (the first is the button). Enter makes a
// new line in the rune detail's edit box, which has the focus.
const std::vector<std::string> OK_WAYS = {"click 1", "key RETURN", "key ESCAPE", "close"};
const std::vector<std::string> CASTING_WAYS = {"click 101", "key RETURN", "key ESCAPE", "close"};
const std::vector<std::string> DETAIL_WAYS = {"click 1", "key ESCAPE", "close"};
const std::vector<std::string> CANCEL_WAYS = {"click 2", "key ESCAPE", "close"};
// Counts the new-spread dialog refuses.
const std::vector<std::string> BAD_COUNTS = {"0", "16", "99", "x", "-3", ""};

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
            main_session(std::min(left, options_.sessionActions));
        }
        return sessions;
    }

  private:
    WalkOptions options_;
    std::mt19937 rng_;
    Files files_;

    // The session being written.
    Session *s_ = nullptr;
    int budget_ = 0;   // input steps still to give

    // The program, as the walk believes it to be; anew at each start of the main window.
    struct Program {
        Mode mode = Mode::Idle;
        bool reading = false, htmlise = false, buttons = false, changed = false, newAccepted = false;
        std::string caption = MAIN_TITLE, filename;
        Spread spread;
        int acquired = 10;
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
    const Files::value_type &any_listed() { return *std::next(files_.begin(), pick(0, int(files_.size()) - 1)); }

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
    // Steps that are no user's input of the program: the desktop's.
    void desktop(const std::string &a, const std::string &b)
    {
        line(a);
        line(b);
        s_->actions += 2;
    }
    void input(const std::string &step)
    {
        if (!holdFocus_ && chance(1, 30)) interlude();
        line(step);
        ++s_->actions;
        --budget_;
    }
    void click(int id) { input("click " + std::to_string(id)); }
    void key(const std::string &name) { input("key " + name); }
    void keys(const std::vector<std::string> &names)
    {
        for (const std::string &name : names) key(name);
    }
    // Any of the ways, or the first once the budget is spent.
    void leave(const std::vector<std::string> &ways) { input(budget_ <= 0 ? ways[0] : any(ways)); }
    void expect(const std::string &title)
    {
        front_ = title;
        line(title.empty() ? "expect-window" : "expect-window " + title);
    }
    // The step just written, the script's last line, is looked at once taken.
    int last_line() { return int(std::count(s_->script.begin(), s_->script.end(), '\n')); }
    void screen(bool keep) { s_->screens[last_line()] = keep; }

    void answer_ok(const std::string &caption)
    {
        expect(caption);
        input(any(OK_WAYS));
    }

    // ---- the main window --------------------------------------------------

    void main_session(int actions)
    {
        budget_ = actions;
        p_ = Program();
        line("wait 5000");   // past the banner and the pause
        expect(p_.caption);
        // The desktop at the largest size the walk gives it, first thing: what
        // follows its size has had its largest memory before the memory check
        // first looks.
        desktop("resize 1600 1200", "resize 1024 768");
        screen(true);
        while (budget_ > 0) main_step();
        if (chance(1, 2)) choose("File", "Exit");
        else input("close");
        end_mode();
    }

    // Whatever ends the mode: the layout modes' buttons go and the save
    // prompt comes where the program asks it, answered by its buttons or
    // their letters.
    void end_mode()
    {
        const bool ask =
            !p_.filename.empty() && ((p_.mode == Mode::Edit && p_.changed) || (p_.mode == Mode::New && p_.newAccepted));
        p_.reading = p_.htmlise = p_.buttons = p_.changed = p_.newAccepted = false;
        p_.mode = Mode::Idle;
        if (!ask) return;
        const bool save = chance(3, 4);
        expect("Save..");
        if (chance(1, 4)) key(save ? "y" : "n");
        else click(save ? YES : NO);
        if (!save) return;
        s_->saves[last_line()] = p_.spread;
        files_[p_.filename] = p_.spread;
        answer_ok("Done...");
    }

    void main_step()
    {
        if (chance(1, 30)) return window_step();
        // A spread opened for editing is now and then left as it was, often for
        // another: no save prompt then.
        const int r = pick(0, 99), leave = p_.mode == Mode::Edit && !p_.changed ? 40 : 10;
        if (r < leave) return command(r < 10 ? Mode(1 + r % 3) : Mode::Edit);
        if (r < 13 && p_.htmlise) return htmlise();
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
        expect("");
        if (mode == Mode::New) new_dialog();
        else chooser();
        expect(p_.caption);
    }

    void htmlise()
    {
        choose("Spread", "HTMLise");
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
        expect("");
        leave(DETAIL_WAYS);
        expect(p_.caption);
    }

    // ---- the chooser and the cast ------------------------------------------

    // A spread chosen by its title (the chooser takes the first file that has
    // it), or the chooser cancelled: a Run ends, HTMLise stays enabled. A Run
    // casts whatever the casting screen's first command.
    void chooser()
    {
        p_.filename.clear();
        if (budget_ <= 0 || chance(1, 5)) {
            input(chance(1, 2) ? "click 2" : "key ESCAPE");
            if (p_.mode == Mode::Run) p_.mode = Mode::Idle;
            return;
        }
        const int i = pick(0, int(files_.size()) - 1);
        input("select " + std::to_string(CHOOSER_LIST) + " " + std::to_string(i));
        click(OK);
        const std::string &title = std::next(files_.begin(), i)->second.title;
        for (auto f = files_.begin(); p_.filename.empty(); ++f)
            if (f->second.title == title) p_.filename = f->first;
        p_.spread = files_.at(p_.filename);
        if (p_.mode == Mode::Edit) return show_editor();
        expect("");
        leave(CASTING_WAYS);
        p_.reading = true;
        p_.caption = MAIN_TITLE + " - " + p_.spread.title;
    }

    // ---- the layout modes ---------------------------------------------------

    void show_editor()
    {
        answer_ok(EDIT_HELP_TITLE);
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

    // A position button clicked (later positions cover earlier ones) or
    // double-clicked, or dragged: far enough to leave the press's spot, not
    // so far that the window's edge stops it; the acquired position moved by
    // the keypad or the arrow keys; a meaning opened by keypad 5, F2 or Clear.
    void layout_step()
    {
        std::vector<int> can;
        for (int i = 0; i < p_.spread.count && p_.buttons; ++i)
            if (reachable(i)) can.push_back(i);
        const int r = pick(0, 99), i = can.empty() ? -1 : any(can);
        if (r < 20 && i >= 0) {
            p_.acquired = i;
            return click(FIRST_BUTTON + i);
        }
        const bool inside = i >= 0 && p_.spread.x[i] >= 0 && p_.spread.y[i] >= 0;
        if (r < 25 && inside) {
            p_.acquired = i;
            input("doubleclick " + std::to_string(FIRST_BUTTON + i));
            return meaning_dialog();
        }
        const int dx =
            inside ? std::clamp(p_.spread.x[i] + pick(-120, 120), 0, SAFE_W - PICTURE_W) - p_.spread.x[i] : 0;
        const int dy =
            inside ? std::clamp(p_.spread.y[i] + pick(-120, 120), 0, SAFE_H - PICTURE_H) - p_.spread.y[i] : 0;
        if (r < 30 && std::max(std::abs(dx), std::abs(dy)) > 4) {
            input("drag " + std::to_string(FIRST_BUTTON + i) + " " + std::to_string(dx) + " " + std::to_string(dy));
            p_.acquired = i;
            return move(dx, dy);
        }
        if (r < 85) return keypad_move(r < 40);
        key(r < 92 ? "NUMPAD5" : chance(1, 2) ? "F2" : "CLEAR");
        meaning_dialog();
    }

    void move(int dx, int dy)
    {
        p_.spread.x[p_.acquired] += dx;
        p_.spread.y[p_.acquired] += dy;
        p_.changed = true;
    }

    // One of the eight directions; the opposite one where a position that has
    // a button would come near the window's edges, so that it can be picked again.
    void keypad_move(bool navigation)
    {
        int digit = any(KEYPAD_MOVES) - '0';
        const int a = p_.acquired, x = p_.spread.x[a] + ((digit - 1) % 3 - 1) * JUMP,
                  y = p_.spread.y[a] + (1 - (digit - 1) / 3) * JUMP;
        if (a < p_.spread.count && (y <= -60 || y >= SAFE_H - 60 || x <= -40 || x >= SAFE_W - 40)) digit = 10 - digit;
        key(navigation ? NAVIGATION_KEYS[digit] : "NUMPAD" + std::to_string(digit));
        move(((digit - 1) % 3 - 1) * JUMP, (1 - (digit - 1) / 3) * JUMP);
    }

    // The position-meaning dialog: text typed (its edit box clicked first),
    // new lines; OK, Cancel or the close command.
    void meaning_dialog()
    {
        p_.changed = true;
        expect("");
        for (bool focused = false;;) {
            const int r = budget_ <= 0 ? 99 : pick(0, 99);
            if (r < 45) {
                if (!focused) click(MEANING_EDIT);
                focused = true;
                input("type " + random_text(chance(1, 8) ? 300 : 40));
            } else if (r < 55 && focused) {
                key("RETURN");
            } else {
                input(r < 90 ? "click 1" : r < 96 ? "click 2" : "close");
                return expect(p_.caption);
            }
        }
    }

    // ---- the new-spread dialog --------------------------------------------

    // A field emptied with Backspace and typed anew.
    void edit_field(int id, std::string &field, const std::string &text)
    {
        click(id);
        key("END");
        for (size_t i = 0; i < field.size(); ++i) key("BACK");
        if (!text.empty()) input("type " + text);
        field = id == NEW_NAME ? cased(text, ::toupper) : text;
        line("expect-text " + std::to_string(id) + " " + field);
    }

    // A name of its own, one that is taken, or (often) one without its extension, in either case.
    std::string new_name()
    {
        std::string name;
        for (int n = pick(1, 6); n > 0; --n) name += any(NAME_SET);
        const int kind = pick(0, 9);
        const std::string &taken = any_listed().first;
        if (kind == 0 && taken.size() <= 10) name = taken.substr(0, taken.size() - 4);
        if (kind > 2) name += ".SCS";
        return chance(1, 3) ? cased(name, ::tolower) : name;
    }

    // Fields filled: a title (now and then one some spread has already, or
    // none), a name, a count; OK until the program takes them, or the dialog
    // cancelled (new mode without buttons, and nothing to save).
    void new_dialog()
    {
        std::string fields[3] = {"", ".SCS", ""};   // by id from NEW_TITLE
        for (;;) {
            const int r = budget_ <= 0 ? 99 : pick(0, 99), id = r < 25 ? NEW_TITLE : r < 45 ? NEW_NAME : NEW_COUNT;
            const std::string text = r < 5          ? any_listed().second.title
                                     : r < 8        ? ""
                                     : r < 25       ? random_text(60)
                                     : r < 45       ? new_name()
                                     : chance(3, 4) ? std::to_string(pick(1, 15))
                                                    : any(BAD_COUNTS);
            if (r < 65) edit_field(id, fields[id - NEW_TITLE], text);
            else if (r >= 90) return input(any(CANCEL_WAYS));
            else if (new_dialog_ok(fields[0], fields[1], fields[2])) return;
        }
    }

    bool new_dialog_ok(const std::string &title, const std::string &name, const std::string &count)
    {
        click(OK);
        p_.filename = name.substr(0, NAME_CHARS);
        p_.spread.title = title.substr(0, TITLE_CHARS);
        p_.spread.count = int(std::strtol(count.substr(0, 2).c_str(), nullptr, 10));
        const bool extension = p_.filename.size() >= 4 && p_.filename.compare(p_.filename.size() - 4, 4, ".SCS") == 0;
        if (p_.spread.title.empty() || !extension || p_.spread.count < 1 || p_.spread.count > POSITIONS ||
            files_.count(p_.filename)) {
            answer_ok("Error");
            expect("");
            return false;
        }
        p_.newAccepted = true;
        for (int i = 0; i < p_.spread.count; ++i) {
            p_.spread.x[i] = 200 + 20 * i;
            p_.spread.y[i] = 10 + 20 * i;
        }
        show_editor();
        return true;
    }

    // ---- the desktop around the program: other applications, the real
    // window's size, menus by the keyboard, the system menu

    void resize_and_back()
    {
        desktop("resize " + std::to_string(pick(320, 1600)) + " " + std::to_string(pick(240, 1200)), "resize 1024 768");
    }

    // Between any two steps, whatever is in front: another application
    // takes the foreground and gives it back, or a resize.
    void interlude()
    {
        if (chance(2, 3)) return desktop("deactivate", "activate");
        p_.stale = p_.stale || front_ != p_.caption;
        resize_and_back();
    }

    // A menu command as a user gives it: clicked, by Alt with the letters, or
    // by F10 and the letters.
    void choose(const std::string &top, const std::string &item)
    {
        const std::string t(1, char(std::tolower(top[0]))), i(1, char(std::tolower(item[0])));
        holdFocus_ = true;
        const int way = pick(0, 3);
        if (way < 2) input("menu " + top + " " + item);
        else if (way == 2) keys({"MENU+" + t, i});
        else keys({chance(1, 2) ? "MENU" : "F10", t, i});
        holdFocus_ = false;
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
        if (same) screen(true);
        const int r = pick(0, 2);
        if (r < 2) {
            system_menu(r == 0 ? "n" : "r");
            system_menu(r == 0 ? "r" : "x");
        } else {
            resize_and_back();
        }
        if (same) screen(false);
        holdFocus_ = false;
        expect(p_.caption);
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
