#include "ui/marks.h"

#include <gtest/gtest.h>

#include "toolkit/headless/headless_controls.h"
#include "ui/layout_builders.h"

namespace {

TEST(CheckMark, TogglesBetweenYesAndNoAndBack) {
  toolkit::headless::HeadlessPicture box(layout::CheckMarkBox("box", 0, 0));
  EXPECT_EQ(box.Tag(), "no");
  EXPECT_EQ(box.Picture(), kUntickedPicture);
  EXPECT_EQ(ToggleCheckMark(box), "yes");
  EXPECT_EQ(box.Picture(), kTickedPicture);
  EXPECT_EQ(ToggleCheckMark(box), "no");
  EXPECT_EQ(box.Tag(), "no");
  EXPECT_EQ(box.Picture(), kUntickedPicture);
}

TEST(CheckMark, ATagThatIsNeitherWordChangesNothing) {
  toolkit::headless::HeadlessPicture box(layout::CheckMarkBox("box", 0, 0));
  for (const char* tag : {"", "YES", "1"}) {
    box.SetTag(tag);
    EXPECT_EQ(ToggleCheckMark(box), std::nullopt);
    EXPECT_EQ(box.Tag(), tag);
    EXPECT_EQ(box.Picture(), kUntickedPicture);
  }
}

TEST(CheckMark, SetFromOutsideWritesTagAndPictureTogether) {
  toolkit::headless::HeadlessPicture box(layout::CheckMarkBox("box", 0, 0));
  box.SetTag("junk");
  SetCheckMark(box, true);
  EXPECT_EQ(box.Tag(), "yes");
  EXPECT_EQ(box.Picture(), kTickedPicture);
}

TEST(RadioMark, ChoosingOneBoxUnselectsTheOthers) {
  toolkit::headless::HeadlessPicture a(layout::RadioMarkBox("a", 0, 0));
  toolkit::headless::HeadlessPicture b(layout::RadioMarkBox("b", 0, 0));
  toolkit::headless::HeadlessPicture c(layout::RadioMarkBox("c", 0, 0));
  SelectRadioMark({&a, &b, &c}, &a);
  SelectRadioMark({&a, &b, &c}, &b);
  EXPECT_EQ(a.Picture(), kUnselectedPicture);
  EXPECT_EQ(b.Picture(), kSelectedPicture);
  EXPECT_EQ(c.Picture(), kUnselectedPicture);
}

}  // namespace
