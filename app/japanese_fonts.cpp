#include "app/japanese_fonts.h"

#include <cmath>

namespace pyramid::ui {

QString ipaFamilyFor(const QString& designFamily)
{
    if (designFamily == QStringLiteral("ＭＳ Ｐ明朝"))
        return QStringLiteral("IPAPMincho");
    if (designFamily == QStringLiteral("ＭＳ 明朝"))
        return QStringLiteral("IPAMincho");
    if (designFamily == QStringLiteral("ＭＳ ゴシック"))
        return QStringLiteral("IPAGothic");
    return QStringLiteral("IPAPGothic");
}

int pixelsForPoints(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

QFont designFont(const QString& designFamily, double points, bool bold)
{
    QFont font(ipaFamilyFor(designFamily));
    // Without the IPA fonts, any Japanese face of the same kind will do.
    font.setStyleHint(designFamily.contains(QStringLiteral("明朝")) ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(pixelsForPoints(points));
    font.setBold(bold);
    return font;
}

QFont interfaceFont()
{
    return designFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
}

}  // namespace pyramid::ui
