#include "runes/casting.h"

#include "app/mainwindow.h"
#include "settings/inifile.h"

int ran_cards_used[MAX_POSITIONS] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
int ran_upsidedown[MAX_POSITIONS];

// Becomes the spread chooser, the casting screen and the display of the reading;
// for now no spread is ever chosen, so run mode ends at once.
void LoadSpread(void)
{
    RunDefaultStartUpSpread = 0;
    DestroyRunSpread();
}
