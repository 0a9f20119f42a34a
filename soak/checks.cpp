#include "soak/checks.h"

#include "runes/html_text.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace soak {
namespace {

const char HEADER[] = "\r\nSpread Data File Created By Quenmire Stonecall V1.10\r\n\r\n";
const int TITLE_MOST = 51, MEANING_MOST = 499;

// A cursor over the file's bytes that knows where it is.
struct Reader {
    const std::string &bytes;
    size_t at = 0;
    std::string why;

    bool fail(const std::string &what)
    {
        if (why.empty()) why = what + " at byte " + std::to_string(at);
        return false;
    }
    bool literal(const std::string &text)
    {
        if (bytes.compare(at, text.size(), text) != 0) return fail("\"" + text + "\" expected");
        at += text.size();
        return true;
    }
    // The rest of the line; the line must end in CR LF.
    bool line(std::string &out)
    {
        size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) return fail("a line end expected");
        out = bytes.substr(at, end - at);
        at = end + 2;
        return true;
    }
    bool number(long &out)
    {
        std::string text;
        if (!line(text)) return false;
        if (text.empty() || text.size() > 11) return fail("a number expected");
        char *end;
        errno = 0;
        out = std::strtol(text.c_str(), &end, 10);
        if (*end || errno) return fail("\"" + text + "\" is no number");
        return true;
    }
};

std::string without_cr(const std::string &s)
{
    std::string out;
    for (char c : s)
        if (c != '\r') out += c;
    return out;
}

// A meaning as the page holds it: made safe, its line feeds stored as CR LF.
std::string page_meaning(const std::string &meaning)
{
    std::string safe = html_safe_text(meaning.c_str()), out;
    for (char c : safe) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const char PAGE_START[] = "<HTML>";
const char PAGE_END[] = "</BODY></HTML>";
const char PICTURE[] = "<IMG ALIGN=LEFT SRC=\"images/";

bool ends_with(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string parse_spread(const std::string &bytes, SpreadText &out)
{
    Reader r{bytes, 0, ""};
    long version = 0, count = 0;
    r.literal(HEADER) && r.literal("version=") && r.number(version) && r.literal("title=") && r.line(out.title);
    for (int i = 0; r.why.empty() && i < POSITIONS; ++i) {
        if (!r.literal("runemeaning" + std::to_string(i) + "=")) break;
        size_t star = bytes.find('*', r.at);
        if (star == std::string::npos) {
            r.fail("the star that ends meaning " + std::to_string(i) + " is missing");
            break;
        }
        out.meaning[static_cast<size_t>(i)] = without_cr(bytes.substr(r.at, star - r.at));
        r.at = star + 1;
        r.literal("\r\n");
    }
    for (size_t i = 0; r.why.empty() && i < POSITIONS; ++i)
        r.literal("rune" + std::to_string(i) + "x=") && r.number(out.x[i]) &&
            r.literal("rune" + std::to_string(i) + "y=") && r.number(out.y[i]);
    if (r.why.empty() && r.literal("NumCards=") && r.number(count) && r.literal("\r\n") && r.at != bytes.size())
        r.fail("nothing may follow the closing empty line");
    out.version = static_cast<int>(version);
    out.count = static_cast<int>(count);
    return r.why;
}

std::string spread_bounds(const SpreadText &s)
{
    if (s.version != 1100) return "the version is " + std::to_string(s.version) + ", not 1100";
    if (static_cast<int>(s.title.size()) > TITLE_MOST) return "a title of " + std::to_string(s.title.size()) + " characters";
    if (s.count < 1 || s.count > POSITIONS) return std::to_string(s.count) + " positions";
    for (size_t i = 0; i < POSITIONS; ++i)
        if (static_cast<int>(s.meaning[i].size()) > MEANING_MOST)
            return "meaning " + std::to_string(i) + " has " + std::to_string(s.meaning[i].size()) + " characters";
    return "";
}

Spread spread_model(const SpreadText &s)
{
    Spread m;
    m.title = s.title;
    m.count = s.count;
    for (size_t i = 0; i < POSITIONS; ++i) {
        m.x[i] = static_cast<int>(s.x[i]);
        m.y[i] = static_cast<int>(s.y[i]);
        m.placed[i] = true;
        m.meaning[i] = static_cast<int>(s.meaning[i].size());
    }
    return m;
}

bool read_file(const std::string &path, std::string &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string check_page_frame(const std::string &page)
{
    if (page.compare(0, sizeof PAGE_START - 1, PAGE_START) != 0) return "the page does not begin with <HTML>";
    if (!ends_with(page, PAGE_END)) return "the page does not end with </BODY></HTML>";
    for (size_t at = page.find(PICTURE); at != std::string::npos; at = page.find(PICTURE, at + 1)) {
        size_t digits = at + sizeof PICTURE - 1;
        int rune = std::atoi(page.c_str() + digits);
        if (rune < 1 || rune > 25) return "a picture of rune " + std::to_string(rune);
        size_t after = page.find_first_not_of("0123456789", digits);
        if (after == std::string::npos || page.compare(after, 5, ".jpg\"") != 0)
            return "a picture that is no rune's";
    }
    return "";
}

std::string check_page(const std::string &page, const Reading &reading)
{
    std::string why = check_page_frame(page);
    if (!why.empty()) return why;
    std::string intro = " ";
    intro += html_safe_text(reading.title.c_str());
    intro += " formation:<BR><BR>";
    size_t at = page.find(intro);
    if (at == std::string::npos) return "the page does not name the spread \"" + reading.title + "\"";
    at += intro.size();
    for (size_t i = 0; i < reading.runes.size(); ++i) {
        std::string picture = PICTURE + std::to_string(reading.runes[i]) + ".jpg\" WIDTH=70 HEIGHT=129>";
        std::string meaning = "<U>" + page_meaning(i < reading.meanings.size() ? reading.meanings[i] : "") + "</U><BR>";
        if (page.compare(at, picture.size(), picture) != 0)
            return "position " + std::to_string(i) + " should show rune " + std::to_string(reading.runes[i]);
        at += picture.size();
        if (page.compare(at, meaning.size(), meaning) != 0)
            return "position " + std::to_string(i) + " does not show its meaning";
        at += meaning.size();
        // The rune's name and interpretation, then the next picture or the foot.
        size_t next = page.find(PICTURE, at);
        if (i + 1 < reading.runes.size() && next == std::string::npos)
            return "the page shows " + std::to_string(i + 1) + " pictures, not " + std::to_string(reading.runes.size());
        if (i + 1 < reading.runes.size()) at = next;
    }
    if (page.find(PICTURE, at) != std::string::npos)
        return "the page shows more pictures than the " + std::to_string(reading.runes.size()) + " positions";
    return "";
}

} // namespace soak
