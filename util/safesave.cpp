// The safe save: a file rewritten beside itself and put in its place, or in
// place with its old bytes kept to put back, so a failure never leaves it half written.
#include "util/safesave.h"

#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <errno.h>
#include <string.h>

#define TEMP_NAME_TRIES 10

// The file a name stands for: through a symbolic link, its target, so the
// link stays a link. The name itself when it names no file yet.
static void ResolveTarget(const char *name, char *target)
{
    const char *path = target;
    int file = _open(name, _O_RDONLY | _O_BINARY);
    DWORD n = 0;

    if (file != -1) {
        n = GetFinalPathNameByHandleA((HANDLE)_get_osfhandle(file), target, MAX_PATH, FILE_NAME_NORMALIZED);
        _close(file);
    }
    if (n == 0 || n >= MAX_PATH) {
        copy_text(target, MAX_PATH, name);
        return;
    }
    // Windows answers \\?\C:\folder\name; the plain form is wanted.
    if (strncmp(path, "\\\\?\\", 4) == 0)
        memmove(target, path + 4, strlen(path + 4) + 1);
}

// Creates a temporary file beside `target` under a name that matches neither
// a spread file's pattern nor the page; -1 when the folder takes no new file.
static int CreateTempBeside(const char *target, char *temp)
{
    const char *slash = strrchr(target, '/');
    const char *backslash = strrchr(target, '\\');
    size_t folder;
    int file = -1;

    if (backslash > slash)
        slash = backslash;
    folder = slash ? (size_t)(slash - target + 1) : 0;
    for (int i = 0; i < TEMP_NAME_TRIES && file == -1; ++i) {
        memcpy(temp, target, folder);
        MakeString(temp + folder, 3, "~SC", int_to_char(i, 1), ".TMP");
        file = _open(temp, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
        if (file == -1 && errno != EEXIST)
            break;
    }
    return file;
}

// Keeps the target's bytes as they are now; FALSE when they cannot all be read.
static BOOL KeepOldBytes(SAFE_SAVE *save)
{
    char *bytes;
    BOOL kept;

    save->old_length = _filelength(save->file);
    if (save->old_length < 0)
        return FALSE;
    save->old = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)save->old_length + 1);
    if (!save->old)
        return FALSE;
    bytes = (char *)GlobalLock(save->old);
    kept = _setmode(save->file, _O_BINARY) != -1 &&
           _read(save->file, bytes, (unsigned int)save->old_length) == save->old_length &&
           _setmode(save->file, _O_TEXT) != -1 && _lseek(save->file, 0, SEEK_SET) == 0;
    GlobalUnlock(save->old);
    return kept;
}

// Rewriting in place: over the old bytes, never truncating first, so that
// the old ones can go back whatever room is left on the disk.
static BOOL OpenInPlace(SAFE_SAVE *save)
{
    save->file = _open(save->target, _O_RDWR | _O_BINARY);
    if (save->file == -1) {
        save->created = TRUE;
        save->file = _open(save->target, _O_RDWR | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
        return save->file != -1;
    }
    if (KeepOldBytes(save))
        return TRUE;
    _close(save->file);
    save->file = -1;
    if (save->old)
        GlobalFree(save->old);
    save->old = NULL;
    return FALSE;
}

BOOL safe_save_open(SAFE_SAVE *save, const char *name)
{
    save->failed = FALSE;
    save->created = FALSE;
    save->old = NULL;
    save->old_length = 0;
    ResolveTarget(name, save->target);
    _chmod(save->target, _S_IWRITE);
    save->file = CreateTempBeside(save->target, save->temp);
    save->beside = save->file != -1;
    return save->beside || OpenInPlace(save);
}

void safe_save_write(SAFE_SAVE *save, const char *piece)
{
    if (!save->failed && swrite(save->file, piece) != (int)strlen(piece))
        save->failed = TRUE;
}

// Writes the old bytes back over whatever the failed save left.
static void PutOldBytesBack(SAFE_SAVE *save)
{
    char *bytes = (char *)GlobalLock(save->old);

    if (_setmode(save->file, _O_BINARY) != -1 && _lseek(save->file, 0, SEEK_SET) == 0 &&
        _write(save->file, bytes, (unsigned int)save->old_length) == save->old_length)
        _chsize(save->file, save->old_length);
    GlobalUnlock(save->old);
}

static BOOL CloseInPlace(SAFE_SAVE *save)
{
    BOOL whole = !save->failed && _chsize(save->file, _tell(save->file)) == 0;

    if (!whole && save->old)
        PutOldBytesBack(save);
    whole = _close(save->file) == 0 && whole;
    if (!whole && save->created)
        _unlink(save->target);
    if (save->old)
        GlobalFree(save->old);
    save->old = NULL;
    return whole;
}

BOOL safe_save_close(SAFE_SAVE *save)
{
    BOOL whole;

    if (save->beside) {
        whole = _close(save->file) == 0 && !save->failed;
        whole = whole && MoveFileExA(save->temp, save->target, MOVEFILE_REPLACE_EXISTING);
        if (!whole)
            DeleteFileA(save->temp);
    } else {
        whole = CloseInPlace(save);
    }
    save->file = -1;
    _chmod(save->target, _S_IWRITE);
    return whole;
}
