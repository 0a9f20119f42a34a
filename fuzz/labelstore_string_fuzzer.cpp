// The label-value store over texts. The input gives an end character, a start
// index, a value position, a label and a section label, then the text. Every
// entry answers as the model does (so within the text and 999 characters).
#include "support.h"

#include "util/labelstore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

using namespace fuzzsupport;

namespace {

// A label longer than the store keeps, now and then.
constexpr size_t kLongestLabel = kLabelValueMax + 50;

LONG as_position(size_t index) { return index == npos ? -1 : static_cast<LONG>(index); }

// The section entries search the label from the section label's last character.
std::string value_in_section(const std::string &text, const std::string &section, const std::string &label, char stop)
{
    size_t sectionEnd = find_label(text, 0, section);
    size_t last = sectionEnd == npos ? npos : find_label(text, sectionEnd, label);
    return last == npos ? "" : value_from(text, last + 1, stop);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const char end[2] = {in.ConsumeIntegral<char>(), '\0'};
    const LONG start = in.ConsumeIntegralInRange<LONG>(-2, 2 * kLongestLabel);
    const LONG pos = in.ConsumeIntegralInRange<LONG>(-3, 2 * kLongestLabel);
    const std::string label = in.ConsumeRandomLengthString(kLongestLabel);
    const std::string section = in.ConsumeRandomLengthString(64);
    const std::string text = c_text(in.ConsumeRemainingBytesAsString());
    const char *t = text.c_str();

    check(get_label_end_pos_of_string(t, start, label.c_str()) ==
              as_position(find_label(text, start < 0 ? 0 : static_cast<size_t>(start), label)),
          "get_label_end_pos_of_string finds another place than the first occurrence");

    std::string atPos = pos < -1 || pos >= static_cast<LONG>(text.size()) ? "" : value_from(text, pos + 1, end[0]);
    check(get_variable_of_label_pos_of_string(t, pos, end) == atPos,
          "get_variable_of_label_pos_of_string reads another value");

    check(get_variable_of_label_of_string(t, label.c_str()) == value_of(text, label, '\n'),
          "get_variable_of_label_of_string reads another value");
    check(get_variable_of_label_with_end_char_of_string(t, label.c_str(), end) == value_of(text, label, end[0]),
          "get_variable_of_label_with_end_char_of_string reads another value");
    check(get_variable_of_label_in_section_of_string(t, section.c_str(), label.c_str()) ==
              value_in_section(text, section, label, '\n'),
          "get_variable_of_label_in_section_of_string reads another value");
    check(get_variable_of_label_in_section_with_end_char_of_strin(t, section.c_str(), label.c_str(), end) ==
              value_in_section(text, section, label, end[0]),
          "get_variable_of_label_in_section_with_end_char_of_strin reads another value");
    return 0;
}
