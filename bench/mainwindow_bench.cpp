// The main window's own drawing: a repaint in run mode with a reading of 15
// runes (the background fill, then each picture loaded from the resources and
// shrunk to 70 x 129, nothing cached), and a whole colour fade, whose nine
// timer waits take no real time on the headless driver's clock.
#include "app/mainwindow.h"
#include "app/screenloop.h"
#include "gfx/effects.h"
#include "runes/casting.h"
#include "runes/spread.h"

#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

// The maximised main window as the current window, on the default 1024 x 768 desktop.
HWND make_main_window()
{
    hInst2 = GetModuleHandleA(nullptr);
    HWND hwnd = CreateDialogParamA(hInst2, MAKEINTRESOURCEA(MAIN_WINDOW_TEMPLATE_ID), nullptr, DlgProc, 0);
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    hWnd_sim_dialog = hWndSimDialog = hwnd;
    FirstRun = 0;
    return hwnd;
}

// A reading of 15 runes in three rows of five.
void lay_out_reading()
{
    NumCards = MAX_POSITIONS;
    for (int i = 0; i < MAX_POSITIONS; ++i) {
        ran_cards_used[i] = i + 1;
        CardNumber[i] = i + 1;
        usd[i] = 0;
        horizontal[i] = 0;
        const int top = 20 + (i / 5) * 160, left = 20 + (i % 5) * 100;
        SetPositionPlace(i, left, top);
        SetPositionPictureSize(i, StretchCardWidth, StretchCardLength);
    }
    RunSpreadSelected = 1;
}

void RepaintRunModeWith15Runes(benchmark::State &state)
{
    HWND hwnd = make_main_window();
    lay_out_reading();
    for (auto _ : state) MainWindow1Con();
    DestroyWindow(hwnd);
}
BENCHMARK(RepaintRunModeWith15Runes)->Unit(benchmark::kMillisecond);

void FadeGreenToWhiteWhole(benchmark::State &state)
{
    HWND hwnd = make_main_window();
    for (auto _ : state) FadeGreenToWhite();
    DestroyWindow(hwnd);
}
BENCHMARK(FadeGreenToWhiteWhole)->Unit(benchmark::kMillisecond);

}   // namespace
