// Pixels of the chart surface: where a line lands on the 640 x 480 scale,
// its exact colour and thickness, clipping, clearing and redraws. Runs at
// device pixel ratio 1 and again at 2: a line is one logical pixel thick.

#include "app/chart_widget.h"
#include "core/palette.h"

#include <QApplication>
#include <QSet>
#include <QTest>

using pyramid::ui::ChartWidget;

namespace {

constexpr int kInnerWidth = 455;
constexpr int kInnerHeight = 359;

QSet<QRgb> coloursIn(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xff000000u);
    return colours;
}

// Device rows (or columns) of `image` in which some pixel has `colour`.
QList<int> rowsWith(const QImage& image, QRgb colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xff000000u) == (colour | 0xff000000u)) {
                rows << y;
                break;
            }
    return rows;
}

QList<int> columnsWith(const QImage& image, QRgb colour)
{
    QImage turned = image.transformed(QTransform().rotate(90));
    QList<int> columns = rowsWith(turned, colour);
    return columns;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

}  // namespace

class ChartWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        chart = std::make_unique<ChartWidget>();
        chart->setGeometry(100, 100, 457, 361);  // the designed 6855 x 5415 twips
        chart->setUserScale(640, 480);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        ratio = chart->devicePixelRatioF();
        thickness = std::max(1, qRound(ratio));
    }
    void cleanup() { chart.reset(); }

    void theImageCoversTheInnerAreaAtTheDevicePixelRatio()
    {
        QCOMPARE(chart->innerRect(), QRect(1, 1, kInnerWidth, kInnerHeight));
        const QImage image = chart->drawing();
        QCOMPARE(image.size(), QSize(qRound(kInnerWidth * ratio), qRound(kInnerHeight * ratio)));
        QCOMPARE(image.devicePixelRatio(), ratio);
        QCOMPARE(coloursIn(image), QSet<QRgb>{kBlack});
    }

    void linesLandOnTheScaleWithDifferentFactorsAcrossAndDown()
    {
        chart->line(0, 240, 640, 240, 15);  // half-way down
        chart->line(320, 0, 320, 480, 12);  // half-way across
        const QImage image = chart->drawing();

        const QList<int> rows = rowsWith(image, kWhite);
        QCOMPARE(rows.size(), thickness);  // one logical pixel thin
        QVERIFY(qAbs(rows.front() - 240.0 * kInnerHeight / 480 * ratio) <= 1.0);
        const QList<int> columns = columnsWith(image, qRgb(255, 0, 0));
        QCOMPARE(columns.size(), thickness);
        QVERIFY(qAbs(columns.front() - 320.0 * kInnerWidth / 640 * ratio) <= 1.0);

        // Edge to edge: the line spans the whole inner area.
        const int y = rows.front();
        QCOMPARE(image.pixel(0, y) | 0xff000000u, kWhite);
        QCOMPARE(image.pixel(image.width() - 1, y) | 0xff000000u, kWhite);
    }

    void coloursAreExactPaletteEntriesWithoutAntialiasing()
    {
        for (int colour : {10, 11, 12, 13, 14, 15})
            chart->line(50, 40 + 30 * colour - 300, 600, 100 + 30 * colour - 300, colour);  // slanted
        QSet<QRgb> expected{kBlack};
        for (int colour : {10, 11, 12, 13, 14, 15}) {
            const pyramid::Rgb c = pyramid::paletteColour(colour);
            expected.insert(qRgb(c.red, c.green, c.blue));
        }
        QCOMPARE(coloursIn(chart->drawing()), expected);
    }

    void linesPastTheEdgesAreClippedNotRefused()
    {
        chart->line(-5, 100, 645, 100, 15);        // beyond both sides
        chart->line(-1e30f, 200, 1e30f, 200, 14);  // far beyond
        chart->line(700, 10, 900, 10, 15);         // wholly outside
        chart->line(-5, -20, -5, 500, 15);         // left of the surface
        const QImage image = chart->drawing();
        QCOMPARE(rowsWith(image, kWhite).size(), thickness);
        QCOMPARE(columnsWith(image, kWhite).size(), image.width());
        QCOMPARE(columnsWith(image, qRgb(255, 255, 0)).size(), image.width());
    }

    void aLineOfNoLengthIsASinglePoint()
    {
        chart->line(320, 418, 320, 418, 10);
        const QImage image = chart->drawing();
        QCOMPARE(rowsWith(image, qRgb(0, 255, 0)).size(), thickness);
        QCOMPARE(columnsWith(image, qRgb(0, 255, 0)).size(), thickness);
    }

    void clearingLeavesABlackSurface()
    {
        chart->line(0, 0, 640, 480, 15);
        chart->clear();
        QCOMPARE(coloursIn(chart->drawing()), QSet<QRgb>{kBlack});
        chart->line(0, 240, 640, 240, 15);
        QCOMPARE(rowsWith(chart->drawing(), kWhite).size(), thickness);
    }

    void theDrawingSurvivesRepaintsAndIsShownInsideTheBorder()
    {
        chart->line(0, 240, 640, 240, 15);
        chart->hide();
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        const QImage shown = chart->grab().toImage();
        const int y = qRound((1 + 240.0 * kInnerHeight / 480) * ratio);
        bool white = false;
        for (int dy = -1; dy <= 1; ++dy)
            white = white || (shown.pixel(qRound(200 * ratio), y + dy) | 0xff000000u) == kWhite;
        QVERIFY(white);
        // The flat border in the window text colour; black just inside it.
        QCOMPARE(shown.pixelColor(0, qRound(50 * ratio)), chart->palette().color(QPalette::WindowText));
        QCOMPARE(shown.pixelColor(qRound(1 * ratio), qRound(50 * ratio)), QColor(Qt::black));
    }

    void drawingTheSameLinesTwiceGivesTheSameImage()
    {
        const auto draw = [this] {
            chart->clear();
            for (int i = 0; i < 100; ++i)
                chart->line(320, 418 - 4 * i, 320 - 2.5f * i, 418 - 4 * i, i % 10 == 0 ? 12 : 15);
            return chart->drawing();
        };
        const QImage first = draw();
        QCOMPARE(draw(), first);
    }

    void repaintingTheSameRowsKeepsTheRecordSmallAndThePictureExact()
    {
        // Rows overlapping each other: a bar, a shorter line over it, then
        // the same rows painted over again and again as the analysis does.
        chart->clear();
        for (int i = 0; i < 50; ++i) {
            chart->line(320, 418 - 4 * i, 100, 418 - 4 * i, 15);
            chart->line(320, 418 - 4 * i, 250, 418 - 4 * i, 10);
        }
        for (int round = 0; round < 200; ++round)
            for (int i = 10; i < 20; ++i) {
                chart->line(320, 418 - 4 * i, 100, 418 - 4 * i, round % 2 ? 14 : 15);
                chart->line(320, 418 - 4 * i, 250, 418 - 4 * i, 10);
            }
        QVERIFY2(chart->recordedStrokes() <= 2 * 100 * 2,
                 qPrintable(QString::number(chart->recordedStrokes())));
        const QImage drawn = chart->drawing();

        // A resize there and back redraws the image from the record alone.
        chart->resize(chart->width() + 10, chart->height());
        chart->drawing();
        chart->resize(chart->width() - 10, chart->height());
        QCOMPARE(chart->drawing(), drawn);
        QVERIFY(coloursIn(drawn).contains(qRgb(255, 255, 0)));  // the last round was yellow
    }

private:
    std::unique_ptr<ChartWidget> chart;
    qreal ratio = 1;
    int thickness = 1;  // device pixels of one logical pixel
};

QTEST_MAIN(ChartWidgetTest)
#include "chart_widget_test.moc"
