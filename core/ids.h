#pragma once

#include <cstdint>

namespace kz {

// Ids of windows, controls, the status bar, the popup menu, its items and the images. They are
// unique across all kinds; id 6 is unused.
namespace id {
constexpr int kSearchButton = 0;
constexpr int kPlayButton = 1;
constexpr int kPauseButton = 2;
constexpr int kStopButton = 3;
constexpr int kRewindButton = 4;
constexpr int kForwardButton = 5;
constexpr int kRecursiveCheck = 7;
constexpr int kResultList = 8;
constexpr int kPropertiesList = 9;
constexpr int kFolderTree = 10;
constexpr int kStatusBar = 11;
constexpr int kTimeField = 12;
constexpr int kPositionBar = 13;
constexpr int kItemMenu = 14;
constexpr int kMainWindow = 15;
constexpr int kPropertiesWindow = 16;

// Popup-menu items.
constexpr int kPropertiesItem = 0;
constexpr int kRemoveItem = 1;
// Moves the ticked rows' files to the Recycle Bin instead of deleting them.
constexpr int kRecycleItem = 27;
// Ticks many rows at once: all but the largest file of each name, everything in the selected
// row's folder and below, or none.
constexpr int kTickAllButLargestItem = 24;
constexpr int kTickFolderItem = 25;
constexpr int kClearTicksItem = 26;
// Compares the audio of the listed files of each name.
constexpr int kCompareRecordingsItem = 28;

constexpr bool IsMenuItem(int id) {
  return id == kPropertiesItem || id == kRemoveItem || id == kRecycleItem ||
         (id >= kTickAllButLargestItem && id <= kClearTicksItem) || id == kCompareRecordingsItem;
}

// Built-in images.
constexpr int kPlayImage = 17;
constexpr int kPauseImage = 18;
constexpr int kStopImage = 19;
constexpr int kRewindImage = 20;
constexpr int kForwardImage = 21;
constexpr int kGoImage = 22;
constexpr int kStopSearchImage = 23;
constexpr int kFirstImage = kPlayImage;
constexpr int kLastImage = kStopSearchImage;
}  // namespace id

// Event codes of the event service.
namespace event {
constexpr std::int32_t kNone = 0;
constexpr std::int32_t kClose = 16;
constexpr std::int32_t kRightButtonDown = 516;  // the platform's WM_RBUTTONDOWN, passed through
constexpr std::int32_t kControl = 13100;
constexpr std::int32_t kMenu = 13101;
}  // namespace event

// EventType values of control events.
namespace control_event {
constexpr std::int32_t kNone = -1;
constexpr std::int32_t kClick = 0;
constexpr std::int32_t kRightClick = 1;
constexpr std::int32_t kDoubleClick = 2;
constexpr std::int32_t kRightDoubleClick = 3;
constexpr std::int32_t kSelectionChanged = 768;
}  // namespace control_event

// SetControlAttribute attributes of the position bar.
namespace attribute {
constexpr int kRangeMinimum = 1;
constexpr int kRangeMaximum = 2;
}  // namespace attribute

// Row state bits.
namespace row_state {
constexpr std::int32_t kSelected = 1;
constexpr std::int32_t kTicked = 2;
}  // namespace row_state

}  // namespace kz
