// The window tree of our layer as JSON, for automation scripts (`dump
// FILE.json`, and the report of a failing step), in the format of
// testing/window_json.h. Rectangles are desktop pixels; "clock_ms" is the
// driver's clock.
//
// Reading a control's state sends it messages: call this on the program's
// thread, or while it is blocked.
#pragma once

#include <string>

namespace script {

std::string dump_json();

}   // namespace script
