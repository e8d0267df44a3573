// A real sample drawn through the real window, checked in the chart's own
// pixels: every row, bar end and grid line where the 640 x 480 scale puts it
// on the inner area, in its exact colour; redraws byte for byte the same; a
// smaller file after a larger one without a trace of it. Runs at device
// pixel ratio 1 and again at 2, where every line is one logical pixel thick:
// the one-to-one chart with each pixel made a square of device pixels.

#include "app/chart_widget.h"
#include "app/japanese_fonts.h"
#include "app/main_window.h"
#include "chart_points.h"
#include "support/sample_figures.h"
#include "support/scripted_prompt.h"
#include "window_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace pyramid;
using namespace pyramid::testing;
using pyramid::ui::ChartWidget;
using pyramid::ui::MainWindow;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kCyanLine(0, 255, 255);
const QColor kMagenta(255, 0, 255);
const QColor kBlack(0, 0, 0);

const std::string kJapan2020 = PYRAMID_SAMPLES_DIR "/japan-2020.txt";
const std::string kJapanTo110 = PYRAMID_SAMPLES_DIR "/japan-2020-ages0-110.txt";

// The run of `colour` in device column `column` that holds device row `row`:
// its first row and its length (0 when `row` has another colour).
std::pair<int, int> runAt(const QImage& image, int column, int row, const QColor& colour)
{
    if (image.pixelColor(column, row) != colour)
        return {row, 0};
    int top = row;
    while (top > 0 && image.pixelColor(column, top - 1) == colour)
        --top;
    int bottom = row;
    while (bottom + 1 < image.height() && image.pixelColor(column, bottom + 1) == colour)
        ++bottom;
    return {top, bottom - top + 1};
}

// Where the bar of row y starts, in device rows: at a whole ratio on the
// one-to-one chart's row made `ratio` rows tall, at any other ratio on the
// row its place falls in.
int barTop(double y, qreal ratio)
{
    if (ratio == std::floor(ratio))
        return int(ratio) * deviceRow(y, 1);
    return deviceRow(y, ratio);
}

}  // namespace

class ChartPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        prompt = ScriptedPrompt();
        window = startedWindow(&prompt);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void everyRowBarEndAndGridLineLandsOnItsPixelInItsColour()
    {
        const SampleFigures sample = readSampleFigures(kJapan2020);
        QCOMPARE(sample.male.size(), std::size_t(101));
        const QImage image = drawFile(*window, kJapan2020);
        QVERIFY(prompt.asked.empty());
        const qreal ratio = image.devicePixelRatio();
        QCOMPARE(image.size(), QSize(qRound(kChartInnerWidth * ratio), qRound(kChartInnerHeight * ratio)));
        const double scale = 250.0 / sample.largest;
        const int thickness = std::max(1, qRound(ratio));  // device pixels of a logical one

        // Axes: the base axis below age 0's row; the centre axis's top end,
        // y = 20, between the rows of ages 99 and 100.
        QCOMPARE(pixelAt(image, 100, 421), kWhite);
        QCOMPARE(pixelAt(image, 600, 420), kWhite);
        QCOMPARE(pixelAt(image, 321, 20), kWhite);
        // Its three lines are one solid band, black above and below it.
        for (const double x : {100.0, 600.0}) {
            const auto [top, length] = runAt(image, deviceColumn(x, ratio), deviceRow(421, ratio), kWhite);
            QCOMPARE(top, barTop(420, ratio));
            QVERIFY(top + length > deviceRow(422, ratio));
            QCOMPARE(image.pixelColor(deviceColumn(x, ratio), top + length), kBlack);
        }

        for (int age = 0; age < int(sample.male.size()); ++age) {
            const QByteArray where = QByteArray("age ") + QByteArray::number(age);
            const double y = rowOfAge(age);
            const double male = sample.male[std::size_t(age)] * scale;
            const double female = sample.female[std::size_t(age)] * scale;
            const QColor bar = age % 10 == 0 ? kRed : kWhite;
            // The difference line lies over the inner part of the longer bar.
            const double side = female >= male ? 1.0 : -1.0;
            const double shorter = std::min(male, female);
            const double longer = std::max(male, female);
            const double surplus = longer - shorter;
            if (spans(shorter, 4, ratio)) {
                QVERIFY2(pixelAt(image, 320 - side * shorter / 2, y) == bar, where);
                QVERIFY2(pixelAt(image, 320 - side * (shorter - 2), y) == bar, where);
                QVERIFY2(pixelAt(image, 320 + side * (longer - 2), y) == bar, where);
            }
            if (spans(shorter, 8, 1)) {
                // One logical pixel thick, starting where its row lies; looked
                // at clear of the centre axis.
                const auto [top, length] =
                    runAt(image, deviceColumn(320 - side * shorter / 2, ratio), deviceRow(y, ratio), bar);
                QVERIFY2(top == barTop(y, ratio) && length == thickness, where);
            }
            if (spans(surplus, 4, ratio))
                QVERIFY2(pixelAt(image, 320 + side * surplus / 2, y) == kGreen, where);
            // Each bar ends where its count puts it.
            QVERIFY2(pixelAt(image, 320 - male - 3, y) != bar, where);
            QVERIFY2(pixelAt(image, 320 + female + 3, y) != bar, where);
        }

        // Grid lines every 100,000 persons, the tenth in magenta. Each is
        // looked at on the highest row whose bar on that side stops well short of it.
        for (int k = 1; k <= 13; ++k) {
            for (const double side : {-1.0, 1.0}) {
                const double x = 320 + side * k * 100000 * scale;
                const std::vector<double>& counts = side < 0 ? sample.male : sample.female;
                int age = 99;  // the grid reaches up to y = 20, just above age 99's row
                while (age >= 0 && counts[std::size_t(age)] * scale + 5 > k * 100000 * scale)
                    --age;
                QVERIFY(age >= 0);
                const QByteArray where = QByteArray("grid ") + QByteArray::number(k * side);
                QVERIFY2(pixelAt(image, x, rowOfAge(age)) == (k == 10 ? kMagenta : kCyanLine), where);
            }
        }
        // Nothing past the thirteenth line on the female side.
        QCOMPARE(pixelAt(image, 320 + 13 * 100000 * scale + 10, rowOfAge(50)), kBlack);
    }

    void drawingTheSameFileAgainGivesTheSameBytes()
    {
        const QImage first = drawFile(*window, kJapan2020);
        QCOMPARE(bytesOf(drawFile(*window, kJapan2020)), bytesOf(first));

        // A highlighted range is drawn over, then wiped by the next draw.
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        from->setText("20");
        to->setText("40");
        to->setFocus();
        QTest::keyClick(to, Qt::Key_Return);
        QVERIFY(prompt.asked.empty());
        QVERIFY(bytesOf(chart().drawing()) != bytesOf(first));
        QCOMPARE(bytesOf(drawFile(*window, kJapan2020)), bytesOf(first));

        // So is a larger file's pyramid, its rows past age 100 included.
        QVERIFY(bytesOf(drawFile(*window, kJapanTo110)) != bytesOf(first));
        QCOMPARE(bytesOf(drawFile(*window, kJapan2020)), bytesOf(first));
    }

private:
    ChartWidget& chart() { return *control<ChartWidget>(*window, "Picture1"); }

    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(pyramid::ui::interfaceFont());
    ChartPixelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "chart_pixels_test.moc"
