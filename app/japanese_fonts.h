#pragma once
// The form was designed with the fonts of a Japanese desktop. Each design
// font maps to the IPA family of the same kind (proportional or fixed,
// 明朝 or ゴシック), so the window looks alike on every Debian desktop.

#include <QFont>
#include <QString>

namespace pyramid::ui {

// The IPA family for a design family name; unknown names give IPAPGothic.
QString ipaFamilyFor(const QString& designFamily);

// Sizes are laid out at 96 logical dots per inch, like the twips of the
// form, so text keeps its designed fit whatever the desktop's DPI setting.
int pixelsForPoints(double points);

QFont designFont(const QString& designFamily, double points, bool bold = false);

// For controls without a font of their own: the desktop's default Japanese
// interface font, ＭＳ Ｐゴシック 9 pt.
QFont interfaceFont();

}  // namespace pyramid::ui
