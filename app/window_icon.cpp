#include "app/window_icon.h"

#include <QPixmap>

namespace pyramid::ui {

QImage pyramidIconImage()
{
    return QImage(QStringLiteral(":/icons/window-icon.png"));
}

QIcon pyramidIcon()
{
    const QImage image = pyramidIconImage();
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

}  // namespace pyramid::ui
