// The spread file reader on arbitrary bytes: get_spread_data and get_card_pm
// keep every field in bounds (NumCards 0 to 15, title 52 bytes, meanings 500)
// and read what the model reads: each label in the writer's order, looked for
// after the value before it, else wherever it first stands.
#include "support.h"

#include "runes/spread.h"
#include "util/text.h"

#include "user32/msgbox_hook.h"

#include <cstring>
#include <string>

using namespace fuzzsupport;

namespace {

std::string number_label(const char *stem, int i, const char *tail) { return stem + std::to_string(i) + tail; }

// The reader's lookups, one after the other in the writer's order.
class Lookups {
  public:
    explicit Lookups(const std::string &text) : text_(text) {}

    std::string next(const std::string &label, char stop)
    {
        size_t last = find_label(text_, from_, label);
        if (last == std::string::npos) last = find_label(text_, 0, label);
        if (last == std::string::npos) return "";
        size_t end = text_.find(stop, last + 1);
        from_ = end == std::string::npos ? text_.size() : end;
        return c_text(value_from(text_, last + 1, stop));
    }
    LONG number(const std::string &label) { return char_to_int(next(label, '\n').c_str()); }

  private:
    const std::string &text_;
    size_t from_ = 0;
};

// The meaning of position i, as get_card_pm looks for it.
std::string meaning_of(const std::string &text, int i)
{
    Lookups look(text);
    look.next("version=", '\n');
    look.next("title=", '\n');
    for (int n = 0; n < i; ++n) look.next(number_label("runemeaning", n, "="), '*');
    return look.next(number_label("runemeaning", i, "="), '*');
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = work_dir() + "/FUZZ.SCS";
    const std::string raw(reinterpret_cast<const char *>(data), size);
    // What the reader's string lookups see: the text-mode text up to a NUL.
    const std::string text = c_text(text_view(raw).text);

    write_bytes(path, raw);
    get_spread_data(const_cast<char *>(path.c_str()));
    check(memchr(title, '\0', sizeof title) != nullptr, "the title is not ended within its 52 bytes");
    Lookups look(text);
    check(version == look.number("version="), "the version is not the file's");
    check(title == look.next("title=", '\n').substr(0, SPREAD_TITLE_SIZE - 1), "the title is not the file's");
    for (int i = 0; i < MAX_POSITIONS; ++i) look.next(number_label("runemeaning", i, "="), '*');
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        check(PositionPlace(i).x == look.number(number_label("rune", i, "x=")), "an x is not the file's");
        check(PositionPlace(i).y == look.number(number_label("rune", i, "y=")), "a y is not the file's");
        check(CardRect[i].right == 0 && CardRect[i].bottom == 0, "the reader wrote the picture's far corner");
    }
    LONG cards = look.number("NumCards=");
    check(NumCards == (cards < 0               ? 0
                       : cards > MAX_POSITIONS ? MAX_POSITIONS
                                               : cards),
          "NumCards is not the file's, kept within 0 to 15");

    // The meanings, read anew each time: first, middle, last, and two that are none.
    memcpy(SpreadFilename, path.c_str(), path.size() + 1);
    for (int i : {-1, 0, 7, MAX_POSITIONS - 1, MAX_POSITIONS}) {
        const char *meaning = get_card_pm(i);
        check(memchr(meaning, '\0', POSITION_MEANING_SIZE) != nullptr, "a meaning is not ended within 500 bytes");
        check(meaning == meaning_of(text, i).substr(0, POSITION_MEANING_SIZE - 1), "a meaning is not the file's");
    }
    check(msgbox_hook::boxes().empty(), "reading a spread file that is there showed a message box");
    return 0;
}
