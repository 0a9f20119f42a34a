// The layout editor: the Edit flow, the position buttons of an edited or new
// spread, the help shown first, and the position-meaning dialog.
#include "editor/layout.h"

#include "app/mainwindow.h"
#include "app/publisher.h"
#include "app/screenloop.h"
#include "editor/chooser.h"
#include "settings/inifile.h"
#include "util/text.h"

#include <string.h>

HWND ButtonHandles[MAX_POSITIONS];

// A new spread's positions step down and right from here.
#define CASCADE_X 200
#define CASCADE_Y 10
#define CASCADE_STEP 20
#define NEW_SPREAD_VERSION 2000

static const char EditHelpStart[] =
    "The position of the runes are represented by large buttons.  To edit a buttons' position just click on the "
    "button and use the direction keys on the number pad to move the button to the desired position.  To change "
    "the distance moved by the button use the + and - keys on the number pad.  To see what the jump size is at any "
    "time press the * key.  To edit the runes' position meaning press the central 5 key on the number pad.  To make "
    "a permanent record of the reading choose 'HTMLise' from the 'Spread' menu.  A file called 'Rune.htm' will be "
    "created showing the reading for the spread chosen.  The data will be recorded to a file called ";
static const char EditHelpDistribute[] =
    " when you Exit.  If you want to distribute your spread then e-mail me with the file '";
static const char EditHelpAddress[] = " 'included in the e-mail (" PUBLISHER_SUPPORT_ADDRESS ").";
static const char EditHelpRun[] =
    "  If I like your spread I will put it on the Quenmire Software Homepage (Feel free to distribute spreads on "
    "your own homepage, as long as you include a link to the Quenmire Software homepage, and e-mail me to say "
    "you're doing so).\n\nWhen you want to run your spread click 'Run' on the 'Spread' menu and look for the "
    "spread named '";
static const char EditHelpEnd[] = "' from the list, highlight it and click 'OK'.";
// Last, so that a name long enough to fill the buffer cuts this before any of the rest.
static const char EditHelpWithoutKeypad[] =
    "\n\nNo number pad? The arrow keys move the button too, and Home, End, Page Up and Page Down diagonally; "
    "+ - and * work on any keyboard; F2 edits the meaning.  Or drag a button with the mouse, and double-click it "
    "for its meaning.";

static const char StarRefusedText[] =
    "The character * cannot be used in a position meaning: the spread file ends each meaning with it.  "
    "Please remove it.";

void EditSpread(void)
{
    char filename[MAX_PATH];

    ChooseSpread();
    copy_text(filename, sizeof filename, SpreadFilename);
    MainWindow1Con();
    // Cancelled: edit mode stays, without buttons, until the next command ends it.
    if (filename[0] == '\0')
        return;
    get_spread_data(filename);
    MainWindow1Con();
    new_spread_edit_cons();
}

// The file name and the title are the user's and of any length the fields
// allow: the text is cut at the buffer's end rather than run past it.
void MakeEditHelp(char *text)
{
    const char *pieces[] = {EditHelpStart, SpreadFilename, EditHelpDistribute, SpreadFilename,       EditHelpAddress,
                            EditHelpRun,   title,          EditHelpEnd,        EditHelpWithoutKeypad};
    size_t i;

    text[0] = '\0';
    for (i = 0; i < sizeof pieces / sizeof pieces[0]; i++)
        append_text(text, EDIT_HELP_SIZE, pieces[i]);
}

static void ShowEditHelpMessage(void)
{
    char text[EDIT_HELP_SIZE];

    MakeEditHelp(text);
    MessageBoxA(hWnd_sim_dialog, text, "Important information about creating your spread...", MB_OK);
}

static void LoadPositionMeanings(void)
{
    int i;

    for (i = 0; i < MAX_POSITIONS; i++) {
        copy_text(pm[i], sizeof pm[i], get_card_pm(i));
    }
}

// A new spread's positions overlap down and to the right, so that every
// button can be seen and picked; the last NumHorizontal are flagged.
static void LayOutNewSpread(void)
{
    int i;

    for (i = 0; i < NumCards; i++) {
        SetPositionPlace(i, CASCADE_X + CASCADE_STEP * i, CASCADE_Y + CASCADE_STEP * i);
        CardNumber[i] = 0;
        usd[i] = 0;
    }
    for (i = 0; i < MAX_POSITIONS; i++)
        horizontal[i] = (i >= NumCards - NumHorizontal && i < NumCards) ? 1 : 0;
    version = NEW_SPREAD_VERSION;
}

static void CreatePositionButton(int i)
{
    char text[16];
    POINT place = PositionPlace(i);

    MakeString(text, 2, "rune ", int_to_char(i + 1, 10));
    ButtonHandles[i] = CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_PUSHBUTTON,
                                       place.x, place.y, StretchCardWidth, StretchCardLength, hWnd_sim_dialog,
                                       (HMENU)(INT_PTR)(POSITION_BUTTON_FIRST_ID + i), hInst2, NULL);
}

void new_spread_edit_cons(void)
{
    int i;

    if (ShowEditHelp)
        ShowEditHelpMessage();
    if (edit_spread)
        LoadPositionMeanings();
    else
        LayOutNewSpread();
    ShowSpreadTitle();
    // From the last to the first: each new button goes below the ones made
    // before it, so where they overlap a later position is on top, as its
    // rune is in a reading.
    for (i = NumCards - 1; i >= 0; i--)
        CreatePositionButton(i);
}

void EditCardMeaning(void)
{
    DirectDialog(POSITION_MEANING_TEMPLATE_ID, EditCardMeaningCon, NULL, EditCardMeaningKC);
}

void EditCardMeaningCon(void)
{
    SetDlgItemTextA(hWnd_sim_dialog, IDC_POSITION_MEANING, pm[ButtonAquired]);
}

// The spread file ends a meaning at its first star, so a star would cut the
// meaning when it is saved: the user is asked to take it out instead.
void EditCardMeaningKC(int command)
{
    char meaning[POSITION_MEANING_SIZE];

    switch (command) {
    case IDOK:
        GetDlgItemTextA(hWnd_sim_dialog, IDC_POSITION_MEANING, meaning, sizeof meaning);
        if (strchr(meaning, '*')) {
            MessageBoxA(hWnd_sim_dialog, StarRefusedText, "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        memcpy(pm[ButtonAquired], meaning, sizeof meaning);
        EndScreen();
        break;
    case IDCANCEL:
        EndScreen();
        break;
    }
}
