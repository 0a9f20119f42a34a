// The colour fades, the casting progress bar and the start banner.
#include "gfx/effects.h"

#include "app/screenloop.h"
#include "gfx/drawing.h"

static const COLORREF GreenToWhite[FADE_STEPS] = {
    0x1ABC3A, 0x32C550, 0x4DCB66, 0x66D27C, 0x80DA92, 0x99E1A7, 0xB3E9BD, 0xCCF0D3, 0xE6F8E9, 0xFFFFFF,
};
// Not the way back: it starts one step short of white and ends on a deeper green.
static const COLORREF WhiteToGreen[FADE_STEPS] = {
    0xE6F8E9, 0xCCF0D3, 0xB3E9BD, 0x99E1A7, 0x80DA92, 0x66D27C, 0x4DCB66, 0x32C550, 0x1ABC3A, 0x00B424,
};

static const char BarText[] = "Quenmire Stonecall";
#define BAR_STAR_COUNT 6
static const int BarStarOffsets[BAR_STAR_COUNT] = {-5, 25, 55, 265, 295, 325};
static const POINT BarStar[5] = {{20, 1}, {30, 20}, {10, 10}, {30, 10}, {10, 20}};

// Fills the window step by step. Between two fills it takes the next timer
// message of the window off the queue without dispatching it, so the fade
// runs at the timer's pace and nothing else of the window is handled.
static void Fade(const COLORREF *colours)
{
    HWND hWnd = hWnd_sim_dialog;
    UINT_PTR timer;
    MSG msg;
    int step;
    BOOL got;

    timer = SetTimer(hWnd, PAUSE_TIMER_ID, FADE_TICK_MS, NULL);
    for (step = 0; step < FADE_STEPS; step++) {
        BackgroundColour(colours[step]);
        if (step == FADE_STEPS - 1 || timer == 0)
            continue;
        got = GetMessageA(&msg, hWnd, WM_TIMER, WM_TIMER);
        if (got == 0) {
            // The quit request belongs to the screen loop: give it back and
            // finish the fade without waiting.
            PostQuitMessage((int)msg.wParam);
            KillTimer(hWnd, timer);
            timer = 0;
        } else if (got == -1) {
            timer = 0;
        }
    }
    if (timer)
        KillTimer(hWnd, timer);
}

void FadeGreenToWhite(void)
{
    Fade(GreenToWhite);
}

void FadeWhiteToGreen(void)
{
    Fade(WhiteToGreen);
}

static void FillBarRect(HDC hdc, int left, int top, int right, int bottom, COLORREF colour)
{
    RECT rect;
    HBRUSH hBrush = CreateSolidBrush(colour);

    SetRect(&rect, left, top, right, bottom);
    FillRect(hdc, &rect, hBrush);
    DeleteObject(hBrush);
}

// The bar redraws its frame, both fills, the stars and the text on every
// call; coordinates from floats are truncated.
void ProgressBarTarot(int left, int top, float width, int height, int total, int done)
{
    HWND hWnd = hWnd_sim_dialog;
    HDC hdc;
    HRGN hClip;
    POINT star[5];
    float filled = 0.0f;
    int bottom = top + height + 1;
    int right = (int)(left + width);
    int i, p;

    hdc = GetDC(hWnd);
    if (!hdc)
        return;
    FillBarRect(hdc, left, top, right, bottom, RGB(0, 0, 0));
    FillBarRect(hdc, left + 1, top + 1, (int)(left + width - 1), bottom - 1, RGB(255, 255, 255));
    // A bar of no steps has nothing filled, and more done than there are
    // steps fills the inside and no further.
    if (total > 0)
        filled = width / total * done;
    if (filled > width)
        filled = width;
    FillBarRect(hdc, left + 1, top + 1, (int)(left + filled - 1), bottom - 1, RGB(0, 0, 255));

    SetPolyFillMode(hdc, WINDING);
    for (i = 0; i < BAR_STAR_COUNT; i++) {
        for (p = 0; p < 5; p++) {
            star[p].x = BarStar[p].x + left + BarStarOffsets[i];
            star[p].y = BarStar[p].y + top;
        }
        Polygon(hdc, star, 5);
    }

    hClip = CreateRectRgn(left, top, right, bottom);
    SelectClipRgn(hdc, hClip);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(255, 255, 255));
    TextOutA(hdc, left + 100, top + 2, BarText, (int)(sizeof(BarText) - 1));
    SelectClipRgn(hdc, NULL);
    DeleteObject(hClip);
    ReleaseDC(hWnd, hdc);
}

void TileCon(void)
{
    SetTimer(hWndSimDialog, BANNER_TIMER_ID, BANNER_TIME_MS, NULL);
    DrawBitmapFromID(BANNER_BITMAP_ID, 0, 0, 0, 0);
}

void TileMM(void)
{
    if (CheckMessage(WM_TIMER) && GetwParam() == BANNER_TIMER_ID) {
        EndScreen();
        KillTimer(hWndSimDialog, BANNER_TIMER_ID);
    }
}
