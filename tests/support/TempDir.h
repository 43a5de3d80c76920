#pragma once

#include <string>
#include <vector>

namespace nt::test {

// A fresh temporary directory that becomes the current directory for the test's lifetime; the
// previous directory is restored and the temporary one removed afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

// Whole file content, or "<missing>" when it cannot be read.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
// The names in a directory, sorted: lets a test tell exactly which files were left.
std::vector<std::string> Entries(const std::string& dir = ".");

}  // namespace nt::test
