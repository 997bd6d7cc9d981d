#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kz {

// A change of the computer's drives, as a volume broadcast reports it. Masks have bit 0 for
// drive A.
struct DriveSetChange {
  std::uint32_t logicalDrives = 0;  // the drives that exist now
  std::uint32_t mediaOut = 0;       // drives whose medium was taken out
  std::uint32_t mediaIn = 0;        // drives that received a medium
};

// The change for one volume broadcast: `units` are the broadcast's drives, `mediaOnly` its
// flag that only the media changed (the drives themselves stay), `logicalNow` the platform's
// drive set at that moment. A new volume counts as present even when the platform's set does
// not show it yet, and a volume that has gone as absent.
DriveSetChange VolumeBroadcastChange(bool arrival, std::uint32_t units, bool mediaOnly,
                                     std::uint32_t logicalNow);

// What a change does to the tree's drive items, in drive-letter order each.
struct DrivePlan {
  std::vector<char> remove;    // letters that have gone
  std::vector<char> collapse;  // medium taken out: collapse, forget children, read text again
  std::vector<char> refresh;   // medium arrived: read text and icon again
  std::vector<char> add;       // new letters, added after the existing items
};

DrivePlan PlanDriveChange(std::span<const char> currentLetters, const DriveSetChange& change);

// Whether the insert-medium prompt for `letter` has done its job: a medium arrived there, or the
// drive has gone.
bool EndsMediumPrompt(char letter, const DriveSetChange& change);

}  // namespace kz
