// Golden images: a canvas compared with a PNG in tests/golden/. On a mismatch
// the actual picture (NAME.actual.png) and a difference image (NAME.diff.png,
// differing pixels red on a faded copy) are written beside the golden one.
// To accept a new look on purpose, rewrite the goldens:
//     STONECALL_UPDATE_GOLDEN=1 ctest --test-dir build -R Golden
#pragma once

#include "gdi32/canvas.h"

#include <gtest/gtest.h>

#include <string>

::testing::AssertionResult matches_golden(const gfx::Canvas &actual, const std::string &name);
