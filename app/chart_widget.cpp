#include "app/chart_widget.h"

#include "app/twips.h"
#include "chart/pyramid_comparison.h"
#include "core/palette.h"

#include <QHelpEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pyramid::ui {

namespace {
// Each pixel of `image` as a square of `ratio` x `ratio` pixels.
QImage enlarged(const QImage& image, int ratio)
{
    QImage out(image.size() * ratio, image.format());
    const auto rowBytes = std::size_t(out.width()) * sizeof(QRgb);
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(out.scanLine(y * ratio));
        for (int x = 0; x < image.width(); ++x)
            std::fill_n(to + std::ptrdiff_t(x) * ratio, ratio, from[x]);
        for (int k = 1; k < ratio; ++k)
            std::memcpy(out.scanLine(y * ratio + k), to, rowBytes);
    }
    return out;
}

// A device pixel index for a coordinate, kept well inside int even for a
// line that runs far past the surface.
int devicePixel(double coordinate, int limit)
{
    return int(std::floor(std::clamp(coordinate, -2.0, double(limit) + 2.0)));
}

QColor qColour(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// A text's colour: the window's white is paper's black; the others are
// their lines' colours.
QColor noteColour(int number, ChartInk ink)
{
    return qColour(number == palette::BrightWhite ? textColour(ink) : inkColour(number, ink));
}
}  // namespace

int ChartWidget::lineThickness(qreal ratio)
{
    return std::max(1, qRound(ratio));
}

ChartWidget::ChartWidget(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
}

ChartWidget::~ChartWidget()
{
    finishPainting();
}

QRect ChartWidget::innerRect() const
{
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void ChartWidget::setUserScale(double width, double height)
{
    scaleWidth_ = width;
    scaleHeight_ = height;
}

void ChartWidget::clear()
{
    finishPainting();
    strokes_.clear();
    liveStroke_.clear();
    deadStrokes_ = 0;
    notes_.clear();
    fitImage();
    canvas_.fill(Qt::black);
    shownStale_ = true;
    update();
}

QPointF ChartWidget::unitSize() const
{
    const QRect inner = innerRect();
    // Until a scale is given the inner area counts in twips.
    return {scaleWidth_ != 0 ? inner.width() / scaleWidth_ : 1.0 / kTwipsPerPixel,
            scaleHeight_ != 0 ? inner.height() / scaleHeight_ : 1.0 / kTwipsPerPixel};
}

void ChartWidget::setNotes(std::vector<ChartText> notes)
{
    notes_ = std::move(notes);
    update();
}

void ChartWidget::paintNotes(QPainter& painter, double unitsToPixelsX, double unitsToPixelsY, ChartInk ink) const
{
    QFont font = this->font();
    font.setPixelSize(std::max(1, int(std::lround(notes::kFontHeight * unitsToPixelsY))));
    painter.save();
    painter.setFont(font);
    for (const ChartText& note : notes_) {
        const QString text = QString::fromUtf8(note.text.data(), qsizetype(note.text.size()));
        const QPointF at(note.x * unitsToPixelsX, note.y * unitsToPixelsY);
        // On the ground, so a grid line behind does not cut through the words.
        const QRectF box = painter.boundingRect(QRectF(at, QSizeF(0, 0)), Qt::AlignLeft | Qt::AlignTop, text);
        painter.fillRect(box, qColour(groundColour(ink)));
        painter.setPen(noteColour(note.colour, ink));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    }
    painter.restore();
}

bool ChartWidget::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPointF at = QPointF(help->pos() - innerRect().topLeft());
    const std::string tip = tipText_ ? tipText_(at.x() / unitSize().x(), at.y() / unitSize().y()) : std::string();
    if (tip.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
    }
    return true;
}

void ChartWidget::line(float x1, float y1, float x2, float y2, int colour)
{
    const QPointF unit = unitSize();
    const double sx = unit.x();
    const double sy = unit.y();
    const QLineF mapped(x1 * sx, y1 * sy, x2 * sx, y2 * sy);
    // A point that no pixel can show (infinite or not a number) draws nothing.
    if (!std::isfinite(mapped.x1()) || !std::isfinite(mapped.y1()) || !std::isfinite(mapped.x2()) ||
        !std::isfinite(mapped.y2()))
        return;
    const Rgb rgb = paletteColour(colour);
    const Stroke stroke{mapped, QColor(rgb.red, rgb.green, rgb.blue), colour};
    recordStroke(stroke);
    fitImage();
    drawStroke(imagePainter(), stroke);
    shownStale_ = true;
    update();
}

