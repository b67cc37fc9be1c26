#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace toolkit {

// The controls a window offers its handlers. Every call belongs on the user-interface thread; a
// worker reaches a control by posting a task (Ui::Post). Texts are in the system's code page.

using Handler = std::function<void()>;

class TransparentLabel {
 public:
  virtual ~TransparentLabel() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(std::string_view text) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void OnLeftPress(Handler handler) = 0;
};

class PictureBox {
 public:
  virtual ~PictureBox() = default;
  virtual std::string Tag() const = 0;
  virtual void SetTag(std::string_view tag) = 0;
  virtual std::string Picture() const = 0;
  virtual void SetPicture(std::string_view picture) = 0;
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual void SetPlace(int left, int top) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void OnLeftPress(Handler handler) = 0;
};

class EditBox {
 public:
  virtual ~EditBox() = default;
  virtual std::string Text() const = 0;
  // Runs the text-changed handler when the text differs, as typing does.
  virtual void SetText(std::string_view text) = 0;
  virtual void OnTextChanged(Handler handler) = 0;
};

struct ButtonPictures {
  std::string normal;
  std::string hot;
  std::string disabled;
  bool operator==(const ButtonPictures&) const = default;
};

class ImageButton {
 public:
  virtual ~ImageButton() = default;
  virtual std::string Tag() const = 0;
  virtual void SetTag(std::string_view tag) = 0;
  virtual ButtonPictures Pictures() const = 0;
  virtual void SetNormalPicture(std::string_view picture) = 0;
  virtual void SetPictures(const ButtonPictures& pictures) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void OnClick(Handler handler) = 0;
};

// A report-style list: rows of text cells under the layout's columns.
class ReportListView {
 public:
  virtual ~ReportListView() = default;
  virtual int RowCount() const = 0;
  virtual void DeleteAllRows() = 0;
  // Appends an empty row and returns its index.
  virtual int AppendRow() = 0;
  virtual std::string Cell(int row, int column) const = 0;
  virtual void SetCell(int row, int column, std::string_view text) = 0;
  // The row the user chose last, or -1.
  virtual int CurrentRow() const = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int height) = 0;
  // Runs when the user chooses a row; CurrentRow() is that row by then.
  virtual void OnRowChosen(Handler handler) = 0;
};

// An invisible timer that ticks every period milliseconds; period 0 stops it.
class WindowTimer {
 public:
  virtual ~WindowTimer() = default;
  virtual int Period() const = 0;
  virtual void SetPeriod(int milliseconds) = 0;
  virtual void OnTick(Handler handler) = 0;
};

}  // namespace toolkit
