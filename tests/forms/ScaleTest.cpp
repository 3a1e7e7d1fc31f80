#include "platform/forms/Scale.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ScaleTest, PositionsAreScaledAndRoundedHalfAwayFromZero) {
  struct Case {
    int dpi, layout, pixels;
  };
  for (Case c : {Case{96, 417, 417}, Case{192, 417, 834}, Case{192, 281, 562}, Case{144, 417, 626},
                 Case{144, 57, 86}, Case{144, 121, 182}, Case{120, 8, 10}, Case{120, 2, 3},
                 Case{144, -3, -5}, Case{168, 281, 492}})
    EXPECT_EQ(TScale(c.dpi).Pixels(c.layout), c.pixels) << c.dpi << " dpi, " << c.layout;
}

TEST(ScaleTest, APointerPositionMapsBackOntoTheLayout) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 480})
    for (int layout = 0; layout <= 417; ++layout) {
      const TScale scale(dpi);
      ASSERT_EQ(scale.Layout(scale.Pixels(layout)), layout) << dpi << " dpi";
    }
}

TEST(ScaleTest, PlacesAreScaledByTheirEdgesSoNeighboursStillMeet) {
  // Side by side, one above the other, and sharing one pixel row, at 96 dpi.
  const TRect left{0, 0, 121, 281}, right{121, 0, 296, 281};
  const TRect upper{328, 0, 89, 57}, lower{328, 56, 89, 49};
  for (int dpi : {96, 120, 125, 144, 168, 192, 216, 240, 288}) {
    const TScale scale(dpi);
    const TRect l = scale.Pixels(left), r = scale.Pixels(right);
    const TRect u = scale.Pixels(upper), d = scale.Pixels(lower);
    EXPECT_EQ(l.Left + l.Width, r.Left) << dpi;
    EXPECT_EQ(r.Left + r.Width, scale.Pixels(417)) << dpi << ": off the window's right edge";
    EXPECT_EQ(l.Top + l.Height, scale.Pixels(281)) << dpi << ": off the window's bottom edge";
    EXPECT_GT(u.Top + u.Height, d.Top) << dpi << ": the shared row came apart";
    EXPECT_LE(u.Top + u.Height, d.Top + scale.Pixels(1) + 1) << dpi;
  }
}

TEST(ScaleTest, TheDisplaysSettingIsReadAsDesktopsWriteItAndNeverMakesTheWindowUnusable) {
  struct Case {
    std::string text;
    int dpi;
  };
  for (const Case& c :
       {Case{"192", 192}, Case{"144.0", 144}, Case{" 120.5\t", 121}, Case{"96", 96}, Case{"", 96},
        Case{"big", 96}, Case{"192px", 96}, Case{"-192", 96}, Case{"0", 96}, Case{"nan", 96},
        Case{"inf", 96}, Case{"72", 96}, Case{"1e9", 480}, Case{"480", 480}, Case{"481", 480}})
    EXPECT_EQ(ScaleFromDpiText(c.text).Dpi(), c.dpi) << "'" << c.text << "'";
  EXPECT_EQ(TScale(12).Dpi(), 96);
  EXPECT_EQ(TScale(100000).Dpi(), 480);
}

}  // namespace
