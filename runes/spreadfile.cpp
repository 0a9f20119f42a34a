#include "runes/spread.h"

#include "app/screenloop.h"
#include "util/labelstore.h"
#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <errno.h>
#include <stdio.h>
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
#define TEMP_NAME_TRIES 10

/* ---- helpers --------------------------------------------------------- */

static void CopyCut(char *dest, const char *text, size_t size)
{
    size_t n = 0;
    while (n + 1 < size && text[n])
        ++n;
    memcpy(dest, text, n);
    dest[n] = '\0';
}

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

/* ---- reading --------------------------------------------------------- */

void get_spread_data(char *path)
{
    char label[LABEL_SIZE];
    char *text;
    HGLOBAL block = ReadSpreadText(path, &text);

    if (!block)
        return;
    version = char_to_int(get_variable_of_label_of_string(text, "version="));
    CopyCut(title, get_variable_of_label_of_string(text, "title="), sizeof title);
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        CardRect[i].top = char_to_int(get_variable_of_label_of_string(text, PositionLabel(label, "rune", i, "x=")));
        CardRect[i].left = char_to_int(get_variable_of_label_of_string(text, PositionLabel(label, "rune", i, "y=")));
    }
    NumCards = char_to_int(get_variable_of_label_of_string(text, "NumCards="));
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

    meaning[0] = '\0';
    if (!block)
        return meaning;
    PositionLabel(label, "runemeaning", i, "=");
    CopyCut(meaning, get_variable_of_label_with_end_char_of_string(text, label, "*"), sizeof meaning);
    ReleaseSpreadText(block);
    return meaning;
}

/* ---- writing --------------------------------------------------------- */

// Appends at most `max` characters of `piece`, never past the end of `text`.
static void Append(char *text, size_t size, const char *piece, size_t max)
{
    size_t used = strlen(text);
    size_t n = 0;
    while (n < max && piece[n] && used + n + 1 < size)
        ++n;
    memcpy(text + used, piece, n);
    text[used + n] = '\0';
}

static void AppendAll(char *text, const char *piece)
{
    Append(text, SPREAD_TEXT_SIZE, piece, SPREAD_TEXT_SIZE);
}

static void AssembleSpreadText(char *text)
{
    char label[LABEL_SIZE];

    AppendAll(text, SPREAD_HEADER);
    AppendAll(text, "\nversion=");
    AppendAll(text, int_to_char(SPREAD_FILE_VERSION, 1));
    AppendAll(text, "\ntitle=");
    Append(text, SPREAD_TEXT_SIZE, title, SPREAD_TITLE_SIZE - 1);
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        AppendAll(text, PositionLabel(label, "\nrunemeaning", i, "="));
        Append(text, SPREAD_TEXT_SIZE, pm[i], POSITION_MEANING_SIZE - 1);
        AppendAll(text, "*");
    }
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        AppendAll(text, PositionLabel(label, "\nrune", i, "x="));
        AppendAll(text, int_to_char(CardRect[i].top, 1));
        AppendAll(text, PositionLabel(label, "\nrune", i, "y="));
        AppendAll(text, int_to_char(CardRect[i].left, 1));
    }
    AppendAll(text, "\nNumCards=");
    AppendAll(text, int_to_char(NumCards, 1));
    AppendAll(text, "\n\n");
}

// The file a name stands for: through a symbolic link, its target, so the
// link stays a link. The name itself when it names no file yet.
static void ResolveTarget(const char *name, char *target)
{
    const char *path = target;
    int file = _open(name, _O_RDONLY | _O_BINARY);
    DWORD n = 0;

    if (file != -1) {
        n = GetFinalPathNameByHandleA((HANDLE)_get_osfhandle(file), target, MAX_PATH, FILE_NAME_NORMALIZED);
        _close(file);
    }
    if (n == 0 || n >= MAX_PATH) {
        CopyCut(target, name, MAX_PATH);
        return;
    }
    // Windows answers \\?\C:\folder\name; the plain form is wanted.
    if (strncmp(path, "\\\\?\\", 4) == 0)
        memmove(target, path + 4, strlen(path + 4) + 1);
}

// Creates a temporary file beside `target` under a name that never matches
// *.SCS; -1 when the folder takes no new file.
static int CreateTempBeside(const char *target, char *temp)
{
    const char *slash = strrchr(target, '/');
    const char *backslash = strrchr(target, '\\');
    size_t folder;
    int file = -1;

    if (backslash > slash)
        slash = backslash;
    folder = slash ? (size_t)(slash - target + 1) : 0;
    for (int i = 0; i < TEMP_NAME_TRIES && file == -1; ++i) {
        memcpy(temp, target, folder);
        MakeString(temp + folder, 3, "~SC", int_to_char(i, 1), ".TMP");
        file = _open(temp, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
        if (file == -1 && errno != EEXIST)
            break;
    }
    return file;
}

static BOOL WriteWhole(int file, const char *text)
{
    BOOL written = swrite(file, text) == (int)strlen(text);
    return _close(file) == 0 && written;
}

// The safe way: a complete new file replaces the old one only once it is
// whole, so a failure leaves the old file as it was.
static BOOL SaveBeside(const char *target, const char *text, BOOL *saved)
{
    char temp[MAX_PATH + 16];
    int file = CreateTempBeside(target, temp);

    if (file == -1)
        return FALSE;
    *saved = WriteWhole(file, text) && MoveFileExA(temp, target, MOVEFILE_REPLACE_EXISTING);
    if (!*saved)
        DeleteFileA(temp);
    return TRUE;
}

// Where no file can be made beside it, the file is rewritten where it is.
static BOOL SaveInPlace(const char *target, const char *text)
{
    int file = _open(target, _O_RDWR | _O_TRUNC | _O_TEXT);
    if (file == -1)
        file = _open(target, _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE);
    return file != -1 && WriteWhole(file, text);
}

void write_data_to_file(void)
{
    char target[MAX_PATH];
    char message[MAX_PATH + 100];
    BOOL saved = FALSE;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SPREAD_TEXT_SIZE);

    ResolveTarget(SpreadFilename, target);
    _chmod(target, _S_IWRITE);
    if (block) {
        char *text = (char *)GlobalLock(block);
        AssembleSpreadText(text);
        if (!SaveBeside(target, text, &saved))
            saved = SaveInPlace(target, text);
        GlobalUnlock(block);
        GlobalFree(block);
    }
    _chmod(target, _S_IWRITE);
    if (saved) {
        MessageBoxA(hWnd_sim_dialog, "Data writen to file.", "Done...", MB_OK);
        return;
    }
    MakeString(message, 3, "The spread could not be saved to the file ", SpreadFilename, ".");
    MessageBoxA(hWnd_sim_dialog, message, "Error..", MB_OK | MB_ICONSTOP);
}
