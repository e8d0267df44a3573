// Through the years on the real window: the steps from any control, the
// playback and what stops it, and the page of the whole series.
#include "app/folder_actions.h"
#include "app/series_page.h"
#include "support/library_files.h"
#include "window_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

using namespace pyramid;
using namespace pyramid::testing;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Copies of files of a folder of the library in `dir`.
void fill(const QString& dir, const std::string& folder, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        QFile::copy(QString::fromStdString(library::file(folder, name)), dir + "/" + QString::fromUtf8(name));
}

}  // namespace

class FolderActionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        fill(folder.path(), library::kNational, {"1935 全国.txt", "1975 全国.txt", "2020 全国.txt"});
        window = startedWindow(nullptr);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        actions = window->findChild<ui::FolderActions*>();
        QVERIFY(actions);
        window->openDropped(folder.filePath("1935 全国.txt").toStdString());
        QTest::mouseClick(control(*window, "Command1"), Qt::LeftButton);
    }

    void ctrlPageDownAndUpStepFromEveryControl()
    {
        for (const char* focused : {"Text1(0)", "File1", "Dir1", "Command2", "Picture1"}) {
            QWidget* at = control(*window, focused);
            at->setFocus();
            QTest::keyClick(at, Qt::Key_PageDown, Qt::ControlModifier);
            QVERIFY2(title().startsWith("全国 1975"), focused);
            QTest::keyClick(at, Qt::Key_PageUp, Qt::ControlModifier);
            QVERIFY2(title().startsWith("全国 1935"), focused);
        }
        QTest::keyClick(window.get(), Qt::Key_PageUp, Qt::ControlModifier);  // the first: nothing
        QVERIFY(title().startsWith("全国 1935"));
    }

    void playStepsOnceASecondAndSpaceOrAClickStopsIt()
    {
        actions->play(true);
        QTRY_VERIFY_WITH_TIMEOUT(title().startsWith("全国 1975"), 3000);
        QTest::keyClick(window->focusWidget(), Qt::Key_Space);
        QVERIFY(!actions->playing() && !actions->playAction()->isChecked());
        QCOMPARE(label("Label7"), QString());  // Space pressed no button
        actions->play(true);
        QTest::mouseClick(control(*window, "Label5"), Qt::LeftButton);
        QVERIFY(!actions->playing());
        actions->play(true);
        QTRY_VERIFY_WITH_TIMEOUT(title().startsWith("全国 2020"), 3000);
        QVERIFY(!actions->playing());  // the last file ends it
    }

    void theSeriesPageIsPrintedAsLinesAndCopiedAsTheSamePicture()
    {
        QTemporaryDir scratch;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(scratch.filePath("series.pdf"));
        QVERIFY(actions->printSeriesTo(printer));
        const QString text = run("pdftotext", {"-layout", scratch.filePath("series.pdf"), "-"});
        for (const char* year : {"全国 1935", "全国 1975", "全国 2020", "目盛りは全ファイル共通"})
            QVERIFY2(text.contains(QString::fromUtf8(year)), qPrintable(text));
        QCOMPARE(run("pdfimages", {"-list", scratch.filePath("series.pdf")}).count('\n'), 2);  // lines, no pictures

        actions->copySeriesAction()->trigger();
        const QImage copied = qvariant_cast<QImage>(QApplication::clipboard()->mimeData()->imageData());
        const QImage made = ui::seriesPicture(window->handlers().folderSeries(ui::kSeriesPageFiles),
                                              *control<ui::ChartWidget>(*window, "Picture1"), window->font());
        QCOMPARE(bytesOf(copied.convertToFormat(QImage::Format_RGB32)), bytesOf(made));
    }

    // The guide's picture: Japan from 1935 to 2065, census and projection.
    void theGuidesSeriesPage()
    {
        QTemporaryDir scratch;
        const QString named = scratch.filePath("全国 1935〜2065");
        QVERIFY(QDir().mkpath(named));
        fill(named, library::kNational,
             {"1935 全国.txt", "1975 全国.txt", "1985 全国.txt", "1995 全国.txt", "2005 全国.txt", "2015 全国.txt"});
        fill(named, library::kProjection, {"2025 全国 推計.txt", "2035 全国 推計.txt", "2045 全国 推計.txt",
                                           "2055 全国 推計.txt", "2065 全国 推計.txt"});
        window->openDropped((named + "/1935 全国.txt").toStdString());
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR "/ja");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFileName(PYRAMID_SCREENSHOT_DIR "/ja/series-page.pdf");
        QVERIFY(actions->printSeriesTo(printer));
    }

private:
    QString label(const char* name) const { return control<QLabel>(*window, name)->text(); }
    QString title() const { return label("Label2"); }

    QTemporaryDir folder;
    std::unique_ptr<ui::MainWindow> window;
    ui::FolderActions* actions = nullptr;
};

QTEST_MAIN(FolderActionsTest)
#include "folder_actions_test.moc"
