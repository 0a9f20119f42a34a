// The main window: the program's top screen (template 5), maximised, with the
// menu. It is idle, shows a reading (run mode) or the layout editor's position
// buttons (edit and new mode); every command that starts a mode ends the
// current one first.
#ifndef STONECALL_APP_MAINWINDOW_H
#define STONECALL_APP_MAINWINDOW_H

#include <windows.h>

#define MAIN_WINDOW_TEMPLATE_ID 5
#define RUNE_DETAIL_TEMPLATE_ID 2

// Timer 1 repaints the top screens every five seconds, so what a nested
// screen or a message box covered comes back.
#define REPAINT_TIMER_ID 1
#define REPAINT_TIME_MS 5000

// Menu commands.
#define IDM_EXIT 3
#define IDM_RUN 901
#define IDM_EDIT 902
#define IDM_NEW 903
#define IDM_ABOUT 905
#define IDM_HTMLISE 907

// The one keyword of the command line.
#define SETUP_KEYWORD "DeckwiseSetup"

// The main window's state. The mode flags (the first five) are written here,
// in mainwindow.cpp, and nowhere else; "the monitor" is MainWindow1MM.
//
//   global                 written by                        read by
//   RunSpreadSelected      Run; DestroyRunSpread             Con (redraw the reading), the monitor,
//                                                            CleanUpMainWin
//   EditSpreadSelected     Edit; DestroyEditSpread           the monitor, CleanUpMainWin
//   NewSpreadSelected      New; DestroyNewSpread             the monitor, CleanUpMainWin
//   edit_spread            Edit (1), New (0)                 the layout editor (which layout)
//   ColourMainBackground   Edit and New (0), their end (1)   Con (fill the background)
//   SpreadChanged          the monitor (every layout edit);  DestroyEditSpread (the save prompt)
//                          the end of each mode (0)
//   CancelNewSpread        the new-spread dialog             DestroyNewSpread (the save prompt)
//   CardChosen             CardSelected                      the rune detail screen
//   ButtonAquired          the monitor (a position button    the monitor (keys), the position-
//                          clicked, dragged or double-       meaning dialog
//                          clicked)
//   ButtonJumpWidth        the monitor (+ and -)             the monitor (moves, *)
//   cursor                 the monitor (a click, run mode)   nothing
extern int RunSpreadSelected;
extern int EditSpreadSelected;
extern int NewSpreadSelected;
extern int edit_spread;
extern int ColourMainBackground;
extern int SpreadChanged;
extern int CancelNewSpread;
extern int CardChosen;
extern int ButtonAquired;
extern int ButtonJumpWidth;
extern POINT cursor;   // the last left click tested in run mode, client coordinates

// Construct on the first call (FirstRun), repaint on every later one.
void MainWindow1Con(void);
void MainWindow1MM(void);
// The screen loop's key filter while the main window runs: in the layout
// modes the arrow keys and their neighbours move the acquired position and
// never the focus, so the dialog manager does not see them.
int LayoutKeyFilter(const MSG *msg);
void MainWindow1KC(int code);

// Names the current spread in the current window's title: Run, Edit and New
// do; leaving a mode keeps it.
void ShowSpreadTitle(void);
// Opens the rune detail screen for position `position`.
void CardSelected(int position);
// Ends whatever mode is active.
void CleanUpMainWin(void);
void DestroyRunSpread(void);
void DestroyEditSpread(void);
void DestroyNewSpread(void);

#endif
