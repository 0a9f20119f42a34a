// The reading drawn on the main window, and the rune detail screen with a
// rune's picture, name, interpretation and position meaning.
#include "runes/display.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "gfx/drawing.h"
#include "runes/runetable.h"
#include "runes/spread.h"
#include "util/text.h"

#include <string.h>

#define DETAIL_TEXT_SIZE 1000
#define DETAIL_SEPARATOR "  -  "

// The rune's picture in the detail screen's parchment panel.
#define DETAIL_PICTURE_LEFT 15
#define DETAIL_PICTURE_TOP 20
#define DETAIL_PICTURE_WIDTH 105
#define DETAIL_PICTURE_HEIGHT 194

void DrawCards(void)
{
    int i;

    // All fifteen, in use or not.
    for (i = 0; i < MAX_POSITIONS; i++)
        SetPositionPictureSize(i, StretchCardWidth, StretchCardLength);
    RefreshBitBlt();
}

int RefreshBitBlt(void)
{
    int i;

    // Ascending, so where pictures overlap the higher position lies on top.
    // The drawing call takes the top first, then the left.
    for (i = 0; i < NumCards && i < MAX_POSITIONS; i++) {
        POINT place = PositionPlace(i);
        if (usd[i] || horizontal[i])
            continue;
        DrawBitmapFromID(CardNumber[i], place.y, place.x, StretchCardWidth, StretchCardLength);
    }
    return 0;
}

// The skin and the picture are drawn once: the screen keeps its pixels, and
// its controls stand above them. A meaning that cannot be read (its box has
// been shown) leaves the position's panel empty.
void messages_cons(void)
{
    char meaning[DETAIL_TEXT_SIZE] = "";
    char text[DETAIL_TEXT_SIZE] = "";
    int n = CardNumber[CardChosen];

    DrawBitmapFromID(DETAIL_SKIN_BITMAP_ID, 0, 0, 0, 0);
    copy_text(meaning, sizeof meaning, get_card_pm(CardChosen));
    SetDlgItemTextA(hWnd_sim_dialog, DETAIL_MEANING_ID, meaning);
    append_text(text, sizeof text, get_card_title(n));
    append_text(text, sizeof text, DETAIL_SEPARATOR);
    append_text(text, sizeof text, get_card_desc(n));
    SetDlgItemTextA(hWnd_sim_dialog, DETAIL_TEXT_ID, text);
    DrawBitmapFromID(n, DETAIL_PICTURE_TOP, DETAIL_PICTURE_LEFT, DETAIL_PICTURE_WIDTH, DETAIL_PICTURE_HEIGHT);
}

void messagesMM(void)
{}

// Only OK closes; Cancel (Escape away from the text) is ignored, and the
// close request ends the screen through the loop.
void messagesKC(int code)
{
    if (code == IDOK)
        EndScreen();
}
