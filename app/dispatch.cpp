#include "app/dispatch.h"

#include "app/show_properties.h"
#include "core/ids.h"
#include "player/player_buttons.h"
#include "recordings/bulk_ticks.h"
#include "recordings/compare_recordings.h"
#include "removal/recycle_ticked_files.h"
#include "removal/remove_ticked_files.h"
#include "search/run_search.h"

namespace kz {

Outcome DispatchMenuEvent(Program& program, std::int32_t itemId) {
  switch (itemId) {
    case id::kRemoveItem:
      return RemoveTickedFiles(program);
    case id::kRecycleItem:
      return RecycleTickedFiles(program);
    case id::kPropertiesItem:
      return ShowProperties(program);
    case id::kTickAllButLargestItem:
      return TickAllButLargest(program);
    case id::kTickFolderItem:
      return TickFolderOfSelectedRow(program);
    case id::kCompareRecordingsItem:
      return CompareRecordings(program);
    case id::kClearTicksItem:
      ClearAllTicks(program);
      return Outcome::kContinue;
    default:
      return Outcome::kContinue;
  }
}

Outcome DispatchControlEvent(Program& program, std::int32_t controlId) {
  switch (controlId) {
    case id::kSearchButton:
      return RunSearch(program);
    case id::kPlayButton:
      PressPlay(program);
      return Outcome::kContinue;
    case id::kPauseButton:
      PressPause(program);
      return Outcome::kContinue;
    case id::kStopButton:
      PressStop(program);
      return Outcome::kContinue;
    case id::kRewindButton:
      PressRewind(program);
      return Outcome::kContinue;
    case id::kForwardButton:
      PressForward(program);
      return Outcome::kContinue;
    default:
      return Outcome::kContinue;
  }
}

}  // namespace kz
