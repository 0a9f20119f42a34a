// Where the installed program works. On Linux, the program's files (its
// settings, the spreads, the reading's page and pictures) live in the current
// folder, as on Windows, where a program unzipped into a folder is started
// there. An installed program is started from a menu in any folder, so before
// WinMain it makes the user's own folder, puts the read-only samples the
// package brings (<prefix>/share/stonecall/) there where they are missing, and
// starts in it. Run from the build tree, it stays where it was started.
#pragma once

#include <filesystem>
#include <string>

namespace drv {

// <prefix>/share/stonecall beside <prefix>/bin/PROGRAM, when that folder
// exists; empty when the program runs from its build tree.
std::filesystem::path installed_data(const std::filesystem::path &program);

// The user's folder: STONECALL_FOLDER when set, else Stonecall in the
// documents folder (XDG_DOCUMENTS_DIR of user-dirs.dirs in XDG_CONFIG_HOME or
// ~/.config, else ~/Documents). Empty, with the reason, without a home.
std::filesystem::path user_folder(std::string *why);

// Makes `folder`, copies every file of `data` that `folder` lacks (never
// replacing one) and makes `folder` the current directory.
bool enter_user_folder(const std::filesystem::path &data, const std::filesystem::path &folder, std::string *why);

// The three above for the running program; says what went wrong (standard
// error and a message box) and answers false when it cannot start there.
bool start_in_user_folder();

}   // namespace drv
