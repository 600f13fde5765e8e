// SPDX-License-Identifier: GPL-3.0-or-later
// Files for tests: whole-file reads and writes, and a folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace mk::tests {

/// The whole file as text; empty when it cannot be read.
inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The whole file's bytes. A file that cannot be read fails the test, so that
/// two missing files never compare equal.
inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path.string();
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

/// A fresh folder below the system's temporary one, named for `prefix`, this
/// process and the running test; it goes with everything in it, even when the
/// test took away its write permission.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix) {
    std::string name = prefix + "-" + std::to_string(getpid());
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
      name += std::string("-") + test->test_suite_name() + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  /// The path of `name` inside the folder, as a command line wants it.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

/// Makes a folder read-only for as long as it lives: its mode, and for root
/// (whom modes do not stop) the file system's immutable flag. Works() tells
/// whether creating a file there now really fails.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path path) : path_(std::move(path)) {
    std::filesystem::permissions(
        path_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (geteuid() == 0)
      immutable_ = std::system(("chattr +i '" + path_.string() + "' 2>/dev/null").c_str()) == 0;
    const auto probe = path_ / ".probe";
    works_ = !std::ofstream(probe).good();
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
  }
  ~ReadOnlyFolder() {
    if (immutable_) {
      // Nothing more to try if it fails: the permissions below are restored all the same.
      [[maybe_unused]] const int status =
          std::system(("chattr -i '" + path_.string() + "'").c_str());
    }
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  bool Works() const { return works_; }

 private:
  std::filesystem::path path_;
  bool immutable_ = false;
  bool works_ = false;
};

}  // namespace mk::tests
