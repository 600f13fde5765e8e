// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged and oversized settings files meet mkctl: write sends nothing, dump
// refuses, info shows what the file holds with the same verdict.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/sim_process.h"
#include "support/tool_run.h"
#include "text/byte_io.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using mk::tests::Mkctl;
using mk::tests::ReadBytes;
using mk::tests::ReadText;
using mk::tests::SimProcess;
using mk::tests::TempFolder;
using mk::tests::ToolRun;
using mk::tests::WriteBytes;

const std::string kDamaged = "Файл настроек повреждён: ";

Bytes FactoryImage() {
  return mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192));
}

Bytes FileOf(const Bytes& image) {
  return mk::device::EncodeSettingsFile(1, image);
}

Bytes WithEntry(int k, std::uint16_t address, std::uint16_t length) {
  Bytes image = FactoryImage();
  mk::bytes::WriteU16(image, 4 + 4 * static_cast<std::size_t>(k - 1), address);
  mk::bytes::WriteU16(image, 6 + 4 * static_cast<std::size_t>(k - 1), length);
  return FileOf(image);
}

std::uint16_t AddressOf(int k) {
  return mk::bytes::ReadU16(FactoryImage(), 4 + 4 * static_cast<std::size_t>(k - 1));
}

std::uint16_t LengthOf(int k) {
  return mk::bytes::ReadU16(FactoryImage(), 6 + 4 * static_cast<std::size_t>(k - 1));
}

struct Damage {
  const char* name;
  Bytes file;
  const char* says;
};

std::vector<Damage> Damages() {
  const Bytes good = FileOf(FactoryImage());
  const std::string text = "This is not a settings file, sorry!";
  Bytes random(8130);
  std::uint32_t x = 2024;
  for (auto& b : random) b = static_cast<std::uint8_t>((x = x * 1664525 + 1013904223) >> 24);
  return {
      {"cut", Bytes(good.begin(), good.begin() + 2000), "его длина 2000 байт"},
      {"text", Bytes(text.begin(), text.end()), "его длина 35 байт"},
      {"random", random, ""},
      {"length4", WithEntry(1, AddressOf(1), 4), "блок 1 короче своей записи"},
      {"length5", WithEntry(1, AddressOf(1), 5), "блок 1 короче своей записи"},
      {"end", WithEntry(7, 8150, LengthOf(7)), "блок 7 ("},
      {"address31", WithEntry(3, 31, LengthOf(3)), "блок 3 начинается с адреса 31"},
  };
}

TEST(DamagedFile, WriteSendsNothingAndTheMkKeepsItsMemory) {
  const TempFolder dir("damaged");
  const std::string factory = dir.File("factory.bin");
  WriteBytes(factory, mk::sim::FactoryMemory(8192));
  for (const Damage& d : Damages()) {
    const std::string file = dir.File(std::string(d.name) + ".vrnkp");
    WriteBytes(file, d.file);
    const std::string after = dir.File("after.bin"), log = dir.File("sim.log");
    SimProcess sim({"--image", factory, "--save", after, "--verbose"}, log);
    const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file);
    sim.Stop();
    EXPECT_EQ(r.status, 1) << d.name;
    EXPECT_EQ(r.out, "") << d.name;
    EXPECT_EQ(r.err.rfind(kDamaged, 0), 0u) << d.name << ": " << r.err;
    EXPECT_NE(r.err.find(d.says), std::string::npos) << d.name << ": " << r.err;
    EXPECT_EQ(ReadText(log), "") << d.name << ": nothing reaches the MK";
    EXPECT_EQ(ReadBytes(after), ReadBytes(factory)) << d.name;
  }
}

TEST(DamagedFile, DumpRefusesAndInfoShowsTheFileWithTheSameVerdict) {
  const TempFolder dir("damaged");
  for (const Damage& d : Damages()) {
    const std::string file = dir.File(std::string(d.name) + ".vrnkp");
    WriteBytes(file, d.file);
    const ToolRun dump = Mkctl("dump " + file);
    EXPECT_EQ(dump.status, 1) << d.name;
    EXPECT_EQ(dump.out, "") << d.name;
    EXPECT_EQ(dump.err.rfind(kDamaged, 0), 0u) << d.name;

    const ToolRun info = Mkctl("info " + file);
    EXPECT_EQ(info.status, 1) << d.name;
    EXPECT_EQ(info.out.rfind("device-version ", 0), 0u) << d.name;
    EXPECT_NE(info.out.find("\nblock  address  length  data  position\n"), std::string::npos);
    EXPECT_NE(info.out.find("\nverdict " + dump.err), std::string::npos)
        << d.name << ": " << info.out;
    EXPECT_EQ(info.err, dump.err) << d.name;
  }
  // The text file of the issue: its first bytes are read as a block count.
  const ToolRun text = Mkctl("info " + dir.File("text.vrnkp"));
  EXPECT_NE(text.out.find("image-size 33\n"), std::string::npos) << text.out;

  const std::string good = dir.File("good.vrnkp");
  WriteBytes(good, FileOf(FactoryImage()));
  const ToolRun info = Mkctl("info " + good);
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("\nverdict ok\n"), std::string::npos);
  EXPECT_EQ(info.err, "");
}

TEST(OversizedFile, EveryCommandRefusesItAtOnce) {
  const TempFolder dir("damaged");
  const std::string big = dir.File("big.vrnkp");
  WriteBytes(big, Bytes(10 * 1024 * 1024, 0x55));
  const std::string too_long =
      kDamaged + "он длиннее 32706 байт, а файл настроек МК занимает 8130 или 32706 байт.\n";
  // A device or a FIFO nobody writes is refused unopened: it could be endless or never answer.
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  const std::string not_regular =
      "Не удалось прочитать файл настроек «%». Причина: это не обычный файл.\n";
  for (const std::string& file : {big, std::string("/dev/zero"), dir.File("fifo")}) {
    const std::string expected =
        file == big ? too_long : std::string(not_regular).replace(not_regular.find('%'), 1, file);
    for (const std::string& command : {"info " + file, "dump " + file, "catalog --file " + file,
                                       "write --port /nonexistent/ttyQ9 --in " + file}) {
      const ToolRun r = Mkctl(command);
      EXPECT_EQ(r.status, 1) << command;
      EXPECT_EQ(r.err, expected) << command;
      EXPECT_LT(r.seconds, 5.0) << command;
    }
  }
  const ToolRun prefs = Mkctl("ports --prefs /dev/zero");
  EXPECT_EQ(prefs.status, 1);
  EXPECT_EQ(prefs.err,
            "Не могу прочитать файл настроек «/dev/zero». Причина: это не обычный файл.\n");
}

}  // namespace
