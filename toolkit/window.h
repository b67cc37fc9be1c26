#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/controls.h"

namespace toolkit {

// How the window system names a window: a 32-bit number, as in the 32-bit program's records; 0 is
// no window.
using WindowHandle = std::uint32_t;

// A window without system frame, drawn from its background picture, with the controls of its
// layout. Handlers reach the controls by their layout names; a name the layout lacks is a fault of
// the program, and the backend ends the process saying so.
class Window {
 public:
  virtual ~Window() = default;

  virtual std::string_view Name() const = 0;
  // The window system's handle of this window, for its services (toolkit/shell.h).
  virtual WindowHandle Handle() const = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;

  virtual TransparentLabel& Label(std::string_view name) = 0;
  virtual PictureBox& Picture(std::string_view name) = 0;
  virtual EditBox& Edit(std::string_view name) = 0;
  virtual ImageButton& Button(std::string_view name) = 0;
  virtual ReportListView& List(std::string_view name) = 0;
  virtual WindowTimer& Timer(std::string_view name) = 0;
};

}  // namespace toolkit
