#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Files for the storage tests.
namespace quorvel::test {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

void writeBytes(const std::filesystem::path& file, const std::string& bytes);
std::string readBytes(const std::filesystem::path& file);
// The names in the directory, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& directory);

// Inside a child: makes every write that would grow a file past `bytes` fail (instead of
// raising SIGXFSZ), whoever runs the test. Returns false when the limit cannot be set.
bool limitFileSize(long bytes);

}
