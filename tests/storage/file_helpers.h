#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Files and processes for the storage tests.
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

// Runs body in a forked child. Returns 0 when it returned true, 1 when it returned false, the
// child's own exit status when it called _exit, and something else when it crashed.
int runInChild(const std::function<bool()>& body);

// Inside a child: makes every write that would grow a file past `bytes` fail (instead of
// raising SIGXFSZ), whoever runs the test. Returns false when the limit cannot be set.
bool limitFileSize(long bytes);

}
