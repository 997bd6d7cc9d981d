#include "player/player_buttons.h"

#include "core/ids.h"
#include "core/row_record.h"
#include "player/mci.h"

namespace kz {

namespace {
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
    MciOpen(program.media, kPlayerSlot, program.files.ServicePath(PathOf(*record)));
  }
  ui.SetControlAttribute(id::kPositionBar, attribute::kRangeMaximum,
                         MciLength(program.media, kPlayerSlot));
  program.rewindOffset = 0;
  program.forwardOffset = 0;
  MciPlay(program.media, kPlayerSlot);
}

void PressPause(Program& program) {
  MciPause(program.media, kPlayerSlot);
}

void PressStop(Program& program) {
  MciStop(program.media, kPlayerSlot);
  MciClose(program.media, kPlayerSlot);
  program.ui.SetControlText(id::kTimeField, "00:00:00");
  program.ui.SetControlState(id::kPositionBar, 0);
}

// The target is sent as computed, also before the start or beyond the end; the service decides.
void PressRewind(Program& program) {
  program.rewindOffset = WrappingAdd(program.rewindOffset, kJumpMs);
  std::int32_t position = MciPosition(program.media, kPlayerSlot);
  MciPlayFrom(program.media, kPlayerSlot, WrappingSubtract(position, program.rewindOffset));
}

void PressForward(Program& program) {
  program.forwardOffset = WrappingAdd(program.forwardOffset, kJumpMs);
  std::int32_t position = MciPosition(program.media, kPlayerSlot);
  MciPlayFrom(program.media, kPlayerSlot, WrappingAdd(position, program.forwardOffset));
}

}  // namespace kz
