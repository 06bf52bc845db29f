#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.

#include <filesystem>
#include <string>

namespace pellora::testing {

class TempDir {
  public:
    explicit TempDir(const std::string& prefix = "pellora-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& p) const { return path_ / p; }

  private:
    std::filesystem::path path_;
};

// Writes bytes to a file, creating its folder; returns false on failure.
bool WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace pellora::testing
