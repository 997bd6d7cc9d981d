#pragma once

#include <array>

#include "core/result_row.h"

namespace kz {

// A control's place in its window's client area, in pixels.
struct LayoutRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
  bool operator==(const LayoutRect&) const = default;
};

// The layout is drawn for 96 dots per inch (100 % display scaling) and scaled to the screen's,
// so that at 150 % or 200 % the window grows with its fonts and no text is cut.
constexpr int kLayoutDpi = 96;

// A length at `dpi`, rounded to the nearest pixel; at 96 dpi the length itself.
int ScaleToDpi(int length, int dpi);
// The rectangle's edges each scaled and rounded, so that controls that touch or keep apart at
// 96 dpi still do at any other, and a frame still encloses what it enclosed.
LayoutRect ScaleToDpi(const LayoutRect& rect, int dpi);

// The main window's layout at 96 dpi.
namespace layout {
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 344;
constexpr LayoutRect kFolderTree{16, 16, 188, 220};
constexpr LayoutRect kResultList{216, 16, 408, 244};
constexpr LayoutRect kSearchButton{24, 252, 64, 48};
constexpr LayoutRect kRecursiveCheck{96, 250, 100, 20};
constexpr LayoutRect kTimeField{224, 277, 49, 20};
constexpr LayoutRect kPositionBar{277, 275, 164, 20};
// Play, pause, stop, rewind, forward.
constexpr std::array<LayoutRect, 5> kPlayerButtons{{
    {444, 276, 32, 22},
    {478, 276, 32, 22},
    {512, 276, 32, 22},
    {550, 276, 32, 22},
    {584, 276, 32, 22},
}};
// The whole working area; the search button and check box; the time field, position bar and
// player buttons.
constexpr std::array<LayoutRect, 3> kFrames{{
    {4, 0, 632, 314},
    {16, 240, 188, 64},
    {216, 264, 408, 40},
}};
// Result list column widths by column number (name, size, folder, ID, recording); shown in the
// order name, size, recording, folder, ID.
constexpr std::array<int, kColumnCount> kResultColumns{328, 64, 2048, 32, 72};
constexpr std::array<int, kColumnCount> kResultColumnOrder{
    kNameColumn, kSizeColumn, kRecordingColumn, kFolderColumn, kIdColumn};
// Status bar fields: messages, row count.
constexpr std::array<int, 2> kStatusFields{480, 160};

// The properties window.
constexpr int kPropertiesClientWidth = 240;
constexpr int kPropertiesClientHeight = 120;
constexpr LayoutRect kPropertiesList{4, 4, 232, 120};
constexpr std::array<int, 2> kPropertiesColumns{116, 112};
}  // namespace layout

}  // namespace kz
