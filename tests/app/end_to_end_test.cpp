// The whole road on the real window with the real error prompt, as a person
// walks it: started in the population library, open a prefecture's folder and
// file in the lists, draw, open the analysis, type 20 and 40, read the report;
// then a range beyond the tables, answered No. The walk reads samples/; given
// a library in PYRAMID_GUIDE_LIBRARY (tools/guide-pictures.sh names the
// installed one), it walks that instead and saves the pictures of the README
// and of the Japanese guide on the way, as a user sees them.
// The slots run in order on one window, each going on from the last.
// Expected figures come from the file's numbers read here with a stream.

#include "app/chart_widget.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "chart_points.h"
#include "support/sample_figures.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolTip>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <numeric>

using namespace pyramid;
using namespace pyramid::testing;
using pyramid::ui::ChartWidget;
using pyramid::ui::MainWindow;

namespace {

const QString kFolder = QStringLiteral("3 都道府県");
const QString kSampleName = QStringLiteral("01 北海道.txt");
const QString kNationalFolder = QStringLiteral("1 全国推移");

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kMagenta(255, 0, 255);

double sum(const std::vector<double>& counts, std::size_t from, std::size_t to)
{
    return std::accumulate(counts.begin() + std::ptrdiff_t(from), counts.begin() + std::ptrdiff_t(to + 1), 0.0);
}

}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Started in the library, as the desktop entry starts the program.
        const QString guide = qEnvironmentVariable("PYRAMID_GUIDE_LIBRARY");
        pictures = !guide.isEmpty();
        QVERIFY2(!pictures || QFileInfo::exists(guide + "/" + kFolder + "/" + kSampleName), qPrintable(guide));
        library = QDir(pictures ? guide : PYRAMID_LIBRARY_DIR).canonicalPath();
        QVERIFY(QDir::setCurrent(library));
        samples = library + "/" + kFolder;
        sample = readSampleFigures((samples + "/" + kSampleName).toStdString());
        QCOMPARE(sample.male.size(), std::size_t(101));
        year = std::stoi(sample.title.substr(sample.title.size() - 4));

        // Any message box that comes up is read and answered No, so a failure
        // shows as a record here instead of a test waiting for a click.
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked << box->windowTitle() + "|" + box->text();
                if (asked.size() == 1)
                    saveGuidePicture(*box, "error-prompt.png");
                box->button(QMessageBox::No)->click();
            }
        });
        watch.start();

        window = std::make_unique<MainWindow>();  // failures ask the real message box
        window->load();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // Scrolled as a user would to see the library's folders under it.
        auto* dirs = control<QTreeWidget>(*window, "Dir1");
        dirs->scrollToItem(dirs->currentItem(), QAbstractItemView::PositionAtTop);
        saveGuidePicture(*window, "start.png");
    }
    void cleanupTestCase()
    {
        watch.stop();
        window.reset();
    }

    void theSampleIsChosenThroughTheDriveFolderAndFileLists()
    {
        auto* drive = control<QComboBox>(*window, "Drive1");
        auto* dirs = control<QTreeWidget>(*window, "Dir1");
        auto* files = control<QListWidget>(*window, "File1");
        QVERIFY(drive && dirs && files);
        // The drive list stands on the volume that holds the start folder.
        QVERIFY(!drive->currentText().isEmpty());
        QVERIFY2(samples.startsWith(drive->currentText()), qPrintable(drive->currentText()));

        QCOMPARE(QString::fromStdString(window->controls().dirPath()), library);
        const auto found = dirs->findItems(kFolder, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        dirs->scrollToItem(found.front());
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, dirs->visualItemRect(found.front()).center());
        QCOMPARE(QString::fromStdString(window->controls().dirPath()), samples);

        const auto listed = files->findItems(kSampleName, Qt::MatchExactly);
        QCOMPARE(listed.size(), 1);
        files->scrollToItem(listed.front());
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(listed.front()).center());
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), samples + "/" + kSampleName);
        QCOMPARE(QApplication::focusWidget(), control(*window, "Command1"));
        saveGuidePicture(*window, "file-chosen.png");
    }

    void theDrawButtonDrawsThePyramidAndOffersTheAnalysis()
    {
        QTest::mouseClick(control(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(asked, QStringList());
        QCOMPARE(caption("Label2"), QString::fromStdString(sample.title) + "年  人口ピラミッド ");
        QCOMPARE(caption("Label2"), QString("北海道 2020年  人口ピラミッド "));
        QCOMPARE(caption("Label3"), QString("男"));
        QCOMPARE(caption("Label4"), QString("女"));
        QVERIFY(control(*window, "Command3")->isVisible());
        QCOMPARE(QApplication::focusWidget(), control(*window, "Command3"));
        drawn = chart().drawing();

        // A screen reader hears what the chart shows.
        const QAccessibleInterface* surface = QAccessible::queryAccessibleInterface(&chart());
        QCOMPARE(surface->text(QAccessible::Name), QString("人口ピラミッド"));
        const QString described = surface->text(QAccessible::Description);
        QVERIFY2(described.startsWith("北海道 2020年"), qPrintable(described));
        const double male = sum(sample.male, 0, sample.male.size() - 1);
        const double female = sum(sample.female, 0, sample.female.size() - 1);
        for (double figure : {male, female, male + female, sample.largest})
            QVERIFY2(described.contains(QString::fromStdString(fifteenDigits(figure)) + "人"), qPrintable(described));
        saveGuidePicture(*window, "drawn.png");
    }

    void anAnalysisFrom20To40ReportsTheFileFiguresAndHighlightsTheRange()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // the focused Command3
        QCOMPARE(caption("Label7"), QString("構成比の分析："));
        QCOMPARE(caption("Label8"), QString("何歳から＝"));
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        QCOMPARE(QApplication::focusWidget(), from);

        QTest::keyClicks(from, "20");
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(caption("Label9"), QString("何歳まで＝"));
        QCOMPARE(QApplication::focusWidget(), to);
        QTest::keyClicks(to, "40");
        QTest::keyClick(to, Qt::Key_Return);
        QCOMPARE(asked, QStringList());

        QCOMPARE(caption("Label10"), QString("20歳(%1)から").arg(year - 20));
        QCOMPARE(caption("Label11"), QString("40歳(%1)まで").arg(year - 40));
        checkReportOf(20, 40);
        QCOMPARE(QApplication::focusWidget(), control(*window, "Command2"));

        // Each box is read by the prompt beside it; the chart tells the range.
        QCOMPARE(QAccessible::queryAccessibleInterface(from)->text(QAccessible::Name), caption("Label8"));
        QCOMPARE(QAccessible::queryAccessibleInterface(to)->text(QAccessible::Name), caption("Label9"));
        const QString described = QAccessible::queryAccessibleInterface(&chart())->text(QAccessible::Description);
        for (const QString& shown : {caption("Label10"), caption("Label11"), caption("Label12(0)")})
            QVERIFY2(described.contains(shown), qPrintable(described));

        // Inside the range: ordinary rows yellow, decade rows magenta; the
        // rows on either side keep the pyramid's colours.
        highlighted = chart().drawing();
        QCOMPARE(shorterBarColour(highlighted, 25), kYellow);
        QCOMPARE(shorterBarColour(highlighted, 30), kMagenta);
        QCOMPARE(shorterBarColour(highlighted, 20), kMagenta);
        QCOMPARE(shorterBarColour(highlighted, 40), kMagenta);
        QCOMPARE(shorterBarColour(highlighted, 19), kWhite);
        QCOMPARE(shorterBarColour(highlighted, 41), kWhite);
        QCOMPARE(shorterBarColour(highlighted, 50), kRed);

        saveGuidePicture(*window, "analysis.png");
        if (pictures)
            QVERIFY(window->grab().save(PYRAMID_SCREENSHOT_DIR "/pyramid-analysis.png"));
    }

    // Typed with the input method on, as a Japanese user does: full-width
    // digits committed by the input method.
    void aReversedRangeInFullWidthDigitsReportsTheSameInTheTypedOrder()
    {
        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        // The set-up gave the highlighted rows back their ordinary colours.
        QCOMPARE(bytesOf(chart().drawing()), bytesOf(drawn));
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        // Numbers are asked of the input method, yet any key is taken.
        QCOMPARE(from->inputMethodHints(), Qt::InputMethodHints(Qt::ImhPreferNumbers));
        QCOMPARE(from->validator(), nullptr);
        commit(from, "４０");
        QTest::keyClick(from, Qt::Key_Return);
        commit(to, "２０");
        QTest::keyClick(to, Qt::Key_Return);
        QCOMPARE(asked, QStringList());

        QCOMPARE(caption("Label10"), QString("４０歳(%1)から").arg(year - 40));
        QCOMPARE(caption("Label11"), QString("２０歳(%1)まで").arg(year - 20));
        checkReportOf(20, 40);
        QCOMPARE(bytesOf(chart().drawing()), bytesOf(highlighted));
    }

    void aRangeBeyondTheTablesAsksAndNoLeavesTheRest()
    {
        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        QTest::keyClicks(from, "150");
        QTest::keyClick(from, Qt::Key_Return);
        QTest::keyClicks(to, "250");
        QTest::keyClick(to, Qt::Key_Return);

        // One question, from the real box, answered No by the watch.
        QCOMPARE(asked.size(), 1);
        const QString title = asked.front().section('|', 0, 0);
        const QString text = asked.front().section('|', 1);
        QCOMPARE(title, QString("ＶＥＬＫエラー処理システム"));
        QVERIFY2(text.endsWith("\n\n対処し継続しますか？"), qPrintable(text));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        // The range lines were written before the sums failed at age 200;
        // nothing after them was: no result line, no highlight, no focus move.
        QCOMPARE(caption("Label10"), QString("150歳(%1)から").arg(year - 150));
        QCOMPARE(caption("Label11"), QString("250歳(%1)まで").arg(year - 250));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(caption(QStringLiteral("Label12(%1)").arg(i)), QString());
        QCOMPARE(bytesOf(chart().drawing()), bytesOf(drawn));
        // The window's own focus child: the offscreen platform does not hand
        // the window back its activation when the box closes.
        QCOMPARE(window->focusWidget(), to);
    }

    // A teacher's lesson: Japan in 1935 drawn, 2020 laid over it from the
    // file list's menu, the under-15s reported on both, then back again.
    void aSecondFileFromTheFileMenuIsComparedAndTakenOffAgain()
    {
        asked.clear();
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        from->clear();  // the range past the tables is still in them
        to->clear();
        window->controls().setDirPath((library + "/" + kNationalFolder).toStdString());
        const QImage plain = drawFile(*window, (library + "/" + kNationalFolder + "/1935 全国.txt").toStdString());
        auto* files = control<QListWidget>(*window, "File1");
        const auto listed = files->findItems("2020 全国.txt", Qt::MatchExactly);
        QCOMPARE(listed.size(), 1);
        files->scrollToItem(listed.front());
        chooseFromMenu("構成比で比較", [&] {
            const QPoint at = files->visualItemRect(listed.front()).center();
            QContextMenuEvent opened(QContextMenuEvent::Mouse, at, files->viewport()->mapToGlobal(at));
            QApplication::sendEvent(files->viewport(), &opened);
        });
        QCOMPARE(asked, QStringList());
        QVERIFY(caption("Label1").endsWith("1935 全国.txt"));
        const QString described = QAccessible::queryAccessibleInterface(&chart())->text(QAccessible::Description);
        QVERIFY2(described.contains("比較：実線 全国 1935、輪郭 全国 2020、構成比で比較"), qPrintable(described));
        QHelpEvent tip(QEvent::ToolTip, chart().innerRect().topLeft() + QPoint(deviceColumn(310, 1), deviceRow(rowOfAge(45), 1)),
                       chart().mapToGlobal(QPoint(200, 200)));
        QApplication::sendEvent(&chart(), &tip);
        QVERIFY2(QToolTip::text().startsWith("45歳（1890年生まれ）"), qPrintable(QToolTip::text()));
        saveGuidePicture(*window, "compare.png");

        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        QTest::keyClicks(from, "0");
        QTest::keyClick(from, Qt::Key_Return);
        QTest::keyClicks(to, "14");
        QTest::keyClick(to, Qt::Key_Return);
        const auto underFifteen = [&](const char* name) {
            const SampleFigures f = readSampleFigures((library + "/" + kNationalFolder + "/" + name).toStdString());
            const double all = sum(f.male, 0, 100) + sum(f.female, 0, 100);
            return "総人口比=" + fifteenDigits((sum(f.male, 0, 14) + sum(f.female, 0, 14)) / all);
        };
        QCOMPARE(caption("Label12(0)").toStdString(), underFifteen("1935 全国.txt"));
        QCOMPARE(chart().notes().at(3).text, underFifteen("2020 全国.txt"));
        saveGuidePicture(*window, "compare-report.png");

        // A right click on the chart opens its menu (the keys are tried in the worksheet test).
        chooseFromMenu("比較をやめる", [&] {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(100, 100), chart().mapToGlobal(QPoint(100, 100)));
            QApplication::sendEvent(&chart(), &click);
        });
        QCOMPARE(bytesOf(chart().drawing()), bytesOf(plain));
        QVERIFY(chart().notes().empty());
    }

