// The compiled resource images the test program carries (tests/CMakeLists.txt):
// the tests' own and the program's.
#pragma once

#include <cstddef>

const unsigned char *screens_res(size_t *size);
const unsigned char *stonecall_res(size_t *size);
