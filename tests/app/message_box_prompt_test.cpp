// The real error prompt: a modal warning box, answered here by a timer.

#include "app/japanese_locale.h"
#include "app/message_box_prompt.h"
#include "core/error_prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace pyramid;
using pyramid::ui::MessageBoxPrompt;

namespace {

const std::string kMessage = errorPromptMessage("ファイルが見つかりません。ファイル: /tmp/<b>.txt");

// Runs `look` on the message box once it is up, then lets `answer` close it.
bool askWhileWatching(std::function<void(QMessageBox&)> look, std::function<void(QMessageBox&)> answer,
                      const std::string& message = kMessage)
{
    bool seen = false;
    std::function<void()> watch = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, watch);
            return;
        }
        seen = true;
        look(*box);
        answer(*box);
    };
    QTimer::singleShot(0, watch);
    MessageBoxPrompt prompt(nullptr);
    const bool yes = prompt.askToContinue(kErrorPromptTitle, message);
    return seen && yes;
}

void nothing(QMessageBox&) {}

}  // namespace

class MessageBoxPromptTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ui::useJapanese(*qApp)); }

    void showsTitleMessageIconAndJapaneseYesNoWithYesAsDefault()
    {
        QString title, text;
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons;
        QString yesText, noText;
        bool yesIsDefault = false;
        Qt::TextFormat format{};
        bool modal = false;
        askWhileWatching(
            [&](QMessageBox& box) {
                title = box.windowTitle();
                text = box.text();
                icon = box.icon();
                buttons = box.standardButtons();
                yesText = box.button(QMessageBox::Yes)->text();
                noText = box.button(QMessageBox::No)->text();
                yesIsDefault = box.defaultButton() && box.defaultButton() == box.button(QMessageBox::Yes);
                format = box.textFormat();
                modal = box.isModal();
            },
            [](QMessageBox& box) { box.button(QMessageBox::No)->click(); });

        QCOMPARE(title, QString("ＶＥＬＫエラー処理システム"));
        QCOMPARE(text, QString("ファイルが見つかりません。ファイル: /tmp/<b>.txt\n\n対処し継続しますか？"));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(yesText.contains("はい"), qPrintable(yesText));
        QVERIFY2(noText.contains("いいえ"), qPrintable(noText));
        QVERIFY(yesIsDefault);
        QVERIFY(modal);
    }

    void theAnswerIsYesOnlyForYes_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes clicked") << 0 << true;
        QTest::newRow("Enter takes the default") << 1 << true;
        QTest::newRow("No clicked") << 2 << false;
        QTest::newRow("Escape") << 3 << false;
        QTest::newRow("close box") << 4 << false;
    }
    void theAnswerIsYesOnlyForYes()
    {
        QFETCH(int, how);
        QFETCH(bool, yes);
        const bool answer = askWhileWatching(nothing, [how](QMessageBox& box) {
            switch (how) {
            case 0: box.button(QMessageBox::Yes)->click(); break;
            case 1: QTest::keyClick(&box, Qt::Key_Return); break;
            case 2: box.button(QMessageBox::No)->click(); break;
            case 3: QTest::keyClick(&box, Qt::Key_Escape); break;
            case 4: box.close(); break;
            }
        });
        QCOMPARE(answer, yes);
    }

    void theTitleHasRoomBesideTheFrameButtonsEvenForAShortMessage()
    {
        int width = 0;
        QFont font;
        askWhileWatching(
            [&](QMessageBox& box) {
                width = box.width();
                font = box.font();
            },
            [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }, errorPromptMessage("0 で除算しました。"));
        // A frame's bold title a quarter larger, with its icon and three buttons.
        font.setBold(true);
        if (font.pixelSize() > 0)
            font.setPixelSize(font.pixelSize() * 5 / 4);
        else
            font.setPointSizeF(font.pointSizeF() * 1.25);
        const QFontMetrics metrics(font);
        QVERIFY2(width >= metrics.horizontalAdvance(QString::fromUtf8(kErrorPromptTitle.data())) + 4 * 24,
                 qPrintable(QString::number(width)));
    }

    void lineBreaksOfAnyKindShowAsLineBreaks()
    {
        QCOMPARE(ui::promptText("a\r\n\r\nb"), QString("a\n\nb"));
        QCOMPARE(ui::promptText("a\rb\nc"), QString("a\nb\nc"));
    }
};

QTEST_MAIN(MessageBoxPromptTest)
#include "message_box_prompt_test.moc"
