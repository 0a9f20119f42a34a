// The new-spread dialog (template 10): the title, the file to create and the
// number of positions of a new spread, checked one at a time.
#ifndef STONECALL_EDITOR_NEWSPREAD_H
#define STONECALL_EDITOR_NEWSPREAD_H

#define NEW_SPREAD_TEMPLATE_ID 10

// The dialog's fields.
#define IDC_NEW_TITLE 101
#define IDC_NEW_FILENAME 102
#define IDC_NEW_POSITIONS 103
#define IDC_NEW_HORIZONTAL 104

// The New flow: ask for the new spread and show its position buttons.
void NewSpread(void);

// The dialog's command callback: OK checks the fields, Cancel (and the close
// command) gives up.
void create_new_spread_key(int command);

#endif
