#include "app/worksheet_page.h"

#include "app/chart_widget.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace pyramid::ui {

namespace {

// Paper is read at arm's length: the window's text a little larger.
constexpr double kPaperTextSize = 1.25;

// The window's fonts are sized in pixels at 96 dots to the inch; a printer
// needs their size in points to draw them at the same size on paper.
QFont inPoints(QFont font)
{
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return font;
}

QString shown(const std::string& text)
{
    return QString::fromStdString(text);
}

// Writes lines top down from `y`, or only measures them; long lines (a
// deep path) wrap anywhere.
class PageWriter {
public:
    PageWriter(QPainter& painter, const QRectF& page, const QFont& font, double y, bool draws = true)
        : painter_(painter), page_(page), font_(font), y_(y), draws_(draws)
    {
    }

    double y() const { return y_; }
    double lineHeight() const { return QFontMetricsF(font_, painter_.device()).height() * 1.25; }
    void skip(double lines) { y_ += lines * lineHeight(); }

    // One line from `left` (a share of the page's width) over `width` shares.
    void line(const std::string& text, double left = 0, double width = 1)
    {
        const QRectF room(page_.left() + left * page_.width(), y_, width * page_.width(), page_.bottom() - y_);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
        painter_.setFont(font_);
        QRectF used = painter_.boundingRect(room, flags, shown(text));
        if (draws_)
            painter_.drawText(room, flags, shown(text), &used);
        y_ += std::max(used.height(), QFontMetricsF(font_, painter_.device()).height()) + lineHeight() * 0.25;
    }
    // Lines in two columns, the first half on the left, as below the chart
    // on the window.
    void columns(const std::vector<std::string>& lines, std::size_t from)
    {
        const std::size_t count = lines.size() - std::min(from, lines.size());
        const std::size_t rows = (count + 1) / 2;
        const double top = y_;
        double bottom = top;
        for (std::size_t k = 0; k < count; ++k) {
            if (k % rows == 0)
                y_ = top;
            line(lines[from + k], k < rows ? 0 : 0.5, 0.5);
            bottom = std::max(bottom, y_);
        }
        y_ = bottom;
    }

private:
    QPainter& painter_;
    QRectF page_;
    QFont font_;
    double y_;
    bool draws_;
};

// The figures below the chart: the report with its eight lines in two
// columns, the age groups, every further file's block, the path and date.
void writeFigures(PageWriter& text, const std::vector<FileFigures>& figures, const QDate& printed)
{
    const FileFigures& drawn = figures.front();
    text.skip(0.75);
    if (!drawn.report.empty()) {
        text.line(drawn.report.front());  // the range
        text.columns(drawn.report, 1);
        text.skip(0.5);
    }
    for (const std::string& line : drawn.ageGroups)
        text.line(line);
    for (std::size_t i = 1; i < figures.size(); ++i) {
        text.skip(0.5);
        text.line(figures[i].title);
        text.line(figures[i].path);
        for (const std::string& line : figures[i].ageGroups)
            text.line(line);
    }
    text.skip(0.5);
    text.line(drawn.path);
    text.line("印刷日=" + printed.toString(QStringLiteral("yyyy年M月d日")).toStdString());
}

}  // namespace

void paintWorksheetPage(QPainter& painter, const QRectF& page, const ChartWidget& chart,
                        const std::vector<FileFigures>& figures, const QFont& font, const QDate& printed,
                        ChartInk ink, const PaperMarks& marks)
{
    if (figures.empty())
        return;
    painter.save();
    painter.setPen(Qt::black);

    QFont textFont = inPoints(font);
    textFont.setPointSizeF(textFont.pointSizeF() * kPaperTextSize);
    QFont titleFont = textFont;
    titleFont.setPointSizeF(textFont.pointSizeF() * 1.5);
    PageWriter title(painter, page, titleFont, page.top());
    title.line(figures.front().title);
    title.skip(0.25);

    // The chart keeps the shape it has on the screen and takes the page's
    // width, or on a landscape page the height the figures leave it.
    PageWriter measure(painter, page, textFont, 0, false);
    writeFigures(measure, figures, printed);
    const QRectF drawn = chart.paperArea(marks);
    const QSizeF inner = drawn.size();
    const double room = std::max(page.bottom() - title.y() - measure.y(), page.height() / 4);
    const double scale = std::min(page.width() / inner.width(), room / inner.height());
    const QRectF area(page.left() + (page.width() - inner.width() * scale) / 2, title.y(), inner.width() * scale,
                      inner.height() * scale);
    painter.save();
    painter.translate(area.topLeft() - drawn.topLeft() * scale);
    chart.paintChart(painter, scale, ink, marks);
    painter.restore();

    PageWriter text(painter, page, textFont, area.bottom());
    writeFigures(text, figures, printed);
    painter.restore();
}

bool printWorksheet(QPrinter& printer, const ChartWidget& chart, const std::vector<FileFigures>& figures,
                    const QFont& font, ChartInk ink, const PaperMarks& marks)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter starts at the printable area's top left.
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    paintWorksheetPage(painter, page, chart, figures, font, QDate::currentDate(), ink, marks);
    return painter.end();
}

}  // namespace pyramid::ui
