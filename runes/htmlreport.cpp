// The reading written as RUNE.HTM: the spread's title, then each rune's
// picture, name, interpretation and position meaning.
#include "runes/htmlreport.h"

#include "app/publisher.h"
#include "app/screenloop.h"
#include "runes/html_text.h"
#include "runes/runetable.h"
#include "runes/spread.h"
#include "util/safesave.h"
#include "util/text.h"

#include <string>

static const char PageHead[] = "<HTML><HEAD><TITLE>Quenmire Stonecall V1.1</TITLE></HEAD><BODY BACKGROUND=\"";
static const char PageIntro[] =
    "quenmir2.gif\"   BGCOLOR=\"#FEDAAC\"><font face=\"nosferatu\"><font size=4><FONT  COLOR=\"#004080\"><B>"
    "<BIG>F</BIG></B></FONT>ollowing are your chosen runes, their divinatory interpretation, and the meaning of "
    "their positions in the ";
static const char PageIntroEnd[] = " formation:<BR><BR>";
static const char RuneBreaks[] = "<BR><BR><BR><BR><BR><BR><BR>";
static const char PageFoot[] = "quenmirs.gif\" WIDTH=142 HEIGHT=20></A><BR><BR></B></BODY></HTML>";

static const char CreatedText[] = "The file 'Rune.htm' has been created, and contains infomation about this reading";
static const char NotWrittenText[] =
    "The file " HTML_REPORT_FILE " could not be written; any page it held before is unchanged.";
static const char NoReadingText[] = "There is no reading to write: run a spread first.";

// The runes of positions 0 to NumCards - 1, each with its picture, the
// meaning of its position (spread text, made safe for the page), its name and
// its interpretation.
static void WriteRunes(SAFE_SAVE *page, const int *runes)
{
    int i;

    for (i = 0; i < NumCards; i++) {
        int n = runes[i];
        // Made safe, a meaning can be several times its own length: the
        // piece grows to hold it whole.
        std::string meaning = "<U>" + html_safe_text(get_card_pm(i)) + "</U><BR>";

        safe_save_write(page, "<IMG ALIGN=LEFT SRC=\"");
        safe_save_write(page, CardDir);
        safe_save_write(page, int_to_char(n, 10));
        safe_save_write(page, ".jpg\" WIDTH=70 HEIGHT=129>");
        safe_save_write(page, meaning.c_str());
        safe_save_write(page, "<BR><U>");
        safe_save_write(page, get_card_title(n));
        safe_save_write(page, "</U><BR>");
        safe_save_write(page, get_card_desc(n));
        safe_save_write(page, RuneBreaks);
    }
}

// Written like a spread file: the page is replaced only once the new one is
// whole, and the message says what really happened.
void html_module(int *runes, int *flags)
{
    SAFE_SAVE page;

    (void)flags;
    if (runes[0] == -1) {
        MessageBoxA(hWnd_sim_dialog, NoReadingText, "Rune.htm not written...", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!safe_save_open(&page, HTML_REPORT_FILE)) {
        MessageBoxA(NULL, "unable to comply!", "", MB_OK);
        return;
    }
    safe_save_write(&page, PageHead);
    safe_save_write(&page, CardDir);
    safe_save_write(&page, PageIntro);
    safe_save_write(&page, html_safe_text(title).c_str());
    safe_save_write(&page, PageIntroEnd);
    WriteRunes(&page, runes);
    safe_save_write(&page, "<Center><A HREF=\"");
    safe_save_write(&page, PUBLISHER_HOME_PAGE);
    safe_save_write(&page, "\"><IMG SRC=\"");
    safe_save_write(&page, CardDir);
    safe_save_write(&page, PageFoot);
    if (safe_save_close(&page))
        MessageBoxA(hWnd_sim_dialog, CreatedText, "Rune.htm created...", MB_OK);
    else
        MessageBoxA(hWnd_sim_dialog, NotWrittenText, "Error..", MB_OK | MB_ICONSTOP);
}
