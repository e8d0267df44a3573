#pragma once
// Picture1, the chart surface: a black picture with a flat one-pixel border
// whose inner area carries a user scale. Lines are drawn into an image kept
// behind the widget, so the chart survives covering and uncovering. Every
// line is one logical pixel thick at any display scale: at a whole device
// pixel ratio the chart is exactly the one-to-one chart with each pixel
// made a square of device pixels; at any other ratio each line starts on
// the device pixel its place falls in and is the ratio, rounded, thick, so
// rows stay evenly spaced.

#include "chart/paper_marks.h"
#include "core/chart_surface.h"
#include "core/palette.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

namespace pyramid::ui {

class ChartWidget : public QWidget, public ChartSurface {
    Q_OBJECT
public:
    static constexpr int kBorder = 1;

    explicit ChartWidget(QWidget* parent = nullptr);
    ~ChartWidget() override;

    void setUserScale(double width, double height) override;
    void clear() override;
    void line(float x1, float y1, float x2, float y2, int colour) override;
    void setNotes(std::vector<ChartText> notes) override;

    // The texts over the lines, for a painter whose origin is the inner
    // area's top left and whose pixels are the given sizes of one unit; the
    // screen, a copied image and a printed page all show them so.
    void paintNotes(QPainter& painter, double unitsToPixelsX, double unitsToPixelsY,
                    ChartInk ink = ChartInk::Screen) const;
    const std::vector<ChartText>& notes() const { return notes_; }

    // What the tooltip says at a point in user units; empty shows none.
    using TipText = std::function<std::string(double x, double y)>;
    void setTipText(TipText tip) { tipText_ = std::move(tip); }

    // The inner area in widget coordinates: inside the border.
    QRect innerRect() const;
    // The drawing as it stands, at the device pixel ratio.
    QImage drawing();
    // Device pixels of a one-logical-pixel line: the ratio rounded, at least 1.
    static int lineThickness(qreal ratio);
    // The chart drawn afresh from its strokes and then its labels onto any
    // painter (an image to copy, a printer's page), `scale` device units to
    // a logical pixel, the inner area's top left at the painter's origin.
    // Lines stay one logical pixel thick and are drawn as lines, so a
    // printer gets them as vector paths.
    // In paper's ink the chart lies on white in paper's colours, and the
    // marks (ages, the grid's value) stand around it in the margins of
    // paperArea.
    void paintChart(QPainter& painter, qreal scale, ChartInk ink = ChartInk::Screen,
                    const PaperMarks& marks = {}) const;
    // Logical pixels that paintChart covers with `marks`, from the inner
    // area's top left: the inner area and, with marks, the margins for them.
    QRectF paperArea(const PaperMarks& marks) const;
    // The chart as paintChart draws it, `scale` pixels to a logical pixel.
    QImage picture(int scale, ChartInk ink = ChartInk::Screen, const PaperMarks& marks = {}) const;
    // How many strokes are kept for redrawing the image.
    std::size_t recordedStrokes() const { return strokes_.size(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Stroke {
        QLineF line;  // logical pixels of the inner area
        QColor colour;
        int number = 0;  // the colour's number, for paper's ink
        bool live = true;  // false once a later stroke covers exactly the same pixels
    };
    struct StrokeKey {
        double x1, y1, x2, y2;
        friend bool operator==(const StrokeKey&, const StrokeKey&) = default;
    };
    struct StrokeKeyHash {
        std::size_t operator()(const StrokeKey& key) const noexcept;
    };

    // Logical pixels of the inner area to one user unit, across and down.
    QPointF unitSize() const;
    // Keeps the record of strokes as long as the distinct lines on the chart,
    // however many times the analysis repaints the same rows.
    void recordStroke(const Stroke& stroke);

    // Makes the canvas match the inner area and the device pixel ratio,
    // redrawing what is on it when either changed.
    void fitImage();
    QPainter& imagePainter();
    void finishPainting();
    void drawStroke(QPainter& painter, const Stroke& stroke);
    // The canvas as the screen shows it, at the device pixel ratio.
    const QImage& shownImage();

    // What the lines are drawn on, at a device pixel ratio of its own of 1:
    // in logical pixels at a whole ratio, in device pixels at any other.
    QImage canvas_;
    qreal ratio_ = 1;      // the ratio the canvas is made for
    int wholeRatio_ = 1;   // that ratio when it is whole, else 0
    // At a ratio other than 1, the canvas at that ratio; remade when stale.
    QImage shown_;
    bool shownStale_ = true;
    // Kept open between lines and closed before the next paint, so a whole
    // chart of lines costs one painter set-up.
    std::unique_ptr<QPainter> painter_;
    std::vector<Stroke> strokes_;
    std::unordered_map<StrokeKey, std::size_t, StrokeKeyHash> liveStroke_;  // key -> index in strokes_
    std::size_t deadStrokes_ = 0;
    std::vector<ChartText> notes_;
    TipText tipText_;
    double scaleWidth_ = 0;  // 0: no scale given yet
    double scaleHeight_ = 0;
};

}  // namespace pyramid::ui
