// The installed icons are the window's own icon: the 32 x 32 PNG pixel for
// pixel, each larger one the same picture with every pixel a square block.

#include "app/window_icon.h"

#include <QImage>
#include <QTest>

class InstalledIconTest : public QObject {
    Q_OBJECT

private slots:
    void matchesWindowIcon_data()
    {
        QTest::addColumn<int>("size");
        for (const QString& size : QStringLiteral(PYRAMID_ICON_SIZES).split(u','))
            QTest::newRow(qPrintable(size + QStringLiteral("px"))) << size.toInt();
    }

    void matchesWindowIcon()
    {
        QFETCH(int, size);
        const QString path = QStringLiteral(PYRAMID_ICON_THEME_DIR "/%1x%1/apps/" PYRAMID_ICON_NAME ".png")
                                 .arg(size);
        const QImage installed(path);
        QVERIFY2(!installed.isNull(), qPrintable(QStringLiteral("cannot read ") + path));
        QCOMPARE(installed.size(), QSize(size, size));

        const QImage icon = pyramid::ui::pyramidIconImage();
        const int factor = size / icon.width();
        QCOMPARE(factor * icon.width(), size);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb expected = icon.pixel(x / factor, y / factor);
                const QRgb actual = installed.pixel(x, y);
                if (actual != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is #%3, the window icon has #%4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(actual, 8, 16, QChar(u'0'))
                                         .arg(expected, 8, 16, QChar(u'0'))));
            }
        }
    }
};

QTEST_GUILESS_MAIN(InstalledIconTest)
#include "installed_icon_test.moc"
