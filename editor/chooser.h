// The spread chooser (template 8): every spread file of the working directory
// listed by its title. Its one result is SpreadFilename: the chosen file's
// name after OK, empty after Cancel, unchanged when the screen is closed
// otherwise or no file has the selected title.
#ifndef STONECALL_EDITOR_CHOOSER_H
#define STONECALL_EDITOR_CHOOSER_H

#include <windows.h>

#define CHOOSER_TEMPLATE_ID 8
#define CHOOSER_LIST_ID 104

// The file behind each list item, item i from entry i; refilled each time the
// chooser opens and as long as the folder's spread files need. Written and
// read by the chooser alone.
extern char (*spreadfilenames)[MAX_PATH];
extern int spreadfilecount;

void open_or_create_new_spread_cons(void);
void open_or_create_new_spread_KC(int command);
// Puts into SpreadFilename the first listed file whose title equals `title`.
void open_new_spread_cons(void);

// Runs the chooser; SpreadFilename holds its result afterwards.
void ChooseSpread(void);

#endif
