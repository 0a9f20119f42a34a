// A fresh temporary folder that a test works in: the constructor makes it
// the current directory, the destructor goes back and removes it with all
// it holds. Plus small helpers for the raw bytes of files.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// The bytes of a file exactly as on disk; empty when it cannot be read.
std::string read_bytes(const std::string &name);
// Writes the bytes exactly as given, replacing the file.
void write_bytes(const std::string &name, const std::string &bytes);
// The text with each LF turned into CR LF, as a text-mode file stores it.
std::string crlf(const std::string &text);

}   // namespace testsupport
