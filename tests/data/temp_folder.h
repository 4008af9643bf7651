#pragma once
// Test helpers for code that reads files by name: a fresh folder that is
// removed afterwards, and a change of working directory that is undone.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

/// A new empty folder under the system's temporary folder, removed with all
/// it holds when the object goes.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "chemterm-data-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    EXPECT_FALSE(path_.empty()) << "cannot create a temporary folder";
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }

  /// Writes `bytes` exactly (no line-end translation) to the file `name`.
  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << (path_ / name);
  }

 private:
  std::filesystem::path path_;
};

/// Makes `folder` the working directory until the object goes, then goes
/// back to the one before.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& folder) {
    std::error_code error;
    previous_ = std::filesystem::current_path(error);
    changed_ = !error && chdir(folder.c_str()) == 0;
    EXPECT_TRUE(changed_) << "cannot change to " << folder;
  }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;
  ~WorkingDirectory() {
    if (changed_) {
      EXPECT_EQ(chdir(previous_.c_str()), 0) << "cannot go back to " << previous_;
    }
  }

 private:
  std::filesystem::path previous_;
  bool changed_ = false;
};
