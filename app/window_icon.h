#pragma once
// The window icon: the program's icon rendered at 32 x 32 from its SVG with
// pixel edges, in a few of the 16 standard colours. Null when the build had
// no renderer for it.

#include <QIcon>
#include <QImage>

namespace pyramid::ui {

QImage pyramidIconImage();
QIcon pyramidIcon();

}  // namespace pyramid::ui
