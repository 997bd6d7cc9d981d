#include "player/player_buttons.h"

#include "app/ids.h"
#include "app/row_record.h"
#include "player/mci.h"

namespace kz {

namespace {
constexpr MciSlot kSlot = 0;
constexpr std::int32_t kJumpMs = 1000;

// Offsets and targets are 32-bit millisecond counts that wrap rather than overflow.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t WrappingSubtract(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
}  // namespace

void PressPlay(Program& program) {
  Ui& ui = program.ui;
  std::int32_t row = ui.ControlState(id::kResultList);
  // With no row or no record to play, the open is left out, as a refused open would be; a
  // file already open still plays on.
  if (FileRecord* record = RecordOfRow(program, row)) {
    MciOpen(program.media, kSlot, PathOf(*record));
  }
  ui.SetControlAttribute(id::kPositionBar, attribute::kRangeMaximum,
                         MciLength(program.media, kSlot));
  program.rewindOffset = 0;
  program.forwardOffset = 0;
  MciPlay(program.media, kSlot);
}

void PressPause(Program& program) {
  MciPause(program.media, kSlot);
}

void PressStop(Program& program) {
  MciStop(program.media, kSlot);
  MciClose(program.media, kSlot);
  program.ui.SetControlText(id::kTimeField, "00:00:00");
  program.ui.SetControlState(id::kPositionBar, 0);
}

// The target is sent as computed, also before the start or beyond the end; the service decides.
void PressRewind(Program& program) {
  program.rewindOffset = WrappingAdd(program.rewindOffset, kJumpMs);
  std::int32_t position = MciPosition(program.media, kSlot);
  MciPlayFrom(program.media, kSlot, WrappingSubtract(position, program.rewindOffset));
}

void PressForward(Program& program) {
  program.forwardOffset = WrappingAdd(program.forwardOffset, kJumpMs);
  std::int32_t position = MciPosition(program.media, kSlot);
  MciPlayFrom(program.media, kSlot, WrappingAdd(position, program.forwardOffset));
}

}  // namespace kz
