#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/controls.h"

// Switches and choices are drawn from pictures. A switch (check mark) keeps its state in the
// picture box's tag, "yes" or "no", and shows it as a ticked or unticked box; a choice group
// (radio mark) shows the chosen box as a selected ring and the others as empty rings.

inline constexpr std::string_view kTickedPicture = "tick";
inline constexpr std::string_view kUntickedPicture = "untick";
inline constexpr std::string_view kSelectedPicture = "ring_selected";
inline constexpr std::string_view kUnselectedPicture = "ring_unselected";

inline constexpr const char* kYes = "yes";
inline constexpr const char* kNo = "no";

// Sets a switch from outside, tag and picture together.
void SetCheckMark(toolkit::PictureBox& box, bool on);

// Flips a switch and returns its new state, "yes" or "no"; a tag that holds neither word leaves
// the switch as it is and gives nothing.
std::optional<std::string> ToggleCheckMark(toolkit::PictureBox& box);

// Shows `chosen` selected and every other box of the group unselected, in one step.
void SelectRadioMark(std::initializer_list<toolkit::PictureBox*> group, const toolkit::PictureBox* chosen);
