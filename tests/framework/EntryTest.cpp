// The entry point of a windowed program built with the framework, run as a process of its
// own: it finds the application, calls InitInstance once and ends as that asks; the
// framework's strings are in the program.
#include "Driver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{
std::string ProbePath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.find_last_of('\\') + 1) + "entry_probe.exe";
}

std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}
} // namespace

TEST(EntryPoint, CallsInitInstanceOnceAndEndsAsItAsks)
{
    const struct
    {
        const char* arguments;
        DWORD exitCode;
    } cases[] = {
        {"", 0},   // InitInstance returns FALSE: the program ends at once
        {" 7", 7}, // TRUE: a message loop runs until the program quits
    };
    const std::string log = "entry_probe.log";
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("arguments \"") + c.arguments + '"');
        std::remove(log.c_str());
        std::string commandLine = '"' + ProbePath() + "\" " + log + c.arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            << "cannot start " << ProbePath();
        const DWORD waited = ::WaitForSingleObject(process.hProcess, static_cast<DWORD>(driver::kTimeout.count()));
        if (waited != WAIT_OBJECT_0)
            ::TerminateProcess(process.hProcess, 99);
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);

        EXPECT_EQ(waited, WAIT_OBJECT_0) << "the program ended by itself";
        EXPECT_EQ(exitCode, c.exitCode);
        EXPECT_EQ(Lines(log), std::vector<std::string>{"entry_probe|Please enter an integer."})
            << "one call, the program's name, the framework's string table";
    }
    std::remove(log.c_str());
}
