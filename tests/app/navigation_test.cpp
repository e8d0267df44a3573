// Walking the real window's drive, directory and file lists to a data file.

#include "app/japanese_fonts.h"
#include "app/main_window.h"
#include "support/scripted_prompt.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

using namespace pyramid;
using namespace pyramid::testing;
using pyramid::ui::MainWindow;

namespace {

QStringList entries(const QTreeWidget& tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

QStringList entries(const QListWidget& list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

QTreeWidgetItem* entry(const QTreeWidget& tree, const QString& text)
{
    const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

QPoint centreOf(const QTreeWidget& tree, QTreeWidgetItem* item)
{
    return tree.visualItemRect(item).center();
}

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1995\n1\n5\n5\n");
}

}  // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        prompt = ScriptedPrompt();
        QVERIFY(folder.isValid());
        base = QDir(folder.path()).canonicalPath();
        QVERIFY(QDir(base).mkpath("regions/kanto"));
        QVERIFY(QDir(base).mkpath("archive"));
        QVERIFY(QDir(base).mkpath(".hidden"));
        touch(base + "/national.txt");
        touch(base + "/<b>x<i>.txt");
        touch(base + "/regions/tokyo.txt");
        touch(base + "/regions/kanagawa.txt");
        touch(base + "/.secret.txt");
        // 東京 holding 東京都.txt, both named in CP932 as copied from Windows.
        QVERIFY(std::filesystem::create_directory(tokyoCp932()));
        std::ofstream(tokyoCp932() + "/\x93\x8C\x8B\x9E\x93\x73.txt") << "2020\n1\n7\n7\n";
        QVERIFY(QDir::setCurrent(base));

        window = std::make_unique<MainWindow>(&prompt);
        window->load();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        drive = control<QComboBox>(*window, "Drive1");
        dirs = control<QTreeWidget>(*window, "Dir1");
        files = control<QListWidget>(*window, "File1");
        label1 = control<QLabel>(*window, "Label1");
        command1 = control<QPushButton>(*window, "Command1");
        QVERIFY(drive && dirs && files && label1 && command1);
    }
    void cleanup()
    {
        window.reset();
        std::filesystem::remove_all(tokyoCp932());  // beyond what Qt can name
        QDir::setCurrent(QDir::tempPath());
    }

    void theListsStartInTheCurrentDirectory()
    {
        QCOMPARE(window->controls().dirPath(), base.toStdString());
        QCOMPARE(entries(*files), (QStringList{"<b>x<i>.txt", "national.txt"}));
        // The trail down to here, then the subdirectories; no dot entries.
        const QStringList shown = entries(*dirs);
        QCOMPARE(shown.mid(shown.size() - 3), (QStringList{QDir(base).dirName(), "archive", "regions"}));
        QCOMPARE(dirs->currentItem()->text(0), QDir(base).dirName());
        QCOMPARE(entry(*dirs, "regions")->parent(), dirs->currentItem());
        QCOMPARE(window->controls().caption(Label::Label1), kPrompt.toStdString());
    }

    void choosingAFileRecordsItsPathAndOffersTheDrawCommand()
    {
        const QListWidgetItem* national = files->findItems("national.txt", Qt::MatchExactly).front();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(national).center());

        QCOMPARE(label1->text(), base + "/national.txt");
        QCOMPARE(label1->palette().color(QPalette::Window), kLightYellow);
        QVERIFY(command1->isVisible());
        QCOMPARE(QApplication::focusWidget(), command1);

