// The new-spread dialog: title, file name and the number of positions,
// checked before the new spread's layout begins.
#include "editor/newspread.h"

#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "editor/layout.h"
#include "runes/spread.h"
#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <errno.h>
#include <string.h>

// The most characters taken from each field; longer text is cut.
#define NEW_TITLE_CHARS 49
#define NEW_FILENAME_CHARS 12
#define NEW_NUMBER_CHARS 2

static const char NoTitleText[] = "You must enter a title for your spread";
static const char NoFilenameText[] = "You must enter a filename for your spread.";
static const char ExtensionText[] = "The file must have the extension " SPREAD_EXTENSION "!";
static const char TooFewText[] = "You must enter a value greater than zero for the number of runes in your spread.";
static const char TooManyText[] = "You must enter a value less than sixteen for the number of runes in your spread.";
static const char UnusableFileText[] =
    "You have entered either an invalid filename, or the filename of a file that already exists.";
static const char FolderRefusesText[] =
    " cannot be created here: the folder does not take new files, or the disk is full.";

static void ShowEntryError(const char *text)
{
    MessageBoxA(hWnd_sim_dialog, text, "Error", MB_OK | MB_ICONEXCLAMATION);
}

// The last four characters, compared from the end, case and all.
static int HasSpreadExtension(const char *name)
{
    size_t length = strlen(name);
    size_t n = strlen(SPREAD_EXTENSION);
    size_t i;

    if (length < n)
        return 0;
    for (i = 1; i <= n; i++)
        if (name[length - i] != SPREAD_EXTENSION[n - i])
            return 0;
    return 1;
}

// The name must make a new file in the working folder: creating it
// exclusively fails for a name that is taken or that the file system refuses.
// A folder part would put the spread where the chooser never looks. A folder
// that takes no file at all is a different trouble from a bad name, and the
// user is told so. Answers 1 when it can; otherwise the user has been told why.
static int CheckFileCanBeCreated(const char *name)
{
    char text[NEW_FILENAME_CHARS + sizeof FolderRefusesText + 16];
    int file;

    if (strchr(name, '/') || strchr(name, '\\')) {
        ShowEntryError(UnusableFileText);
        return 0;
    }
    file = _open(name, _O_RDWR | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (file == -1) {
        if (errno == EACCES || errno == ENOSPC || errno == EROFS) {
            MakeString(text, 3, "The file ", name, FolderRefusesText);
            ShowEntryError(text);
        } else {
            ShowEntryError(UnusableFileText);
        }
        return 0;
    }
    _close(file);
    _chmod(name, _S_IWRITE);
    _unlink(name);
    return 1;
}

// The fields go straight into the current spread and stay there whatever the
// checks decide; the first failing check is reported and the dialog stays.
static void AcceptNewSpread(void)
{
    char positions[NEW_NUMBER_CHARS + 1];
    char horizontals[NEW_NUMBER_CHARS + 1];

    CancelNewSpread = 0;
    GetDlgItemTextA(hWnd_sim_dialog, IDC_NEW_TITLE, title, NEW_TITLE_CHARS + 1);
    GetDlgItemTextA(hWnd_sim_dialog, IDC_NEW_FILENAME, SpreadFilename, NEW_FILENAME_CHARS + 1);
    GetDlgItemTextA(hWnd_sim_dialog, IDC_NEW_POSITIONS, positions, sizeof positions);
    GetDlgItemTextA(hWnd_sim_dialog, IDC_NEW_HORIZONTAL, horizontals, sizeof horizontals);
    NumCards = char_to_int(positions);
    NumHorizontal = char_to_int(horizontals);

    if (title[0] == '\0')
        ShowEntryError(NoTitleText);
    else if (SpreadFilename[0] == '\0')
        ShowEntryError(NoFilenameText);
    else if (!HasSpreadExtension(SpreadFilename))
        ShowEntryError(ExtensionText);
    else if (NumCards < 1)
        ShowEntryError(TooFewText);
    else if (NumCards > MAX_POSITIONS)
        ShowEntryError(TooManyText);
    else if (CheckFileCanBeCreated(SpreadFilename))
        EndScreen();
}

// The dialog has no caption, but Alt+F4 still closes it: that is a cancel
// too, whatever an earlier OK left in the flag.
void create_new_spread_key(int command)
{
    switch (command) {
    case IDOK:
        AcceptNewSpread();
        break;
    case IDCANCEL:
    case SCREEN_CLOSE_CODE:
        CancelNewSpread = 1;
        EndScreen();
        break;
    }
}

void NewSpread(void)
{
    int i;

    // Nothing is new until the dialog is accepted, also when it cannot open.
    CancelNewSpread = 1;
    DirectDialog(NEW_SPREAD_TEMPLATE_ID, NULL, NULL, create_new_spread_key);
    if (CancelNewSpread)
        return;
    MainWindow1Con();
    if (SpreadFilename[0] == '\0')
        return;
    new_spread_edit_cons();
    for (i = 0; i < MAX_POSITIONS; i++)
        pm[i][0] = '\0';
}
