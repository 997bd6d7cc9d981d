#include "common/trash_info.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kz {
namespace {

TEST(TrashInfoPath, ThePathKeyOfTheTrashInfoGroupUnescaped) {
  struct Case {
    const char* text;
    std::optional<std::string> path;
  };
  const Case cases[] = {
      {"[Trash Info]\r\nPath=/m/Gr%C3%B6%c3%9Fe%20%25.mp3\r\nDeletionDate=2026\r\n",
       "/m/Gr\xC3\xB6\xC3\x9F"
       "e %.mp3"},
      {"[Trash Info]\nPath=/m/100%/%4.mp3%", "/m/100%/%4.mp3%"},  // no escapes
      {"[Other]\nPath=/m/a.mp3\n[Trash Info]\nDeletionDate=x\n", std::nullopt},
      {"Path=/m/a.mp3\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TrashInfoPath(c.text), c.path) << c.text;
}

}  // namespace
}  // namespace kz
