// What every parse of a dialog or menu template must keep, whatever the
// bytes: a refusal says why and leaves nothing half-read; a success holds no
// more than its bytes can hold and no flag the reader should have taken off.
#pragma once

#include "rc/templates.h"

#include <cstddef>
#include <string>
#include <vector>

namespace fuzzsupport {

void check_dialog_parse(bool parsed, const rc::DialogTemplate &dialog, const std::string &error, size_t size);
void check_menu_parse(bool parsed, const std::vector<rc::MenuItem> &menu, const std::string &error, size_t size);

}   // namespace fuzzsupport
