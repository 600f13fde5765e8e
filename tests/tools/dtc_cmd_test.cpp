// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl dtc as a user runs it: codes typed any way, the catalogue listed, and
// malformed codes refused by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "catalog/trouble_codes.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::ToolRun;

TEST(MkctlDtcTest, OneLineACodeHoweverTyped) {
  const ToolRun r = Mkctl("dtc P0301 p0420 'u 0100' P 1234 C0035");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string maker = mk::catalog::kMakerCodeText;
  EXPECT_EQ(r.out,
            "P0301\tПропуски воспламенения в цилиндре 1\n"
            "P0420\tЭффективность катализатора ниже порога (банк 1)\n"
            "U0100\t" +
                mk::catalog::DescribeTroubleCode(0xC100) +
                "\n"
                "P1234\t" +
                maker +
                "\n"
                "C0035\t" +
                mk::catalog::DescribeTroubleCode(0x4035) + "\n");
  const ToolRun json = Mkctl("dtc P0301 P1234 --json");
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out,
            "[{\"code\": \"P0301\", \"description\": \"Пропуски воспламенения в цилиндре 1\"},\n"
            " {\"code\": \"P1234\", \"description\": \"" +
                maker + "\"}]\n");
}

TEST(MkctlDtcTest, MalformedCodesAreNamedAndNothingIsPrinted) {
  const ToolRun r = Mkctl("dtc P0301 X12 P03 P4000");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("«X12», «P03», «P4000»"), std::string::npos) << r.err;
  EXPECT_EQ(Mkctl("dtc").status, 2);
  EXPECT_EQ(Mkctl("dtc --list X").status, 2);
}

TEST(MkctlDtcTest, ListPrintsTheCatalogueOrOneSystem) {
  const ToolRun all = Mkctl("dtc --list");
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(static_cast<std::size_t>(std::count(all.out.begin(), all.out.end(), '\n')),
            mk::catalog::TroubleCodeRows().size());
  const ToolRun p = Mkctl("dtc --list p");
  ASSERT_EQ(p.status, 0) << p.err;
  EXPECT_TRUE(p.out.starts_with("P0000\t"));
  EXPECT_NE(p.out.find("\nP0999\t"), std::string::npos);
  EXPECT_EQ(p.out.find("\nU"), std::string::npos);
  EXPECT_EQ(p.out.find("\tКод производителя"), std::string::npos) << "only the catalogue's rows";
}

}  // namespace
