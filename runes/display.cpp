#include "runes/display.h"

#include "app/screenloop.h"
#include "gfx/drawing.h"
#include "runes/spread.h"

int RefreshBitBlt(void)
{
    int i;

    /* Ascending, so where pictures overlap the higher position lies on top.
     * A CardRect entry holds the top first, then the left. */
    for (i = 0; i < NumCards && i < MAX_POSITIONS; i++) {
        if (usd[i] || horizontal[i])
            continue;
        DrawBitmapFromID(CardNumber[i], CardRect[i].left, CardRect[i].top, StretchCardWidth, StretchCardLength);
    }
    return 0;
}

// Becomes the detail screen's drawing: the skin, the position meaning, the
// rune's name and interpretation, and its picture.
void messages_cons(void)
{
}

void messagesMM(void)
{
}

void messagesKC(int code)
{
    if (code == IDOK)
        id = SCREEN_CLOSE_CODE;
}
