// GetOpenFileNameA: the classic "Open" dialog a program gets without
// OFN_EXPLORER. A file-name field over the files of the current folder that
// match the chosen filter, the folder's path over its sub-folders (".." goes
// up), the list of file types, OK and Cancel. Choosing a file in its list puts
// its name in the field, a double-click on it is OK; a double-click on a
// folder, or OK while the folder list has the focus, opens the folder. OK on
// a folder's name opens it, on a pattern lists by it, on a file ends the
// dialog with the file's full path. Folders are read
// through the C runtime's _findfirst; the process's current folder is never
// changed, whatever OFN_NOCHANGEDIR says.
#include <commdlg.h>
#include <io.h>

#include "user32/modal.h"
#include "user32/window_internal.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {

DWORD g_lastError = 0;

struct Filter {
    std::string description;
    std::string patterns;   // "*.TXT;*.DOC"
};

struct OpenFile {
    OPENFILENAMEA *ofn = nullptr;
    std::vector<Filter> filters;
    std::string folder;     // absolute, without a trailing '/' (except the root)
    std::string patterns;   // what the file list shows
    bool done = false;
    std::string chosen;   // the full path OK ended with
};

// ---- paths ----

bool is_folder(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_file(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// An absolute path with "." and ".." resolved and no doubled separators.
std::string normalize(const std::string &path)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at <= path.size()) {
        size_t end = std::min(path.find('/', at), path.size());
        std::string part = path.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string out;
    for (const std::string &p : parts) out += "/" + p;
    return out.empty() ? "/" : out;
}

std::string join(const std::string &folder, const std::string &name)
{
    if (!name.empty() && name[0] == '/') return normalize(name);
    return normalize(folder + "/" + name);
}

std::string current_folder()
{
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string("/");
}

bool has_wildcard(const std::string &s) { return s.find_first_of("*?") != std::string::npos; }

bool less_no_case(const std::string &a, const std::string &b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }

// The names in `folder` matching `pattern`: folders or files.
std::vector<std::string> list(const std::string &folder, const std::string &pattern, bool folders)
{
    std::vector<std::string> out;
    _finddata_t fd;
    intptr_t h = _findfirst((folder + "/" + pattern).c_str(), &fd);
    if (h == -1) return out;
    do {
        bool dir = (fd.attrib & _A_SUBDIR) != 0;
        if (dir == folders && std::strcmp(fd.name, ".") != 0 && std::strcmp(fd.name, "..") != 0) out.push_back(fd.name);
    } while (_findnext(h, &fd) == 0);
    _findclose(h);
    return out;
}

// ---- the filter string: pairs of description and patterns, ending with two NULs ----

std::vector<Filter> parse_filters(LPCSTR filter)
{
    std::vector<Filter> out;
    for (const char *p = filter; p && *p;) {
        Filter f;
        f.description = p;
        p += f.description.size() + 1;
        f.patterns = p;
        p += f.patterns.size() + 1;
        out.push_back(f);
    }
    return out;
}

// ---- the dialog ----

OpenFile *state_of(HWND dlg) { return reinterpret_cast<OpenFile *>(GetWindowLongPtrA(dlg, DWLP_USER)); }

void fill(HWND dlg, int id, const std::vector<std::string> &items)
{
    SendDlgItemMessageA(dlg, id, LB_RESETCONTENT, 0, 0);
    for (const std::string &s : items)
        SendDlgItemMessageA(dlg, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void refresh(HWND dlg, OpenFile &of)
{
    SetDlgItemTextA(dlg, stc1, of.folder.c_str());
    std::vector<std::string> folders = list(of.folder, "*", true);
    std::sort(folders.begin(), folders.end(), less_no_case);
    if (of.folder != "/") folders.insert(folders.begin(), "..");
    fill(dlg, lst2, folders);
    std::vector<std::string> files;
    for (size_t at = 0; at <= of.patterns.size();) {
        size_t end = std::min(of.patterns.find(';', at), of.patterns.size());
        for (const std::string &f : list(of.folder, of.patterns.substr(at, end - at), false))
            if (std::find(files.begin(), files.end(), f) == files.end()) files.push_back(f);
        at = end + 1;
    }
    std::sort(files.begin(), files.end(), less_no_case);
    fill(dlg, lst1, files);
}

std::string item_text(HWND dlg, int id, LRESULT index)
{
    LRESULT len = SendDlgItemMessageA(dlg, id, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len < 0) return std::string();
    std::string s(static_cast<size_t>(len) + 1, '\0');
    SendDlgItemMessageA(dlg, id, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(std::strlen(s.c_str()));
    return s;
}

std::string field_text(HWND dlg)
{
    char buf[MAX_PATH * 4];
    GetDlgItemTextA(dlg, edt1, buf, sizeof buf);
    return buf;
}

void warn(HWND dlg, const std::string &text)
{
    MessageBoxA(dlg, text.c_str(), state_of(dlg)->ofn->lpstrTitle ? state_of(dlg)->ofn->lpstrTitle : "Open",
                MB_OK | MB_ICONEXCLAMATION);
}

// The name gets the default extension when it has none; a default with a
// wildcard ("*") adds nothing, since no file could be named by it.
std::string with_default_extension(const OpenFile &of, std::string path)
{
    LPCSTR def = of.ofn->lpstrDefExt;
    size_t slash = path.rfind('/');
    if (!def || !*def || has_wildcard(def) || path.find('.', slash + 1) != std::string::npos) return path;
    return path + "." + std::string(def).substr(0, 3);
}

void open_folder(HWND dlg, OpenFile &of, const std::string &path)
{
    of.folder = path;
    SetDlgItemTextA(dlg, edt1, of.patterns.c_str());
    refresh(dlg, of);
}

// The folder selected in the folder list, empty when none is.
std::string selected_folder(HWND dlg, const OpenFile &of)
{
    LRESULT sel = SendDlgItemMessageA(dlg, lst2, LB_GETCURSEL, 0, 0);
    return sel < 0 ? std::string() : join(of.folder, item_text(dlg, lst2, sel));
}

void OPENFILE_Ok(HWND dlg, OpenFile &of)
{
    if (GetFocus() == GetDlgItem(dlg, lst2)) {
        if (std::string folder = selected_folder(dlg, of); is_folder(folder)) return open_folder(dlg, of, folder);
    }
    std::string text = field_text(dlg);
    if (text.empty()) return;
    if (has_wildcard(text)) {
        of.patterns = text;
        return refresh(dlg, of);
    }
    std::string path = join(of.folder, text);
    if (is_folder(path)) return open_folder(dlg, of, path);
    const DWORD flags = of.ofn->Flags;
    std::string parent = path.substr(0, std::max<size_t>(path.rfind('/'), 1));
    if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !is_folder(parent))
        return warn(dlg, path + "\nPath does not exist.\nPlease verify the correct path was given.");
    path = with_default_extension(of, path);
    if ((flags & OFN_FILEMUSTEXIST) && !is_file(path))
        return warn(dlg, path.substr(path.rfind('/') + 1) +
                             "\nFile not found.\nPlease verify the correct filename was given.");
    of.chosen = path;
    of.done = true;
}

INT_PTR CALLBACK OPENFILE_DlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        return FALSE;
    }
    OpenFile *of = state_of(dlg);
    if (!of || msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wp), code = HIWORD(wp);
    if (id == IDOK) OPENFILE_Ok(dlg, *of);
    if (id == IDCANCEL) of->done = true;
    if (id == lst1 && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        LRESULT sel = SendDlgItemMessageA(dlg, id, LB_GETCURSEL, 0, 0);
        if (sel >= 0) SetDlgItemTextA(dlg, edt1, item_text(dlg, id, sel).c_str());
        if (sel >= 0 && code == LBN_DBLCLK) OPENFILE_Ok(dlg, *of);
    }
    if (id == lst2 && code == LBN_DBLCLK) {
        if (std::string folder = selected_folder(dlg, *of); is_folder(folder)) open_folder(dlg, *of, folder);
    }
    if (id == cmb1 && code == LBN_SELCHANGE) {
        LRESULT sel = SendDlgItemMessageA(dlg, id, LB_GETCURSEL, 0, 0);
        if (sel >= 0 && static_cast<size_t>(sel) < of->filters.size()) {
            of->patterns = of->filters[static_cast<size_t>(sel)].patterns;
            if (has_wildcard(field_text(dlg))) SetDlgItemTextA(dlg, edt1, of->patterns.c_str());
            refresh(dlg, *of);
        }
    }
    return TRUE;
}

rc::DialogItem item(const char *cls, const char *text, int id, DWORD style, short x, short y, short cx, short cy)
{
    rc::DialogItem i;
    i.className = cls;
    i.text.name = text;
    i.id = static_cast<WORD>(id);
    i.style = style | WS_VISIBLE;
    i.x = x;
    i.y = y;
    i.cx = cx;
    i.cy = cy;
    return i;
}

// The classic "Open" template, in dialog units; the Read Only box and the
// Network button only when the flags leave them.
rc::DialogTemplate open_template(const OPENFILENAMEA &ofn)
{
    rc::DialogTemplate t;
    t.style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
    t.caption = ofn.lpstrTitle ? ofn.lpstrTitle : "Open";
    t.hasFont = true;
    t.pointSize = 8;
    t.faceName = "MS Sans Serif";
    t.cx = 268;
    t.cy = 134;
    const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_DISABLENOSCROLL;
    t.items = {
        item("STATIC", "File &name:", stc3, SS_LEFT, 6, 6, 90, 9),
        item("EDIT", "", edt1, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 16, 90, 12),
        item("LISTBOX", "", lst1, list, 6, 32, 90, 68),
        item("STATIC", "&Folders:", -1, SS_LEFT, 110, 6, 92, 9),
        item("STATIC", "", stc1, SS_LEFT | SS_NOPREFIX, 110, 18, 92, 9),
        item("LISTBOX", "", lst2, list, 110, 32, 92, 68),
        item("STATIC", "List files of &type:", stc2, SS_LEFT, 6, 104, 90, 9),
        item("LISTBOX", "", cmb1, list, 6, 114, 196, 16),
        item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 212, 6, 50, 14),
        item("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 212, 24, 50, 14),
    };
    if (!(ofn.Flags & OFN_NONETWORKBUTTON))   // there is no network on the virtual desktop
        t.items.push_back(
            item("BUTTON", "Net&work...", psh14, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 212, 42, 50, 14));
    if (!(ofn.Flags & OFN_HIDEREADONLY))
        t.items.push_back(item("BUTTON", "&Read only", chx1, BS_AUTOCHECKBOX | WS_TABSTOP, 212, 68, 50, 12));
    return t;
}

// Where the dialog starts: the folder of the path already in the buffer, else
// the initial folder, else the current one; the buffer's file name goes in the field.
void start_from(OpenFile &of, std::string &name)
{
    const OPENFILENAMEA &ofn = *of.ofn;
    std::string given(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
    of.folder = current_folder();
    if (given.empty()) return;
    std::string path = join(of.folder, given);
    if (is_folder(path)) {
        of.folder = path;
        return;
    }
    std::string parent = path.substr(0, std::max<size_t>(path.rfind('/'), 1));
    if (is_folder(parent)) of.folder = parent;
    name = path.substr(path.rfind('/') + 1);
}

// The chosen path into the caller's buffers; FNERR_BUFFERTOOSMALL with the
// size needed in the buffer's first two bytes when it does not fit.
BOOL deliver(OPENFILENAMEA &ofn, const std::string &path)
{
    if (path.size() + 1 > ofn.nMaxFile) {
        g_lastError = FNERR_BUFFERTOOSMALL;
        if (ofn.nMaxFile >= sizeof(WORD)) {
            const WORD needed = static_cast<WORD>(std::min<size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
        }
        return FALSE;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    const size_t name = path.rfind('/') + 1, dot = path.rfind('.');
    ofn.nFileOffset = static_cast<WORD>(name);
    ofn.nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= name ? dot + 1 : 0);
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        const size_t n = std::min<size_t>(path.size() - name, ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, path.c_str() + name, n);
        ofn.lpstrFileTitle[n] = '\0';
    }
    return TRUE;
}

}   // namespace

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn)
{
    g_lastError = 0;
    if (!ofn) return g_lastError = CDERR_INITIALIZATION, FALSE;
    if (ofn->lStructSize != sizeof(OPENFILENAMEA) && ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400A)
        return g_lastError = CDERR_STRUCTSIZE, FALSE;
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) return g_lastError = CDERR_INITIALIZATION, FALSE;

    OpenFile of;
    of.ofn = ofn;
    of.filters = parse_filters(ofn->lpstrFilter);
    size_t index = ofn->nFilterIndex ? ofn->nFilterIndex - 1 : 0;
    if (index >= of.filters.size()) index = 0;
    of.patterns = of.filters.empty() ? "*" : of.filters[index].patterns;
    std::string name;
    start_from(of, name);

    HWND owner = user32::top_level_of(ofn->hwndOwner);
    HWND dlg =
        user32::create_dialog(nullptr, open_template(*ofn), owner, OPENFILE_DlgProc, reinterpret_cast<LPARAM>(&of));
    if (!dlg) return g_lastError = CDERR_DIALOGFAILURE, FALSE;
    for (const Filter &f : of.filters)
        SendDlgItemMessageA(dlg, cmb1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.description.c_str()));
    SendDlgItemMessageA(dlg, cmb1, LB_SETCURSEL, index, 0);
    SetDlgItemTextA(dlg, edt1, name.empty() ? of.patterns.c_str() : name.c_str());
    refresh(dlg, of);
    HWND field = GetDlgItem(dlg, edt1);
    user32::run_modal(dlg, owner, field, of.done);
    // Cancel, the close box and a quit request all answer 0 with no error.
    if (of.chosen.empty()) return FALSE;
    return deliver(*ofn, of.chosen);
}

DWORD WINAPI CommDlgExtendedError(void) { return g_lastError; }
