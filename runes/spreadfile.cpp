// The current spread's storage and its file: reading a spread file, fetching
// a position meaning, and writing the spread back through the safe save.
#include "runes/spread.h"

#include "app/screenloop.h"
#include "util/labelstore.h"
#include "util/safesave.h"
#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <string.h>

char title[SPREAD_TITLE_SIZE] = "";
int version = 0;
int NumCards = 0;
int NumHorizontal = 0;
RECT CardRect[MAX_POSITIONS];
int CardNumber[MAX_POSITIONS];
int horizontal[MAX_POSITIONS];
int usd[MAX_POSITIONS];
char pm[MAX_POSITIONS][POSITION_MEANING_SIZE];
char SpreadFilename[MAX_PATH] = "";
int StretchCardWidth = 70;
int StretchCardLength = 129;
char CardDir[CARD_DIR_SIZE] = "images/";

#define SPREAD_HEADER "\nSpread Data File Created By Quenmire Stonecall V1.10\n"
#define SPREAD_TEXT_SIZE 20000
#define LABEL_SIZE 32

// ---- helpers ---------------------------------------------------------

// "rune" + i + "x=" and the like.
static char *PositionLabel(char *dest, const char *stem, int i, const char *tail)
{
    return MakeString(dest, 3, stem, int_to_char(i, 1), tail);
}

static void ShowOpenError(const char *path)
{
    MessageBoxA(NULL, "Error opening file", path, MB_OK);
}

// Reads the whole file into a zero-filled block (the zeros end the text).
// NULL when it cannot be read (missing, a folder, no length, 2 GiB or more,
// no memory, a failed read), after the "Error opening file" box.
static HGLOBAL ReadSpreadText(const char *path, char **text)
{
    HGLOBAL block = NULL;
    int file = _open(path, _O_RDONLY | _O_TEXT);
    LONG length = file == -1 ? -1 : _filelength(file);
    LONG got = 0;
    int n = 0;

    if (length >= 0)
        block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)length + 10);
    if (block) {
        *text = (char *)GlobalLock(block);
        // Carriage returns are dropped, so fewer bytes than the length arrive;
        // the last of the extra ten stays zero whatever the file holds now.
        while (got < length + 9 && (n = _read(file, *text + got, (unsigned)(length + 9 - got))) > 0)
            got += n;
        if (n < 0) {
            GlobalUnlock(block);
            GlobalFree(block);
            block = NULL;
        }
    }
    if (file != -1)
        _close(file);
    if (!block)
        ShowOpenError(path);
    return block;
}

static void ReleaseSpreadText(HGLOBAL block)
{
    GlobalUnlock(block);
    GlobalFree(block);
}

// ---- reading ---------------------------------------------------------

// The writer puts the labels in one order: version, title, the fifteen
// meanings, the fifteen places, the count. A title or a meaning is the user's
// free text and may well hold something like "NumCards=" or "rune0x=", so each
// label is looked for after the value before it, where the writer put it; text
// inside an earlier value is never taken for a later line. A file laid out
// otherwise (made by hand) still finds a label wherever it first stands.
typedef struct {
    const char *text;
    LONG from;   // where the next label's search starts
} SPREAD_CURSOR;

// The value after `label`, up to its end character; the cursor moves past it.
static char *NextValue(SPREAD_CURSOR *cursor, const char *label, char end)
{
    const char ends[2] = {end, '\0'};
    LONG pos = get_label_end_pos_of_string(cursor->text, cursor->from, label);
    const char *stop;

    if (pos < 0)
        pos = get_label_end_pos_of_string(cursor->text, 0, label);
    if (pos < 0)
        return get_variable_of_label_with_end_char_of_string(cursor->text, label, ends);   // the empty text
    stop = strchr(cursor->text + pos + 1, end);
    cursor->from = stop ? (LONG)(stop - cursor->text) : (LONG)strlen(cursor->text);
    return get_variable_of_label_pos_of_string(cursor->text, pos, ends);
}

// The cursor past the version, the title and the meanings before position n.
static void SkipToMeaning(SPREAD_CURSOR *cursor, int n)
{
    char label[LABEL_SIZE];

    NextValue(cursor, "version=", '\n');
    NextValue(cursor, "title=", '\n');
    for (int i = 0; i < n; ++i)
        NextValue(cursor, PositionLabel(label, "runemeaning", i, "="), '*');
}

