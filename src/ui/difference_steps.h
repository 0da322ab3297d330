#pragma once

#include <QString>
#include <QVariant>

namespace quill {

// The script that moves the difference list's selection by step (+1 next, -1 previous)
// from the link last clicked or stepped to, outlines and shades the chosen row and scrolls
// it to the middle of the view. It answers the chosen link's address, or null at either end
// of the list.
QString differenceStepScript(int step);

// The grid anchor a step's answer leads to ("Sheet1!C2"); empty when there was none.
QString anchorOfStep(const QVariant& answer);

}  // namespace quill
