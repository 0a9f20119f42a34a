// What the fuzzers share: a work folder, message boxes answered unseen (in
// support.cpp's LLVMFuzzerInitialize), the checks of a parsed resource
// template, and a plain model of the label-value store (std::string::find over
// the text a text-mode read delivers) that shares no code with the store.
#pragma once

#include "rc/templates.h"
#include "support/tempdir.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzzsupport {

// Stops the run with the message; libFuzzer keeps the input as a crash.
[[noreturn]] void fail(const std::string &what);

inline void check(bool condition, const char *what)
{
    if (!condition) fail(what);
}

// A fresh folder of this process's own, removed when the process ends.
const std::string &work_dir();

using testsupport::read_bytes;
using testsupport::write_bytes;

// The text up to its first NUL: what a C string of it holds.
std::string c_text(const std::string &text);

// What a text-mode read from offset `from` delivers (no CRs, the data ending
// at the first Ctrl-Z); raw_at[i] is the raw offset of text[i].
struct TextView {
    std::string text;
    std::vector<size_t> raw_at;
    size_t data_end = 0;
};
TextView text_view(const std::string &raw, size_t from = 0);

constexpr size_t npos = std::string::npos;

// The store cuts labels and values at this many characters.
constexpr size_t kLabelValueMax = 999;

// Index of the last character of the first `label` (cut at a NUL and at
// kLabelValueMax) in `text` from `start`; npos when none or the label is empty.
size_t find_label(const std::string &text, size_t start, const std::string &label);

// The value from `from` up to `stop` (none when NUL), cut at kLabelValueMax.
std::string value_from(const std::string &text, size_t from, char stop);

// The value of the first `label`, as a C string; empty when it is missing.
std::string value_of(const std::string &text, const std::string &label, char stop);

// The bytes after set_variable_of_label (stop LF) or
// set_variable_of_label_with_end_char set `label` to `value` in `raw`.
std::string file_after_set(const std::string &raw, const std::string &label, const std::string &value, char stop);

// Parses the bytes as a template: a refusal says why and keeps nothing; a
// success holds no more than its bytes can, and no flag the reader takes off.
void check_dialog_template(const void *data, size_t size);
void check_menu_template(const void *data, size_t size);

}   // namespace fuzzsupport
