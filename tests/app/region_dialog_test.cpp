// 「地域を選ぶ」 on the real table, and the road of a teacher through it in
// the real window: the table chosen in the lists, 作図実行, 札幌 and Enter,
// ages 20 to 40, 北海道 laid over it, saved and opened again as a data file.
#include "app/region_dialog.h"
#include "app/startup.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>

using namespace pyramid;
using namespace pyramid::testing;
using pyramid::ui::RegionDialog;

namespace {

QString tableFolder()
{
    const QString fixture = PYRAMID_SAMPLES_DIR "/estat";
    return QDir(QFileInfo::exists(fixture + "/b02_01.xlsx") ? fixture : PYRAMID_SAMPLES_DIR "/../../../shared/estat")
        .canonicalPath();
}

// Typed through the input method, as Japanese is.
void commit(QWidget* box, const QString& text)
{
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(box, &typed);
}

void saveScreenshot(QWidget& shown, const QString& name)
{
    QDir().mkpath(PYRAMID_SCREENSHOT_DIR "/ja");
    QVERIFY(shown.grab().save(PYRAMID_SCREENSHOT_DIR "/" + name));
}

}  // namespace

class RegionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { table = readCensusTable((tableFolder() + "/b02_01.xlsx").toStdString()); }

    void typingNarrowsTheListEnterTakesItEscapeNothing()
    {
        RegionDialog dialog(table, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("地域を選ぶ"));
        auto* typed = dialog.findChild<QLineEdit*>("regionText");
        auto* list = dialog.findChild<QListWidget*>("regionList");
        auto* japanese = dialog.findChild<QCheckBox*>("japaneseOnly");
        QVERIFY(typed && list && japanese);
        QCOMPARE(typed->accessibleName(), QStringLiteral("地域名またはコード"));
        QCOMPARE(QApplication::focusWidget(), typed);
        QCOMPARE(list->count(), 99);
        QVERIFY(!japanese->isChecked());

        commit(typed, QStringLiteral("市"));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("01100 札幌市"));
        saveScreenshot(dialog, "ja/chooser.png");
        typed->clear();
        commit(typed, QStringLiteral("１３１"));  // full-width digits: Tokyo's wards
        QCOMPARE(list->currentItem()->text(), QStringLiteral("13100 特別区部"));
        QTest::keyClick(typed, Qt::Key_Down);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("13101 千代田区"));
        japanese->setChecked(true);
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(dialog.choice()->index), int(table.matching("13101").front()));
        QVERIFY(dialog.choice()->japaneseOnly);

        RegionDialog again(table, nullptr);
        again.show();
        commit(again.findChild<QLineEdit*>("regionText"), QStringLiteral("ない町"));
        QCOMPARE(again.findChild<QListWidget*>("regionList")->count(), 0);
        QTest::keyClick(again.findChild<QLineEdit*>("regionText"), Qt::Key_Escape);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QVERIFY(!again.choice());
    }

    void aTeachersRoadThroughTheTable()
    {
        auto window = startedWindow(nullptr);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The lists: the folder of the table, then a click on the table.
        window->openDropped(tableFolder().toStdString());
        auto* files = control<QListWidget>(*window, "File1");
        const auto listed = files->findItems(QStringLiteral("b02_01.xlsx"), Qt::MatchExactly);
        QCOMPARE(listed.size(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(listed.front()).center());
        const QString table = tableFolder() + "/b02_01.xlsx";
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), table);

        answerChooser(QStringLiteral("札幌"), [&](RegionDialog& dialog) { saveScreenshot(dialog, "region-sapporo.png"); });
        QTest::mouseClick(control(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(*window, "Label2")->text(), QStringLiteral("札幌市 2020年  人口ピラミッド "));
        const QImage sapporo = control<ui::ChartWidget>(*window, "Picture1")->drawing();
        QCOMPARE(window->handlers().data().RegionWeight, regionArea("01100"));

        QTest::mouseClick(control(*window, "Command3"), Qt::LeftButton);
        QTest::keyClicks(control(*window, "Text1(0)"), "20");
        QTest::keyClick(control(*window, "Text1(0)"), Qt::Key_Return);
        QTest::keyClicks(control(*window, "Text1(1)"), "40");
        QTest::keyClick(control(*window, "Text1(1)"), Qt::Key_Return);
        QVERIFY(control<QLabel>(*window, "Label12(0)")->text().startsWith(QStringLiteral("総人口比=")));
        answerChooser(QStringLiteral("北海道"), {});
        window->handlers().compareWith(table.toStdString(), CompareBy::Shares);
        QVERIFY(window->handlers().comparing());
        saveScreenshot(*window, "region-walk.png");

        // The chart's menu, 「データファイルとして保存…」, the suggested name in
        // the documents folder (a scratch home here) taken as it is.
        const QString saved = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                              QStringLiteral("/01100 札幌市 2020.txt");
        QDir().mkpath(QFileInfo(saved).path());
        whenModal<QMenu>([](QMenu* menu) {
            for (QAction* action : menu->actions())
                if (action->text() == QStringLiteral("データファイルとして保存…"))
                    menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        whenModal<QFileDialog>([saved](QFileDialog* dialog) {
            QCOMPARE(dialog->selectedFiles().value(0), saved);
            static_cast<QDialog*>(dialog)->accept();  // 保存
        });
        QContextMenuEvent click(QContextMenuEvent::Keyboard, QPoint(100, 100));
        QApplication::sendEvent(window.get(), &click);
        QVERIFY(QFileInfo::exists(saved));
        window->openDropped(saved.toStdString());
        QTest::mouseClick(control(*window, "Command1"), Qt::LeftButton);
        QCOMPARE(bytesOf(control<ui::ChartWidget>(*window, "Picture1")->drawing()), bytesOf(sapporo));
        QCOMPARE(control<QLabel>(*window, "Label2")->text(), QStringLiteral("札幌市 2020年  人口ピラミッド "));
        saveScreenshot(*window, "region-saved-and-opened.png");
        QFile::remove(saved);
    }

private:
    // Acts on the first menu or dialog of kind T that opens from now on.
    template <class T>
    static void whenModal(std::function<void(T*)> act)
    {
        auto* poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, act] {
            QWidget* open = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                              : QApplication::activeModalWidget();
            if (auto* shown = qobject_cast<T*>(open)) {
                poll->stop();
                poll->deleteLater();
                act(shown);
            }
        });
        poll->start();
    }

    // Types `text` into the chooser when it opens and presses Enter.
    static void answerChooser(const QString& text, std::function<void(RegionDialog&)> look)
    {
        QTimer::singleShot(0, [text, look] {
            auto* dialog = qobject_cast<RegionDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* typed = dialog->findChild<QLineEdit*>("regionText");
            commit(typed, text);
            if (look)
                look(*dialog);
            QTest::keyClick(typed, Qt::Key_Return);
        });
    }

    CensusTable table;
};

int main(int argc, char* argv[])
{
    // The saved file goes to the documents folder of a home of its own.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QApplication app(argc, argv);
    pyramid::ui::prepareApplication(app);
    RegionDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "region_dialog_test.moc"
