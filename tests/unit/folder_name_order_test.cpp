// The folder tree's order of names: case and accents aside first, for every script a music
// library is likely to hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/tree/folder_name_order.h"

namespace kz {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), FolderNameLess);
  return names;
}

TEST(FolderNameOrder, GermanUmlautsSitWithTheirBaseLetter) {
  EXPECT_EQ(Sorted({"Zebra", "Beta", "\xC3\x84rger", "alpha"}),
            (std::vector<std::string>{"alpha", "\xC3\x84rger", "Beta", "Zebra"}));  // Ärger
  // über: ü weighs as u, so b decides before f.
  EXPECT_EQ(Sorted({"Vogel", "Ufer",
                    "\xC3\xBC"
                    "ber",
                    "Unter"}),
            (std::vector<std::string>{"\xC3\xBC"
                                      "ber",
                                      "Ufer", "Unter", "Vogel"}));
}

TEST(FolderNameOrder, PolishCapitalsFoldAndOwnLettersFollowTheirBase) {
  // Łza, łaska: the same first letter, so the second decides.
  EXPECT_EQ(Sorted({"\xC5\x81za",
                    "\xC5\x82"
                    "aska"}),
            (std::vector<std::string>{"\xC5\x82"
                                      "aska",
                                      "\xC5\x81za"}));
  // ł comes after every l, before m; Ż and Ź next to z.
  EXPECT_EQ(Sorted({"Mama",
                    "\xC5\x82"
                    "a",
                    "Lz",
                    "\xC5\xBB"
                    "aba",
                    "zebra"}),
            (std::vector<std::string>{"Lz",
                                      "\xC5\x82"
                                      "a",
                                      "Mama",
                                      "\xC5\xBB"
                                      "aba",
                                      "zebra"}));
}

TEST(FolderNameOrder, CyrillicAndGreekCapitalsFold) {
  // альфа, Бета, Ёж, ель: Ё next to е.
  EXPECT_EQ(Sorted({"\xD0\x91\xD0\xB5\xD1\x82\xD0\xB0", "\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x84\xD0\xB0",
                    "\xD0\xB5\xD0\xBB\xD1\x8C", "\xD0\x81\xD0\xB6"}),
            (std::vector<std::string>{"\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x84\xD0\xB0",
                                      "\xD0\x91\xD0\xB5\xD1\x82\xD0\xB0", "\xD0\x81\xD0\xB6",
                                      "\xD0\xB5\xD0\xBB\xD1\x8C"}));
  // Ωμέγα, άλφα, Βήτα: the tonos aside, α before β before ω.
  EXPECT_EQ(Sorted({"\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", "\xCE\x92\xCE\xAE\xCF\x84\xCE\xB1",
                    "\xCE\xAC\xCE\xBB\xCF\x86\xCE\xB1"}),
            (std::vector<std::string>{"\xCE\xAC\xCE\xBB\xCF\x86\xCE\xB1",
                                      "\xCE\x92\xCE\xAE\xCF\x84\xCE\xB1",
                                      "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1"}));
}

TEST(FolderNameOrder, OneFolderOfSeveralScriptsGroupsEachScriptInItsOrder) {
  // The folder of the tree's end-to-end check: Latin, then Greek, then Cyrillic, each without
  // regard to case or accent.
  EXPECT_EQ(Sorted({"Zebra", "\xD0\x91\xD0\xB5\xD1\x82\xD0\xB0", "\xC5\x81za",
                    "\xCE\x92\xCE\xAE\xCF\x84\xCE\xB1", "Beta", "\xC3\x84rger",
                    "\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x84\xD0\xB0", "\xCE\xAC\xCE\xBB\xCF\x86\xCE\xB1",
                    "\xC5\x82"
                    "aska",
                    "alpha"}),
            (std::vector<std::string>{"alpha", "\xC3\x84rger", "Beta",
                                      "\xC5\x82"
                                      "aska",
                                      "\xC5\x81za", "Zebra", "\xCE\xAC\xCE\xBB\xCF\x86\xCE\xB1",
                                      "\xCE\x92\xCE\xAE\xCF\x84\xCE\xB1",
                                      "\xD0\xB0\xD0\xBB\xD1\x8C\xD1\x84\xD0\xB0",
                                      "\xD0\x91\xD0\xB5\xD1\x82\xD0\xB0"}));
}

TEST(FolderNameOrder, TiesGoByAccentThenByExactBytesAndTheOrderIsStrict) {
  // Names alike but for accent: the plain one first; alike but for case: byte order.
  EXPECT_EQ(Sorted({"\xC3\xA9t\xC3\xA9", "ete", "Ete", "\xC3\x89t\xC3\xA9"}),
            (std::vector<std::string>{"Ete", "ete", "\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9"}));
  EXPECT_FALSE(FolderNameLess("Abc", "Abc"));
  EXPECT_TRUE(FolderNameLess("ab", "abc"));
  EXPECT_FALSE(FolderNameLess("abc", "AB"));
  // A byte that is not UTF-8 still has a fixed place.
  EXPECT_TRUE(FolderNameLess("a\xFF", "b"));
  EXPECT_NE(FolderNameLess("a\xFF", "a\xFE"), FolderNameLess("a\xFE", "a\xFF"));
}

}  // namespace
}  // namespace kz
