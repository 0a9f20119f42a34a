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
// when it ends, STEP_FAILED or SCRIPT_RAN_OUT when the script ends the run (the
// program is then left where it waits, its windows as they are, and the
// process is expected to exit).
int run_program(const std::function<int()> &program);

// The same with a script file named directly. Relative paths in the script's
// steps are taken from the current directory at the start of the run, whatever
// the program does to it later.
int run_script(const std::string &path, const std::function<int()> &program);

} // namespace script
