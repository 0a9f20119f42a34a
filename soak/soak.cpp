// The soak: the whole program, headless, under thousands of random but valid
// user actions (soak/generator.h) in a temporary folder of its own. Each start
// of the program runs in a child process, as a real start would, under its
// script; between steps the soak reads back every spread file and the
// reading's page, and compares what was just saved or shown with what the
// program holds. Any failure names the seed, the session, the action and the
// script (kept in the folder for replay), and the exit status is 1.
//
//   stonecall_soak [--actions N] [--seed S] [--session-actions N]
//                  [--check-memory] [--dir FOLDER] [--keep]
#include "runes/casting.h"
#include "runes/htmlreport.h"
#include "runes/spread.h"
#include "soak/checks.h"
#include "soak/generator.h"

#include "driver/entry.h"
#include "testing/script.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace soak;

namespace {

struct Options {
    WalkOptions walk;
    bool checkMemory = false;
    bool keep = false;
    std::string dir;
};

// The memory check compares the resident size after this many actions of a
// session with the size after its last, for sessions at least this long.
const int SETTLED_AFTER = 100;
const int MEMORY_SESSION_LEAST = 1000;
const double MEMORY_GROWTH_ALLOWED = 0.10;

long resident_kib()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool usage(const char *why)
{
    std::fprintf(stderr,
                 "stonecall_soak: %s\n"
                 "usage: stonecall_soak [--actions N] [--seed S] [--session-actions N] [--check-memory]"
                 " [--dir FOLDER] [--keep]\n",
                 why);
    return false;
}

bool parse_options(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](long &out) {
            if (i + 1 >= argc) return false;
            char *end;
            out = std::strtol(argv[++i], &end, 10);
            return *end == 0 && out > 0;
        };
        long n = 0;
        if (a == "--actions" && value(n)) o.walk.actions = static_cast<int>(n);
        else if (a == "--seed" && value(n)) o.walk.seed = static_cast<uint32_t>(n);
        else if (a == "--session-actions" && value(n)) o.walk.sessionActions = static_cast<int>(n);
        else if (a == "--check-memory") o.checkMemory = true;
        else if (a == "--keep") o.keep = true;
        else if (a == "--dir" && i + 1 < argc) o.dir = argv[++i];
        else return usage(("cannot use \"" + a + "\"").c_str());
    }
    return true;
}

// ---- what the program reads back ---------------------------------------

// The program's own reader on a file, with the spread in memory kept as it
// was: the reader fills the same globals the program works with.
struct ReadBack {
    std::string title;
    int count;
    std::array<long, POSITIONS> x, y;
    std::array<std::string, POSITIONS> meaning;
};

ReadBack read_back(const std::string &path)
{
    char keptTitle[SPREAD_TITLE_SIZE], keptName[MAX_PATH];
    RECT keptRects[MAX_POSITIONS];
    int keptVersion = version, keptCount = NumCards;
    std::memcpy(keptTitle, title, sizeof title);
    std::memcpy(keptName, SpreadFilename, sizeof SpreadFilename);
    std::memcpy(keptRects, CardRect, sizeof CardRect);

    ReadBack r;
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    get_spread_data(name.data());
    r.title = title;
    r.count = NumCards;
    std::snprintf(SpreadFilename, sizeof SpreadFilename, "%s", path.c_str());
    for (size_t i = 0; i < POSITIONS; ++i) {
        r.x[i] = PositionPlace(static_cast<int>(i)).x;
        r.y[i] = PositionPlace(static_cast<int>(i)).y;
        r.meaning[i] = get_card_pm(static_cast<int>(i));
    }

    version = keptVersion;
    NumCards = keptCount;
    std::memcpy(title, keptTitle, sizeof title);
    std::memcpy(SpreadFilename, keptName, sizeof SpreadFilename);
    std::memcpy(CardRect, keptRects, sizeof CardRect);
    return r;
}

std::string text_of(const std::string &s) { return "\"" + s + "\""; }

