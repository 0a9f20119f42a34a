// The program entry: load the settings, then run the setup screen or the main
// window. The exit code tells whether the settings file closed cleanly.
#include "app/mainwindow.h"

#include "app/screenloop.h"
#include "settings/inifile.h"
#include "settings/setup.h"
#include "util/text.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd)
{
    (void)hPrevInstance;
    (void)nShowCmd;
    hInst2 = hInstance;
    hWnd_sim_dialog = NULL;
    hWndSimDialog = NULL;
    // Both screens start from the loaded settings.
    GetIniData();
    // The whole text, case and blanks included.
    if (compare_strings(lpCmdLine ? lpCmdLine : "", SETUP_KEYWORD) == 0) {
        DeckwiseSetup();
        KillTimer(hWnd_sim_dialog, REPAINT_TIMER_ID);
        return 0;
    }
    DirectDialog(MAIN_WINDOW_TEMPLATE_ID, MainWindow1Con, MainWindow1MM, MainWindow1KC);
    KillTimer(hWnd_sim_dialog, REPAINT_TIMER_ID);
    return TerminateIniFile();
}