void get_spread_data(char *path)
{
    char label[LABEL_SIZE];
    char *text;
    HGLOBAL block = ReadSpreadText(path, &text);
    SPREAD_CURSOR cursor = {NULL, 0};

    if (!block)
        return;
    cursor.text = text;
    version = char_to_int(NextValue(&cursor, "version=", '\n'));
    copy_text(title, sizeof title, NextValue(&cursor, "title=", '\n'));
    for (int i = 0; i < MAX_POSITIONS; ++i)
        NextValue(&cursor, PositionLabel(label, "runemeaning", i, "="), '*');
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        LONG x = char_to_int(NextValue(&cursor, PositionLabel(label, "rune", i, "x="), '\n'));
        LONG y = char_to_int(NextValue(&cursor, PositionLabel(label, "rune", i, "y="), '\n'));
        SetPositionPlace(i, x, y);
    }
    NumCards = char_to_int(NextValue(&cursor, "NumCards=", '\n'));
    if (NumCards < 0)
        NumCards = 0;
    if (NumCards > MAX_POSITIONS)
        NumCards = MAX_POSITIONS;
    ReleaseSpreadText(block);
}

char *get_spread_name(char *path)
{
    get_spread_data(path);
    return title;
}

char *get_card_pm(int i)
{
    static char meaning[POSITION_MEANING_SIZE];
    char label[LABEL_SIZE];
    char *text;
    HGLOBAL block = ReadSpreadText(SpreadFilename, &text);
    SPREAD_CURSOR cursor = {NULL, 0};

    meaning[0] = '\0';
    if (!block)
        return meaning;
    cursor.text = text;
    SkipToMeaning(&cursor, i);
    copy_text(meaning, sizeof meaning, NextValue(&cursor, PositionLabel(label, "runemeaning", i, "="), '*'));
    ReleaseSpreadText(block);
    return meaning;
}

// ---- writing ---------------------------------------------------------

static void AppendAll(char *text, const char *piece)
{
    append_text(text, SPREAD_TEXT_SIZE, piece);
}

// A field of the current spread, of `size` bytes: no more of it than the
// field holds, whether or not a NUL ends it there.
static void AppendField(char *text, const char *field, size_t size)
{
    char piece[POSITION_MEANING_SIZE];

    AppendAll(text, copy_text(piece, size, field));
}

static void AssembleSpreadText(char *text)
{
    char label[LABEL_SIZE];

    AppendAll(text, SPREAD_HEADER);
    AppendAll(text, "\nversion=");
    AppendAll(text, int_to_char(SPREAD_FILE_VERSION, 1));
    AppendAll(text, "\ntitle=");
    AppendField(text, title, sizeof title);
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        AppendAll(text, PositionLabel(label, "\nrunemeaning", i, "="));
        AppendField(text, pm[i], sizeof pm[i]);
        AppendAll(text, "*");
    }
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        AppendAll(text, PositionLabel(label, "\nrune", i, "x="));
        AppendAll(text, int_to_char(PositionPlace(i).x, 1));
        AppendAll(text, PositionLabel(label, "\nrune", i, "y="));
        AppendAll(text, int_to_char(PositionPlace(i).y, 1));
    }
    AppendAll(text, "\nNumCards=");
    AppendAll(text, int_to_char(NumCards, 1));
    AppendAll(text, "\n\n");
}

void write_data_to_file(void)
{
    char message[MAX_PATH + 100];
    SAFE_SAVE save;
    BOOL saved = FALSE;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SPREAD_TEXT_SIZE);

    if (block) {
        char *text = (char *)GlobalLock(block);
        AssembleSpreadText(text);
        if (safe_save_open(&save, SpreadFilename)) {
            safe_save_write(&save, text);
            saved = safe_save_close(&save);
        }
        GlobalUnlock(block);
        GlobalFree(block);
    }
    if (saved) {
        MessageBoxA(hWnd_sim_dialog, "Data writen to file.", "Done...", MB_OK);
        return;
    }
    MakeString(message, 3, "The spread could not be saved to the file ", SpreadFilename, ".");
    MessageBoxA(hWnd_sim_dialog, message, "Error..", MB_OK | MB_ICONSTOP);
}
