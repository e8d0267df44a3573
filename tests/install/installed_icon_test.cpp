// The installed icons are rendered from the scalable source and show the
// window's own icon: at 32 px and its multiples every coloured pixel of the
// 32 x 32 window icon covers its block in the same colour; at every size the
// corners are transparent (no opaque square behind the picture).

#include "app/window_icon.h"

#include <QImage>
#include <QTest>

#include <cstdlib>

namespace {

QString iconPath(int size)
{
    return QStringLiteral(PYRAMID_ICON_THEME_DIR "/%1x%1/apps/" PYRAMID_ICON_NAME ".png").arg(size);
}

bool near(QRgb a, QRgb b)
{
    // Rendering may round a channel by one step.
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
           std::abs(qBlue(a) - qBlue(b)) <= 2 && std::abs(qAlpha(a) - qAlpha(b)) <= 2;
}

QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c, 8, 16, QChar(u'0'));
}

}  // namespace

class InstalledIconTest : public QObject {
    Q_OBJECT

private slots:
    void icon_data()
    {
        QTest::addColumn<int>("size");
        for (const QString& size : QStringLiteral(PYRAMID_ICON_SIZES).split(u','))
            QTest::newRow(qPrintable(size + QStringLiteral("px"))) << size.toInt();
    }

    void icon()
    {
        QFETCH(int, size);
        const QImage installed = QImage(iconPath(size)).convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!installed.isNull(), qPrintable(QStringLiteral("cannot read ") + iconPath(size)));
        QCOMPARE(installed.size(), QSize(size, size));

        const int last = size - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QVERIFY2(qAlpha(installed.pixel(corner)) == 0,
                     qPrintable(QStringLiteral("corner (%1, %2) is %3, not transparent")
                                    .arg(corner.x())
                                    .arg(corner.y())
                                    .arg(hex(installed.pixel(corner)))));

        const QImage window = pyramid::ui::pyramidIconImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb background = window.pixel(0, 0);
        if (size % window.width() != 0) {
            // Between the grid's multiples the rows fall between pixels; the
            // centre axis still runs down the middle in the axis colour.
            const QRgb axis = window.pixel(window.width() / 2, window.height() / 2);
            QVERIFY(near(installed.pixel(size / 2 - 1, size / 2), axis) ||
                    near(installed.pixel(size / 2, size / 2), axis));
            return;
        }
        const int factor = size / window.width();
        int compared = 0;
        for (int y = 0; y < window.height(); ++y) {
            for (int x = 0; x < window.width(); ++x) {
                const QRgb expected = window.pixel(x, y);
                if (expected == background)
                    continue;
                for (int dy = 0; dy < factor; ++dy) {
                    for (int dx = 0; dx < factor; ++dx) {
                        const QRgb actual = installed.pixel(x * factor + dx, y * factor + dy);
                        if (!near(actual, expected))
                            QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, the window icon has %4")
                                                 .arg(x * factor + dx)
                                                 .arg(y * factor + dy)
                                                 .arg(hex(actual), hex(expected))));
                    }
                }
                ++compared;
            }
        }
        QVERIFY(compared > 100);
    }
};

QTEST_GUILESS_MAIN(InstalledIconTest)
#include "installed_icon_test.moc"
