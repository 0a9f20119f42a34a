// The compiled resource images the test program carries (tests/CMakeLists.txt):
// the test scripts' and the program's own.
#pragma once

#include <cstddef>

const unsigned char *screens_res(size_t *size);
const unsigned char *script_res(size_t *size);
const unsigned char *stonecall_res(size_t *size);
