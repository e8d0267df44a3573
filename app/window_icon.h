#pragma once
// The window icon: a small population pyramid, 32 x 32 in the 16 colours
// of the standard palette, drawn here pixel by pixel.

#include <QIcon>
#include <QImage>

namespace pyramid::ui {

QImage pyramidIconImage();  // 32 x 32, 8-bit indexed with the 16-colour table
QIcon pyramidIcon();

}  // namespace pyramid::ui
