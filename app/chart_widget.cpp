#include "app/chart_widget.h"

#include "app/twips.h"
#include "core/palette.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace pyramid::ui {

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
    fitImage();
    image_.fill(Qt::black);
    update();
}

void ChartWidget::line(float x1, float y1, float x2, float y2, int colour)
{
    const QRect inner = innerRect();
    // Until a scale is given the inner area counts in twips.
    const double sx = scaleWidth_ != 0 ? inner.width() / scaleWidth_ : 1.0 / kTwipsPerPixel;
    const double sy = scaleHeight_ != 0 ? inner.height() / scaleHeight_ : 1.0 / kTwipsPerPixel;
    const QLineF mapped(x1 * sx, y1 * sy, x2 * sx, y2 * sy);
    // A point that no pixel can show (infinite or not a number) draws nothing.
    if (!std::isfinite(mapped.x1()) || !std::isfinite(mapped.y1()) || !std::isfinite(mapped.x2()) ||
        !std::isfinite(mapped.y2()))
        return;
    const Rgb rgb = paletteColour(colour);
    const Stroke stroke{mapped, QColor(rgb.red, rgb.green, rgb.blue)};
    recordStroke(stroke);
    fitImage();
    drawStroke(imagePainter(), stroke);
    update();
}

QImage ChartWidget::drawing()
{
    fitImage();
    finishPainting();
    return image_;
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    fitImage();
    finishPainting();
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawImage(innerRect().topLeft(), image_);
}

void ChartWidget::resizeEvent(QResizeEvent*)
{
    fitImage();
}

void ChartWidget::fitImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = innerRect().size().expandedTo(QSize(1, 1)) * ratio;
    if (image_.size() == size && image_.devicePixelRatio() == ratio)
        return;
    finishPainting();
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::black);
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
        painter_ = std::make_unique<QPainter>(&image_);
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
    // Width 0 is the cosmetic pen: one device pixel at any ratio. The
    // square cap makes a line of no length a single point.
    painter.setPen(QPen(stroke.colour, 0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(stroke.line);
}

}  // namespace pyramid::ui