QImage ChartWidget::drawing()
{
    fitImage();
    return shownImage();
}

const QImage& ChartWidget::shownImage()
{
    finishPainting();
    if (ratio_ == 1)
        return canvas_;
    if (shownStale_) {
        shown_ = wholeRatio_ > 1 ? enlarged(canvas_, wholeRatio_) : canvas_.copy();
        shown_.setDevicePixelRatio(ratio_);
        shownStale_ = false;
    }
    return shown_;
}

QRectF ChartWidget::paperArea(const PaperMarks& marks) const
{
    const QRectF inner(QPointF(0, 0), innerRect().size());
    if (marks.texts.empty() && marks.grid.empty())
        return inner;
    // Whole logical pixels, so the chart's lines fall on the pixels they fall on alone.
    const QPointF unit = unitSize();
    return inner.adjusted(-std::round(paper::kSideMargin * unit.x()), 0, 0, std::round(paper::kFootMargin * unit.y()));
}

void ChartWidget::paintChart(QPainter& painter, qreal scale, ChartInk ink, const PaperMarks& marks) const
{
    const QRect inner = innerRect();
    const QRectF area(QPointF(0, 0), inner.size());
    const QPointF unit = unitSize();
    painter.save();
    painter.scale(scale, scale);
    painter.fillRect(paperArea(marks), qColour(groundColour(ink)));
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A line of the screen fills the logical pixel its place falls in: here
    // it covers that same square, whatever the scale.
    painter.save();
    painter.translate(0.5, 0.5);
    // Paper's own grid first, under the bars as the window's grid lies.
    painter.setPen(QPen(qColour(inkColour(palette::LightCyan, ink)), 1, Qt::SolidLine, Qt::SquareCap));
    for (const OutlineLine& l : marks.grid)
        painter.drawLine(QLineF(l.x1 * unit.x(), l.y1 * unit.y(), l.x2 * unit.x(), l.y2 * unit.y()));
    for (const Stroke& stroke : strokes_) {
        if (!stroke.live)
            continue;
        // One logical pixel wide; the square cap makes a line of no length a point.
        const QColor colour = ink == ChartInk::Screen ? stroke.colour : qColour(inkColour(stroke.number, ink));
        painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(stroke.line);
    }
    painter.restore();
    // Texts beyond the labels, under them as on the screen.
    paintNotes(painter, unit.x(), unit.y(), ink);
    // The designed labels lie on the chart, as the window shows them: drawn
    // as text, so a printer keeps them as text.
    for (const QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (!label->isVisibleTo(this))
            continue;
        const QRectF place(label->geometry().translated(-inner.topLeft()));
        const bool screen = ink == ChartInk::Screen;
        painter.fillRect(place, screen ? label->palette().color(QPalette::Window) : qColour(groundColour(ink)));
        painter.setFont(label->font());
        painter.setPen(screen ? label->palette().color(QPalette::WindowText) : qColour(textColour(ink)));
        painter.drawText(place, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                         label->text());
    }
    // The marks around the chart, in its margins.
    painter.setClipping(false);
    QFont font = this->font();
    font.setPixelSize(std::max(1, int(std::lround(notes::kFontHeight * unit.y()))));
    painter.setFont(font);
    for (const ChartText& mark : marks.texts) {
        painter.setPen(noteColour(mark.colour, ink));
        painter.drawText(QRectF(QPointF(mark.x * unit.x(), mark.y * unit.y()), QSizeF(0, 0)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QString::fromStdString(mark.text));
    }
    painter.restore();
}

QImage ChartWidget::picture(int scale, ChartInk ink, const PaperMarks& marks) const
{
    const QRectF area = paperArea(marks);
    QImage image((area.size() * scale).toSize(), QImage::Format_RGB32);
    image.fill(qColour(groundColour(ink)));
    QPainter painter(&image);
    painter.translate(-area.topLeft() * scale);
    paintChart(painter, scale, ink, marks);
    return image;
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    fitImage();
    const QImage& shown = shownImage();
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawImage(innerRect().topLeft(), shown);
    if (!notes_.empty()) {
        painter.translate(innerRect().topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), innerRect().size()));
        paintNotes(painter, unitSize().x(), unitSize().y());
    }
}