// Every spread file in the folder: written whole, within bounds, and read
// back by the program as written.
std::string check_spread_files()
{
    for (const fs::directory_entry &e : fs::directory_iterator(".")) {
        std::string name = e.path().filename().string();
        if (name.size() < 4 || strcasecmp(name.c_str() + name.size() - 4, ".SCS") != 0) continue;
        std::string bytes, why;
        SpreadText s;
        if (!read_file(name, bytes)) return name + " cannot be read";
        why = parse_spread(bytes, s);
        if (why.empty()) why = spread_bounds(s);
        if (!why.empty()) return name + ": " + why;
        ReadBack r = read_back(name);
        if (r.title != s.title) return name + ": the program reads the title " + text_of(r.title) + " for " + text_of(s.title);
        if (r.count != s.count)
            return name + ": the program reads " + std::to_string(r.count) + " positions for " + std::to_string(s.count);
        for (size_t i = 0; i < POSITIONS; ++i) {
            if (r.x[i] != s.x[i] || r.y[i] != s.y[i])
                return name + ": the program reads position " + std::to_string(i) + " at " + std::to_string(r.x[i]) +
                       ", " + std::to_string(r.y[i]) + " for " + std::to_string(s.x[i]) + ", " + std::to_string(s.y[i]);
            if (r.meaning[i] != s.meaning[i])
                return name + ": the program reads meaning " + std::to_string(i) + " as " + text_of(r.meaning[i]) +
                       " for " + text_of(s.meaning[i]);
        }
    }
    return "";
}

std::string without_cr(const char *s)
{
    std::string out;
    for (; *s; ++s)
        if (*s != '\r') out += *s;
    return out;
}

// The file just saved holds what the program has in memory.
std::string check_saved()
{
    std::string bytes;
    SpreadText s;
    if (!read_file(SpreadFilename, bytes)) return std::string(SpreadFilename) + " was not written";
    std::string why = parse_spread(bytes, s);
    if (!why.empty()) return SpreadFilename + std::string(": ") + why;
    if (s.title != title) return "saved the title " + text_of(s.title) + " for " + text_of(title);
    if (s.count != NumCards) return "saved " + std::to_string(s.count) + " positions for " + std::to_string(NumCards);
    for (size_t i = 0; i < POSITIONS; ++i) {
        const POINT place = PositionPlace(static_cast<int>(i));
        if (s.x[i] != place.x || s.y[i] != place.y)
            return "saved position " + std::to_string(i) + " at " + std::to_string(s.x[i]) + ", " + std::to_string(s.y[i]) +
                   " for " + std::to_string(place.x) + ", " + std::to_string(place.y);
        if (s.meaning[i] != without_cr(pm[i]))
            return "saved meaning " + std::to_string(i) + " as " + text_of(s.meaning[i]) + " for " + text_of(pm[i]);
    }
    return "";
}

// The reading shown: fifteen different runes, the first NumCards at the positions.
std::string check_reading()
{
    std::set<int> seen;
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        int rune = ran_cards_used[i];
        if (rune < 1 || rune > 25 || !seen.insert(rune).second)
            return "the cast drew rune " + std::to_string(rune) + " at " + std::to_string(i);
    }
    for (int i = 0; i < NumCards; ++i)
        if (CardNumber[i] != ran_cards_used[i]) return "position " + std::to_string(i) + " does not show its rune";
    return "";
}

std::string check_page_file(bool reportJustWritten)
{
    std::string page;
    if (!read_file(HTML_REPORT_FILE, page)) return reportJustWritten ? "RUNE.HTM was not written" : "";
    std::string why = check_page_frame(page);
    if (!why.empty() || !reportJustWritten) return why.empty() ? why : "RUNE.HTM: " + why;
    Reading reading;
    reading.title = title;
    std::string bytes;
    SpreadText s;
    if (!read_file(SpreadFilename, bytes) || !parse_spread(bytes, s).empty()) return "the spread of the reading is unreadable";
    for (int i = 0; i < NumCards; ++i) {
        reading.runes.push_back(ran_cards_used[i]);
        reading.meanings.push_back(s.meaning[static_cast<size_t>(i)]);
        if (!fs::exists("images/" + std::to_string(ran_cards_used[i]) + ".jpg"))
            return "RUNE.HTM shows a picture the images folder does not hold";
    }
    why = check_page(page, reading);
    return why.empty() ? why : "RUNE.HTM: " + why;
}

