// The main window: construction and repaint, the menu commands and the end of
// each mode, with the save prompts of the layout modes.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "editor/layout.h"
#include "editor/newspread.h"
#include "gfx/drawing.h"
#include "gfx/effects.h"
#include "runes/casting.h"
#include "runes/display.h"
#include "runes/htmlreport.h"
#include "runes/spread.h"
#include "settings/inifile.h"
#include "util/text.h"

#include <string.h>

int RunSpreadSelected = 0;
int EditSpreadSelected = 0;
int NewSpreadSelected = 0;
int edit_spread = 0;
int ColourMainBackground = 1;
int SpreadChanged = 0;
int CancelNewSpread = 0;
int CardChosen = -1;
int ButtonAquired = 10;
int ButtonJumpWidth = 5;

// Nine blanks lead the text; the version reads V1.10 here, V1.1 in the title.
static const char AboutText[] = "         Quenmire Stonecall V1.10\n\nSee ReadMe.htm for detailed help infomation.";
static const char AutoLoadPrefix[] = "Auto-loading ";
// Run, Edit and New put the spread's title after this in the window title.
static const char SpreadTitlePrefix[] = "Quenmire Stonecall V1.1 - ";
static const char SavePromptText[] = "Do you wish to save the new spread configuration?";

// Tells the loop to run the default spread: the message names the spread
// (reading its file into the current spread), then the pending Run skips
// the chooser.
static void AutoLoadDefaultSpread(void)
{
    char text[sizeof(AutoLoadPrefix) + SPREAD_TITLE_SIZE];

    MakeString(text, 2, AutoLoadPrefix, get_spread_name(DefaultStartUpSpread));
    MessageBoxA(hWnd_sim_dialog, text, "Auto-load activated!", MB_OK);
    // The setting holds fewer characters than a file name may have.
    copy_text(SpreadFilename, sizeof SpreadFilename, DefaultStartUpSpread);
    id = IDM_RUN;
    RunDefaultStartUpSpread = 1;
}

void MainWindow1Con(void)
{
    if (FirstRun) {
        DialogKeyFilter = LayoutKeyFilter;
        SetTimer(hWnd_sim_dialog, REPAINT_TIMER_ID, REPAINT_TIME_MS, NULL);
        ShowWindow(hWnd_sim_dialog, SW_SHOWMAXIMIZED);
    }
    if (ColourMainBackground)
        BackgroundColour(ColourRefRGB);
    // The banner is a screen of its own and clears FirstRun: test it once.
    if (FirstRun) {
        if (ShowStartBanner)
            DirectDialog(BANNER_TEMPLATE_ID, TileCon, TileMM, NULL);
        BackgroundColour(ColourRefRGB);
        Pause(1, 0);
        if (DefaultStartUpSpread[0])
            AutoLoadDefaultSpread();
    }
    if (RunSpreadSelected && ran_cards_used[0] != -1)
        RefreshBitBlt();
}

// The layout modes move buttons with the keypad's digits, which need NumLock
// on. The keyboard state is written whenever the key is not held down.
static void ForceNumLock(void)
{
    BYTE keys[256];

    if (GetKeyState(VK_NUMLOCK) < 0)
        return;
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] = 0x81;
    SetKeyboardState(keys);
}

static void SetHtmliseItem(UINT state)
{
    EnableMenuItem(GetMenu(hWnd_sim_dialog), IDM_HTMLISE, MF_BYCOMMAND | state);
}

// Edit and New both enter a layout mode the same way.
static void StartLayoutMode(int *mode_flag, int editing)
{
    ForceNumLock();
    CleanUpMainWin();
    *mode_flag = 1;
    ColourMainBackground = 0;
    edit_spread = editing;
    FadeGreenToWhite();
}

void MainWindow1KC(int code)
{
    switch (code) {
    case IDM_RUN:
        CleanUpMainWin();
        SetHtmliseItem(MF_ENABLED);
        RunSpreadSelected = 1;
        LoadSpread();
        break;
    case IDM_NEW:
        StartLayoutMode(&NewSpreadSelected, 0);
        NewSpread();
        break;
    case IDM_EDIT:
        StartLayoutMode(&EditSpreadSelected, 1);
        EditSpread();
        break;
    case IDM_ABOUT:
        MessageBoxA(hWnd_sim_dialog, AboutText, "About..", MB_OK);
        break;
    case IDM_HTMLISE:
        html_module(ran_cards_used, ran_upsidedown);
        break;
    }
    // Exit and the close request end the mode in the message monitor.
}

void ShowSpreadTitle(void)
{
    char caption[sizeof SpreadTitlePrefix + SPREAD_TITLE_SIZE];

    MakeString(caption, 2, SpreadTitlePrefix, title);
    SetWindowTextA(hWnd_sim_dialog, caption);
}

void CardSelected(int position)
{
    CardChosen = position;
    DirectDialog(RUNE_DETAIL_TEMPLATE_ID, messages_cons, messagesMM, messagesKC);
    id = 0;
}

void CleanUpMainWin(void)
{
    ran_cards_used[0] = -1;
    SetHtmliseItem(MF_GRAYED);
    if (EditSpreadSelected)
        DestroyEditSpread();
    if (RunSpreadSelected)
        DestroyRunSpread();
    if (NewSpreadSelected)
        DestroyNewSpread();
}

void DestroyRunSpread(void)
{
    MainWindow1Con();
    RunSpreadSelected = 0;
    SpreadChanged = 0;
}

// Fades back, removes every position button there is (whatever the number of
// positions) and brings the normal background back. A destroyed button's
// handle is forgotten, so a later window given the same handle is safe.
static void EndLayoutMode(void)
{
    int i;

    FadeWhiteToGreen();
    for (i = 0; i < MAX_POSITIONS; i++) {
        if (ButtonHandles[i] && IsWindow(ButtonHandles[i]))
            DestroyWindow(ButtonHandles[i]);
        ButtonHandles[i] = NULL;
    }
    ColourMainBackground = 1;
    MainWindow1Con();
}

static void OfferToSave(void)
{
    if (MessageBoxA(hWnd_sim_dialog, SavePromptText, "Save..", MB_ICONQUESTION | MB_YESNO) == IDYES)
        write_data_to_file();
}

// Edit mode offers to save only after a layout edit.
void DestroyEditSpread(void)
{
    EndLayoutMode();
    if (SpreadFilename[0] && SpreadChanged)
        OfferToSave();
    SpreadChanged = 0;
    EditSpreadSelected = 0;
}

// New mode offers to save every spread the new-spread dialog created.
void DestroyNewSpread(void)
{
    EndLayoutMode();
    if (SpreadFilename[0] && CancelNewSpread == 0)
        OfferToSave();
    MainWindow1Con();
    NewSpreadSelected = 0;
    SpreadChanged = 0;
}
