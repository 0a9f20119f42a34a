// The timed effects: the colour fades into and out of the layout modes, the
// casting progress bar and the start banner. Each paints straight into the
// current window; none is drawn again when the window is repainted.
#ifndef STONECALL_GFX_EFFECTS_H
#define STONECALL_GFX_EFFECTS_H

#include <windows.h>

// The start banner: its template, its picture and the timer that ends it.
#define BANNER_TEMPLATE_ID 987
#define BANNER_BITMAP_ID 1011
#define BANNER_TIMER_ID 987
#define BANNER_TIME_MS 3000

// The fades pace themselves by the pause's timer, ticking every millisecond.
#define FADE_STEPS 10
#define FADE_TICK_MS 1

// Ten fills from green to white, and from near-white back to green, waiting
// for a timer tick between two fills; nothing else is handled meanwhile.
void FadeGreenToWhite(void);
void FadeWhiteToGreen(void);

// The casting bar at (left, top), width x height, filled to done / total.
void ProgressBarTarot(int left, int top, float width, int height, int total, int done);

// The start banner's construct and message callbacks.
void TileCon(void);
void TileMM(void);

#endif
