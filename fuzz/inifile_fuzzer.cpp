// The settings file on arbitrary bytes (qmsc98.ini in the work folder):
// loading leaves the file as it was and the options as the model reads them;
// each option written back as the setup screen does leaves the model's bytes.
#include "support.h"

#include "settings/inifile.h"
#include "util/text.h"

#include "user32/msgbox_hook.h"

#include <cstring>
#include <filesystem>
#include <string>

using namespace fuzzsupport;

namespace {

const char kEditHelp[] = "ShowEditHelp=";
const char kStartBanner[] = "ShowStartBanner=";
const char kStartUpSpread[] = "DefaultStartUpSpread=";
const char kNewStartUpSpread[] = "THREE.SCS";

int option_of(const std::string &text, const char *label)
{
    return char_to_int(value_of(text, label, '\n').c_str()) == 1 ? 1 : 0;
}

// The model's rewrite, which must read back (the program's lookups were held
// to the model on the file as loaded, so reading back through the model
// spares a scan of the file a byte per call).
std::string send_and_check(const std::string &path, const std::string &before, const char *label, const char *value)
{
    check(SendToIniFile(label, value) == 1, "SendToIniFile did not answer 1");
    std::string expected = file_after_set(before, label, value, '\n');
    check(read_bytes(path) == expected, "a rewritten option left other bytes than the model");
    check(value_of(text_view(expected).text, label, '\n') == value, "a rewritten option does not read back");
    return expected;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = work_dir() + "/" INI_FILE_NAME;
    const std::string raw(reinterpret_cast<const char *>(data), size);
    const std::string text = text_view(raw).text;
    // The work folder is the current one only while the program runs, for
    // libFuzzer's relative paths (run.sh gives findings an absolute one).
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(work_dir());

    write_bytes(path, raw);
    GetIniData();
    check(IniFileHandle != -1, "an existing settings file did not open");
    check(read_bytes(path) == raw, "loading the options changed the file");
    check(ShowEditHelp == option_of(text, kEditHelp), "ShowEditHelp is not the file's");
    check(ShowStartBanner == option_of(text, kStartBanner), "ShowStartBanner is not the file's");
    check(memchr(DefaultStartUpSpread, '\0', sizeof DefaultStartUpSpread) != nullptr,
          "DefaultStartUpSpread is not ended within its 255 bytes");
    check(DefaultStartUpSpread == value_of(text, kStartUpSpread, '\n').substr(0, DEFAULT_START_UP_SPREAD_SIZE - 1),
          "DefaultStartUpSpread is not the file's");

    // The setup screen's OK: both check boxes turned over, a new start-up
    // spread. A key may sit in another's value and go with it: still the model's bytes.
    std::string now = send_and_check(path, raw, kEditHelp, ShowEditHelp ? "0" : "1");
    now = send_and_check(path, now, kStartBanner, ShowStartBanner ? "0" : "1");
    send_and_check(path, now, kStartUpSpread, kNewStartUpSpread);
    check(TerminateIniFile() == 1, "the settings file did not close cleanly");
    check(msgbox_hook::boxes().empty(), "the settings file showed a message box");
    std::filesystem::current_path(started);
    return 0;
}
