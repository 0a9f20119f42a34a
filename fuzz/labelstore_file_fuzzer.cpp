// The label-value store over a text-mode file of our file layer. The input
// gives an operation, an end character, a start offset, a shift and its
// place, a label and a value, then the file's bytes. Lookups answer as the
// model does; a rewrite of the value (to its line end or end character) or a
// raw shift leaves exactly the model's bytes, CRs and Ctrl-Z included.
#include "support.h"

#include "util/labelstore.h"

#include <fcntl.h>
#include <io.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

using namespace fuzzsupport;

namespace {

enum Edit { SetLine, SetToEndChar, Shift, EditCount };

// What remove_from_file leaves: `count` bytes gone at `position`, or a gap of
// -count bytes still holding the old bytes (zeros past the end); a place
// outside the file changes nothing.
std::string file_after_shift(const std::string &raw, long position, long count)
{
    if (count == 0 || position < 0 || position > static_cast<long>(raw.size())) return raw;
    size_t at = static_cast<size_t>(position);
    if (count > 0) return raw.substr(0, at) + raw.substr(std::min(raw.size(), at + static_cast<size_t>(count)));
    std::string grown = raw + std::string(static_cast<size_t>(-count), '\0');
    return raw.substr(0, at) + grown.substr(at, static_cast<size_t>(-count)) + raw.substr(at);
}

// get_label_end_pos from `start`: the raw offset just after the label.
LONG label_end_from(const std::string &raw, LONG start, const std::string &label)
{
    TextView view = text_view(raw, start < 0 ? 0 : static_cast<size_t>(start));
    size_t last = find_label(view.text, 0, label);
    return last == npos ? -1 : static_cast<LONG>(view.raw_at[last] + 1);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = work_dir() + "/store.txt";
    FuzzedDataProvider in(data, size);
    const Edit edit = static_cast<Edit>(in.ConsumeIntegralInRange<int>(0, EditCount - 1));
    const char end[2] = {in.ConsumeIntegral<char>(), '\0'};
    const LONG start = in.ConsumeIntegralInRange<LONG>(-2, 4096);
    const int shiftAt = in.ConsumeIntegralInRange<int>(-2, 4096);
    const int shiftBy = in.ConsumeIntegralInRange<int>(-2100, 2100);
    const std::string label = in.ConsumeRandomLengthString(64);
    const std::string value = in.ConsumeRandomLengthString(64);
    const std::string raw = in.ConsumeRemainingBytesAsString();
    const std::string view = text_view(raw).text;

    write_bytes(path, raw);
    int file = _open(path.c_str(), _O_RDWR | _O_TEXT);
    check(file != -1, "the file does not open");

    // The lookups read a byte per call: left out of shifts, which explore long files.
    if (edit != Shift) {
        check(get_label_end_pos(file, start, label.c_str()) == label_end_from(raw, start, label),
              "get_label_end_pos finds another place than the first occurrence");
        check(get_variable_of_label(file, label.c_str()) == value_of(view, label, '\n'),
              "get_variable_of_label reads another value");
        check(get_variable_of_label_with_end_char(file, label.c_str(), end) == value_of(view, label, end[0]),
              "get_variable_of_label_with_end_char reads another value");
    }

    std::string expected;
    switch (edit) {
    case SetLine:
        check(set_variable_of_label(file, label.c_str(), value.c_str()) == 0, "set_variable_of_label failed");
        expected = file_after_set(raw, label, value, '\n');
        break;
    case SetToEndChar:
        check(set_variable_of_label_with_end_char(file, label.c_str(), value.c_str(), end) == 0,
              "set_variable_of_label_with_end_char failed");
        expected = file_after_set(raw, label, value, end[0]);
        break;
    default: {
        bool inside = shiftBy == 0 || (shiftAt >= 0 && shiftAt <= static_cast<long>(raw.size()));
        check(remove_from_file(file, shiftAt, shiftBy) == (inside ? 0 : -1),
              "remove_from_file answers wrongly for its place");
        expected = file_after_shift(raw, shiftAt, shiftBy);
        break;
    }
    }
    check(_close(file) == 0, "the file does not close");
    check(read_bytes(path) == expected, "the file holds other bytes than the rewrite should leave");
    return 0;
}
