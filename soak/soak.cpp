// The soak: the whole program, headless, under thousands of random but valid
// user actions (soak/generator.h) in a temporary folder of its own. Each start
// of the program runs in a child process, as a real start would, under its
// script; after each save the soak reads the file back and compares it with
// what the program and the walk hold, and after a window came back it compares
// the screen with the one before. Any failure names the seed, the session, the
// action and the script (kept in the folder for replay), and the exit status is 1.
//
//   stonecall_soak [--actions N] [--seed S] [--session-actions N] [--check-memory]
#include "runes/spread.h"
#include "soak/generator.h"
#include "support/spreads.h"
#include "support/tempdir.h"

#include "driver/entry.h"
#include "gdi32/png.h"
#include "testing/script.h"
#include "user32/compositor.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <malloc.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace soak;
using testsupport::read_bytes;

namespace {

// The memory check compares the resident size after this many actions of a
// session with the size after its last, for sessions at least this long.
const int SETTLED_AFTER = 100, MEMORY_SESSION_LEAST = 1000;
const double MEMORY_GROWTH_ALLOWED = 0.10;

long resident_kib()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int usage(const std::string &why)
{
    std::fprintf(stderr,
                 "stonecall_soak: %s\nusage: stonecall_soak [--actions N] [--seed S] [--session-actions N]"
                 " [--check-memory]\n",
                 why.c_str());
    return 2;
}

// ---- the spreads: in memory, as the program's reader reads them, as written

// The current spread; its meanings from memory, or read anew from its file.
Spread held(bool meaningsFromFile)
{
    Spread s{version, NumCards, title, {}, {}, {}};
    for (int i = 0; i < POSITIONS; ++i) {
        s.x[i] = PositionPlace(i).x;
        s.y[i] = PositionPlace(i).y;
        s.meaning[i] = meaningsFromFile ? get_card_pm(i) : pm[i];
    }
    return s;
}

// The program's own reader on a file, with the spread in memory kept as it
// was: the reader fills the same globals the program works with.
Spread read_back(const std::string &path)
{
    const std::string keptTitle = title, keptName = SpreadFilename;
    const std::vector<RECT> keptRects(CardRect, CardRect + MAX_POSITIONS);
    const int keptVersion = version, keptCount = NumCards;
    std::snprintf(SpreadFilename, sizeof SpreadFilename, "%s", path.c_str());
    get_spread_data(std::string(path).data());
    const Spread s = held(true);
    version = keptVersion;
    NumCards = keptCount;
    std::snprintf(title, sizeof title, "%s", keptTitle.c_str());
    std::snprintf(SpreadFilename, sizeof SpreadFilename, "%s", keptName.c_str());
    std::copy(keptRects.begin(), keptRects.end(), CardRect);
    return s;
}

// Whether a file holds the bytes the spread should have, in the writer's
// layout. The reader drops every CR, so for a read the CR CR LF that a
// text-mode write makes of an edit box's CR LF is taken as CR LF.
std::string compare(const std::string &name, const Spread &s, bool read)
{
    std::vector<testsupport::SpreadPosition> positions;
    for (int i = 0; i < POSITIONS; ++i) positions.push_back({s.x[i], s.y[i], s.meaning[i]});
    std::string bytes = read_bytes(name);
    const std::string expected = testsupport::spread_bytes(s.title, positions, s.count, s.version);
    for (size_t at = bytes.find("\r\r"); read && at != std::string::npos; at = bytes.find("\r\r", at))
        bytes.erase(at, 1);
    if (bytes == expected) return "";
    const size_t at = std::mismatch(bytes.begin(), bytes.end(), expected.begin(), expected.end()).first - bytes.begin();
    return name + " differs at byte " + std::to_string(at) + ": \"" + bytes.substr(at, 40) + "\" for \"" +
           expected.substr(at, 40) + "\"";
}

// A spread just saved: the file holds, in the writer's layout, what the
// program has in memory with the title, the count and the places of the
// positions in use that the walk gave it (by its moves, drags and the
// new-spread dialog), and the program's reader reads the file as it is
// written (a title or meaning that looks like a label stays text).
std::string check_save(const Spread &walk)
{
    Spread expected = held(false);
    expected.version = SPREAD_FILE_VERSION;   // what the writer stores, whatever the spread was read with
    expected.title = walk.title;
    expected.count = walk.count;
    std::copy_n(walk.x.begin(), walk.count, expected.x.begin());
    std::copy_n(walk.y.begin(), walk.count, expected.y.begin());
    const std::string name = SpreadFilename, why = compare(name, expected, false);
    return why.empty() ? compare(name, read_back(name), true) : why;
}

// After a window was minimised and restored or the desktop resized and
// back, the screen is what it was before, pixel for pixel (both pictures are
// in the folder).
std::string check_picture(bool keep)
{
    raster::write_png(user32::desktop_image(), keep ? "screen-before.png" : "screen-after.png", nullptr);
    if (keep || read_bytes("screen-before.png") == read_bytes("screen-after.png")) return "";
    return "the screen differs from before (screen-before.png, screen-after.png)";
}

// ---- one start of the program ------------------------------------------

// What a start of the program tells the soak, in memory it shares with it.
struct Outcome {
    bool reported = false;
    int status = 0, actions = 0;
    long settledKib = 0, lastKib = 0;   // resident after SETTLED_AFTER actions and after the last
    int saves = 0, screens = 0;         // looked at
};

// In the child: the program under the session's script, looked at after
// every action; then the process ends as the program does.
[[noreturn]] void run_session(const Session &session, const std::string &script, Outcome &out)
{
    // Large blocks (a desktop's or a window's pixels, which follow the desktop's
    // size) always mapped and given back when freed, so that the memory check
    // sees what the program keeps rather than what the allocator holds on to.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    std::string why;
    if (!drv::install_driver(drv::Choice::Headless, &why)) {
        std::fprintf(stderr, "soak: %s\n", why.c_str());
        _exit(2);
    }
    auto observe = [&](int line) {
        if (++out.actions == SETTLED_AFTER) out.settledKib = resident_kib();
        out.lastKib = resident_kib();
        std::string problem;
        if (const auto save = session.saves.find(line); save != session.saves.end()) {
            ++out.saves;
            problem = check_save(save->second);
        } else if (const auto screen = session.screens.find(line); screen != session.screens.end()) {
            out.screens += !screen->second;
            problem = check_picture(screen->second);
        }
        return problem.empty() ? problem : problem + " (action " + std::to_string(out.actions) + " of the session)";
    };
    char commandLine[] = "";
    out.status = script::run_script(
        script, [&] { return WinMain(GetModuleHandleA(NULL), NULL, commandLine, SW_SHOWDEFAULT); }, observe);
    out.reported = true;
    // A run the script ended leaves its windows behind: no leak check then.
    if (out.status == script::kStepFailed || out.status == script::kScriptRanOut) _exit(out.status);
    std::exit(out.status);
}

}   // namespace

