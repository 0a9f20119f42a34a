// The setup screen, opened by the command line "DeckwiseSetup": the layout
// editor's help, the start banner and the spread loaded at start.
#ifndef STONECALL_SETTINGS_SETUP_H
#define STONECALL_SETTINGS_SETUP_H

#define SETUP_TEMPLATE_ID 7

// The screen's controls.
#define IDC_SHOW_EDIT_HELP 102
#define IDC_SHOW_START_BANNER 103
#define IDC_CHANGE_START_UP_SPREAD 104
#define IDC_START_UP_SPREAD 105

// Runs the setup screen until it closes.
void DeckwiseSetup(void);
void DWSetupCon(void);
void DWSetupMM(void);
void DWSetupKC(int code);

// Lets the user pick the start-up spread with the open-file dialog; a chosen
// file's full path goes into DefaultStartUpSpread, nothing else changes it.
void GetDWSFile(void);

#endif
