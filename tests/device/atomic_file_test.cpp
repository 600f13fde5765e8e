// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/files.h"
#include "text/error.h"

namespace mk::device {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const Bytes kNew = {1, 2, 3};

std::string SaveError(const fs::path& path) {
  try {
    WriteFileAtomically(path, kNew, "Не удалось записать «x».");
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// Whatever stands at the target's name, or beside it as NAME.part, the save
// neither writes through it into another file nor replaces what it must not.
TEST(AtomicSave, WritesOnlyWhereItMayAndSaysWhyNot) {
  const tests::TempFolder dir("atomic");
  const fs::path d = dir.path();
  struct Case {
    const char* what;
    std::function<void()> prepare;
    std::string error;  // "" for a save that succeeds
    std::function<void()> then_check;
  };
  const Case cases[] = {
      {"a link named NAME.part into another file",
       [&] {
         tests::WriteBytes(d / "victim", {9});
         fs::create_symlink(d / "victim", d / "a.vrnkp.part");
       },
       "",
       [&] {
         EXPECT_EQ(tests::ReadBytes(d / "victim"), Bytes{9});
         EXPECT_EQ(tests::ReadBytes(d / "a.vrnkp"), kNew);
         EXPECT_TRUE(fs::is_symlink(d / "a.vrnkp.part")) << "left alone";
       }},
      {"a link to a device is written through, never replaced",
       [&] { fs::create_symlink("/dev/null", d / "null.vrnkp"); }, "",
       [&] { EXPECT_TRUE(fs::is_character_file(d / "null.vrnkp")); }},
      {"a full device fails with the reason",
       [&] { fs::create_symlink("/dev/full", d / "full.vrnkp"); },
       "Не удалось записать «x». Причина: нет места на диске.",
       [&] { EXPECT_TRUE(fs::is_character_file(d / "full.vrnkp")); }},
      {"a FIFO is refused unopened",
       [&] { ASSERT_EQ(mkfifo((d / "fifo.vrnkp").c_str(), 0600), 0); },
       "Не удалось записать «x». Причина: это не обычный файл.",
       [&] { EXPECT_TRUE(fs::is_fifo(d / "fifo.vrnkp")); }},
      {"a folder is refused", [&] { fs::create_directories(d / "dir.vrnkp" / "inside"); },
       "Не удалось записать «x». Причина: там уже есть папка с этим именем.",
       [&] { EXPECT_TRUE(fs::is_directory(d / "dir.vrnkp" / "inside")); }},
      {"a missing folder", [] {}, "Не удалось записать «x». Причина: нет такой папки.", [] {}},
  };
  const fs::path targets[] = {d / "a.vrnkp",    d / "null.vrnkp", d / "full.vrnkp",
                              d / "fifo.vrnkp", d / "dir.vrnkp",  d / "no" / "b.vrnkp"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    cases[i].prepare();
    EXPECT_EQ(SaveError(targets[i]), cases[i].error);
    cases[i].then_check();
  }
  // No temporary file is left behind, whatever happened.
  for (const auto& entry : fs::directory_iterator(d)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "a.vrnkp.part" || name.find(".part") == std::string::npos) << name;
  }
}

}  // namespace
}  // namespace mk::device