int main(int argc, char **argv)
{
    std::map<std::string, long> numbers = {{"--actions", 1000}, {"--seed", 1}, {"--session-actions", 2000}};
    bool checkMemory = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--check-memory") checkMemory = true;
        else if (numbers.count(a) && i + 1 < argc && std::atol(argv[i + 1]) > 0) numbers[a] = std::atol(argv[++i]);
        else return usage("cannot use \"" + a + "\"");
    }
    const WalkOptions walk{uint32_t(numbers["--seed"]), int(numbers["--actions"]), int(numbers["--session-actions"])};
    char dir[] = "/tmp/stonecall-soak-XXXXXX";
    if (!mkdtemp(dir)) return usage("cannot make a temporary folder");
    // The folder starts with the sample spreads and the page's images.
    const fs::path source = STONECALL_SOURCE_DIR;
    std::error_code ec;
    fs::create_directories(fs::path(dir) / "scripts", ec);
    fs::copy(source / "res" / "images", fs::path(dir) / "images", ec);
    for (const fs::directory_entry &e : fs::directory_iterator(source / "spreads", ec))
        if (e.path().extension() == ".SCS") fs::copy_file(e.path(), fs::path(dir) / e.path().filename(), ec);
    if (!ec) fs::current_path(dir, ec);
    if (ec) return usage(std::string("cannot work in ") + dir + ": " + ec.message());
    Files files;
    for (const fs::directory_entry &e : fs::directory_iterator("."))
        if (e.path().extension() == ".SCS") files[e.path().filename().string()] = read_back(e.path().filename());
    const std::vector<Session> sessions = generate(walk, files);
    std::printf("soak: seed %u, %d actions in %zu sessions, in %s\n", walk.seed, walk.actions, sessions.size(), dir);

    const auto started = std::chrono::steady_clock::now();
    const int shared = MAP_SHARED | MAP_ANONYMOUS;
    auto *out = static_cast<Outcome *>(mmap(nullptr, sizeof(Outcome), PROT_READ | PROT_WRITE, shared, -1, 0));
    int done = 0, saves = 0, screens = 0;
    long firstKib = 0, lastKib = 0;
    std::string problem, script;
    size_t n = 0;
    for (; n < sessions.size() && problem.empty(); ++n) {
        const Session &session = sessions[n];
        script = std::string(dir) + "/scripts/" + std::to_string(n + 1) + ".script";
        std::ofstream(script, std::ios::binary) << session.script;
        *out = Outcome();
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) run_session(session, script, *out);
        int wstatus = 0;
        waitpid(child, &wstatus, 0);
        const int code = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
        // Every step given; the last, which ends the program, is not observed.
        done += out->reported && out->status == 1 ? session.actions : out->actions;
        saves += out->saves;
        screens += out->screens;
        if (!out->reported) problem = "the program stopped without a report (exit " + std::to_string(code) + ")";
        else if (out->status != 1) problem = "the run ended with " + std::to_string(out->status);
        else if (code != 1) problem = "the process ended with " + std::to_string(code) + " (a sanitizer?)";
        if (!out->settledKib || session.actions < MEMORY_SESSION_LEAST) continue;
        firstKib = firstKib ? firstKib : out->settledKib;
        lastKib = out->lastKib;
        if (checkMemory && problem.empty() && out->lastKib > out->settledKib * (1 + MEMORY_GROWTH_ALLOWED))
            problem = "resident memory grew from " + std::to_string(out->settledKib) + " KiB after " +
                      std::to_string(SETTLED_AFTER) + " actions to " + std::to_string(out->lastKib) + " KiB";
    }
    if (!problem.empty())
        std::fprintf(stderr, "soak: FAILED: seed %u, session %zu, %s, script %s\n", walk.seed, n, problem.c_str(),
                     script.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %zu starts; %d saves checked, %d screens compared\n", sessions.size(), saves, screens);
    std::printf("soak: %s: %d actions in %.1f s, resident %ld KiB after %d actions, %ld KiB after the last\n",
                problem.empty() ? "passed" : "FAILED", done, seconds, firstKib, SETTLED_AFTER, lastKib);
    if (problem.empty()) fs::remove_all(dir, ec);
    return problem.empty() ? 0 : 1;
}
