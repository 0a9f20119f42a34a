// The spread chooser: every spread file of the working folder listed by its
// title; the chosen title leads back to its file.
#include "editor/chooser.h"

#include "app/screenloop.h"
#include "runes/spread.h"

#include <io.h>

#include <string.h>

char (*spreadfilenames)[MAX_PATH] = NULL;
int spreadfilecount = 0;

static HGLOBAL SpreadNameBlock = NULL;
static HWND SpreadList = NULL;

#define SPREAD_PATTERN "*" SPREAD_EXTENSION

// A title read from a file ends at its line's end, so it never holds a line
// feed: a title left at this by a file that could not be read matches nothing.
static const char NoTitle[] = "\n";

static void ForgetSpreadNames(void)
{
    if (SpreadNameBlock) {
        GlobalUnlock(SpreadNameBlock);
        GlobalFree(SpreadNameBlock);
    }
    SpreadNameBlock = NULL;
    spreadfilenames = NULL;
    spreadfilecount = 0;
}

// Normal files only, as an attribute mask of 0 asks for.
static int IsSpreadFile(const struct _finddata_t *found)
{
    return (found->attrib & (_A_SUBDIR | _A_HIDDEN | _A_SYSTEM)) == 0;
}

// How many spread files the folder holds now.
static int CountSpreadFiles(void)
{
    struct _finddata_t found;
    intptr_t search = _findfirst(SPREAD_PATTERN, &found);
    int n = 0;

    if (search == -1)
        return 0;
    do {
        if (IsSpreadFile(&found))
            n++;
    } while (_findnext(search, &found) == 0);
    _findclose(search);
    return n;
}

// The table is sized from a first pass over the folder, so however many
// spread files there are, each gets its entry; a file that appears between
// the two passes waits for the next listing rather than overrunning it.
static void FindSpreadFiles(void)
{
    struct _finddata_t found;
    intptr_t search;
    int room = CountSpreadFiles();

    ForgetSpreadNames();
    if (room == 0)
        return;
    SpreadNameBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)room * MAX_PATH);
    if (!SpreadNameBlock)
        return;
    spreadfilenames = (char(*)[MAX_PATH])GlobalLock(SpreadNameBlock);
    search = _findfirst(SPREAD_PATTERN, &found);
    if (search == -1)
        return;
    do {
        if (IsSpreadFile(&found) && strlen(found.name) < MAX_PATH)
            strcpy(spreadfilenames[spreadfilecount++], found.name);
    } while (spreadfilecount < room && _findnext(search, &found) == 0);
    _findclose(search);
}

void open_or_create_new_spread_cons(void)
{
    int i;

    SpreadList = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 10, 10, 220, 232,
                                 hWnd_sim_dialog, (HMENU)(INT_PTR)CHOOSER_LIST_ID, hInst2, NULL);
    FindSpreadFiles();
    // Each file is parsed whole to name it; the current spread ends up holding
    // the last one, and the callers load the chosen file again.
    for (i = 0; i < spreadfilecount; i++)
        SendMessageA(SpreadList, LB_ADDSTRING, 0, (LPARAM)get_spread_name(spreadfilenames[i]));
}

void open_new_spread_cons(void)
{
    char wanted[SPREAD_TITLE_SIZE];
    int i;

    strcpy(wanted, title);
    for (i = 0; i < spreadfilecount; i++) {
        strcpy(title, NoTitle);
        if (strcmp(get_spread_name(spreadfilenames[i]), wanted) == 0) {
            strcpy(SpreadFilename, spreadfilenames[i]);
            break;
        }
    }
    // The current spread goes on holding what the last file read gave it;
    // a file that was not read leaves no marker behind in the title.
    if (strcmp(title, NoTitle) == 0)
        strcpy(title, wanted);
}

// The selected item's text into title; with nothing selected (or a text the
// title cannot hold, which no listed title is) title keeps what it has.
static void TakeSelectedTitle(void)
{
    LRESULT item = SendMessageA(SpreadList, LB_GETCURSEL, 0, 0);
    LRESULT length;

    if (item == LB_ERR)
        return;
    length = SendMessageA(SpreadList, LB_GETTEXTLEN, (WPARAM)item, 0);
    if (length >= 0 && length < (LRESULT)sizeof title)
        SendMessageA(SpreadList, LB_GETTEXT, (WPARAM)item, (LPARAM)title);
}

void open_or_create_new_spread_KC(int command)
{
    switch (command) {
    case IDOK:
        TakeSelectedTitle();
        open_new_spread_cons();
        EndScreen();
        break;
    case IDCANCEL:
        SpreadFilename[0] = '\0';
        EndScreen();
        break;
    }
}

void ChooseSpread(void)
{
    DirectDialog(CHOOSER_TEMPLATE_ID, open_or_create_new_spread_cons, NULL, open_or_create_new_spread_KC);
    SpreadList = NULL;
}
