#include "app/screenloop.h"

HWND hWnd_sim_dialog = NULL;
