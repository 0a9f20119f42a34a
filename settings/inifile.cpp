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

int InitiateIniFile(const char *path, int count, const char *header, ...)
{
    va_list lines;

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
        swrite(IniFileHandle, "\n\n");
        swrite(IniFileHandle, header);
        swrite(IniFileHandle, "\n");
        va_start(lines, header);
        for (int i = 1; i < count; ++i) {
            swrite(IniFileHandle, va_arg(lines, const char *));
            swrite(IniFileHandle, "\n");
        }
        va_end(lines);
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
    set_variable_of_label(IniFileHandle, label, value);
    return 1;
}

int TerminateIniFile(void)
{
    int result = _close(IniFileHandle);
    IniFileHandle = -1;
    return result == 0 ? 1 : 0;
}

void GetIniData(void)
{
    InitiateIniFile(INI_FILE_NAME, 4, "Ini file for QM Stonecall V1.10\n\n", "ShowEditHelp=1", "ShowStartBanner=1",
                    "DefaultStartUpSpread=");
    ColourRefRGB = 0x00AAD8FF;
    ShowEditHelp = char_to_int(GetFromIniFile("ShowEditHelp=", NULL)) == 1 ? 1 : 0;
    ShowStartBanner = char_to_int(GetFromIniFile("ShowStartBanner=", NULL)) == 1 ? 1 : 0;
    // The path is cut to what the option holds.
    strncpy(DefaultStartUpSpread, GetFromIniFile("DefaultStartUpSpread=", NULL), DEFAULT_START_UP_SPREAD_SIZE - 1);
    DefaultStartUpSpread[DEFAULT_START_UP_SPREAD_SIZE - 1] = '\0';
}
