#include "soak/generator.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <random>

namespace soak {

bool listed_before(const std::string &a, const std::string &b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

namespace {

const std::string MAIN_TITLE = "Quenmire Stonecall V1.1";
const std::string SETUP_TITLE = "Quenmire Stonecall V1.1 - Setup";
const std::string FILE_DIALOG_TITLE = "Choose the spread you wish to auto-start";
const std::string EDIT_HELP_TITLE = "Important information about creating your spread...";

// Message-box and dialog buttons.
const int OK = 1, CANCEL = 2, YES = 6, NO = 7;
// Controls of the screens.
const int CASTING_OK = 101, CHOOSER_LIST = 104, MEANING_EDIT = 1199;
const int NEW_TITLE = 101, NEW_NAME = 102, NEW_COUNT = 103;
const int SHOW_EDIT_HELP = 102, SHOW_BANNER = 103, CHANGE_SPREAD = 104;
const int FILE_LIST = 1120;   // lst1 of the open-file dialog
const int FIRST_BUTTON = 10;  // position buttons: 10 + index

// Limits the program keeps.
const int TITLE_CHARS = 49, NAME_CHARS = 12, MEANING_CHARS = 499, MAX_JUMP = 50;
const int PICTURE_W = 70, PICTURE_H = 129;
// A part of the main window's client area that every layout shows, smaller
// than the maximised window's, so that what lies in it can surely be clicked.
const int SAFE_W = 1000, SAFE_H = 690;

// Name characters narrow enough that a name of ten fits the field's width.
const std::string NAME_CHARS_SET = "ABCDEFGHIJKLNOPQRSTUVXYZ0123456789";

const char *const WORDS[] = {"rune",  "the",   "past",  "what was", "hidden", "Norns",     "fate",   "wyrd",
                             "stone", "ash",   "north", "journey",  "root",   "question", "answer", "yes"};
// Texts a person might type that look like the spread file's own labels.
const char *const LABELISH[] = {"NumCards=3", "rune0x=12", "rune4y=-7", "title=x",     "version=9999",
                                "runemeaning1=", "NumCards=", "rune14x=5", "runemeaning0=a"};
const char ODD[] = "<>&\"';:!?.,()[]{}/\\|~^%$@=+-_`";

// The screens of a start of the main window (the setup screen's start is
// written in one go: it has no other screen but the open-file dialog).
enum class Screen { Main, Chooser, Casting, Detail, NewDialog, Meaning };
enum class Mode { Idle, Run, Edit, New };
enum class Purpose { Run, Edit };

// The decimal number at the start of a text, as the program reads one.
long number_of(const std::string &s)
{
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    bool minus = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) minus = s[i++] == '-';
    long n = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && n < 100000) n = n * 10 + (s[i++] - '0');
    return minus ? -n : n;
}

std::string upper(std::string s)
{
    for (char &c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class Walk {
public:
    Walk(const WalkOptions &options, const Files &files) : options_(options), rng_(options.seed), files_(files) {}

    std::vector<Session> run()
    {
        std::vector<Session> sessions;
        int left = options_.actions;
        bool first = true;
        while (left > 0) {
            Session s;
            if (!first && chance(1, 2)) {
                s.setup = true;
                setup_session(s, std::min(left, pick(1, 8)));
            } else {
                main_session(s, std::min(left, options_.sessionActions));
            }
            first = false;
            left -= s.actions;
            sessions.push_back(std::move(s));
        }
        return sessions;
    }

private:
    WalkOptions options_;
    std::mt19937 rng_;
    Files files_;

    // Settings, as the settings file holds them.
    bool editHelp_ = true, banner_ = true;
    std::string defaultSpread_;

    // The session being written.
    Session *s_ = nullptr;
    int line_ = 0;
    int budget_ = 0;

    // The program, as the walk believes it to be.
    Screen screen_ = Screen::Main;
    Mode mode_ = Mode::Idle;
    Purpose purpose_ = Purpose::Run;
    bool reading_ = false, htmlise_ = false, buttons_ = false, changed_ = false, newAccepted_ = false;
    std::string caption_, filename_;
    Spread spread_;
    int acquired_ = 10, jump_ = 5;
    // The layer's NumLock: toggled on, and whether the key counts as held
    // down (the layout modes write "down and on" into the keyboard state; the
    // next press of the key then only lets it go).
    bool numlock_ = false, numlockHeld_ = false;
    // The new-spread dialog's fields, the meaning dialog's state.
    std::string titleField_, nameField_, countField_;
    int newFocus_ = 0;   // the control known to have the focus, 0 for not known
    int selected_ = -1;   // the chooser's selected item
    bool meaningFocused_ = false, meaningStar_ = false;
    int meaningLength_ = 0;

    // ---- randomness -------------------------------------------------------

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int n, int d) { return pick(1, d) <= n; }

    std::string random_name()
    {
        std::string s;
        for (int n = pick(1, 6); n > 0; --n) s += NAME_CHARS_SET[static_cast<size_t>(pick(0, int(NAME_CHARS_SET.size()) - 1))];
        return s;
    }

    // Text a person types: words, odd characters, bytes of other alphabets,
    // now and then something that looks like the file's own labels.
    std::string random_text(int most)
    {
        std::string s;
        int want = chance(1, 6) ? pick(1, most) : pick(1, std::min(most, 24));
        while (static_cast<int>(s.size()) < want) {
            switch (pick(0, 9)) {
            case 0:
                s += ODD[pick(0, sizeof ODD - 2)];
                break;
            case 1:
                s += static_cast<char>(pick(0xA0, 0xFF));
                break;
            case 2:
                s += static_cast<char>(pick(0x80, 0x9F));
                break;
            case 3:
                s += LABELISH[pick(0, sizeof LABELISH / sizeof *LABELISH - 1)];
                break;
            case 4:
                s += "  ";
                break;
            default:
                s += WORDS[pick(0, sizeof WORDS / sizeof *WORDS - 1)];
                s += ' ';
            }
        }
        return s.substr(0, static_cast<size_t>(want));
    }

    // ---- writing the script -------------------------------------------

    void line(const std::string &text)
    {
        s_->script += text;
        s_->script += '\n';
        ++line_;
    }
    void input(const std::string &step)
    {
        line(step);
        ++s_->actions;
        --budget_;
    }
    void expect(const std::string &title) { line(title.empty() ? "expect-window" : "expect-window " + title); }
    void expect_text(int id, const std::string &text) { line("expect-text " + std::to_string(id) + " " + text); }
    void check(Check c) { s_->checks[line_] = c; }
    void click(int id) { input("click " + std::to_string(id)); }
    void key(const std::string &name) { input("key " + name); }
    void menu(const std::string &item) { input("menu " + item); }
    void type(const std::string &text) { input("type " + text); }

    // A message box with an OK button, answered as a person would: its
    // button, Enter, Escape or the close command all answer OK.
    void answer_ok(const std::string &caption)
    {
        expect(caption);
        switch (pick(0, 7)) {
        case 0:
            return key("RETURN");
        case 1:
            return key("ESCAPE");
        case 2:
            return input("close");
        default:
            return click(OK);
        }
    }

    // The Yes/No box: its buttons or their letters; Escape and the close
    // command do not answer it, so it waits on.
    void answer_yes_no(const std::string &caption, bool yes)
    {
        expect(caption);
        if (chance(1, 6)) {
            if (chance(1, 2)) key("ESCAPE");
            else input("close");
            expect(caption);
        }
        if (chance(1, 4)) key(yes ? "y" : "n");
        else click(yes ? YES : NO);
    }

    // ---- the main window --------------------------------------------------

    std::string spread_caption(const std::string &title) { return MAIN_TITLE + " - " + title; }

    std::vector<std::string> listed_names()
    {
        std::vector<std::string> names;
        for (const auto &f : files_) names.push_back(f.first);
        std::sort(names.begin(), names.end(), listed_before);
        return names;
    }

    // The file the chooser takes for a title: the first listed that has it.
    std::string file_with_title(const std::string &title)
    {
        for (const std::string &n : listed_names())
            if (files_.at(n).title == title) return n;
        return "";
    }

    void main_session(Session &s, int actions)
    {
        s_ = &s;
        line_ = 0;
        budget_ = actions;
        screen_ = Screen::Main;
        mode_ = Mode::Idle;
        reading_ = htmlise_ = buttons_ = changed_ = newAccepted_ = false;
        caption_ = MAIN_TITLE;
        filename_.clear();
        spread_ = Spread();
        acquired_ = 10;
        jump_ = 5;
        numlock_ = numlockHeld_ = false;
        line("# a start of the program: past the banner and the pause");
        line("wait 5000");
        if (!defaultSpread_.empty()) {
            const Spread &d = files_.at(defaultSpread_);
            expect("Auto-load activated!");
            expect_text(0xFFFF, "Auto-loading " + d.title);
            click(OK);
            htmlise_ = true;
            mode_ = Mode::Run;
            filename_ = defaultSpread_;
            screen_ = Screen::Casting;
            expect("");
        } else {
            expect(caption_);
        }
        for (;;) {
            if (budget_ <= 0 && screen_ == Screen::Main) break;
            step();
        }
        if (chance(1, 2)) menu("File Exit");
        else input("close");
        end_mode();
    }

    void step()
    {
        switch (screen_) {
        case Screen::Main:
            return main_step();
        case Screen::Chooser:
            return chooser_step();
        case Screen::Casting:
            return casting_step();
        case Screen::Detail:
            return detail_step();
        case Screen::NewDialog:
            return new_dialog_step();
        case Screen::Meaning:
            return meaning_step();
        }
    }

    // Whatever ends the mode: the layout modes' buttons go and the save
    // prompt comes where the program asks it.
    void end_mode()
    {
        bool ask = false;
        if (mode_ == Mode::Edit) ask = !filename_.empty() && changed_;
        if (mode_ == Mode::New) ask = !filename_.empty() && newAccepted_;
        reading_ = false;
        htmlise_ = false;
        buttons_ = false;
        changed_ = false;
        newAccepted_ = false;
        mode_ = Mode::Idle;
        if (!ask) return;
        if (chance(3, 4)) {
            answer_yes_no("Save..", true);
            check(Check::Save);
            files_[filename_] = spread_;
            answer_ok("Done...");
        } else {
            answer_yes_no("Save..", false);
        }
    }

    void main_step()
    {
        bool layout = mode_ == Mode::Edit || mode_ == Mode::New;
        int r = pick(0, 99);
        if (r < 4) return command_run();
        if (r < 7) return command_edit();
        if (r < 10) return command_new();
        if (r < 11) {
            menu("Help About..");
            answer_ok("About..");
            return expect(caption_);
        }
        if (r < 14 && htmlise_) return command_htmlise();
        if (layout) return layout_step();
        if (mode_ == Mode::Run && reading_ && r < 70) return rune_click();
        if (r < 85) return command_run();
        // Keys that mean nothing here.
        const char *const idleKeys[] = {"NUMPAD8", "NUMPAD5", "ADD", "MULTIPLY", "a", "ESCAPE", "RETURN"};
        key(idleKeys[pick(0, 6)]);
        expect(caption_);
    }

    void command_run()
    {
        menu("Spread Run");
        end_mode();
        htmlise_ = true;
        mode_ = Mode::Run;
        purpose_ = Purpose::Run;
        screen_ = Screen::Chooser;
        selected_ = -1;
        expect("");
    }

    // Edit and New turn NumLock on first, unless the key counts as held.
    void force_numlock()
    {
        if (numlockHeld_) return;
        numlock_ = true;
        numlockHeld_ = true;
    }

    void command_edit()
    {
        menu("Spread Edit");
        force_numlock();
        end_mode();
        mode_ = Mode::Edit;
        purpose_ = Purpose::Edit;
        screen_ = Screen::Chooser;
        selected_ = -1;
        expect("");
    }

    void command_new()
    {
        menu("Spread New");
        force_numlock();
        end_mode();
        mode_ = Mode::New;
        screen_ = Screen::NewDialog;
        titleField_.clear();
        nameField_ = ".SCS";
        countField_.clear();
        newFocus_ = 0;
        expect("");
    }

    void command_htmlise()
    {
        menu("Spread HTMLise");
        if (reading_) {
            check(Check::Report);
            answer_ok("Rune.htm created...");
        } else {
            answer_ok("Rune.htm not written...");
        }
        expect(caption_);
    }

    // A click on the reading: on a rune where one shows (its detail screen
    // opens), or beside every rune (nothing happens).
    void rune_click()
    {
        auto inside = [this](int px, int py) {
            for (int i = 0; i < spread_.count; ++i)
                if (px >= spread_.x[i] && px < spread_.x[i] + PICTURE_W && py >= spread_.y[i] &&
                    py < spread_.y[i] + PICTURE_H)
                    return true;
            return false;
        };
        if (chance(4, 5)) {
            int i = pick(0, spread_.count - 1);
            int x0 = std::max(spread_.x[i], 0), x1 = std::min(spread_.x[i] + PICTURE_W, SAFE_W);
            int y0 = std::max(spread_.y[i], 0), y1 = std::min(spread_.y[i] + PICTURE_H, SAFE_H);
            if (x0 < x1 && y0 < y1) {
                input("clickat " + std::to_string(pick(x0, x1 - 1)) + " " + std::to_string(pick(y0, y1 - 1)));
                screen_ = Screen::Detail;
                return expect("");
            }
        }
        for (int tries = 0; tries < 20; ++tries) {
            int px = pick(0, SAFE_W - 1), py = pick(0, SAFE_H - 1);
            if (inside(px, py)) continue;
            input("clickat " + std::to_string(px) + " " + std::to_string(py));
            return expect(caption_);
        }
    }

    void detail_step()
    {
        // Escape reaches the interpretation's edit box, which has the focus,
        // and a multi-line edit box closes its dialog on Escape.
        int r = pick(0, 9);
        if (r < 6 || budget_ <= 0) click(OK);
        else if (r < 8) input("close");
        else key("ESCAPE");
        screen_ = Screen::Main;
        expect(caption_);
    }

    // ---- the chooser and the cast ------------------------------------------

    void chooser_step()
    {
        std::vector<std::string> names = listed_names();
        int r = pick(0, 99);
        if (budget_ <= 0) r = 99;
        if (r < 30) {
            // A look at some item first.
            selected_ = pick(0, int(names.size()) - 1);
            input("select " + std::to_string(CHOOSER_LIST) + " " + std::to_string(selected_));
            return;
        }
        if (r < 80) {
            selected_ = pick(0, int(names.size()) - 1);
            input("select " + std::to_string(CHOOSER_LIST) + " " + std::to_string(selected_));
        }
        if (r < 85) {
            // With nothing selected the title is the last file's listed.
            click(OK);
            size_t item = selected_ < 0 ? names.size() - 1 : static_cast<size_t>(selected_);
            return chosen(file_with_title(files_.at(names[item]).title));
        }
        // The close command keeps the file name the program had; only
        // where that names a file there is (or none) can the walk follow.
        if (r < 90 && (filename_.empty() || files_.count(filename_))) {
            input("close");
            return chosen(filename_);
        }
        if (chance(1, 2)) click(CANCEL);
        else key("ESCAPE");
        chosen("");
    }

    void chosen(const std::string &name)
    {
        filename_ = name;
        if (purpose_ == Purpose::Run) {
            if (name.empty()) {
                // No spread: the Run ends, HTMLise stays enabled.
                mode_ = Mode::Idle;
                screen_ = Screen::Main;
                return expect(caption_);
            }
            screen_ = Screen::Casting;
            return expect("");
        }
        screen_ = Screen::Main;
        if (!name.empty()) {
            spread_ = files_.at(name);
            show_editor();
        }
        expect(caption_);
    }

    void casting_step()
    {
        // Whatever the first command, it casts.
        switch (budget_ <= 0 ? 0 : pick(0, 5)) {
        case 3:
            key("RETURN");
            break;
        case 4:
            key("ESCAPE");
            break;
        case 5:
            input("close");
            break;
        default:
            click(CASTING_OK);
        }
        check(Check::Reading);
        spread_ = files_.at(filename_);
        reading_ = true;
        mode_ = Mode::Run;
        caption_ = spread_caption(spread_.title);
        screen_ = Screen::Main;
        expect(caption_);
    }

    // ---- the layout modes ---------------------------------------------------

    void show_editor()
    {
        if (editHelp_) answer_ok(EDIT_HELP_TITLE);
        buttons_ = true;
        caption_ = spread_caption(spread_.title);
    }

    // Whether some part of position i's button shows in the safe part of
    // the window: later positions lie on top of it.
    bool reachable(int i)
    {
        for (int py = std::max(spread_.y[i], 0); py < std::min(spread_.y[i] + PICTURE_H, SAFE_H); ++py)
            for (int px = std::max(spread_.x[i], 0); px < std::min(spread_.x[i] + PICTURE_W, SAFE_W); ++px) {
                bool covered = false;
                for (int j = i + 1; j < spread_.count && !covered; ++j)
                    covered = px >= spread_.x[j] && px < spread_.x[j] + PICTURE_W && py >= spread_.y[j] &&
                              py < spread_.y[j] + PICTURE_H;
                if (!covered) return true;
            }
        return false;
    }

    void layout_step()
    {
        int r = pick(0, 99);
        if (r < 25 && buttons_) {
            std::vector<int> can;
            for (int i = 0; i < spread_.count; ++i)
                if (reachable(i)) can.push_back(i);
            if (!can.empty()) {
                acquired_ = can[static_cast<size_t>(pick(0, int(can.size()) - 1))];
                click(FIRST_BUTTON + acquired_);
                return;
            }
        }
        if (r < 70) return keypad_move();
        if (r < 78) return meaning_open();
        if (r < 85) return jump_change(1);
        if (r < 92) return jump_change(-1);
        if (r < 94) {
            key("NUMLOCK");
            if (numlockHeld_) numlockHeld_ = false;
            else numlock_ = !numlock_;
            return;
        }
        key("MULTIPLY");
        answer_ok("Button jump size..");
        expect(caption_);
    }

    // One of the eight directions, away from the window's edges for a
    // position that has a button, so that it can be picked again.
    void keypad_move()
    {
        struct Dir {
            const char *key;
            int dy, dx;
        };
        static const Dir dirs[] = {{"NUMPAD8", -1, 0}, {"NUMPAD2", 1, 0},  {"NUMPAD4", 0, -1}, {"NUMPAD6", 0, 1},
                                   {"NUMPAD7", -1, -1}, {"NUMPAD9", -1, 1}, {"NUMPAD1", 1, -1}, {"NUMPAD3", 1, 1}};
        const int a = acquired_;
        int dy = 0, dx = 0;
        for (int tries = 0; tries < 8; ++tries) {
            const Dir &d = dirs[pick(0, 7)];
            dy = d.dy;
            dx = d.dx;
            if (a >= spread_.count || !spread_.placed[static_cast<size_t>(a)]) break;
            int ny = spread_.y[a] + dy * jump_, nx = spread_.x[a] + dx * jump_;
            if (ny > -60 && ny < SAFE_H - 60 && nx > -40 && nx < SAFE_W - 40) break;
        }
        for (const Dir &d : dirs)
            if (d.dy == dy && d.dx == dx) key(d.key);
        // Without NumLock the keypad gives the arrows, which move nothing.
        if (!numlock_) return;
        spread_.y[static_cast<size_t>(a)] += dy * jump_;
        spread_.x[static_cast<size_t>(a)] += dx * jump_;
        changed_ = true;
    }

    void jump_change(int step)
    {
        // Now and then straight to the limit, to meet its message.
        int times = chance(1, 10) ? MAX_JUMP : 1;
        for (int i = 0; i < times; ++i) {
            key(step > 0 ? "ADD" : "SUBTRACT");
            jump_ += step;
            if (jump_ > MAX_JUMP) {
                answer_ok("Button jump size changed..");
                jump_ = MAX_JUMP;
                break;
            }
            if (jump_ < 1) {
                answer_ok("Button jump size changed..");
                jump_ = 1;
                break;
            }
        }
        expect(caption_);
    }

    void meaning_open()
    {
        key("NUMPAD5");
        if (!numlock_) return expect(caption_);
        changed_ = true;
        screen_ = Screen::Meaning;
        meaningFocused_ = false;
        meaningStar_ = false;
        meaningLength_ = spread_.meaning[static_cast<size_t>(acquired_)];
        expect("");
    }

    void meaning_step()
    {
        int r = budget_ <= 0 ? 99 : pick(0, 99);
        if (meaningStar_) {
            // The star is refused on OK; the text stays for the user to mend,
            // which the walk leaves to Cancel.
            if (r < 30) {
                click(OK);
                answer_ok("Error");
                return expect("");
            }
            r = 99;
        }
        if (r < 45) {
            if (!meaningFocused_) click(MEANING_EDIT);
            meaningFocused_ = true;
            std::string text = random_text(chance(1, 8) ? 300 : 40);
            text.erase(std::remove(text.begin(), text.end(), '*'), text.end());
            // A star only where it surely stays within what the field keeps.
            if (chance(1, 8) && meaningLength_ + int(text.size()) + 1 <= MEANING_CHARS) {
                text.insert(static_cast<size_t>(pick(0, int(text.size()))), "*");
                meaningStar_ = true;
            }
            if (text.empty()) text = "x";
            type(text);
            meaningLength_ = std::min(MEANING_CHARS, meaningLength_ + int(text.size()));
            return;
        }
        if (r < 55 && meaningFocused_) {
            key("RETURN");   // a new line
            meaningLength_ = std::min(MEANING_CHARS, meaningLength_ + 2);
            return;
        }
        if (r < 90) {
            click(OK);
            spread_.meaning[static_cast<size_t>(acquired_)] = meaningLength_;
        } else if (r < 96) {
            click(CANCEL);
        } else {
            input("close");
        }
        screen_ = Screen::Main;
        expect(caption_);
    }

    // ---- the new-spread dialog --------------------------------------------

    void clear_field(int id, const std::string &content)
    {
        click(id);
        newFocus_ = id;
        key("END");
        for (size_t i = 0; i < content.size(); ++i) key("BACK");
    }

    // Tab into an edit field selects its whole text, so what is typed next
    // replaces it. Only from a control known to have the focus.
    bool tab_to(int id)
    {
        static const int order[] = {NEW_TITLE, NEW_NAME, NEW_COUNT, OK, CANCEL};
        const int n = sizeof order / sizeof *order;
        int from = -1, to = -1;
        for (int i = 0; i < n; ++i) {
            if (order[i] == newFocus_) from = i;
            if (order[i] == id) to = i;
        }
        if (from < 0) return false;
        int tabs = (to - from + n) % n;
        for (int i = 0; i < (tabs ? tabs : n); ++i) key("TAB");
        newFocus_ = id;
        return true;
    }

    // Makes ready to replace a field's text with what is typed next.
    void replace_field(int id, const std::string &content)
    {
        if (!chance(1, 2) || !tab_to(id)) clear_field(id, content);
    }

    void new_dialog_step()
    {
        int r = pick(0, 99);
        if (budget_ <= 0) r = 99;
        if (r < 20 && titleField_.size() < 60) {
            click(NEW_TITLE);
            newFocus_ = NEW_TITLE;
            key("END");
            std::string text;
            if (chance(1, 5) && !files_.empty()) {
                // A title some spread has already.
                auto it = files_.begin();
                std::advance(it, pick(0, int(files_.size()) - 1));
                text = it->second.title;
            } else {
                text = random_text(60);
            }
            text = text.substr(0, 60 - titleField_.size());
            if (text.empty()) text = "t";
            type(text);
            titleField_ += text;
            return expect_text(NEW_TITLE, titleField_);
        }
        if (r < 23 && !titleField_.empty()) {
            clear_field(NEW_TITLE, titleField_);
            titleField_.clear();
            return expect_text(NEW_TITLE, titleField_);
        }
        if (r < 25 && tab_to(NEW_TITLE)) {
            std::string text = random_text(40);
            type(text);
            titleField_ = text;
            return expect_text(NEW_TITLE, titleField_);
        }
        if (r < 45) {
            // A name of its own, one that is taken, or one without its extension.
            std::string name = random_name();
            int kind = pick(0, 9);
            if (kind == 0 && !files_.empty()) {
                auto it = files_.begin();
                std::advance(it, pick(0, int(files_.size()) - 1));
                if (it->first.size() <= 10) name = it->first.substr(0, it->first.size() - 4);
            }
            std::string typed = kind == 1 ? name : name + ".SCS";
            if (chance(1, 3)) {
                std::string lower = typed;
                for (char &c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                typed = lower;
            }
            replace_field(NEW_NAME, nameField_);
            type(typed);
            nameField_ = upper(typed);
            return expect_text(NEW_NAME, nameField_);
        }
        if (r < 50 && nameField_.size() + 3 <= 10) {
            // Typed in front of what is there, as the field invites.
            std::string name = random_name().substr(0, 3);
            click(NEW_NAME);
            newFocus_ = NEW_NAME;
            key("HOME");
            type(name);
            nameField_ = name + nameField_;
            return expect_text(NEW_NAME, nameField_);
        }
        if (r < 65) {
            static const char *const counts[] = {"1", "2", "3", "5", "7", "9", "12", "15", "0", "16", "99", "x", "-3", ""};
            std::string count = chance(3, 4) ? std::to_string(pick(1, 15)) : counts[pick(0, 13)];
            // Typing nothing after Tab would leave the old text selected.
            if (count.empty()) clear_field(NEW_COUNT, countField_);
            else replace_field(NEW_COUNT, countField_);
            if (!count.empty()) type(count);
            countField_ = count;
            return expect_text(NEW_COUNT, countField_);
        }
        if (r < 90) return new_dialog_ok();
        int how = pick(0, 2);
        if (how == 0) click(CANCEL);
        else if (how == 1) key("ESCAPE");
        else input("close");
        // Cancelled: new mode without buttons, and nothing to save.
        screen_ = Screen::Main;
        expect(caption_);
    }

    void new_dialog_ok()
    {
        click(OK);
        // Where the focus goes back to after a refusal is the dialog's business.
        newFocus_ = 0;
        std::string title = titleField_.substr(0, TITLE_CHARS);
        std::string name = nameField_.substr(0, NAME_CHARS);
        long count = number_of(countField_.substr(0, 2));
        filename_ = name;
        spread_.title = title;
        spread_.count = static_cast<int>(count);
        bool extension = name.size() >= 4 && name.compare(name.size() - 4, 4, ".SCS") == 0;
        if (title.empty() || name.empty() || !extension || count < 1 || count > POSITIONS || files_.count(name)) {
            answer_ok("Error");
            return expect("");
        }
        newAccepted_ = true;
        for (int i = 0; i < POSITIONS; ++i) {
            auto k = static_cast<size_t>(i);
            spread_.placed[k] = i < count;
            if (i < count) {
                spread_.x[k] = 200 + 20 * i;
                spread_.y[k] = 10 + 20 * i;
            }
            spread_.meaning[k] = 0;
        }
        screen_ = Screen::Main;
        show_editor();
        expect(caption_);
    }

    // ---- the setup screen ---------------------------------------------------

    void setup_session(Session &s, int actions)
    {
        s_ = &s;
        s.setup = true;
        line_ = 0;
        budget_ = actions;
        bool editHelp = editHelp_, banner = banner_;
        std::string spread = defaultSpread_;
        expect(SETUP_TITLE);
        while (budget_ > 1) {
            int r = pick(0, 9);
            if (r < 4) {
                click(SHOW_EDIT_HELP);
                editHelp = !editHelp;
            } else if (r < 8) {
                click(SHOW_BANNER);
                banner = !banner;
            } else {
                click(CHANGE_SPREAD);
                expect(FILE_DIALOG_TITLE);
                std::vector<std::string> names = listed_names();
                if (chance(3, 4)) {
                    size_t item = static_cast<size_t>(pick(0, int(names.size()) - 1));
                    input("select " + std::to_string(FILE_LIST) + " " + std::to_string(item));
                    click(OK);
                    spread = names[item];
                } else {
                    click(CANCEL);
                }
                expect(SETUP_TITLE);
            }
        }
        int end = pick(0, 3);
        if (end < 2) {
            click(OK);
            editHelp_ = editHelp;
            banner_ = banner;
            defaultSpread_ = spread;
        } else if (end == 2) {
            click(CANCEL);
        } else {
            input("close");
        }
    }
};

} // namespace

std::vector<Session> generate(const WalkOptions &options, const Files &files)
{
    return Walk(options, files).run();
}

} // namespace soak