// ---- one start of the program ------------------------------------------

struct Outcome {
    int status = 0;
    int actions = 0;
    long settledKib = 0, lastKib = 0;     // resident
    long settledHeap = 0, lastHeap = 0;   // bytes the allocator has handed out
    int checked[3] = {};                  // readings, saves, pages looked at
};

long heap_in_use() { return static_cast<long>(mallinfo2().uordblks); }

// In the child: the program under the session's script, looked at after
// every action. Writes the outcome to `report` and ends the process.
[[noreturn]] void run_session(const Session &session, const std::string &script, int report)
{
    std::string why;
    if (!drv::install_driver(drv::Choice::Headless, &why)) {
        std::fprintf(stderr, "soak: %s\n", why.c_str());
        _exit(2);
    }
    Outcome out;
    auto observe = [&](int line) {
        if (++out.actions == SETTLED_AFTER) {
            out.settledKib = resident_kib();
            out.settledHeap = heap_in_use();
        }
        out.lastKib = resident_kib();
        out.lastHeap = heap_in_use();
        auto c = session.checks.find(line);
        if (c == session.checks.end()) return std::string();
        std::string problem;
        ++out.checked[static_cast<int>(c->second)];
        if (c->second == Check::Reading) problem = check_reading();
        if (c->second == Check::Save) problem = check_saved();
        if (problem.empty()) problem = check_page_file(c->second == Check::Report);
        if (problem.empty()) problem = check_spread_files();
        if (!problem.empty()) problem += " (action " + std::to_string(out.actions) + " of the session)";
        return problem;
    };
    std::string commandLine = session.setup ? "DeckwiseSetup" : "";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    out.status = script::run_script(
        script, [&line] { return WinMain(GetModuleHandleA(NULL), NULL, line.data(), SW_SHOWDEFAULT); }, observe);
    if (write(report, &out, sizeof out) != sizeof out) _exit(2);
    // A run the script ended leaves its windows behind: no leak check then.
    if (out.status == script::STEP_FAILED || out.status == script::SCRIPT_RAN_OUT) _exit(out.status);
    std::exit(out.status);
}

bool copy_samples(const fs::path &dir)
{
    const fs::path source = STONECALL_SOURCE_DIR;
    std::error_code ec;
    fs::create_directories(dir / "images", ec);
    for (const fs::directory_entry &e : fs::directory_iterator(source / "spreads", ec))
        if (e.path().extension() == ".SCS") fs::copy_file(e.path(), dir / e.path().filename(), ec);
    for (const fs::directory_entry &e : fs::directory_iterator(source / "res" / "images", ec))
        fs::copy_file(e.path(), dir / "images" / e.path().filename(), ec);
    fs::create_directories(dir / "scripts", ec);
    return !ec;
}

