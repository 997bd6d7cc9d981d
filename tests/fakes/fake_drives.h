#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/drives.h"

namespace kz::testing {

// Drives whose set, readiness and shell names the test sets directly.
class FakeDrives : public Drives {
 public:
  void Add(char letter, std::string text, int image = 0) {
    logical |= 1u << (letter - 'A');
    looks[letter] = ItemLook{std::move(text), image};
  }

  std::uint32_t LogicalDrives() override { return logical; }
  bool IsReady(char letter) override { return !notReady.count(letter); }
  ItemLook DriveLook(char letter) override {
    auto found = looks.find(letter);
    return found == looks.end() ? ItemLook{} : found->second;
  }

  std::uint32_t logical = 0;
  std::set<char> notReady;
  std::map<char, ItemLook> looks;
};

}  // namespace kz::testing
