#pragma once

#include <cstdint>
#include <string>

namespace kz {

// How the shell shows an item of the folder tree: its display text and its index in the
// system's small-icon image list (-1 when the shell gives none).
struct ItemLook {
  std::string text;
  int image = -1;
};

// The computer's logical drives, as the folder tree needs them.
class Drives {
 public:
  virtual ~Drives() = default;

  // Bit 0 is drive A, bit 25 drive Z.
  virtual std::uint32_t LogicalDrives() = 0;
  // False only when the drive reports that it has no medium.
  virtual bool IsReady(char letter) = 0;
  // The shell's display name and small icon of the drive's root folder.
  virtual ItemLook DriveLook(char letter) = 0;
};

}  // namespace kz
