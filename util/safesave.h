// Rewriting a file so that a failure never leaves it half written: the new
// text goes to a temporary file beside it, which replaces the file only once
// it is whole. Spread files and the reading's web page are saved this way.
#ifndef STONECALL_UTIL_SAFESAVE_H
#define STONECALL_UTIL_SAFESAVE_H

#include <windows.h>

typedef struct {
    int file;       // -1 when nothing is open
    BOOL beside;    // a temporary file that replaces the target at the end
    BOOL failed;    // a piece was not written whole
    BOOL created;   // in place: the target did not exist before
    HGLOBAL old;    // in place: the target's bytes before, to put back on failure
    LONG old_length;
    char target[MAX_PATH];   // the file itself, through a symbolic link its target
    char temp[MAX_PATH + 16];
} SAFE_SAVE;

// Starts rewriting `name`, made writable first. Where its folder takes no
// new file, the file is rewritten in place instead, its old bytes kept in
// memory. FALSE when neither works; nothing has changed then.
BOOL safe_save_open(SAFE_SAVE *save, const char *name);
// Writes the next piece; a piece not written whole spoils the save.
void safe_save_write(SAFE_SAVE *save, const char *piece);
// Ends the save; TRUE when the file now holds every piece. A failed save
// leaves the old file as it was: in place, its old bytes are written back
// (which needs no room on the disk), and a file the save created is removed.
BOOL safe_save_close(SAFE_SAVE *save);

#endif
