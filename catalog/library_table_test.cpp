#include "catalog/library_table.h"

#include <gtest/gtest.h>

#include <string>

#include "catalog/case_fold.h"
#include "tests/captured_output.h"

namespace dllpick {
namespace {

TEST(ResolveLibraryTest, FirstRowWhoseAbbreviationOccursWins) {
  const struct {
    const char* identifier;
    int row;
  } cases[] = {
      {"ECHRA", 0}, {"FOTEK", 1},  {"KERNAX", 2},   {"GNOMA", 3}, {"DAPEK", 4},
      {"FOT", 1},   {"MYFOTLIB", 1}, {"GNOFOT", 1},  // FOT's row comes before GNO's
      {"?", 5},     {"X?Y", 5},    {"?FOT", 1},
      {"", kNoLibrary}, {"FO", kNoLibrary}, {"fotek", kNoLibrary},  // unfolded
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveLibrary(c.identifier), c.row) << c.identifier;
  }
}

TEST(ComposeKeyPathTest, RootThenSubkeyName) {
  KeyPath path;
  ComposeKeyPath(1, path);
  EXPECT_STREQ(path, "SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek");
  ComposeKeyPath(5, path);
  EXPECT_STREQ(path, "SOFTWARE\\Ombrix Corporation\\Kolvane\\Unknown");
}

TEST(CaseFoldTest, OnlyAsciiLettersChange) {
  char text[] = "aZ09-\xE9\xC9~z";
  FoldToUpper(text);
  EXPECT_STREQ(text, "AZ09-\xE9\xC9~Z");
  EXPECT_EQ(FoldToLower('Q'), 'q');
  EXPECT_EQ(FoldToLower('\xC9'), '\xC9');
  EXPECT_EQ(FoldToLower('\0'), '\0');
}

TEST(NoteValueNameTest, FoldsAndNotesOnlyOtherNames) {
  {
    CapturedOutput out;
    char argument[] = "usedll";
    EXPECT_STREQ(NoteValueName(argument, out.file()), "USEDLL");
    EXPECT_EQ(out.text(), "");
  }
  {
    CapturedOutput out;
    char argument[] = "UseDLL2";
    EXPECT_STREQ(NoteValueName(argument, out.file()), "USEDLL2");
    EXPECT_EQ(out.text(), "** Note that you use USEDLL2 key instead of USEDLL assumed\n");
  }
}

}  // namespace
}  // namespace dllpick
