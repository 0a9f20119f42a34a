// The program itself started in a fresh folder under the SDL driver, as the
// window tests on the virtual X server run it; the folder and a program still
// running go at the end of the test.
#pragma once

#include "x11.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

class XProgramTest : public ::testing::Test {
  protected:
    std::string folder;
    pid_t pid = -1;

    void SetUp() override
    {
        char name[] = "/tmp/stonecall-xvfb-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(name));
        folder = name;
    }
    void TearDown() override
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        std::filesystem::remove_all(folder);
    }
    // No start banner, no editing help, no start-up spread.
    void skip_banner()
    {
        write("qmsc98.ini", "Ini file for QM Stonecall V1.10\r\n\r\nShowEditHelp=0\r\nShowStartBanner=0\r\n"
                            "DefaultStartUpSpread=\r\n");
    }
    void write(const std::string &name, const std::string &text)
    {
        std::ofstream(folder + "/" + name, std::ios::binary) << text;
    }
    std::string read(const std::string &name)
    {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Whether the file is there within that many seconds.
    bool appears(const std::string &name, int seconds = 10)
    {
        for (int i = 0; i < seconds * 50 && access((folder + "/" + name).c_str(), F_OK) != 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return access((folder + "/" + name).c_str(), F_OK) == 0;
    }
    // The top left corner of the program's X window `xid` on the screen.
    std::array<int, 2> origin(const std::string &xid)
    {
        std::array<int, 2> o{-1, -1};
        std::sscanf(x11::output_of("xdotool getwindowgeometry --shell " + xid).c_str(), "WINDOW=%*d X=%d Y=%d", &o[0],
                    &o[1]);
        return o;
    }
    // The program with the script of that name in the folder, or none, and
    // an argument or none.
    void start(const std::string &script = "", const char *argument = nullptr)
    {
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(100);
            setenv("STONECALL_DRIVER", "sdl", 1);
            if (!script.empty()) setenv("STONECALL_SCRIPT", (folder + "/" + script).c_str(), 1);
            execl(STONECALL_PROGRAM, STONECALL_PROGRAM, argument, static_cast<char *>(nullptr));
            _exit(101);
        }
    }
    // The program's exit code; -1 when it is still running after 10 s (the
    // program runs in real time on its own).
    int exit_code()
    {
        for (int i = 0; i < 500; ++i) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
};
