// The settings file qmsc98.ini: three options as label=value lines, kept open
// for the whole run and rewritten in place.
#ifndef STONECALL_SETTINGS_INIFILE_H
#define STONECALL_SETTINGS_INIFILE_H

#include <windows.h>

#define INI_FILE_NAME "qmsc98.ini"
#define DEFAULT_START_UP_SPREAD_SIZE 255

extern int IniFileHandle;            // -1 when the file could be neither opened nor created
extern int ShowEditHelp;
extern int ShowStartBanner;
extern char DefaultStartUpSpread[DEFAULT_START_UP_SPREAD_SIZE];
extern int RunDefaultStartUpSpread;
extern COLORREF ColourRefRGB;

// Opens the file, or creates it with "\n\n", the header, "\n" and the
// count - 1 default lines (each followed by "\n"). 1 when it is open; a new
// file that could not be written whole is removed again.
int InitiateIniFile(const char *path, int count, const char *header, ...);

// The value of `label`; copied into `dest` (1000 bytes) when given, else the
// store's own area, valid until the next lookup.
char *GetFromIniFile(const char *label, char *dest);

// Rewrites the value of `label` in the file at once. 1 when done; 0 when the
// file could not be changed, which leaves the other labels readable.
int SendToIniFile(const char *label, const char *value);

// Closes the file: 1 when it closed without error.
int TerminateIniFile(void);

// Opens the settings file and loads the options; says so when there is none.
void GetIniData(void);

#endif
