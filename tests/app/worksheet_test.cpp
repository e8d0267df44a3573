// Copy, print and drop on the real window, after a report from 20 to 40 on
// Hokkaido's 2020 census file: the clipboard holds the chart and the
// figures, the PDF page holds the figures as text and the chart as lines,
// and a dropped file or folder opens as the lists open it.
// The slots run in order on one window.

#include "app/main_window.h"
#include "app/worksheet_actions.h"
#include "support/library_files.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QClipboard>
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
#include <QUrl>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

int pixelsOf(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        QTest::qFail(qPrintable(program + " failed"), __FILE__, __LINE__);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Sends a drag of `urls` over the window at `where`, dropping it when taken.
bool drop(QWidget& window, const QList<QUrl>& urls, QPoint where)
{
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropped);
    return dropped.isAccepted();
}

const QColor kYellow(255, 255, 0);

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
        path = QString::fromStdString(hokkaido2020());
    }

    void nothingDrawnNothingCopied()
    {
        QVERIFY(!window->worksheet().copyAction()->isEnabled());
        QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    void ctrlCCopiesTheChartAndTheFiguresFromEveryControl()
    {
        drawFile(*window, path.toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        const QImage plain = qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData());
        QCOMPARE(pixelsOf(plain, kYellow), 0);

        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        QTest::keyClicks(from, "20");
        QTest::keyClick(from, Qt::Key_Return);
        QTest::keyClicks(to, "40");
        QTest::keyClick(to, Qt::Key_Return);

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
        QVERIFY(pixelsOf(image, kYellow) > 1000);  // the highlight
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR);
        image.save(PYRAMID_SCREENSHOT_DIR "/copied-chart.png");

        const QString text = copied->text();
        QVERIFY2(text.startsWith("北海道 2020年  人口ピラミッド\nファイル=" + path + "\n範囲=20歳(2000)から 40歳(1980)まで\n"),
                 qPrintable(text));
        for (int i = 0; i < 8; ++i)
            QVERIFY(text.contains("\n" + control<QLabel>(*window, QStringLiteral("Label12(%1)").arg(i))->text() + "\n"));
        QVERIFY(text.endsWith("\n従属人口比=0.753575263423936\n"));

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
        for (int i = 0; i < 8; ++i) {
            const QString line = control<QLabel>(*window, QStringLiteral("Label12(%1)").arg(i))->text();
            QVERIFY2(text.contains(line.section('=', 1)), qPrintable(line));
        }
        QVERIFY(text.contains("従属人口比=0.753575263423936"));
        // No picture in the file: what shows yellow is drawn as lines.
        QCOMPARE(run("pdfimages", {"-list", pdf}).count('\n'), 2);  // the table's two heading lines
        run("pdftoppm", {"-png", "-r", "100", "-singlefile", pdf, scratch.filePath("page")});
        const QImage page(scratch.filePath("page.png"));
        QVERIFY(pixelsOf(page, kYellow) > 100);
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR "/ja");
        QFile::remove(PYRAMID_SCREENSHOT_DIR "/ja/printed-page.png");
        QVERIFY(QFile::copy(scratch.filePath("page.png"), PYRAMID_SCREENSHOT_DIR "/ja/printed-page.png"));
    }

    void ctrlPAsksThePrintDialogAndCancelLeavesAllAsItWas()
    {
        const QByteArray before = bytesOf(control<ui::ChartWidget>(*window, "Picture1")->drawing());
        bool asked = false;
        QTimer::singleShot(50, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            asked = dialog != nullptr;
            if (dialog)
                dialog->reject();
        });
        QTest::keyClick(control(*window, "Command2"), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(asked);
        QCOMPARE(bytesOf(control<ui::ChartWidget>(*window, "Picture1")->drawing()), before);
    }

    void theMenuKeyAndShiftF10OpenTheChartMenuWithNamedEntries()
    {
        // The offscreen platform does not give the window back its
        // activation when the print dialog closes.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The Menu key as X11 delivers it, a keyboard context menu event to
        // the focused control; Shift+F10 as a key.
        const std::function<void()> keys[] = {
            [this] {
                QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint(), Qt::NoModifier);
                QApplication::sendEvent(window->focusWidget(), &menuKey);
            },
            [this] { QTest::keyClick(window->windowHandle(), Qt::Key_F10, Qt::ShiftModifier); },
        };
        for (const auto& press : keys) {
            QStringList names;
            QTimer::singleShot(50, this, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(menu);
                    for (int i = 0; i < shown->childCount(); ++i)
                        names << shown->child(i)->text(QAccessible::Name);
                    menu->close();
                }
            });
            control(*window, "Command2")->setFocus();
            press();
            QCOMPARE(names, QStringList({"図と結果をコピー", "印刷…"}));
        }
    }

    void aDroppedFileOpensAsTheListsOpenIt()
    {
        const QString file = QString(PYRAMID_SAMPLES_DIR) + "/akita-2020.txt";
        QVERIFY(drop(*window, {QUrl::fromLocalFile(file), QUrl::fromLocalFile(path)}, QPoint(40, 300)));
        auto* files = control<QListWidget>(*window, "File1");
        const auto shown = [&] {
            return QStringList{control<QLabel>(*window, "Label1")->text(),
                               control<QLabel>(*window, "Label1")->palette().color(QPalette::Window).name(),
                               files->currentItem()->text(), window->focusWidget()->objectName()};
        };
        const QStringList dropped = shown();
        QCOMPARE(dropped, QStringList({file, kLightYellow.name(), "akita-2020.txt", "Command1"}));
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
    }

private:
    std::unique_ptr<ui::MainWindow> window;
    QString path;
};

QTEST_MAIN(WorksheetTest)
#include "worksheet_test.moc"
