// The setup screen (template 7): the two check boxes and the start-up spread,
// chosen in the open-file dialog and saved on OK.
#include "settings/setup.h"

#include "app/publisher.h"
#include "app/screenloop.h"
#include "runes/spread.h"
#include "settings/inifile.h"
#include "util/text.h"

#include <commdlg.h>

#include <stdio.h>
#include <string.h>

// Timer 1 repaints the setup screen every five seconds, as on the main window.
#define SETUP_REPAINT_TIMER_ID 1
#define SETUP_REPAINT_TIME_MS 5000

static const char SpreadFilter[] = "Stonecall Spread Files (*" SPREAD_EXTENSION ")\0*" SPREAD_EXTENSION "\0";
static const char NotSavedText[] =
    "The settings could not be saved: the settings file " INI_FILE_NAME " could not be opened.";
static const char NotWrittenText[] =
    "Not every setting could be saved: the settings file " INI_FILE_NAME " could not be changed (the disk may be "
    "full). The settings it did not take keep their old values.";

void DeckwiseSetup(void)
{
    DirectDialog(SETUP_TEMPLATE_ID, DWSetupCon, DWSetupMM, DWSetupKC);
}

// Only the first construct fills the screen: the repaints that follow must
// not undo what the user has checked since.
void DWSetupCon(void)
{
    if (!FirstRun)
        return;
    SetDlgItemTextA(hWnd_sim_dialog, IDC_START_UP_SPREAD, DefaultStartUpSpread);
    if (ShowEditHelp)
        CheckDlgButton(hWnd_sim_dialog, IDC_SHOW_EDIT_HELP, BST_CHECKED);
    if (ShowStartBanner)
        CheckDlgButton(hWnd_sim_dialog, IDC_SHOW_START_BANNER, BST_CHECKED);
    SetTimer(hWnd_sim_dialog, SETUP_REPAINT_TIMER_ID, SETUP_REPAINT_TIME_MS, NULL);
}

void DWSetupMM(void)
{
    if (CheckMessage(WM_PAINT) || (CheckMessage(WM_TIMER) && GetwParam() == SETUP_REPAINT_TIMER_ID))
        DWSetupCon();
}

static int SaveCheckBox(const char *label, int box)
{
    return SendToIniFile(label, int_to_char(IsDlgButtonChecked(hWnd_sim_dialog, box) == BST_CHECKED ? 1 : 0, 10));
}

// The options in memory stay as they are: the program ends after this screen.
// Without a settings file nothing can be written, and where the file refuses
// a change the user is told so rather than left to believe the choices were
// kept. Each option is tried even after one failed.
static void SaveSettings(void)
{
    int saved;

    if (IniFileHandle == -1) {
        MessageBoxA(hWnd_sim_dialog, NotSavedText, "Settings not saved", MB_OK | MB_ICONSTOP);
        return;
    }
    saved = SaveCheckBox("ShowEditHelp=", IDC_SHOW_EDIT_HELP);
    saved &= SaveCheckBox("ShowStartBanner=", IDC_SHOW_START_BANNER);
    GetDlgItemTextA(hWnd_sim_dialog, IDC_START_UP_SPREAD, DefaultStartUpSpread, DEFAULT_START_UP_SPREAD_SIZE);
    saved &= SendToIniFile("DefaultStartUpSpread=", DefaultStartUpSpread);
    if (!saved)
        MessageBoxA(hWnd_sim_dialog, NotWrittenText, "Settings not saved", MB_OK | MB_ICONSTOP);
}

void DWSetupKC(int code)
{
    switch (code) {
    case IDOK:
        SaveSettings();
        EndScreen();
        break;
    case IDCANCEL:
        EndScreen();
        break;
    case IDC_CHANGE_START_UP_SPREAD:
        GetDWSFile();
        SetDlgItemTextA(hWnd_sim_dialog, IDC_START_UP_SPREAD, DefaultStartUpSpread);
        break;
    }
}

static void ShowFileDialogError(DWORD error)
{
    char text[200];

    snprintf(text, sizeof text,
             "An error occured during execution.  Please e-mail Quenmire Software at " PUBLISHER_SUPPORT_ADDRESS
             " and quote the number #%ld",
             (long)error);
    MessageBoxA(hWnd_sim_dialog, text, "WARNING", MB_OK | MB_ICONSTOP);
}

// The dialog works on a copy of the path: on failure it may leave anything in
// its buffer (too small a buffer gets the size it needed), and only a file
// actually chosen may become the start-up spread.
void GetDWSFile(void)
{
    OPENFILENAMEA ofn;
    char path[DEFAULT_START_UP_SPREAD_SIZE];
    DWORD error;

    copy_text(path, sizeof path, DefaultStartUpSpread);
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hWnd_sim_dialog;
    ofn.lpstrFilter = SpreadFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = "Choose the spread you wish to auto-start";
    ofn.lpstrDefExt = "*";
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;
    if (GetOpenFileNameA(&ofn)) {
        memcpy(DefaultStartUpSpread, path, sizeof path);
    } else {
        // 0 is a plain cancel.
        error = CommDlgExtendedError();
        if (error != 0)
            ShowFileDialogError(error);
    }
    InvalidateRect(hWnd_sim_dialog, NULL, TRUE);
}
