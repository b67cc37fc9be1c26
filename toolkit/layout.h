#pragma once

#include <span>
#include <string_view>

namespace toolkit {

// Each window's controls are written once as data, and every backend builds its widgets from it.
// Texts are in the system's code page, as everything the system hands the toolkit.

enum class ControlKind { TransparentLabel, PictureBox, EditBox, ImageButton, ReportListView, Timer };

struct ListColumn {
  std::string_view header;
  int width;  // 0 keeps the column out of sight; it still holds its cells
};

struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  int left = 0;  // in the window's client area, or in the parent control when there is one
  int top = 0;
  int width = 0;
  int height = 0;
  std::string_view text{};  // labels and edit boxes
  std::string_view tag{};   // picture boxes and image buttons
  std::string_view picture{};  // picture boxes; the normal picture of an image button
  std::string_view hotPicture{};
  std::string_view disabledPicture{};
  std::string_view parent{};                 // a control this one lies inside
  std::span<const ListColumn> columns{};     // report list views
  std::span<const std::string_view> rows{};  // design-time rows of a one-column list view
  bool hidden = false;
  bool password = false;   // an edit box that shows no typed character
  bool lightText = false;  // a label over a dark part of the background
};

struct WindowLayout {
  std::string_view name;
  int width = 0;
  int height = 0;
  std::string_view background{};  // picture name
  std::span<const ControlLayout> controls{};
};

}  // namespace toolkit
