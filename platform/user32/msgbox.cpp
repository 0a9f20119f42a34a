// MessageBoxA until windows can be shown: every box is recorded for tests,
// and it is answered with what a test queued or its answerer says; a box no
// test answers goes to standard error (caption and text) and is answered
// IDOK, as a user pressing Enter would.
#include <windows.h>

#include "user32/msgbox_hook.h"

#include <cstdio>
#include <deque>

namespace msgbox_hook {
namespace {

std::vector<Box> g_boxes;
std::deque<int> g_replies;
std::function<int(const Box &)> g_answerer;

} // namespace

const std::vector<Box> &boxes()
{
    return g_boxes;
}

void clear()
{
    g_boxes.clear();
}

void queue_reply(int reply)
{
    g_replies.push_back(reply);
}

void set_answerer(std::function<int(const Box &)> answerer)
{
    g_answerer = std::move(answerer);
}

int record(const Box &box)
{
    g_boxes.push_back(box);
    if (!g_replies.empty()) {
        int reply = g_replies.front();
        g_replies.pop_front();
        return reply;
    }
    return g_answerer ? g_answerer(box) : 0;
}

} // namespace msgbox_hook

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    // Windows titles a box without a caption "Error".
    msgbox_hook::Box box{hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType};
    int answer = msgbox_hook::record(box);
    if (answer)
        return answer;
    std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
    return IDOK;
}
