#include "ui/marks.h"

void SetCheckMark(toolkit::PictureBox& box, bool on) {
  box.SetTag(on ? kYes : kNo);
  box.SetPicture(on ? kTickedPicture : kUntickedPicture);
}

std::optional<std::string> ToggleCheckMark(toolkit::PictureBox& box) {
  std::string tag = box.Tag();
  if (tag != kYes && tag != kNo) return std::nullopt;
  bool on = tag == kNo;
  SetCheckMark(box, on);
  return on ? kYes : kNo;
}

void SelectRadioMark(std::initializer_list<toolkit::PictureBox*> group, const toolkit::PictureBox* chosen) {
  for (toolkit::PictureBox* box : group) box->SetPicture(box == chosen ? kSelectedPicture : kUnselectedPicture);
}
