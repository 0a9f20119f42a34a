#include "target.h"

namespace drive {
namespace {

// How long a question to the program may take before it counts as hung.
constexpr UINT kAnswerMs = 5000;

GUITHREADINFO thread_info(const Target &t)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(t.threadId, &info)) return GUITHREADINFO{};
    return info;
}

struct Collect {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_top_level(HWND h, LPARAM lp)
{
    auto *c = reinterpret_cast<Collect *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == c->processId) c->found.push_back(h);
    return TRUE;
}

}   // namespace

HWND active_window(const Target &t) { return thread_info(t).hwndActive; }
HWND focus_window(const Target &t) { return thread_info(t).hwndFocus; }

std::vector<HWND> top_level_windows(const Target &t)
{
    Collect c{t.processId, {}};
    EnumWindows(collect_top_level, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

std::vector<HWND> children(HWND parent)
{
    std::vector<HWND> out;
    for (HWND k = GetWindow(parent, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) out.push_back(k);
    return out;
}

std::string class_name(HWND h)
{
    char name[256] = "";
    GetClassNameA(h, name, sizeof name);
    return name;
}

std::string window_text(HWND h)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length)) return "";
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kAnswerMs, &got))
        return "";
    text.resize(got < length ? got : length);
    return text;
}

bool is_class(HWND h, const char *name) { return lstrcmpiA(class_name(h).c_str(), name) == 0; }

}   // namespace drive
