#pragma once
// Picture1, the chart surface: a black picture with a flat one-pixel border
// whose inner area carries a user scale. Lines are drawn into an image kept
// behind the widget, so the chart survives covering and uncovering; the
// image has the screen's device pixel ratio, so lines stay one device pixel
// thin and crisp.

#include "core/chart_surface.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QWidget>

#include <memory>
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

    // The inner area in widget coordinates: inside the border.
    QRect innerRect() const;
    // The drawing as it stands, at the device pixel ratio.
    QImage drawing();
    // How many strokes are kept for redrawing the image.
    std::size_t recordedStrokes() const { return strokes_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Stroke {
        QLineF line;  // logical pixels of the inner area
        QColor colour;
        bool live = true;  // false once a later stroke covers exactly the same pixels
    };
    struct StrokeKey {
        double x1, y1, x2, y2;
        friend bool operator==(const StrokeKey&, const StrokeKey&) = default;
    };
    struct StrokeKeyHash {
        std::size_t operator()(const StrokeKey& key) const noexcept;
    };

    // Keeps the record of strokes as long as the distinct lines on the chart,
    // however many times the analysis repaints the same rows.
    void recordStroke(const Stroke& stroke);

    // Makes the image match the inner area and the device pixel ratio,
    // redrawing what is on it when either changed.
    void fitImage();
    QPainter& imagePainter();
    void finishPainting();
    void drawStroke(QPainter& painter, const Stroke& stroke);

    QImage image_;
    // Kept open between lines and closed before the next paint, so a whole
    // chart of lines costs one painter set-up.
    std::unique_ptr<QPainter> painter_;
    std::vector<Stroke> strokes_;
    std::unordered_map<StrokeKey, std::size_t, StrokeKeyHash> liveStroke_;  // key -> index in strokes_
    std::size_t deadStrokes_ = 0;
    double scaleWidth_ = 0;  // 0: no scale given yet
    double scaleHeight_ = 0;
};

}  // namespace pyramid::ui
