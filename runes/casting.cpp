// The Run flow: the chooser, the casting screen and its cast (15 different
// runes, drawn as the progress bar advances), then the reading on the main window.
#include "runes/casting.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "editor/chooser.h"
#include "gfx/effects.h"
#include "runes/display.h"
#include "runes/runetable.h"
#include "settings/inifile.h"
#include "util/text.h"

#include <stdlib.h>
#include <string.h>
#include <time.h>

int ran_cards_used[MAX_POSITIONS] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
int ran_upsidedown[MAX_POSITIONS];
HWND button_OK = NULL;

#define SPREADING_TEXT "Now Spreading the Deck\n\n"

// The bar takes the OK button's place once the cast begins.
#define BAR_LEFT 34
#define BAR_TOP 150
#define BAR_WIDTH 364.0f
#define BAR_HEIGHT 20

static void SetCastingText(const char *text)
{
    SetWindowTextA(GetDlgItem(hWnd_sim_dialog, CASTING_TEXT_ID), text);
}

// Whether another position of the reading already holds position i's rune.
static int RuneTakenElsewhere(int i)
{
    int j;

    for (j = 0; j < MAX_POSITIONS; j++)
        if (j != i && ran_cards_used[j] == ran_cards_used[i])
            return 1;
    return 0;
}

// Every attempt within one second draws the same rune, so a rejected attempt
// gives the next second its turn: sleeping until then costs nothing, where
// trying again at once would burn a whole core for the length of the cast.
// Looking at the queue (and leaving it as it is) tells the system the
// program is alive, so the desktop never marks the window as not responding.
static void WaitForNextSecond(time_t seed)
{
    SYSTEMTIME now;
    MSG msg;

    while (time(NULL) == seed) {
        GetSystemTime(&now);
        Sleep(1000 - now.wMilliseconds);
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    }
}

// The rune of position i: drawn anew, seeded from the calendar second, until
// no other position holds it.
static void CastPosition(int i)
{
    time_t seed;

    for (;;) {
        seed = time(NULL);
        srand((unsigned)seed);
        ran_cards_used[i] = rand() % RUNE_COUNT + 1;
        if (!RuneTakenElsewhere(i))
            return;
        WaitForNextSecond(seed);
    }
}

void GetRandomCardsCon(void)
{
    button_OK = CreateWindowExA(0, "button", "OK", WS_CHILD | WS_VISIBLE, 36, 146, 362, 30, hWnd_sim_dialog,
                                (HMENU)(INT_PTR)CASTING_OK_ID, hInst2, NULL);
}

// Whatever the first command is (the button, Enter, Escape, the close
// request), it casts: the cast always ends in a full reading.
void GetRandomCardsKC(int code)
{
    int i;

    (void)code;
    for (i = 0; i < MAX_POSITIONS; i++)
        ran_cards_used[i] = -1;
    SetCastingText(SPREADING_TEXT);
    ShowWindow(button_OK, SW_HIDE);
    for (i = 0; i < MAX_POSITIONS; i++)
        ran_upsidedown[i] = 0;
    for (i = 0; i < MAX_POSITIONS; i++) {
        CastPosition(i);
        ProgressBarTarot(BAR_LEFT, BAR_TOP, BAR_WIDTH, BAR_HEIGHT, MAX_POSITIONS - 1, i);
        SetCastingText(SPREADING_TEXT);
    }
    EndScreen();
}

void LoadSpread(void)
{
    char name[MAX_PATH];
    int i;

    if (RunDefaultStartUpSpread == 0)
        ChooseSpread();
    RunDefaultStartUpSpread = 0;
    // The whole name: a default spread may be given with its folder.
    strcpy(name, SpreadFilename);
    MainWindow1Con();
    if (name[0] == '\0') {
        DestroyRunSpread();
        return;
    }
    // Without the casting screen there is no reading to show.
    if (DirectDialog(CASTING_TEMPLATE_ID, GetRandomCardsCon, NULL, GetRandomCardsKC) != 1) {
        DestroyRunSpread();
        return;
    }
    get_spread_data(name);
    if (version > SPREAD_FILE_VERSION)
        MessageBoxA(hWnd_sim_dialog, SPREAD_VERSION_WARNING, SPREAD_VERSION_WARNING_CAPTION, MB_OK | MB_ICONWARNING);
    ShowSpreadTitle();
    for (i = 0; i < NumCards; i++) {
        CardNumber[i] = ran_cards_used[i];
        usd[i] = ran_upsidedown[i];
    }
    MainWindow1Con();
    DrawCards();
}
