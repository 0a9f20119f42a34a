// What the fuzzers share: a folder of their own for the files they write,
// message boxes answered without being shown (LLVMFuzzerInitialize, in
// support.cpp, for every fuzzer), a check that stops the run with a message,
// the checks of a parsed resource template, and a model of the label-value
// store to compare the real one with. The
// model is written the plain way (std::string::find over the text a
// text-mode read delivers), so that it shares no code with the store.
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

// A fresh folder of this process's own (on /dev/shm when there is one),
// removed when the process ends. Absolute path, no trailing slash.
const std::string &work_dir();

// Exact bytes, no translation.
using testsupport::read_bytes;
using testsupport::write_bytes;

// The text up to its first NUL: what a C string of it holds.
std::string c_text(const std::string &text);

// What a text-mode read of the raw bytes from offset `from` delivers: every
// CR dropped, the data ending at the first Ctrl-Z. raw_at[i] is the raw
// offset of text[i]; data_end the offset where the data ends.
struct TextView {
    std::string text;
    std::vector<size_t> raw_at;
    size_t data_end = 0;
};
TextView text_view(const std::string &raw, size_t from = 0);

constexpr size_t npos = std::string::npos;

// The store cuts labels and values at this many characters.
constexpr size_t kLabelValueMax = 999;

// Index of the last character of the first occurrence of `label` (cut at a
// NUL and at kLabelValueMax) in `text` at or after `start`; npos when there
// is none or the label is empty.
size_t find_label(const std::string &text, size_t start, const std::string &label);

// The value that starts at `from`: up to `stop` (none when NUL) or the end,
// cut at kLabelValueMax characters.
std::string value_from(const std::string &text, size_t from, char stop);

// The value of the first `label` in `text`, as the store's lookups return it
// (a C string: cut at a NUL); empty when the label is missing.
std::string value_of(const std::string &text, const std::string &label, char stop);

// The bytes a file holding `raw` should hold after the store's
// set_variable_of_label (stop LF) or set_variable_of_label_with_end_char
// rewrote the value of `label` to `value`.
std::string file_after_set(const std::string &raw, const std::string &label, const std::string &value, char stop);

// Reads the bytes as a dialog or menu template and checks what every parse
// must keep, whatever the bytes: a refusal says why and leaves nothing
// half-read; a success holds no more than its bytes can hold and no flag the
// reader should have taken off.
void check_dialog_template(const void *data, size_t size);
void check_menu_template(const void *data, size_t size);

}   // namespace fuzzsupport
