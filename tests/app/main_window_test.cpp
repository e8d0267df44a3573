// The started window against its design: places, texts, fonts, colours,
// visibility, keyboard order; plus the age boxes' key wiring and a
// screenshot of the window as a person first sees it.

#include "app/chart_widget.h"
#include "app/japanese_fonts.h"
#include "app/main_window.h"
#include "app/window_icon.h"
#include "support/scripted_prompt.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

using namespace pyramid;
using namespace pyramid::testing;
using pyramid::ui::MainWindow;

namespace {
const QString kFilePrompt = QStringLiteral("使用する地域ファイルを      選択して下さい　　           　 ↓");
}

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Started in the sample folder, as the run command starts the program.
    void initTestCase() { QVERIFY(QDir::setCurrent(PYRAMID_SAMPLES_DIR)); }

    void init()
    {
        prompt = ScriptedPrompt();
        window = startedWindow(&prompt);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() { window.reset(); }

    void theWindowIsTheFixedDesignedFormInTheScreenCorner()
    {
        QCOMPARE(window->size(), QSize(636, 457));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(window->findChildren<QMenuBar*>().isEmpty());
        QVERIFY(window->findChildren<QToolBar*>().isEmpty());
        QVERIFY(window->findChildren<QStatusBar*>().isEmpty());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window->windowTitle().isEmpty());
        QCOMPARE(window->frameGeometry().topLeft(), window->screen()->availableGeometry().topLeft());

        QImage form = window->grab().toImage();
        QCOMPARE(form.pixelColor(4, 440), kLightYellow);  // bare form below the left column
        QCOMPARE(window->palette().color(QPalette::WindowText), systemWindowText());
    }

    void theIconIsA32PixelPictureInTheSixteenPaletteColours()
    {
        const QImage icon = ui::pyramidIconImage().convertToFormat(QImage::Format_ARGB32);
        if (icon.isNull())
            QSKIP("built without rsvg-convert: no window icon");
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> palette;
        for (int n = 0; n < 16; ++n) {
            const Rgb c = paletteColour(n);
            palette.insert(qRgb(c.red, c.green, c.blue));
        }
        QSet<QRgb> used;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                QVERIFY2(qAlpha(pixel) == 0 || palette.contains(pixel),
                         qPrintable(QStringLiteral("(%1, %2) is #%3").arg(x).arg(y).arg(pixel, 8, 16)));
                used.insert(qAlpha(pixel) == 0 ? 0 : pixel);
            }
        QVERIFY(used.size() >= 4 && used.size() <= 16);  // a picture in at most 16 colours
        QVERIFY(!window->windowIcon().isNull());
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR);
        QVERIFY(icon.scaled(128, 128).save(PYRAMID_SCREENSHOT_DIR "/window-icon.png"));
    }

    void everyControlHasItsDesignedPlaceTextAndColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("foreground");

        const QColor black(Qt::black), white(Qt::white), text = systemWindowText();
        const auto row = [](const char* name, QRect place, const QString& caption, QColor bg, QColor fg) {
            QTest::newRow(name) << QString::fromLatin1(name) << place << caption << bg << fg;
        };
        row("Label1", fromTwips(120, 120, 2175, 750), kFilePrompt, kLightGreen, text);
        row("Label7", fromTwips(2520, 0, 3375, 255), "", kLightYellow, text);
        row("Label8", fromTwips(240, 5040, 1215, 255), "", kLightYellow, text);
        row("Label9", fromTwips(240, 5400, 1215, 255), "", kLightYellow, text);
        row("Label12(0)", fromTwips(2520, 5760, 3495, 255), "", kLightYellow, text);
        row("Label12(1)", fromTwips(2520, 6000, 3495, 255), "", kLightYellow, text);
        row("Label12(2)", fromTwips(2520, 6240, 3495, 255), "", kLightYellow, text);
        row("Label12(3)", fromTwips(2520, 6480, 3735, 255), "", kLightYellow, text);
        row("Label12(4)", fromTwips(6120, 5760, 3255, 255), "", kLightYellow, text);
        row("Label12(5)", fromTwips(6120, 6000, 3255, 255), "", kLightYellow, text);
        row("Label12(6)", fromTwips(6120, 6240, 3255, 255), "", kLightYellow, text);
        row("Label12(7)", fromTwips(6120, 6480, 3255, 255), "", kLightYellow, text);
        // Inside the chart, relative to the inner area one border pixel in.
        const auto inner = [](QRect r) { return r.translated(1, 1); };
        row("Label10", inner(fromTwips(120, 240, 60, 180)), "", black, kCyan);
        row("Label11", inner(fromTwips(120, 600, 60, 180)), "", black, kCyan);
        row("Label2", inner(fromTwips(1080, 5040, 4695, 255)), "", black, kCyan);
        row("Label3", inner(fromTwips(240, 5040, 615, 255)), "", black, white);
        row("Label4", inner(fromTwips(5760, 5040, 735, 255)), "", black, white);
        row("Label6", inner(fromTwips(3120, 4800, 615, 255)), "", black, white);
    }
    void everyControlHasItsDesignedPlaceTextAndColours()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QFETCH(QColor, background);
        QFETCH(QColor, foreground);

        auto* label = control<QLabel>(*window, name);
        QVERIFY(label);
        QCOMPARE(label->geometry(), place);
        QCOMPARE(label->text(), text);
        QVERIFY(label->isVisible());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->palette().color(QPalette::WindowText), foreground);
        // What is painted, not just what is set: a corner inside any border.
        QCOMPARE(label->grab().toImage().pixelColor(label->width() - 2, label->height() - 2), background);

        const bool onChart = name == "Label10" || name == "Label11" || name == "Label2" || name == "Label3" ||
                             name == "Label4" || name == "Label6";
        QCOMPARE(label->parentWidget()->objectName(), onChart ? QString("Picture1") : QString());
        // The design names are for code; a screen reader reads the caption.
        QVERIFY(label->accessibleName() != name);
    }

    void otherControlsHaveTheirDesignedPlaces()
    {
        const struct {
            const char* name;
            QRect place;
            bool visible;
        } design[] = {
            {"Drive1", fromTwips(120, 960, 2175, 330), true},
            {"Dir1", fromTwips(120, 1440, 2175, 930), true},
            {"File1", fromTwips(120, 2520, 2175, 810), true},
            {"Command1", fromTwips(480, 3720, 1455, 495), false},
            {"Command3", fromTwips(480, 4440, 1455, 495), false},
            {"Command2", fromTwips(480, 5760, 1455, 510), true},
            {"Picture1", fromTwips(2520, 240, 6855, 5415), true},
            {"Text1(0)", fromTwips(1440, 5040, 735, 300), true},
            {"Text1(1)", fromTwips(1440, 5400, 735, 300), true},
        };
        for (const auto& d : design) {
            QWidget* w = control(*window, d.name);
            QVERIFY2(w, d.name);
            QCOMPARE(w->geometry(), d.place);
            QVERIFY2(w->isVisibleTo(window.get()) == d.visible, d.name);
        }
        QCOMPARE(control<QPushButton>(*window, "Command1")->text(), QString("作図実行"));
        QCOMPARE(control<QPushButton>(*window, "Command3")->text(), QString("構成比分析"));
        QCOMPARE(control<QPushButton>(*window, "Command2")->text(), QString("終了"));

        auto* picture = control<ui::ChartWidget>(*window, "Picture1");
        QCOMPARE(picture->innerRect(), QRect(1, 1, 455, 359));
        QImage chart = picture->grab().toImage();
        QCOMPARE(chart.pixelColor(200, 100), QColor(Qt::black));

        for (const char* name : {"Text1(0)", "Text1(1)"}) {
            auto* box = control<QLineEdit>(*window, name);
            QVERIFY(!box->hasFrame());
            QVERIFY(box->text().isEmpty());
            QCOMPARE(box->palette().color(QPalette::Base), kLightYellow);
            QCOMPARE(box->palette().color(QPalette::Text), systemWindowText());
        }
        QVERIFY(!control<QComboBox>(*window, "Drive1")->currentText().isEmpty());
    }

    void fontsAreTheIpaFamiliesAtTheDesignedSizes()
    {
        const struct {
            const char* name;
            const char* family;
            int pixels;
            bool bold;
        } design[] = {
            {"Label1", "IPAPMincho", 13, true},   // ＭＳ Ｐ明朝 9.75 pt bold
            {"Drive1", "IPAMincho", 13, false},   // ＭＳ 明朝 9.75 pt
            {"Dir1", "IPAMincho", 13, false},
            {"File1", "IPAMincho", 13, false},
            {"Label8", "IPAPGothic", 15, false},  // ＭＳ Ｐゴシック 11.25 pt
            {"Label9", "IPAPGothic", 15, false},
            {"Text1(0)", "IPAPGothic", 16, false},  // ＭＳ Ｐゴシック 12 pt
            {"Text1(1)", "IPAPGothic", 16, false},
            {"Command1", "IPAPGothic", 12, false},  // no font of its own: 9 pt UI font
            {"Label5", "IPAPGothic", 12, false},
            {"Label12(3)", "IPAPGothic", 12, false},
            {"Label2", "IPAPGothic", 12, false},
        };
        for (const auto& d : design) {
            QWidget* w = control(*window, d.name);
            QVERIFY2(w, d.name);
            const QFontInfo used(w->font());
            QVERIFY2(used.family() == d.family, qPrintable(QString("%1 uses %2").arg(d.name, used.family())));
            QCOMPARE(used.pixelSize(), d.pixels);
            QCOMPARE(w->font().bold(), d.bold);
        }
    }

    void labelsAlignAndWrapAsDesigned()
    {
        QCOMPARE(control<QLabel>(*window, "Label2")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(control<QLabel>(*window, "Label6")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(control<QLabel>(*window, "Label4")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(control<QLabel>(*window, "Label3")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

        auto* label1 = control<QLabel>(*window, "Label1");
        QCOMPARE(label1->frameShape(), QFrame::Box);
        QCOMPARE(label1->frameWidth(), 1);
        QVERIFY(label1->wordWrap());
        // The prompt wraps within the label: its text would be far wider on one line.
        QVERIFY(QFontMetrics(label1->font()).horizontalAdvance(kFilePrompt) > label1->width());
        QVERIFY(label1->heightForWidth(label1->width()) > QFontMetrics(label1->font()).height() * 2);
        // The corner names the program as the title does, whole within its 97 pixels.
        auto* credit = control<QLabel>(*window, "Label5");
        QVERIFY(credit->text() == window->windowTitle() &&
                QFontMetrics(credit->font()).horizontalAdvance(credit->text()) <= credit->width());

        // A long result keeps the label's size; only Label10 and Label11 fit their text.
        window->controls().setResultCaption(0, "総人口比=0.333333333333333 総人口比=0.333333333333333 総人口比=0.3");
        QCOMPARE(control<QLabel>(*window, "Label12(0)")->size(), fromTwips(0, 0, 3495, 255).size());
        auto* label10 = control<QLabel>(*window, "Label10");
        window->controls().setCaption(Label::Label10, "20歳(1975)から");
        const QSize grown = label10->size();
        QVERIFY(grown.width() > 60 / 15 * 10);
        QCOMPARE(grown, label10->sizeHint());
        QCOMPARE(label10->pos(), QPoint(1 + 120 / 15, 1 + 240 / 15));
        window->controls().setCaption(Label::Label10, "5歳(1990)から");
        QVERIFY(label10->width() < grown.width());
        QCOMPARE(label10->size(), label10->sizeHint());
    }

    void captionsShowAsPlainText()
    {
        // Captions carry file names and typed text, never markup.
        window->controls().setCaption(Label::Label1, "/tmp/<b>x<i>.txt");
        QCOMPARE(window->controls().caption(Label::Label1), std::string("/tmp/<b>x<i>.txt"));
        QCOMPARE(control<QLabel>(*window, "Label1")->text(), QString("/tmp/<b>x<i>.txt"));
        // The recorded path keeps its bytes, also those that are not UTF-8.
        window->controls().setCaption(Label::Label1, "/tmp/\x93\x8C.txt");
        QCOMPARE(window->controls().caption(Label::Label1), std::string("/tmp/\x93\x8C.txt"));
        const auto labels = window->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 19);
        for (const QLabel* label : labels)
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    }

    void tabMovesAmongTheVisibleFocusableControlsInDesignOrder()
    {
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Picture1"));
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"Drive1", "Dir1", "File1", "Command2", "Text1(0)", "Text1(1)", "Picture1"}));

        // Once shown, the two commands take their places in the order.
        window->controls().setVisible(Button::Command1, true);
        window->controls().setVisible(Button::Command3, true);
        visited.clear();
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"Command1", "Drive1", "Dir1", "File1", "Command2", "Command3", "Text1(0)",
                                       "Text1(1)", "Picture1"}));
    }

    void typedKeysReachTheHandlerAndTheBox()
    {
        auto* from = control<QLineEdit>(*window, "Text1(0)");
        auto* to = control<QLineEdit>(*window, "Text1(1)");
        from->setFocus();
        QTest::keyClicks(from, "20");
        QCOMPARE(window->controls().caption(Label::Label9), std::string());  // only Enter acts
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(window->controls().caption(Label::Label9), std::string("何歳まで＝"));
        QCOMPARE(QApplication::focusWidget(), to);
        QCOMPARE(from->text(), QString("20"));

        // Keypad Enter is Enter too; with nothing loaded the report fails
        // at its sums and asks the prompt, after writing the range lines.
        QTest::keyClicks(to, "40");
        QTest::keyClick(to, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(to->text(), QString("40"));
        QCOMPARE(prompt.asked.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(prompt.asked[0].title), QString("ＶＥＬＫエラー処理システム"));
        QCOMPARE(window->controls().caption(Label::Label10), std::string("20歳(20)から"));
    }

    void screenshotOfTheStartedWindow()
    {
        QDir().mkpath(PYRAMID_SCREENSHOT_DIR);
        const QPixmap shot = window->grab();
        QCOMPARE(shot.deviceIndependentSize().toSize(), QSize(636, 457));
        QVERIFY(shot.save(PYRAMID_SCREENSHOT_DIR "/main-window.png"));
    }

private:
    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(pyramid::ui::interfaceFont());
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
