#include "driver/userfolder.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace drv {
namespace {

std::string env(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// XDG_DOCUMENTS_DIR="$HOME/Papers" or an absolute path, as xdg-user-dirs writes it.
fs::path documents_from(const fs::path &userDirs, const std::string &home)
{
    std::ifstream in(userDirs);
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0) return home + value.substr(5);
        if (!value.empty() && value[0] == '/') return value;
    }
    return {};
}

}   // namespace

fs::path installed_data(const fs::path &program)
{
    std::error_code ec;
    fs::path data = program.parent_path().parent_path() / "share" / "stonecall";
    if (program.parent_path().filename() != "bin" || !fs::is_directory(data, ec)) return {};
    return data;
}

fs::path user_folder(std::string *why)
{
    if (std::string named = env("STONECALL_FOLDER"); !named.empty()) return named;
    std::string home = env("HOME");
    if (home.empty()) {
        *why = "HOME is not set, so there is no documents folder (or set STONECALL_FOLDER).";
        return {};
    }
    std::string config = env("XDG_CONFIG_HOME");
    fs::path documents = documents_from(fs::path(config.empty() ? home + "/.config" : config) / "user-dirs.dirs", home);
    if (documents.empty()) documents = fs::path(home) / "Documents";
    return documents / "Stonecall";
}

bool enter_user_folder(const fs::path &data, const fs::path &folder, std::string *why)
{
    std::error_code ec;
    if (fs::create_directories(folder, ec); ec) {
        *why = "Cannot make the folder " + folder.string() + ": " + ec.message();
        return false;
    }
    for (fs::recursive_directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path target = folder / it->path().lexically_relative(data);
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (!ec && fs::symlink_status(target, ec).type() == fs::file_type::not_found) {
            // The user's copy is theirs to change, whatever the installed file allows.
            fs::copy_file(it->path(), target, ec);
            if (!ec) fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        }
        if (ec) {
            *why = "Cannot make " + target.string() + ": " + ec.message();
            return false;
        }
    }
    if (!ec) fs::current_path(folder, ec);
    if (ec) *why = "Cannot use the folder " + folder.string() + ": " + ec.message();
    return !ec;
}

bool start_in_user_folder()
{
    std::error_code ec;
    fs::path data = installed_data(fs::read_symlink("/proc/self/exe", ec));
    if (data.empty()) return true;
    std::string why;
    fs::path folder = user_folder(&why);
    if (!folder.empty() && enter_user_folder(data, folder, &why)) return true;
    std::fprintf(stderr, "stonecall: %s\n", why.c_str());
    MessageBoxA(NULL, why.c_str(), "Stonecall", MB_OK | MB_ICONSTOP);
    return false;
}

}   // namespace drv
