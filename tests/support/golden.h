// Golden images and expected texts: a canvas compared with a PNG in
// tests/golden/, a text with a file there. On a mismatch the actual result is
// written beside the expected one (NAME.actual.png with a difference image
// NAME.diff.png, differing pixels red on a faded copy; NAME.actual for a
// text). To accept a new result on purpose, rewrite them:
//     STONECALL_UPDATE_GOLDEN=1 ctest --test-dir build -R Golden
#pragma once

#include "gdi32/canvas.h"

#include <gtest/gtest.h>

#include <string>

// The pixels inside `left_out` (canvas coordinates) are not compared: a part
// that differs from run to run, which the test checks otherwise.
::testing::AssertionResult matches_golden(const raster::Canvas &actual, const std::string &name,
                                          const raster::Rect &left_out = raster::Rect{});
::testing::AssertionResult matches_expected_text(const std::string &actual, const std::string &name);