private:
    // Picks the entry `entry` of the context menu that `open` opens.
    template <class Open>
    static void chooseFromMenu(const QString& entry, Open&& open)
    {
        QTimer::singleShot(0, [entry] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->text() == entry && action->isEnabled())
                    menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        open();
    }

    // The pictures of the Japanese guide (docs/ja), taken at each step.
    void saveGuidePicture(QWidget& shown, const char* name) const
    {
        if (!pictures)
            return;
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR "/ja");
        if (!shown.grab().save(QStringLiteral(PYRAMID_SCREENSHOT_DIR "/ja/") + name))
            QTest::qFail("the guide's picture was not saved", __FILE__, __LINE__);
    }

    QString caption(const QString& name) const { return control<QLabel>(*window, name)->text(); }
    static void commit(QWidget* box, const QString& text)
    {
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(box, &typed);
    }
    ChartWidget& chart() const { return *control<ChartWidget>(*window, "Picture1"); }

    // The eight result lines for ages `from` to `to`, worked out from the file.
    void checkReportOf(std::size_t from, std::size_t to) const
    {
        const double male = sum(sample.male, from, to);
        const double female = sum(sample.female, from, to);
        const double MaleTotal = sum(sample.male, 0, sample.male.size() - 1);
        const double FemaleTotal = sum(sample.female, 0, sample.female.size() - 1);
        const double total = MaleTotal + FemaleTotal;
        const std::pair<const char*, double> expected[] = {
            {"総人口比=", (male + female) / total},
            {"男人口比=", male / MaleTotal},
            {"女人口比=", female / FemaleTotal},
            {"男／女比=", male / female},
            {"男人口計=", male},
            {"女人口計=", female},
            {"総人口\u3000=", total},
            {"地域加重=", total / sample.weight},
        };
        for (int i = 0; i < 8; ++i)
            QCOMPARE(caption(QStringLiteral("Label12(%1)").arg(i)),
                     QString::fromUtf8(expected[i].first) + QString::fromStdString(fifteenDigits(expected[i].second)));
    }

    // The colour half-way along the shorter bar of an age's row: the
    // difference line lies over the longer one.
    QColor shorterBarColour(const QImage& drawing, int age) const
    {
        const double male = sample.male[std::size_t(age)];
        const double female = sample.female[std::size_t(age)];
        const double half = std::min(male, female) * 250.0 / sample.largest / 2;
        if (!spans(half, 2, drawing.devicePixelRatio()))
            QTest::qFail("the bar is too short to look at", __FILE__, __LINE__);
        return pixelAt(drawing, female < male ? 320 + half : 320 - half, rowOfAge(age));
    }

    bool pictures = false;  // the walk reads the guide's library and takes the pictures
    QString library;
    QString samples;  // the folder of the chosen file
    SampleFigures sample;
    int year = 0;  // the last four characters of the title
    std::unique_ptr<MainWindow> window;
    QImage drawn;        // the pyramid straight after the draw
    QImage highlighted;  // with 20 to 40 highlighted
    QTimer watch;
    QStringList asked;  // title and text of every message box, in order
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pyramid::ui::prepareApplication(app);
    EndToEndTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "end_to_end_test.moc"
