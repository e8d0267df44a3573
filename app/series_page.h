#pragma once
// One page of a whole series: the folder's files as small pyramids in a
// grid on their common scale, each with its title, for paper or the
// clipboard.

#include "app/pyramid_form.h"
#include "core/palette.h"

#include <QDate>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;
class QPrinter;

namespace pyramid::ui {

class ChartWidget;

// At most this many pyramids on a page.
inline constexpr std::size_t kSeriesPageFiles = 12;

// Lays the page out inside `page` (device units of the painter's device):
// the folder's name and the scale, then the pyramids, each drawn from its
// lines as the printed chart is, `chart` giving the size and the font.
void paintSeriesPage(QPainter& painter, const QRectF& page, const PyramidForm::Series& series,
                     const ChartWidget& chart, const QFont& font, const QDate& printed,
                     ChartInk ink = ChartInk::Paper);

// The page on an A4 landscape printer as it is set up; false when it cannot be begun.
bool printSeriesPage(QPrinter& printer, const PyramidForm::Series& series, const ChartWidget& chart,
                     const QFont& font, ChartInk ink = ChartInk::Paper);

// The same page as a picture of `size` pixels.
inline constexpr QSize kSeriesPictureSize{1754, 1240};  // A4 landscape at 150 dots to the inch
QImage seriesPicture(const PyramidForm::Series& series, const ChartWidget& chart, const QFont& font,
                     ChartInk ink = ChartInk::Paper, QSize size = kSeriesPictureSize);

}  // namespace pyramid::ui
