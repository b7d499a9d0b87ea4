// Runs a built program of ours with arguments and collects its exit code and output, and
// keeps a temporary folder for the files it reads and writes.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace fw::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ToolFolder : public TempFolder {
  public:
    static std::string Read(const std::filesystem::path& file) { return ReadFile(file); }
    static void Write(const std::filesystem::path& file, std::string_view bytes) {
        WriteFile(file, bytes);
    }

    // Runs program with args (each quoted for the shell); stdout and stderr are captured.
    ToolResult Run(const std::string& program, const std::vector<std::string>& args) const {
        std::string command = Quote(program);
        for (const auto& a : args)
            command += " " + Quote(a);
        const auto out = Path() / "stdout.txt";
        const auto err = Path() / "stderr.txt";
        command += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
        const int status = std::system(command.c_str());
        ToolResult r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = Read(out);
        r.err = Read(err);
        return r;
    }

  private:
    static std::string Quote(const std::string& s) {
        std::string q = "'";
        for (char c : s)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }
};

}  // namespace fw::test
