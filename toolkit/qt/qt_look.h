#pragma once

#include <QColor>
#include <QFont>

namespace toolkit::qt {

// What the windows share beyond their pictures. The background pictures paint their captions in
// this font at this size, so a label's text lines up with the painted captions beside it.
QFont ControlFont();

inline const QColor kTextColour{46, 58, 54};
inline const QColor kTextOnDarkColour{255, 255, 255};
inline const QColor kSelectionColour{31, 163, 107};

// Pixels from one row of a list view to the next.
inline constexpr int kListRowHeight = 20;

}  // namespace toolkit::qt
