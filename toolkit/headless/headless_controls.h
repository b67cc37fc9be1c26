#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/layout.h"

namespace toolkit::headless {

// Controls that only keep their properties, for tests. The Simulate... calls stand for what a
// user does, with the same limits: a hidden control takes no press, a disabled button no click.

class HeadlessLabel final : public TransparentLabel {
 public:
  explicit HeadlessLabel(const ControlLayout& layout) : text_(layout.text), visible_(!layout.hidden) {}
  std::string Text() const override { return text_; }
  void SetText(std::string_view text) override { text_ = text; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void OnLeftPress(Handler handler) override { press_ = std::move(handler); }
  void SimulatePress() const {
    if (visible_ && press_) press_();
  }

 private:
  std::string text_;
  bool visible_;
  Handler press_;
};

class HeadlessPicture final : public PictureBox {
 public:
  explicit HeadlessPicture(const ControlLayout& layout)
      : tag_(layout.tag), picture_(layout.picture), left_(layout.left), top_(layout.top), visible_(!layout.hidden) {}
  std::string Tag() const override { return tag_; }
  void SetTag(std::string_view tag) override { tag_ = tag; }
  std::string Picture() const override { return picture_; }
  void SetPicture(std::string_view picture) override { picture_ = picture; }
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  void SetPlace(int left, int top) override {
    left_ = left;
    top_ = top;
  }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  void OnLeftPress(Handler handler) override { press_ = std::move(handler); }
  void SimulatePress() const {
    if (visible_ && press_) press_();
  }

 private:
  std::string tag_;
  std::string picture_;
  int left_;
  int top_;
  bool visible_;
  Handler press_;
};

class HeadlessEdit final : public EditBox {
 public:
  explicit HeadlessEdit(const ControlLayout& layout) : text_(layout.text) {}
  std::string Text() const override { return text_; }
  void SetText(std::string_view text) override {
    if (text == text_) return;
    text_ = text;
    if (changed_) changed_();
  }
  void OnTextChanged(Handler handler) override { changed_ = std::move(handler); }
  // Typing changes the text one character at a time, each change running the handler.
  void SimulateTyping(std::string_view text);

 private:
  std::string text_;
  Handler changed_;
};

class HeadlessButton final : public ImageButton {
 public:
  explicit HeadlessButton(const ControlLayout& layout)
      : tag_(layout.tag),
        pictures_{std::string(layout.picture), std::string(layout.hotPicture), std::string(layout.disabledPicture)} {}
  std::string Tag() const override { return tag_; }
  void SetTag(std::string_view tag) override { tag_ = tag; }
  ButtonPictures Pictures() const override { return pictures_; }
  void SetNormalPicture(std::string_view picture) override { pictures_.normal = picture; }
  void SetPictures(const ButtonPictures& pictures) override { pictures_ = pictures; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void OnClick(Handler handler) override { click_ = std::move(handler); }
  void SimulateClick() const {
    if (enabled_ && click_) click_();
  }

 private:
  std::string tag_;
  ButtonPictures pictures_;
  bool enabled_ = true;
  Handler click_;
};

class HeadlessList final : public ReportListView {
 public:
  explicit HeadlessList(const ControlLayout& layout);
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  void DeleteAllRows() override {
    rows_.clear();
    current_ = -1;
  }
  int AppendRow() override;
  std::string Cell(int row, int column) const override;
  void SetCell(int row, int column, std::string_view text) override;
  int CurrentRow() const override { return current_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  int Height() const override { return height_; }
  void SetHeight(int height) override { height_ = height; }
  void OnRowChosen(Handler handler) override { chosen_ = std::move(handler); }
  void SimulateChoice(int row);

  const std::vector<ListColumn>& Columns() const { return columns_; }

 private:
  std::vector<ListColumn> columns_;
  std::vector<std::vector<std::string>> rows_;
  int current_ = -1;
  bool visible_;
  int height_;
  Handler chosen_;
};

class HeadlessTimer final : public WindowTimer {
 public:
  // The timer reads the virtual time from the clock it is given.
  explicit HeadlessTimer(const std::uint64_t& now) : now_(now) {}
  int Period() const override { return period_; }
  // A new period starts counting from the moment it is set, as re-arming a system timer does.
  void SetPeriod(int milliseconds) override;
  void OnTick(Handler handler) override { tick_ = std::move(handler); }

  // The virtual time of the next tick; meaningful while the period is above 0.
  std::uint64_t Due() const { return due_; }
  // Runs the tick that was due at the current virtual time and schedules the next one.
  void Fire();

 private:
  const std::uint64_t& now_;
  int period_ = 0;
  std::uint64_t due_ = 0;
  Handler tick_;
};

}  // namespace toolkit::headless