void ChartWidget::resizeEvent(QResizeEvent*)
{
    fitImage();
}

void ChartWidget::fitImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize logical = innerRect().size().expandedTo(QSize(1, 1));
    const int whole = ratio >= 1 && ratio == std::floor(ratio) ? int(ratio) : 0;
    const QSize size = whole != 0 ? logical : logical * ratio;
    if (canvas_.size() == size && ratio_ == ratio)
        return;
    finishPainting();
    ratio_ = ratio;
    wholeRatio_ = whole;
    canvas_ = QImage(size, QImage::Format_RGB32);
    canvas_.fill(Qt::black);
    shownStale_ = true;
    if (strokes_.empty())
        return;
    QPainter& painter = imagePainter();
    for (const Stroke& stroke : strokes_)
        if (stroke.live)
            drawStroke(painter, stroke);
}

std::size_t ChartWidget::StrokeKeyHash::operator()(const StrokeKey& key) const noexcept
{
    const std::hash<double> h;
    std::size_t seed = h(key.x1);
    for (double v : {key.y1, key.x2, key.y2})
        seed ^= h(v) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    return seed;
}

void ChartWidget::recordStroke(const Stroke& stroke)
{
    // A stroke over exactly the same line paints exactly the same pixels, so
    // the earlier one can never show again: redrawing without it gives the
    // same picture.
    const StrokeKey key{stroke.line.x1(), stroke.line.y1(), stroke.line.x2(), stroke.line.y2()};
    const auto [it, inserted] = liveStroke_.try_emplace(key, strokes_.size());
    if (!inserted) {
        strokes_[it->second].live = false;
        ++deadStrokes_;
        it->second = strokes_.size();
    }
    strokes_.push_back(stroke);

    if (deadStrokes_ > strokes_.size() / 2) {
        std::erase_if(strokes_, [](const Stroke& s) { return !s.live; });
        deadStrokes_ = 0;
        for (std::size_t i = 0; i < strokes_.size(); ++i) {
            const QLineF& l = strokes_[i].line;
            liveStroke_[StrokeKey{l.x1(), l.y1(), l.x2(), l.y2()}] = i;
        }
    }
}

QPainter& ChartWidget::imagePainter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&canvas_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void ChartWidget::finishPainting()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void ChartWidget::drawStroke(QPainter& painter, const Stroke& stroke)
{
    if (wholeRatio_ != 0) {
        // Width 0 is the cosmetic pen: one pixel of the canvas, which is a
        // logical pixel here. The square cap makes a line of no length a
        // single point.
        painter.setPen(QPen(stroke.colour, 0, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(stroke.line);
        return;
    }
    // Device pixels: a row or column of the chart covers the device pixels
    // from the one each end lies in, `thickness` wide, so every row is as
    // thick as every other and starts where its exact place falls.
    const int thickness = lineThickness(ratio_);
    const QLineF line(stroke.line.p1() * ratio_, stroke.line.p2() * ratio_);
    if (line.y1() == line.y2() || line.x1() == line.x2()) {
        const int w = canvas_.width();
        const int h = canvas_.height();
        const int left = devicePixel(std::min(line.x1(), line.x2()), w);
        const int right = devicePixel(std::max(line.x1(), line.x2()), w);
        const int top = devicePixel(std::min(line.y1(), line.y2()), h);
        const int bottom = devicePixel(std::max(line.y1(), line.y2()), h);
        painter.fillRect(QRect(left, top, right - left + thickness, bottom - top + thickness), stroke.colour);
        return;
    }
    painter.setPen(QPen(stroke.colour, thickness == 1 ? 0 : thickness, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(line);
}

}  // namespace pyramid::ui