// The sample spreads, as the walk starts from them; false, with the reason,
// when one is not as the program writes spread files.
bool spread_files(const fs::path &dir, Files &files, std::string &why)
{
    for (const fs::directory_entry &e : fs::directory_iterator(dir)) {
        if (e.path().extension() != ".SCS") continue;
        std::string bytes;
        SpreadText s;
        why = read_file(e.path().string(), bytes) ? parse_spread(bytes, s) : "cannot be read";
        if (why.empty()) why = spread_bounds(s);
        if (!why.empty()) return why = e.path().filename().string() + ": " + why, false;
        files[e.path().filename().string()] = spread_model(s);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Options o;
    if (!parse_options(argc, argv, o)) return 2;
    fs::path dir = o.dir;
    if (dir.empty()) {
        char pattern[] = "/tmp/stonecall-soak-XXXXXX";
        if (!mkdtemp(pattern)) return usage("cannot make a temporary folder"), 2;
        dir = pattern;
    }
    if (!copy_samples(dir)) return usage("cannot fill the folder with the sample spreads"), 2;
    std::error_code ec;
    fs::current_path(dir, ec);
    if (ec) return usage("cannot work in the folder"), 2;

    Files files;
    std::string why;
    if (!spread_files(".", files, why)) return usage(("a sample spread is not as the program writes it: " + why).c_str()), 2;
    std::vector<Session> sessions = generate(o.walk, files);
    std::printf("soak: seed %u, %d actions in %zu sessions, in %s\n", o.walk.seed, o.walk.actions, sessions.size(),
                dir.c_str());
    std::fflush(stdout);

    const auto started = std::chrono::steady_clock::now();
    int done = 0, setups = 0, checked[3] = {};
    long firstKib = 0, lastKib = 0;
    bool failed = false;
    for (size_t n = 0; n < sessions.size() && !failed; ++n) {
        const Session &session = sessions[n];
        char name[64];
        std::snprintf(name, sizeof name, "scripts/%03zu-%s.script", n + 1, session.setup ? "setup" : "main");
        std::string script = (dir / name).string();
        std::ofstream(script, std::ios::binary) << session.script;
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return usage("no pipe"), 2;
        std::fflush(nullptr);
        pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            run_session(session, script, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        Outcome out;
        bool reported = read(pipeEnds[0], &out, sizeof out) == sizeof out;
        close(pipeEnds[0]);
        int wstatus = 0;
        waitpid(child, &wstatus, 0);
        int code = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
        int expected = session.setup ? 0 : 1;
        // Every step given; the last, which ends the program, is not observed.
        done += reported && out.status == expected ? session.actions : reported ? out.actions : 0;
        setups += session.setup;
        for (int k = 0; k < 3; ++k) checked[k] += out.checked[k];
        std::string problem;
        if (!reported) problem = "the program stopped without a report (exit " + std::to_string(code) + ")";
        else if (out.status != expected) problem = "the run ended with " + std::to_string(out.status) + ", not " + std::to_string(expected);
        else if (code != expected) problem = "the process ended with " + std::to_string(code) + " (a sanitizer's report?)";
        if (reported && out.settledKib && session.actions >= MEMORY_SESSION_LEAST) {
            std::printf("soak: session %zu: resident %ld KiB after %d actions, %ld KiB after its last (%d)", n + 1,
                        out.settledKib, SETTLED_AFTER, out.lastKib, out.actions);
            // The sanitizers' allocator keeps its own books.
            if (out.settledHeap) std::printf("; heap in use %ld KiB, then %ld KiB", out.settledHeap / 1024, out.lastHeap / 1024);
            std::printf("\n");
            if (!firstKib) firstKib = out.settledKib;
            lastKib = out.lastKib;
            if (o.checkMemory && problem.empty() && out.lastKib > out.settledKib * (1 + MEMORY_GROWTH_ALLOWED))
                problem = "resident memory grew by more than 10 %";
        }
        if (!problem.empty()) {
            std::fprintf(stderr, "soak: FAILED: seed %u, session %zu, %s, script %s\n", o.walk.seed, n + 1,
                         problem.c_str(), script.c_str());
            failed = true;
        }
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %d starts of the program (%d of the setup screen); checked after %d readings, %d saves, %d pages\n",
                static_cast<int>(sessions.size()), setups, checked[0], checked[1], checked[2]);
    std::printf("soak: %s: %d actions in %.1f s", failed ? "FAILED" : "passed", done, seconds);
    if (firstKib) std::printf(", resident %ld KiB after %d actions, %ld KiB after the last", firstKib, SETTLED_AFTER, lastKib);
    std::printf("\n");
    if (!failed && !o.keep && o.dir.empty()) fs::remove_all(dir, ec);
    return failed ? 1 : 0;
}
