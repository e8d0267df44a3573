// Copy, print and drop on the real window after a report from 20 to 40 on
// Hokkaido 2020; the slots run in order on one window. Given a library in
// PYRAMID_GUIDE_LIBRARY (tools/guide-pictures.sh), the file is taken from it
// and the printed page is saved as the guide's picture.
#include "app/chart_menu.h"
#include "app/worksheet_actions.h"
#include "app/worksheet_copy.h"
#include "core/palette.h"
#include "support/library_files.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

long yellowPixels(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);  // rows without padding
    const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
    return std::count(pixels, pixels + rgb.width() * rgb.height(), qRgb(255, 255, 0));
}

// The first colour other than white down the column of chart unit 305 (a
// male bar near the centre) of a copied picture, from above the row of `age`.
Rgb barColour(const QImage& copied, const ui::ChartWidget& chart, const PaperMarks& marks, int age)
{
    const QSizeF inner = chart.innerRect().size();
    const int scale = ui::copyScale(chart.innerRect().size());
    const int x = int((305 * inner.width() / 640 - chart.paperArea(marks).left()) * scale);
    for (int y = int((416 - 4 * age) * inner.height() / 480 * scale); y < copied.height(); ++y)
        if (const QRgb p = copied.pixel(x, y); p != qRgb(255, 255, 255))
            return {std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
    return {};
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// Sends a drag of `urls` over the window at `where`, dropping it when taken.
bool drop(QWidget& window, const QList<QUrl>& urls, QPoint where)
{
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDropEvent dropped(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    return QApplication::sendEvent(&window, &enter) && enter.isAccepted() &&
           QApplication::sendEvent(&window, &dropped) && dropped.isAccepted();
}

}  // namespace

class WorksheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        window = startedWindow(nullptr);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QApplication::clipboard()->clear();
        guide = qEnvironmentVariable("PYRAMID_GUIDE_LIBRARY");
        path = !guide.isEmpty() ? guide + "/" + QString::fromStdString(library::kPrefectures) + "/01 北海道.txt"
                                : QString::fromStdString(library::file(library::kPrefectures, "01 北海道.txt"));
        // Nothing drawn, nothing copied.
        QVERIFY(!window->worksheet().copyAction()->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    void ctrlCCopiesTheChartAndTheFiguresFromEveryControl()
    {
        drawFile(*window, path.toStdString());

        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        QTest::keyClicks(control(*window, "Text1(0)"), "20\r");
        QTest::keyClicks(to, "40\r");
        for (const char* focused : {"Command2", "File1", "Dir1", "Text1(1)"}) {
            QApplication::clipboard()->clear();
            control(*window, focused)->setFocus();
            QTest::keyClick(control(*window, focused), Qt::Key_C, Qt::ControlModifier);
            const QMimeData* copied = QApplication::clipboard()->mimeData();
            QVERIFY2(copied && copied->hasImage() && copied->hasText(), focused);
        }
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        const QImage image = qvariant_cast<QImage>(copied->imageData());
        QVERIFY(image.width() >= 1280 && image.height() >= 960);
        // On white in paper's colours, as the PNG keeps them: the highlighted
        // rows (25, and 20 a decade row) stand out 3:1 from the ordinary (55, 60).
        const QImage png = QImage::fromData(copied->data("image/png"), "PNG");
        QCOMPARE(png.pixel(0, 0), qRgb(255, 255, 255));
        QVERIFY(QDir().mkpath(PYRAMID_SCREENSHOT_DIR) && png.save(PYRAMID_SCREENSHOT_DIR "/copied-chart.png"));
        const auto bar = [&](int age) {
            return barColour(png, *control<ui::ChartWidget>(*window, "Picture1"), window->handlers().paperMarks(), age);
        };
        for (int lit : {20, 25})
            for (int plain : {55, 60})
                QVERIFY2(contrastRatio(bar(lit), bar(plain)) >= 3, qPrintable(QString("%1 %2").arg(lit).arg(plain)));
        QVERIFY(bar(25) == inkColour(palette::Yellow, ChartInk::Paper) && bar(60) == inkColour(palette::LightRed, ChartInk::Paper));
        // 「黒地で印刷・コピー」: the window's colours, its yellow highlight.
        window->worksheet().blackGroundAction()->setChecked(true);
        window->worksheet().copy();
        const QImage black = qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData());
        QVERIFY(yellowPixels(black) > 1000 && black.pixel(black.width() - 1, 0) == qRgb(0, 0, 0));
        window->worksheet().blackGroundAction()->setChecked(false);

        const QString text = QApplication::clipboard()->text();  // the same in either colours
        QVERIFY2(text.startsWith("北海道 2020年  人口ピラミッド\nファイル=" + path + "\n範囲=20歳(2000)から 40歳(1980)まで\n"),
                 qPrintable(text));
        for (int i = 0; i < 8; ++i)
            QVERIFY(text.contains("\n" + result(i)));  // with its per cent where it has one
        QVERIFY(text.endsWith("\n高齢化率=32.2％\n従属人口指数=75.4\n"));

        // A selection in an age box is copied as text, as usual.
        to->selectAll();
        QTest::keyClick(to, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("40"));
        QVERIFY(!QApplication::clipboard()->mimeData()->hasImage());
    }

    void thePrintedPageHoldsTheFiguresAsTextAndTheChartAsLines()
    {
        QTemporaryDir scratch;
        const QString pdf = scratch.filePath("page.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(window->worksheet().printTo(printer));

        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains("北海道 2020年 人口ピラミッド"), qPrintable(text));
        for (int i = 0; i < 8; ++i)
            QVERIFY2(text.contains(result(i).section('=', 1)), qPrintable(result(i)));
        for (const char* shown : {"従属人口指数=75.4", "（20.2％）", "人口性比 100.5", "目盛り線の間隔：1万人", "2万人"})
            QVERIFY2(text.contains(shown), shown);
        for (int age = 0; age <= 100; age += 10)
            QVERIFY(text.contains(QString("%1歳").arg(age)));
        // No picture in the file: the chart is drawn as lines.
        QCOMPARE(run("pdfimages", {"-list", pdf}).count('\n'), 2);  // the table's two heading lines
        run("pdftoppm", {"-png", "-r", "100", "-singlefile", pdf, scratch.filePath("page")});
        const QImage page = QImage(scratch.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
        // At least 90 % white outside the bars (paper's blue, red, green and black).
        long white = 0, bars = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                white += page.pixel(x, y) == qRgb(255, 255, 255);
                bars += page.pixelColor(x, y).hsvSaturation() > 100 || page.pixelColor(x, y).value() < 80;
            }
        QVERIFY2(white >= 0.9 * (page.width() * page.height() - bars), qPrintable(QString::number(white)));
        if (guide.isEmpty())
            return;
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR "/ja");  // the guide's picture
        QVERIFY(page.save(PYRAMID_SCREENSHOT_DIR "/ja/printed-page.png"));
    }

    void ctrlPAsksThePrintDialogAndCancelLeavesAllAsItWas()
    {
        const QByteArray before = bytesOf(control<ui::ChartWidget>(*window, "Picture1")->drawing());
        bool asked = false;
        QTimer::singleShot(50, this, [&] {
            if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()); (asked = dialog))
                dialog->reject();
        });
        QTest::keyClick(control(*window, "Command2"), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(asked);
        QCOMPARE(bytesOf(control<ui::ChartWidget>(*window, "Picture1")->drawing()), before);
    }

    void theMenuKeyAndShiftF10OpenTheChartMenuWithNamedEntries()
    {
        window->activateWindow();  // offscreen, closing the dialog did not give it back
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // A file dropped on the drawn chart is laid over it in persons, and
        // the copied text names it after the drawn one.
        const QString akita = QString(PYRAMID_SAMPLES_DIR) + "/akita-2020.txt";
        QVERIFY(drop(*window, {QUrl::fromLocalFile(akita)}, QPoint(300, 200)) && window->handlers().comparing());
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), path);
        window->worksheet().copy();
        QVERIFY(QApplication::clipboard()->text().contains("\n2020年  人口ピラミッド\nファイル=" + akita + "\n"));
        // The Menu key as X11 delivers it (a keyboard context menu event), and Shift+F10.
        const std::function<void()> keys[] = {
            [this] {
                QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint(), Qt::NoModifier);
                QApplication::sendEvent(window->focusWidget(), &menuKey);
            },
            [this] { QTest::keyClick(window->windowHandle(), Qt::Key_F10, Qt::ShiftModifier); },
        };
        for (const auto& press : keys) {
            QStringList names;
            // Looks until the menu is up, however long a busy machine takes.
            QTimer reader;
            reader.setInterval(10);
            connect(&reader, &QTimer::timeout, this, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(menu);
                    for (int i = 0; i < shown->childCount(); ++i)
                        names << shown->child(i)->text(QAccessible::Name);
                    reader.stop();
                    menu->close();
                }
            });
            reader.start();
            // The window has the keys again once the last menu has closed.
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            control(*window, "Command2")->setFocus();
            press();
            reader.stop();
            QCOMPARE(names, QStringList({"図と結果をコピー", "印刷…", "黒地で印刷・コピー", "ほかのファイルと比較…", "比較をやめる", "",
                                         "次のファイル", "前のファイル", "生まれ年で追う", "順に再生", "一覧を印刷…",
                                         "一覧をコピー"}));
        }
    }

    void aFileOfAnotherFolderIsComparedAndTheListsStayAsTheyWere()
    {
        auto* files = control<QListWidget>(*window, "File1");
        const auto lists = [&] {
            return QStringList{control<QLabel>(*window, "Label1")->text(), control<QComboBox>(*window, "Drive1")->currentText(),
                               control<QTreeWidget>(*window, "Dir1")->currentItem()->text(0),
                               QString::number(files->count()), files->currentItem()->text()};
        };
        const QStringList before = lists();
        const QString other = QString(PYRAMID_SAMPLES_DIR) + "/akita-2020.txt";
        std::string asked;
        QMenu menu(window.get());
        ui::addCompareOtherFileEntries(menu, window->handlers(), [] {},
                                       [&](QWidget*, const std::string& folder) { return asked = folder, other.toStdString(); });
        menu.actions().front()->menu()->actions().at(1)->trigger();  // 構成比で比較…
        QCOMPARE(QString::fromStdString(asked), QFileInfo(path).absolutePath());  // the dialog opens beside the drawn file
        QVERIFY(window->handlers().comparing());
        window->worksheet().copy();
        QVERIFY(QApplication::clipboard()->text().contains("ファイル=" + other + "\n"));
        QCOMPARE(lists(), before);
    }

    void aDroppedFileOpensAsTheListsOpenIt()
    {
        const QString file = QString(PYRAMID_SAMPLES_DIR) + "/akita-2020.txt";
        QVERIFY(drop(*window, {QUrl::fromLocalFile(file), QUrl::fromLocalFile(path)}, QPoint(40, 300)));
        auto* files = control<QListWidget>(*window, "File1");
        auto* label1 = control<QLabel>(*window, "Label1");
        const auto shown = [&] {
            return QStringList{label1->text(), label1->palette().color(QPalette::Window).name(),
                               files->currentItem()->text(), window->focusWidget()->objectName()};
        };
        QCOMPARE(shown(), QStringList({file, kLightYellow.name(), "akita-2020.txt", "Command1"}));
        const QStringList dropped = shown();  // and choosing it in the list changes nothing
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->currentItem()).center());
        QCOMPARE(shown(), dropped);
    }

    void aDroppedFolderIsOpenedAndANonFileIsRefused()
    {
        const QString folder = QFileInfo(path).absolutePath();
        QVERIFY(drop(*window, {QUrl::fromLocalFile(folder)}, QPoint(300, 200)));  // onto the chart
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), folder);
        QCOMPARE(control<QListWidget>(*window, "File1")->count(), 47);

        for (const QUrl& url : {QUrl("https://example.org/a.txt"), QUrl::fromLocalFile(folder + "/none.txt"),
                                QUrl::fromLocalFile("/dev/null")})
            QVERIFY2(!drop(*window, {url}, QPoint(40, 300)), qPrintable(url.toString()));
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), folder);
        QTemporaryDir downloads;  // a file saved into the folder the lists show is found too
        const QString saved = downloads.filePath("01 北海道.txt");
        QVERIFY(drop(*window, {QUrl::fromLocalFile(downloads.path())}, QPoint(40, 300)) && QFile::copy(path, saved));
        QVERIFY(drop(*window, {QUrl::fromLocalFile(saved)}, QPoint(40, 300)));
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), saved);
    }

private:
    QString result(int i) const { return control<QLabel>(*window, QStringLiteral("Label12(%1)").arg(i))->text(); }
    std::unique_ptr<ui::MainWindow> window;
    QString guide;  // the library the guide's pictures are taken from, if any
    QString path;
};

QTEST_MAIN(WorksheetTest)
#include "worksheet_test.moc"
