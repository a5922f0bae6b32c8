#pragma once

// The views' pictures, drawn for this program (art/*.svg, rendered into the
// PNGs of the views' resource by art/render.sh).

#include <QIcon>

namespace ViewImages {

// A cell of the profile tree's image strip (TreeNode::Image): 17 x 17 pixels.
const QIcon& TreeIcon(int cell);
constexpr int kTreeCellSize = 17;

// Button icons.
QIcon DeleteContactIcon();
QIcon AddTextMessageIcon();
QIcon AddNewMessageIcon();
QIcon DeleteMessageIcon();

}  // namespace ViewImages
