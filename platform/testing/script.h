// Automation scripts: a person or a test drives the whole program from a
// text file, one step a line, through the same input a keyboard and mouse
// give (see the README's "Automation scripts"). Each step runs when the
// program next waits for input, on the program's own thread, through the
// driver's block hook: under the headless driver a `wait` moves the virtual
// clock; under a real window time passes as it does.
#pragma once

#include "testing/script_steps.h"

#include <functional>
#include <string>

namespace script {

// The program's main calls this with its WinMain call, once the driver is
// installed: with STONECALL_SCRIPT set it runs `program` under that script,
// otherwise it just runs it. Answers the exit status: the program's own code
// when it ends, kStepFailed or kScriptRanOut when the script ends the run (the
// program is then left where it waits, its windows as they are, and the
// process is expected to exit).
int run_program(const std::function<int()> &program);

// Looks at the program between steps: called on the program's thread once the
// program waits for input again after an input step (menu, click, clickat,
// doubleclick, drag, select, key, type, close) has been given, with that step's line in the
// script. Not called after the step that ends the program. An answer other
// than the empty text fails the run at that step, with that reason, as a
// failing step does.
using Observer = std::function<std::string(int line)>;

// The same with a script file named directly. Relative paths in the script's
// steps are taken from the current directory at the start of the run, whatever
// the program does to it later.
int run_script(const std::string &path, const std::function<int()> &program, const Observer &observer = {});

}   // namespace script
