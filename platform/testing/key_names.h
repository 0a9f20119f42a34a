// Keys as automation scripts name them (`key RETURN`, `key NUMPAD8`,
// `key F10`): Windows' virtual-key names without VK_. Our layer's script
// runner and the Windows build's driver both read them through this file,
// which needs nothing but the standard library.
#pragma once

#include <string>

namespace script {

// The virtual-key code of the key `name` names, in any case; false for any
// other name (a single character is no key name: it names the key that
// types it, which depends on the keyboard).
bool virtual_key_named(const std::string &name, unsigned &vk);

}   // namespace script