        // A file name that looks like markup shows literally.
        const QListWidgetItem* odd = files->findItems("<b>x<i>.txt", Qt::MatchExactly).front();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(odd).center());
        QCOMPARE(label1->text(), base + "/<b>x<i>.txt");
        QCOMPARE(label1->textFormat(), Qt::PlainText);
    }

    void movingThroughTheFilesWithTheKeyboardChoosesEachInTurn()
    {
        files->setFocus();
        QTest::keyClick(files, Qt::Key_Down);
        QCOMPARE(label1->text(), base + "/<b>x<i>.txt");
        QTest::keyClick(files, Qt::Key_Down);
        QCOMPARE(label1->text(), base + "/national.txt");
        QVERIFY(command1->isVisible());
    }

    void openingADirectoryListsItsFilesButAClickOnlyHighlights()
    {
        QTreeWidgetItem* regions = entry(*dirs, "regions");
        QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, centreOf(*dirs, regions));
        QCOMPARE(window->controls().dirPath(), base.toStdString());
        QCOMPARE(label1->text(), kPrompt);

        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, centreOf(*dirs, entry(*dirs, "regions")));
        QCOMPARE(window->controls().dirPath(), (base + "/regions").toStdString());
        QCOMPARE(label1->text(), base + "/regions");
        QCOMPARE(label1->palette().color(QPalette::Window), kLightGreen);  // no file chosen yet
        QCOMPARE(entries(*files), (QStringList{"kanagawa.txt", "tokyo.txt"}));
        QVERIFY(entry(*dirs, "kanto"));
        QVERIFY(!entry(*dirs, "archive"));  // only the current directory's subdirectories
        QVERIFY(!command1->isVisible());

        // Enter on a trail entry goes back up.
        dirs->setFocus();
        dirs->setCurrentItem(entry(*dirs, QDir(base).dirName()));
        QTest::keyClick(dirs, Qt::Key_Return);
        QCOMPARE(label1->text(), base);
        QCOMPARE(entries(*files), (QStringList{"<b>x<i>.txt", "national.txt"}));
    }

    void anotherVolumeShowsItsTextAndComingBackLandsWhereTheUserLeft()
    {
        // Visit the root on the root volume, then offer the test folder as a
        // volume of its own beside it.
        window->showVolumes({"/"});
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, centreOf(*dirs, dirs->topLevelItem(0)));
        QCOMPARE(window->controls().dirPath(), std::string("/"));
        window->showVolumes({"/", base.toStdString()});
        QCOMPARE(drive->currentText(), QString("/"));

        drive->setFocus();
        QTest::keyClick(drive, Qt::Key_Down);  // the test folder's volume, not visited yet: its root
        QCOMPARE(drive->currentText(), base);
        QCOMPARE(label1->text(), base);
        QCOMPARE(window->controls().dirPath(), base.toStdString());
        QCOMPARE(dirs->topLevelItem(0)->text(0), base);  // the trail starts at the volume's root
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, centreOf(*dirs, entry(*dirs, "regions")));

        QTest::keyClick(drive, Qt::Key_Up);
        QCOMPARE(label1->text(), QString("/"));  // the drive text, written after the directory's
        QCOMPARE(window->controls().dirPath(), std::string("/"));

        QTest::keyClick(drive, Qt::Key_Down);
        QCOMPARE(label1->text(), base);
        QCOMPARE(window->controls().dirPath(), (base + "/regions").toStdString());
        QCOMPARE(window->controls().filePath(), (base + "/regions").toStdString());
        QCOMPARE(entries(*files), (QStringList{"kanagawa.txt", "tokyo.txt"}));
        QVERIFY(!command1->isVisible());
    }

    void theChosenFileIsTheOneTheDrawCommandReads()
    {
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, centreOf(*dirs, entry(*dirs, "regions")));
        const QListWidgetItem* tokyo = files->findItems("tokyo.txt", Qt::MatchExactly).front();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(tokyo).center());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // the focused draw command
        QVERIFY(prompt.asked.empty());
        QCOMPARE(window->controls().caption(Label::Label2), std::string("1995年  人口ピラミッド "));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command3"));

        // CP932 names show decoded, and the draw reads the very file chosen.
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, centreOf(*dirs, entry(*dirs, "東京")));
        QCOMPARE(label1->text(), base + "/regions/東京");
        QCOMPARE(entries(*files), QStringList{"東京都.txt"});
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(0)).center());
        QCOMPARE(label1->text(), base + "/regions/東京/東京都.txt");
        QCOMPARE(window->controls().caption(Label::Label1),
                 base.toStdString() + "/regions/\x93\x8C\x8B\x9E/\x93\x8C\x8B\x9E\x93\x73.txt");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(prompt.asked.empty());
        QCOMPARE(window->controls().caption(Label::Label2), std::string("2020年  人口ピラミッド "));
    }

private:
    std::string tokyoCp932() const { return base.toStdString() + "/regions/\x93\x8C\x8B\x9E"; }

    const QString kPrompt = QStringLiteral("使用する地域ファイルを      選択して下さい　　           　 ↓");
    QTemporaryDir folder;
    QString base;
    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
    QComboBox* drive = nullptr;
    QTreeWidget* dirs = nullptr;
    QListWidget* files = nullptr;
    QLabel* label1 = nullptr;
    QPushButton* command1 = nullptr;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(pyramid::ui::interfaceFont());
    NavigationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "navigation_test.moc"
