// Modules: each compiled .res image embedded in a binary is registered as a
// module whose instance handle FindResourceA, LoadBitmapA, LoadMenuA and
// CreateDialogParamA accept. The program's own .res is the main module, the one
// GetModuleHandleA(NULL) answers.
#pragma once

#include <windows.h>

#include <cstddef>

namespace rc {

// Registers a compiled .res image (it must outlive the module) and returns its
// instance handle; null when the image is malformed.
HINSTANCE register_module(const unsigned char *res, size_t size);
void set_main_module(HINSTANCE module);

}   // namespace rc
