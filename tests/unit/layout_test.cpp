// The window layout at the screen's dots per inch: unchanged at 100 %, and at every raised
// scaling still inside the window, with no two controls on top of each other and every frame
// around what it framed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/layout.h"

namespace kz {
namespace {

struct Named {
  std::string name;
  LayoutRect rect;
};

std::vector<Named> Controls() {
  std::vector<Named> controls = {
      {"tree", layout::kFolderTree},     {"list", layout::kResultList},
      {"search", layout::kSearchButton}, {"check", layout::kRecursiveCheck},
      {"time", layout::kTimeField},      {"bar", layout::kPositionBar},
  };
  for (std::size_t at = 0; at < layout::kPlayerButtons.size(); ++at) {
    controls.push_back({"player " + std::to_string(at), layout::kPlayerButtons[at]});
  }
  return controls;
}

bool Inside(const LayoutRect& inner, const LayoutRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

TEST(Layout, At96DpiEveryLengthStaysAsDrawn) {
  EXPECT_EQ(ScaleToDpi(layout::kResultList, 96), layout::kResultList);
  for (int length : {0, 1, 49, 343, 2048}) EXPECT_EQ(ScaleToDpi(length, 96), length);
}

TEST(Layout, LengthsRoundToTheNearestPixel) {
  EXPECT_EQ(ScaleToDpi(49, 144), 74);  // 73.5
  EXPECT_EQ(ScaleToDpi(11, 120), 14);  // 13.75
  EXPECT_EQ(ScaleToDpi(-11, 144), -17);
  EXPECT_EQ(ScaleToDpi(640, 192), 1280);
  // Edges, not widths, are scaled: the time field's right edge meets the bar's left edge
  // at the same place as when its own width had been rounded alone.
  LayoutRect time = ScaleToDpi(layout::kTimeField, 144);
  EXPECT_EQ(time.right(), ScaleToDpi(layout::kTimeField.right(), 144));
}

class LayoutAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(LayoutAtDpi, ControlsFitTheClientAreaAndKeepApart) {
  int dpi = GetParam();
  LayoutRect client =
      ScaleToDpi(LayoutRect{0, 0, layout::kClientWidth, layout::kClientHeight}, dpi);
  std::vector<Named> controls = Controls();
  for (const Named& control : controls) {
    EXPECT_TRUE(Inside(ScaleToDpi(control.rect, dpi), client)) << control.name;
    EXPECT_TRUE(Inside(ScaleToDpi(control.rect, dpi), ScaleToDpi(layout::kFrames[0], dpi)))
        << control.name << " inside the working area's frame";
  }
  for (std::size_t a = 0; a < controls.size(); ++a) {
    for (std::size_t b = a + 1; b < controls.size(); ++b) {
      EXPECT_FALSE(Overlap(ScaleToDpi(controls[a].rect, dpi), ScaleToDpi(controls[b].rect, dpi)))
          << controls[a].name << " and " << controls[b].name;
    }
  }
  for (const LayoutRect& frame : layout::kFrames) {
    EXPECT_TRUE(Inside(ScaleToDpi(frame, dpi), client));
  }
  LayoutRect searchFrame = ScaleToDpi(layout::kFrames[1], dpi);
  EXPECT_TRUE(Inside(ScaleToDpi(layout::kSearchButton, dpi), searchFrame));
  EXPECT_TRUE(Inside(ScaleToDpi(layout::kRecursiveCheck, dpi), searchFrame));
  LayoutRect playerFrame = ScaleToDpi(layout::kFrames[2], dpi);
  EXPECT_TRUE(Inside(ScaleToDpi(layout::kTimeField, dpi), playerFrame));
  EXPECT_TRUE(Inside(ScaleToDpi(layout::kPositionBar, dpi), playerFrame));
  for (const LayoutRect& button : layout::kPlayerButtons) {
    EXPECT_TRUE(Inside(ScaleToDpi(button, dpi), playerFrame));
  }
}

TEST_P(LayoutAtDpi, PropertiesListFillsItsWindowSideways) {
  int dpi = GetParam();
  LayoutRect list = ScaleToDpi(layout::kPropertiesList, dpi);
  int clientWidth = ScaleToDpi(layout::kPropertiesClientWidth, dpi);
  EXPECT_EQ(list.x, clientWidth - list.right()) << "the same margin left and right";
  int columns = 0;
  for (int width : layout::kPropertiesColumns) columns += ScaleToDpi(width, dpi);
  EXPECT_LE(columns, list.width);
}

INSTANTIATE_TEST_SUITE_P(Scalings, LayoutAtDpi, ::testing::Values(96, 120, 144, 168, 192, 288),
                         [](const ::testing::TestParamInfo<int>& param) {
                           return std::to_string(param.param) + "dpi";
                         });

}  // namespace
}  // namespace kz
