#include "app/main_window.h"

#include "app/chart_widget.h"
#include "app/japanese_fonts.h"
#include "app/message_box_prompt.h"
#include "app/navigation_lists.h"
#include "app/window_icon.h"
#include "data/file_system_lists.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace pyramid::ui {

namespace {

const QString kWindowTitle = QStringLiteral("人口ピラミッド分析");
const QString kCredit = QStringLiteral("人口構成分析 1.0");
const QString kFilePrompt =
    QStringLiteral("使用する地域ファイルを      選択して下さい　　           　 ↓");

const QString kBoldMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");

QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

QColor qColour(Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

// The desktop theme's text colour for the inside of an input box.
Rgb windowText()
{
    const QColor c = QApplication::palette().color(QPalette::Text);
    return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void colour(QWidget* widget, QPalette::ColorRole role, Rgb rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(role, qColour(rgb));
    widget->setPalette(palette);
}

// The character code a typed key gives, or -1 for keys that type nothing.
int characterCode(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return 13;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return -1;  // moves the focus, types nothing
    const QList<uint> characters = key.text().toUcs4();
    return characters.isEmpty() ? -1 : int(characters.front());
}

}  // namespace

MainWindow::MainWindow(ErrorPrompt* prompt)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , ownPrompt_(prompt ? nullptr : std::make_unique<MessageBoxPrompt>(this))
    , form_(*this, prompt ? *prompt : *ownPrompt_)
{
    buildControls();
    wireEvents();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    setWindowTitle(kWindowTitle);
    setWindowIcon(pyramidIcon());
    setFixedSize(9540 / kTwipsPerPixel, 6855 / kTwipsPerPixel);
    setFont(interfaceFont());
    setAutoFillBackground(true);
    colour(this, QPalette::Window, design::LightYellow);
    colour(this, QPalette::WindowText, windowText());

    const Rgb text = windowText();
    using design::LightYellow;

    // Left column: the file prompt and the three navigation lists.
    QLabel* label1 = makeLabel(this, "Label1", twips(120, 120, 2175, 750), design::LightGreen, text);
    label1->setText(kFilePrompt);
    label1->setFont(designFont(kBoldMincho, 9.75, true));
    label1->setFrameStyle(QFrame::Box | QFrame::Plain);
    label1->setLineWidth(1);
    labels_[std::size_t(Label::Label1)] = label1;

    drive_ = new DriveList(this);
    drive_->setObjectName("Drive1");
    drive_->setGeometry(twips(120, 960, 2175, 330));
    drive_->setFont(designFont(kMincho, 9.75));
    directories_ = new DirectoryList(this);
    directories_->setObjectName("Dir1");
    directories_->setGeometry(twips(120, 1440, 2175, 930));
    directories_->setFont(designFont(kMincho, 9.75));
    files_ = new FileList(this);
    files_->setObjectName("File1");
    files_->setGeometry(twips(120, 2520, 2175, 810));
    files_->setFont(designFont(kMincho, 9.75));

    const auto makeButton = [this](const char* name, QRect place, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(place);
        b->setAutoDefault(false);
        return b;
    };
    buttons_[std::size_t(Button::Command1)] = makeButton("Command1", twips(480, 3720, 1455, 495), "作図実行");
    buttons_[std::size_t(Button::Command3)] = makeButton("Command3", twips(480, 4440, 1455, 495), "構成比分析");
    buttons_[std::size_t(Button::Command2)] = makeButton("Command2", twips(480, 5760, 1455, 510), "終了");

    // The range prompts with their age boxes.
    labels_[std::size_t(Label::Label8)] = makeLabel(this, "Label8", twips(240, 5040, 1215, 255), LightYellow, text);
    labels_[std::size_t(Label::Label9)] = makeLabel(this, "Label9", twips(240, 5400, 1215, 255), LightYellow, text);
    label(Label::Label8)->setFont(designFont(kGothic, 11.25));
    label(Label::Label9)->setFont(designFont(kGothic, 11.25));
    for (int i = 0; i < kAgeBoxCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1(%1)").arg(i));
        box->setGeometry(twips(1440, 5040 + 360 * i, 735, 300));
        box->setFrame(false);
        box->setFont(designFont(kGothic, 12));
        colour(box, QPalette::Base, LightYellow);
        colour(box, QPalette::Text, text);
        ageBoxes_[std::size_t(i)] = box;
    }

    // The chart surface and the labels that lie on it.
    picture_ = new ChartWidget(this);
    picture_->setObjectName("Picture1");
    picture_->setGeometry(twips(2520, 240, 6855, 5415));
    const auto onChart = [this](const char* name, QRect place, Rgb textColour, Qt::Alignment alignment) {
        QLabel* l = makeLabel(picture_, name, place.translated(picture_->innerRect().topLeft()), design::Black,
                              textColour);
        l->setAlignment(alignment | Qt::AlignTop);
        return l;
    };
    labels_[std::size_t(Label::Label10)] = onChart("Label10", twips(120, 240, 60, 180), design::Cyan, Qt::AlignLeft);
    labels_[std::size_t(Label::Label11)] = onChart("Label11", twips(120, 600, 60, 180), design::Cyan, Qt::AlignLeft);
    label(Label::Label10)->setWordWrap(false);  // these two grow and shrink with their text
    label(Label::Label11)->setWordWrap(false);
    labels_[std::size_t(Label::Label2)] =
        onChart("Label2", twips(1080, 5040, 4695, 255), design::Cyan, Qt::AlignHCenter);
    labels_[std::size_t(Label::Label3)] = onChart("Label3", twips(240, 5040, 615, 255), design::White, Qt::AlignLeft);
    labels_[std::size_t(Label::Label4)] =
        onChart("Label4", twips(5760, 5040, 735, 255), design::White, Qt::AlignRight);
    labels_[std::size_t(Label::Label6)] =
        onChart("Label6", twips(3120, 4800, 615, 255), design::White, Qt::AlignHCenter);

    // Headings, results and the credit line around the chart.
    labels_[std::size_t(Label::Label7)] = makeLabel(this, "Label7", twips(2520, 0, 3375, 255), LightYellow, text);
    for (int i = 0; i < kResultLineCount; ++i) {
        const int row = i % 4;
        const QRect place = i < 4 ? twips(2520, 5760 + 240 * row, i == 3 ? 3735 : 3495, 255)
                                  : twips(6120, 5760 + 240 * row, 3255, 255);
        results_[std::size_t(i)] = makeLabel(this, QStringLiteral("Label12(%1)").arg(i), place, LightYellow, text);
    }
    labels_[std::size_t(Label::Label5)] = makeLabel(this, "Label5", twips(8040, 0, 1455, 255), LightYellow, text);
    label(Label::Label5)->setText(kCredit);

    // Keyboard order; hidden controls are passed over.
    QWidget* const chain[] = {
        picture_, button(Button::Command1), drive_, directories_, files_,
        button(Button::Command2), button(Button::Command3), ageBoxes_[0], ageBoxes_[1],
    };
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    // Labels lie beneath the other controls where their places touch.
    for (QWidget* control : chain)
        control->raise();
    picture_->setFocus();

    showVolumes(volumeRoots());
    directories_->setPath(normalDirectoryPath("."));
    files_->setPath(directories_->path());
}

QLabel* MainWindow::makeLabel(QWidget* parent, const QString& name, QRect place, Rgb background, Rgb text)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(place);
    // Captions carry file paths and typed text: show them as they are.
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    l->setAutoFillBackground(true);
    colour(l, QPalette::Window, background);
    colour(l, QPalette::WindowText, text);
    return l;
}

void MainWindow::wireEvents()
{
    connect(button(Button::Command1), &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
    connect(button(Button::Command2), &QPushButton::clicked, this, [this] { form_.Command2_Click(); });
    connect(button(Button::Command3), &QPushButton::clicked, this, [this] { form_.Command3_Click(); });
    connect(drive_, &DriveList::driveChanged, this, [this] { form_.Drive1_Change(); });
    connect(directories_, &DirectoryList::pathChanged, this, [this] { form_.Dir1_Change(); });
    connect(files_, &FileList::fileClicked, this, [this] { form_.File1_Click(); });
    for (QLineEdit* box : ageBoxes_)
        box->installEventFilter(this);
}

void MainWindow::load()
{
    form_.Form_Load();
}

void MainWindow::showVolumes(const std::vector<std::string>& roots)
{
    const std::string here = directories_->path().empty() ? normalDirectoryPath(".") : directories_->path();
    drive_->setVolumes(roots, volumeHolding(here, roots));
    directories_->setVolumes(roots);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < kAgeBoxCount; ++i) {
        if (watched != ageBoxes_[std::size_t(i)])
            continue;
        // Every typed character reaches the handler first; the box still
        // gets the key afterwards, Enter included.
        if (event->type() == QEvent::KeyPress) {
            const int code = characterCode(*static_cast<QKeyEvent*>(event));
            if (code >= 0)
                form_.Text1_KeyPress(i, code);
        } else if (event->type() == QEvent::InputMethod) {
            const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
            for (uint character : committed.toUcs4())
                form_.Text1_KeyPress(i, int(character));
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- FormControls ----

std::string MainWindow::caption(Label which) const
{
    return label(which)->text().toStdString();
}

void MainWindow::setCaption(Label which, std::string_view text)
{
    QLabel* l = label(which);
    l->setText(fromUtf8(text));
    if (which == Label::Label10 || which == Label::Label11)
        l->adjustSize();
}

void MainWindow::setBackground(Label which, Rgb background)
{
    colour(label(which), QPalette::Window, background);
}

std::string MainWindow::resultCaption(int index) const
{
    return results_.at(std::size_t(index))->text().toStdString();
}

void MainWindow::setResultCaption(int index, std::string_view text)
{
    results_.at(std::size_t(index))->setText(fromUtf8(text));
}

void MainWindow::setVisible(Button button, bool visible)
{
    this->button(button)->setVisible(visible);
}

void MainWindow::setFocus(Button button)
{
    this->button(button)->setFocus(Qt::OtherFocusReason);
}

std::string MainWindow::ageText(int index) const
{
    return ageBoxes_.at(std::size_t(index))->text().toStdString();
}

void MainWindow::setAgeText(int index, std::string_view text)
{
    ageBoxes_.at(std::size_t(index))->setText(fromUtf8(text));
}

void MainWindow::focusAgeBox(int index)
{
    ageBoxes_.at(std::size_t(index))->setFocus(Qt::OtherFocusReason);
}

ChartSurface& MainWindow::chart()
{
    return *picture_;
}

void MainWindow::placeWindow(int leftTwips, int topTwips)
{
    // Before the first show a window's position is that of its frame, so
    // the outer corner lands on the corner of the desktop's usable area.
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QPoint corner = where ? where->availableGeometry().topLeft() : QPoint();
    move(corner + QPoint(qRound(double(leftTwips) / kTwipsPerPixel), qRound(double(topTwips) / kTwipsPerPixel)));
}

void MainWindow::endProgram()
{
    close();
    QCoreApplication::quit();
}

std::string MainWindow::driveText() const
{
    return drive_->drive();
}

std::string MainWindow::dirPath() const
{
    return directories_->path();
}

void MainWindow::setDirPath(const std::string& path)
{
    directories_->setPath(path);
}

std::string MainWindow::filePath() const
{
    return files_->path();
}

void MainWindow::setFilePath(const std::string& path)
{
    files_->setPath(path);
}

std::string MainWindow::fileName() const
{
    return files_->fileName();
}

}  // namespace pyramid::ui
