// The spread file reader on arbitrary bytes: the input is a spread file in a
// folder of the fuzzer's own. get_spread_data and get_card_pm must keep every
// field in its bounds (NumCards 0 to 15, the title within its 52 bytes, each
// meaning within its 500) and read what the model reads from the text a
// text-mode read delivers; a file that is not there changes nothing and says
// "Error opening file".
#include "support.h"

#include "runes/spread.h"
#include "util/text.h"

#include "user32/msgbox_hook.h"

#include <cstdint>
#include <cstring>
#include <string>

using namespace fuzzsupport;

namespace {

std::string number_label(const char *stem, int i, const char *tail)
{
    return stem + std::to_string(i) + tail;
}

LONG number_of(const std::string &text, const std::string &label)
{
    return char_to_int(value_of(text, label, '\n').c_str());
}

bool same_spread(const RECT (&before)[MAX_POSITIONS], const std::string &titleBefore, int versionBefore,
                 int cardsBefore)
{
    return memcmp(before, CardRect, sizeof CardRect) == 0 && titleBefore == title && versionBefore == version &&
           cardsBefore == NumCards;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    answer_message_boxes();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = work_dir() + "/FUZZ.SCS";
    static const std::string missing = work_dir() + "/MISSING.SCS";
    const std::string raw(reinterpret_cast<const char *>(data), size);
    // What the reader's string lookups see: the text-mode text up to a NUL.
    const std::string text = c_text(text_view(raw).text);

    write_file(path, raw);
    get_spread_data(const_cast<char *>(path.c_str()));
    check(msgbox_hook::boxes().empty(), "reading a spread file that is there showed a message box");
    check(memchr(title, '\0', sizeof title) != nullptr, "the title is not ended within its 52 bytes");
    check(title == value_of(text, "title=", '\n').substr(0, SPREAD_TITLE_SIZE - 1), "the title is not the file's");
    check(version == number_of(text, "version="), "the version is not the file's");
    check(NumCards >= 0 && NumCards <= MAX_POSITIONS, "NumCards is outside 0 to 15");
    LONG cards = number_of(text, "NumCards=");
    check(NumCards == (cards < 0 ? 0 : cards > MAX_POSITIONS ? MAX_POSITIONS : cards),
          "NumCards is not the file's, kept within 0 to 15");
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        check(CardRect[i].top == number_of(text, number_label("rune", i, "x=")), "an x is not the file's");
        check(CardRect[i].left == number_of(text, number_label("rune", i, "y=")), "a y is not the file's");
        check(CardRect[i].right == 0 && CardRect[i].bottom == 0, "the reader wrote the picture's far corner");
    }

    // The meanings, read anew from the file each time: the first, a middle
    // and the last position, and -1 and 15, which are none.
    memcpy(SpreadFilename, path.c_str(), path.size() + 1);
    for (int i : {-1, 0, 7, MAX_POSITIONS - 1, MAX_POSITIONS}) {
        const char *meaning = get_card_pm(i);
        check(memchr(meaning, '\0', POSITION_MEANING_SIZE) != nullptr, "a meaning is not ended within 500 bytes");
        check(meaning == value_of(text, number_label("runemeaning", i, "="), '*').substr(0, POSITION_MEANING_SIZE - 1),
              "a meaning is not the file's");
    }
    check(msgbox_hook::boxes().empty(), "reading meanings from a file that is there showed a message box");

    // A file that is not there leaves the spread as it was.
    RECT before[MAX_POSITIONS];
    memcpy(before, CardRect, sizeof CardRect);
    const std::string titleBefore = title;
    const int versionBefore = version, cardsBefore = NumCards;
    get_spread_data(const_cast<char *>(missing.c_str()));
    check(same_spread(before, titleBefore, versionBefore, cardsBefore), "a missing file changed the spread");
    check(msgbox_hook::boxes().size() == 1 && msgbox_hook::boxes()[0].text == "Error opening file" &&
              msgbox_hook::boxes()[0].caption == missing,
          "a missing file did not say \"Error opening file\" once");
    msgbox_hook::clear();
    return 0;
}
