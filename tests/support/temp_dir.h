// A temporary directory for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace gvx::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Path of a file inside the directory.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Changes the working directory for the lifetime of the object.
class WorkingDir {
  public:
    explicit WorkingDir(const std::filesystem::path& dir);
    ~WorkingDir();
    WorkingDir(const WorkingDir&) = delete;
    WorkingDir& operator=(const WorkingDir&) = delete;

  private:
    std::filesystem::path previous_;
};

// Reads a whole file; empty when it cannot be read.
std::string read_file(const std::string& name);

}  // namespace gvx::testing
