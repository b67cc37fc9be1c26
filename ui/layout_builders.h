#pragma once

#include <span>
#include <string_view>

#include "toolkit/layout.h"
#include "ui/marks.h"

// Short forms for the windows' control tables: one line per control, the layout names first.
namespace layout {

using toolkit::ControlKind;
using toolkit::ControlLayout;

constexpr ControlLayout Label(std::string_view name, int left, int top, int width, int height,
                              std::string_view text = {}) {
  return {.name = name, .kind = ControlKind::TransparentLabel, .left = left, .top = top, .width = width,
          .height = height, .text = text};
}

// A label placed inside another control, at a place relative to that control.
constexpr ControlLayout LabelIn(std::string_view parent, std::string_view name, int left, int top, int width,
                                int height) {
  ControlLayout control = Label(name, left, top, width, height);
  control.parent = parent;
  return control;
}

constexpr ControlLayout Edit(std::string_view name, int left, int top, int width, int height,
                             std::string_view text = {}) {
  return {.name = name, .kind = ControlKind::EditBox, .left = left, .top = top, .width = width, .height = height,
          .text = text};
}

constexpr ControlLayout Picture(std::string_view name, int left, int top, int width, int height,
                                std::string_view picture) {
  return {.name = name, .kind = ControlKind::PictureBox, .left = left, .top = top, .width = width, .height = height,
          .picture = picture};
}

// A switch as laid out: off, unticked.
constexpr ControlLayout CheckMarkBox(std::string_view name, int left, int top) {
  ControlLayout control = Picture(name, left, top, 20, 20, kUntickedPicture);
  control.tag = kNo;
  return control;
}

// A box of a choice group as laid out: not chosen.
constexpr ControlLayout RadioMarkBox(std::string_view name, int left, int top) {
  return Picture(name, left, top, 20, 20, kUnselectedPicture);
}

// An image button whose pictures are <stem>_normal, <stem>_hot and <stem>_disabled.
struct ButtonPictureNames {
  std::string_view normal, hot, disabled;
};

constexpr ControlLayout Button(std::string_view name, int left, int top, int width, int height,
                               ButtonPictureNames pictures) {
  return {.name = name, .kind = ControlKind::ImageButton, .left = left, .top = top, .width = width,
          .height = height, .picture = pictures.normal, .hotPicture = pictures.hot,
          .disabledPicture = pictures.disabled};
}

constexpr ControlLayout List(std::string_view name, int left, int top, int width, int height,
                             std::span<const toolkit::ListColumn> columns) {
  return {.name = name, .kind = ControlKind::ReportListView, .left = left, .top = top, .width = width,
          .height = height, .columns = columns};
}

constexpr ControlLayout Timer(std::string_view name) { return {.name = name, .kind = ControlKind::Timer}; }

}  // namespace layout
