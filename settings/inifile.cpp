// The settings file: opened or created at start-up, read into the options,
// rewritten in place by the setup screen, closed at the end.
#include "settings/inifile.h"

#include "util/labelstore.h"
#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <stdarg.h>
#include <string.h>

int IniFileHandle = -1;
int ShowEditHelp = 0;
int ShowStartBanner = 1;
char DefaultStartUpSpread[DEFAULT_START_UP_SPREAD_SIZE] = "";
int RunDefaultStartUpSpread = 0;
COLORREF ColourRefRGB = 0;

// Writes a new file's lines; FALSE as soon as one is not written whole.
static BOOL WriteNewFile(int count, const char *header, va_list lines)
{
    BOOL whole = swrite(IniFileHandle, "\n\n") == 2 && swrite(IniFileHandle, header) == (int)strlen(header) &&
                 swrite(IniFileHandle, "\n") == 1;

    for (int i = 1; i < count && whole; ++i) {
        const char *line = va_arg(lines, const char *);
        whole = swrite(IniFileHandle, line) == (int)strlen(line) && swrite(IniFileHandle, "\n") == 1;
    }
    return whole;
}

int InitiateIniFile(const char *path, int count, const char *header, ...)
{
    va_list lines;
    BOOL whole;

    // A file the user marked read-only is made writable first; a missing one
    // makes this fail, which does not matter.
    _chmod(path, _S_IWRITE);
    IniFileHandle = _open(path, _O_RDWR | _O_TEXT);
    if (IniFileHandle == -1) {
        IniFileHandle = _open(path, _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE);
        if (IniFileHandle == -1)
            return 0;
        if (count == 0) {
            TerminateIniFile();
            return 0;
        }
        va_start(lines, header);
        whole = WriteNewFile(count, header, lines);
        va_end(lines);
        // A half-written new file would pass for settings at the next start,
        // with the missing options off; without it the next start tries anew.
        if (!whole) {
            TerminateIniFile();
            _unlink(path);
            return 0;
        }
    }
    _chmod(path, _S_IWRITE);
    return 1;
}

char *GetFromIniFile(const char *label, char *dest)
{
    char *value = get_variable_of_label(IniFileHandle, label);
    if (!dest)
        return value;
    strcpy(dest, value);   // values are at most LABEL_VALUE_MAX characters
    return dest;
}

int SendToIniFile(const char *label, const char *value)
{
    return set_variable_of_label(IniFileHandle, label, value) == 0 ? 1 : 0;
}

int TerminateIniFile(void)
{
    int result = _close(IniFileHandle);
    IniFileHandle = -1;
    return result == 0 ? 1 : 0;
}

static const char NoSettingsFileText[] =
    "The settings file " INI_FILE_NAME " could be neither opened nor created (the folder may not take new files, "
    "or the disk may be full). Every option is off for now, and settings cannot be saved.";

void GetIniData(void)
{
    if (!InitiateIniFile(INI_FILE_NAME, 4, "Ini file for QM Stonecall V1.10\n\n", "ShowEditHelp=1", "ShowStartBanner=1",
                         "DefaultStartUpSpread="))
        MessageBoxA(NULL, NoSettingsFileText, "Settings file", MB_OK | MB_ICONWARNING);
    ColourRefRGB = 0x00AAD8FF;
    ShowEditHelp = char_to_int(GetFromIniFile("ShowEditHelp=", NULL)) == 1 ? 1 : 0;
    ShowStartBanner = char_to_int(GetFromIniFile("ShowStartBanner=", NULL)) == 1 ? 1 : 0;
    // The path is cut to what the option holds.
    copy_text(DefaultStartUpSpread, sizeof DefaultStartUpSpread, GetFromIniFile("DefaultStartUpSpread=", NULL));
}
