// Runs a built program of ours with arguments and collects its exit code and output, and
// keeps a temporary folder for the files it reads and writes.
#pragma once

#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace fw::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ToolFolder {
  public:
    ToolFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("fw-cli-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~ToolFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ToolFolder(const ToolFolder&) = delete;
    ToolFolder& operator=(const ToolFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const std::filesystem::path& file, std::string_view bytes) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // Runs program with args (each quoted for the shell); stdout and stderr are captured.
    ToolResult Run(const std::string& program, const std::vector<std::string>& args) const {
        std::string command = Quote(program);
        for (const auto& a : args)
            command += " " + Quote(a);
        const auto out = path_ / "stdout.txt";
        const auto err = path_ / "stderr.txt";
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
    std::filesystem::path path_;
};

}  // namespace fw::test
