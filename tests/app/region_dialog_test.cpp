// 「地域を選ぶ」 on the real Table 2-1: typing narrows the list, Enter takes
// the selected line with the box, Escape nothing. Leaves the guide's picture.
#include "app/region_dialog.h"
#include "app/startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using namespace pyramid;

class RegionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(*static_cast<QApplication*>(QCoreApplication::instance())); }
    void typingNarrowsTheListEnterTakesItEscapeNothing()
    {
        const CensusTable table = readCensusTable(PYRAMID_SAMPLES_DIR "/estat/b02_01.xlsx");
        ui::RegionDialog dialog(table, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* typed = dialog.findChild<QLineEdit*>("regionText");
        auto* list = dialog.findChild<QListWidget*>("regionList");
        auto* japanese = dialog.findChild<QCheckBox*>("japaneseOnly");
        QVERIFY(typed && list && japanese && !japanese->isChecked());
        QCOMPARE(QApplication::focusWidget(), typed);
        QCOMPARE(typed->accessibleName(), QStringLiteral("地域名またはコード"));
        QCOMPARE(list->count(), 99);

        type(typed, "市");
        QCOMPARE(list->currentItem()->text(), QStringLiteral("01100 札幌市"));
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR "/ja");
        QVERIFY(dialog.grab().save(PYRAMID_SCREENSHOT_DIR "/ja/chooser.png"));
        typed->clear();
        type(typed, "１３１");  // full-width digits: Tokyo's wards
        QCOMPARE(list->currentItem()->text(), QStringLiteral("13100 特別区部"));
        QTest::keyClick(typed, Qt::Key_Down);
        japanese->setChecked(true);
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(table.regions().at(dialog.choice()->index).name, "千代田区");
        QVERIFY(dialog.choice()->japaneseOnly);

        ui::RegionDialog again(table, nullptr);
        again.show();
        type(again.findChild<QLineEdit*>("regionText"), "ない町");
        QTest::keyClick(again.findChild<QLineEdit*>("regionText"), Qt::Key_Escape);
        QVERIFY(again.result() == QDialog::Rejected && !again.choice());
    }

private:
    // Through the input method, as Japanese is typed.
    static void type(QWidget* box, const char* text)
    {
        QInputMethodEvent typed;
        typed.setCommitString(QString::fromUtf8(text));
        QApplication::sendEvent(box, &typed);
    }
};

QTEST_MAIN(RegionDialogTest)
#include "region_dialog_test.moc"
