// The settings file qmsc98.ini: three options as label=value lines, kept open
// for the whole run and rewritten in place.
#ifndef STONECALL_SETTINGS_INIFILE_H
#define STONECALL_SETTINGS_INIFILE_H

#include <windows.h>

#define INI_FILE_NAME "qmsc98.ini"
#define DEFAULT_START_UP_SPREAD_SIZE 255

// The settings:
//
//   global                   written by                    read by
//   IniFileHandle            InitiateIniFile,              the functions below, the setup screen
//                            TerminateIniFile              (-1: the file could not be opened)
//   ShowEditHelp             GetIniData                    the layout editor, the setup screen
//   ShowStartBanner          GetIniData                    MainWindow1Con, the setup screen
//   DefaultStartUpSpread     GetIniData, the setup screen  MainWindow1Con (auto-load), the setup screen
//   RunDefaultStartUpSpread  the auto-load (1), LoadSpread LoadSpread (skip the chooser)
//                            (0 once the Run has begun)
//   ColourRefRGB             GetIniData                    MainWindow1Con (the background)
extern int IniFileHandle;
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
