// The new-spread dialog.
#ifndef STONECALL_EDITOR_NEWSPREAD_H
#define STONECALL_EDITOR_NEWSPREAD_H

// The New flow: ask for the new spread and show its position buttons.
void NewSpread(void);

#endif
