#include "app/tree/drive_change.h"

#include <algorithm>

namespace kz {

namespace {

constexpr int kDriveCount = 26;

bool Has(std::uint32_t mask, char letter) {
  int bit = letter - 'A';
  return bit >= 0 && bit < kDriveCount && (mask >> bit) & 1u;
}

}  // namespace

DriveSetChange VolumeBroadcastChange(bool arrival, std::uint32_t units, bool mediaOnly,
                                     std::uint32_t logicalNow) {
  DriveSetChange change;
  if (arrival) {
    change.logicalDrives = logicalNow | units;
    change.mediaIn = units;
  } else if (mediaOnly) {
    change.logicalDrives = logicalNow | units;
    change.mediaOut = units;
  } else {
    change.logicalDrives = logicalNow & ~units;
  }
  return change;
}

DrivePlan PlanDriveChange(std::span<const char> currentLetters, const DriveSetChange& change) {
  std::vector<char> current(currentLetters.begin(), currentLetters.end());
  std::sort(current.begin(), current.end());
  DrivePlan plan;
  for (char letter : current) {
    if (!Has(change.logicalDrives, letter)) {
      plan.remove.push_back(letter);
    } else if (Has(change.mediaOut, letter)) {
      plan.collapse.push_back(letter);
    } else if (Has(change.mediaIn, letter)) {
      plan.refresh.push_back(letter);
    }
  }
  for (int bit = 0; bit < kDriveCount; ++bit) {
    char letter = static_cast<char>('A' + bit);
    if (Has(change.logicalDrives, letter) &&
        std::find(current.begin(), current.end(), letter) == current.end()) {
      plan.add.push_back(letter);
    }
  }
  return plan;
}

bool EndsMediumPrompt(char letter, const DriveSetChange& change) {
  return Has(change.mediaIn, letter) || !Has(change.logicalDrives, letter);
}

}  // namespace kz
