// The current spread (the one spread held in memory) and its file: a text
// file of label=value lines with the extension .SCS.
#ifndef STONECALL_RUNES_SPREAD_H
#define STONECALL_RUNES_SPREAD_H

#include "app/publisher.h"

#include <windows.h>

#define MAX_POSITIONS 15
#define SPREAD_TITLE_SIZE 52        // 51 characters and the NUL
#define POSITION_MEANING_SIZE 500   // 499 characters and the NUL
#define CARD_DIR_SIZE 255
#define SPREAD_FILE_VERSION 1100   // what the writer stores; later versions get a warning
#define SPREAD_EXTENSION ".SCS"    // every spread file's name ends so, case and all

#define SPREAD_VERSION_WARNING_CAPTION "Posible problem..."
#define SPREAD_VERSION_WARNING                                                                                         \
    "This spread was made with a later version of QM Stonecall, it may not be compatible with this "                   \
    "version!  Please download the latest version of QM Stonecall from the Quenmire Software "                         \
    "Homepage,\n\n " PUBLISHER_HOME_PAGE ".\n\n Thankyou."

// The current spread:
//
//   global               written by                            read by
//   title                the reader, the new-spread dialog,    the window title, the chooser, the
//                        the chooser (the title chosen)        writer, the report, the edit help
//   version              the reader; the layout editor (a      LoadSpread (the later-version warning)
//                        new spread)
//   NumCards             the reader, the new-spread dialog     every loop over the positions in use
//   NumHorizontal        the new-spread dialog                 the layout editor
//   CardRect             the reader, the layout editor, the    the writer, the display, the hit test,
//                        keypad moves, DrawCards (extents)     the position buttons
//   CardNumber, usd      LoadSpread (from the reading), the    RefreshBitBlt, the rune detail screen
//                        layout editor (a new spread)
//   horizontal           the layout editor (a new spread)      RefreshBitBlt (no picture there)
//   pm                   the layout editor, NewSpread          the writer
//   SpreadFilename       the chooser, the new-spread dialog,   get_card_pm, the writer, the save
//                        the start-up auto-load                prompts, the Run and Edit flows
//   StretchCardWidth,    nothing (70 and 129)                  DrawCards, RefreshBitBlt, the
//   StretchCardLength                                          position buttons
//   CardDir              nothing ("images/")                   the report
extern char title[SPREAD_TITLE_SIZE];
extern int version;
extern int NumCards;   // 0 to 15 positions in use
extern int NumHorizontal;
// Per position, transposed: reached through the accessors below.
extern RECT CardRect[MAX_POSITIONS];
extern int CardNumber[MAX_POSITIONS];
extern int horizontal[MAX_POSITIONS];
extern int usd[MAX_POSITIONS];
extern char pm[MAX_POSITIONS][POSITION_MEANING_SIZE];
extern char SpreadFilename[MAX_PATH];   // a whole path of up to 259 characters
extern int StretchCardWidth;
extern int StretchCardLength;
extern char CardDir[CARD_DIR_SIZE];

// A position's place is the top-left corner of its picture, x and y on the
// main window. CardRect stores it transposed, as the spread file's readers
// always have: left = y, top = x; DrawCards then sets right = y + picture
// width and bottom = x + picture height. Nothing else touches the members.
static inline POINT PositionPlace(int i)
{
    POINT place = {CardRect[i].top, CardRect[i].left};
    return place;
}

// Sets the place alone, as a spread file gives it; the far members stay.
static inline void SetPositionPlace(int i, LONG x, LONG y)
{
    CardRect[i].top = x;
    CardRect[i].left = y;
}

// Moves the place and the far members together: the picture keeps its size.
static inline void MovePosition(int i, LONG dx, LONG dy)
{
    CardRect[i].top += dx;
    CardRect[i].bottom += dx;
    CardRect[i].left += dy;
    CardRect[i].right += dy;
}

// Gives the picture at the place this width and height (the far members).
static inline void SetPositionPictureSize(int i, LONG width, LONG height)
{
    CardRect[i].right = CardRect[i].left + width;
    CardRect[i].bottom = CardRect[i].top + height;
}

// The rectangle the position's picture covers, x and y as on the window.
static inline RECT PositionPicture(int i)
{
    const RECT *stored = &CardRect[i];
    RECT picture;

    picture.left = stored->top;
    picture.top = stored->left;
    picture.right = stored->top + (stored->right - stored->left);
    picture.bottom = stored->left + (stored->bottom - stored->top);
    return picture;
}

// Reads the spread file `path` into the current spread (not the meanings).
// A file that cannot be read leaves it as it was, after an "Error opening file" box.
void get_spread_data(char *path);

// Reads the spread file `path` into the current spread and returns its title.
char *get_spread_name(char *path);

// The meaning of position i, read anew from the file SpreadFilename names;
// the empty text when the file cannot be read. Valid until the next call.
char *get_card_pm(int i);

// Saves the current spread to SpreadFilename and says whether that worked.
void write_data_to_file(void);

#endif
