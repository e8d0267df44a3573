#include "app/chart_widget.h"

#include "core/palette.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace pyramid::ui {

namespace {
constexpr int kTwipsPerPixel = 15;
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
    strokes_.push_back({mapped, QColor(rgb.red, rgb.green, rgb.blue)});
    fitImage();
    drawStroke(imagePainter(), strokes_.back());
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
        drawStroke(painter, stroke);
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
