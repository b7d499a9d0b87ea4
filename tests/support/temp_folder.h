// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends. Names are random, so tests running side by side never share one.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace fw::test {

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        const auto unique = std::to_string(random()) + "-" + std::to_string(random());
        path_ = std::filesystem::temp_directory_path() / ("fw-test-" + unique);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    std::filesystem::path Write(const std::string& name, std::string_view bytes) const {
        std::filesystem::path file = path_ / name;
        WriteFile(file, bytes);
        return file;
    }
    std::string Read(const std::string& name) const { return ReadFile(path_ / name); }

  private:
    std::filesystem::path path_;
};

}  // namespace fw::test
