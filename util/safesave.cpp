#include "util/safesave.h"

#include "util/text.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <errno.h>
#include <string.h>

#define TEMP_NAME_TRIES 10

static void CopyName(char *dest, const char *name)
{
    strncpy(dest, name, MAX_PATH - 1);
    dest[MAX_PATH - 1] = '\0';
}

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
        CopyName(target, name);
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

BOOL safe_save_open(SAFE_SAVE *save, const char *name)
{
    save->failed = FALSE;
    ResolveTarget(name, save->target);
    _chmod(save->target, _S_IWRITE);
    save->file = CreateTempBeside(save->target, save->temp);
    save->beside = save->file != -1;
    if (save->beside)
        return TRUE;
    save->file = _open(save->target, _O_RDWR | _O_TRUNC | _O_TEXT);
    if (save->file == -1)
        save->file = _open(save->target, _O_RDWR | _O_CREAT | _O_TEXT, _S_IREAD | _S_IWRITE);
    return save->file != -1;
}

void safe_save_write(SAFE_SAVE *save, const char *piece)
{
    if (!save->failed && swrite(save->file, piece) != (int)strlen(piece))
        save->failed = TRUE;
}

BOOL safe_save_close(SAFE_SAVE *save)
{
    BOOL whole = _close(save->file) == 0 && !save->failed;

    save->file = -1;
    if (save->beside) {
        whole = whole && MoveFileExA(save->temp, save->target, MOVEFILE_REPLACE_EXISTING);
        if (!whole)
            DeleteFileA(save->temp);
    }
    _chmod(save->target, _S_IWRITE);
    return whole;
}
