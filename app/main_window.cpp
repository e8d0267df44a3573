#include "app/main_window.h"

#include "analysis/analysis_setup.h"
#include "analysis/range_report.h"
#include "app/chart_menu.h"
#include "app/chart_widget.h"
#include "app/file_drop.h"
#include "app/folder_actions.h"
#include "app/japanese_fonts.h"
#include "app/message_box_prompt.h"
#include "app/navigation_lists.h"
#include "app/region_dialog.h"
#include "app/twips.h"
#include "app/window_icon.h"
#include "app/worksheet_actions.h"
#include "data/file_system_lists.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <filesystem>

namespace pyramid::ui {

namespace {

const QString kWindowTitle = QStringLiteral("人口ピラミッド分析");
const QString kCredit = kWindowTitle;  // one name for the program, in the corner as in the title
const QString kFilePrompt =
    QStringLiteral("使用する地域ファイルを      選択して下さい　　           　 ↓");

const QString kChartName = QStringLiteral("人口ピラミッド");

const QString kBoldMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");

// The desktop theme's text colour for the inside of an input box.
Rgb windowText()
{
    const QColor c = QApplication::palette().color(QPalette::Text);
    return {std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

// The character code a typed key gives, or -1 for keys that type nothing.
int characterCode(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return kEnterKey;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return -1;  // moves the focus, types nothing
    const QList<uint> characters = key.text().toUcs4();
    return characters.isEmpty() ? -1 : int(characters.front());
}

QLabel* makeLabel(QWidget* parent, const QString& name, QRect place, Rgb background, Rgb text)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(place);
    // Captions carry file paths and typed text: show them as they are.
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    l->setAutoFillBackground(true);
    setColour(l, QPalette::Window, background);
    setColour(l, QPalette::WindowText, text);
    return l;
}

}  // namespace

MainWindow::MainWindow(ErrorPrompt* prompt)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , controls_(buildControls())
    , ownPrompt_(prompt ? nullptr : std::make_unique<MessageBoxPrompt>(this))
    , form_(controls_, prompt ? *prompt : *ownPrompt_)
{
    const FormWidgets& w = controls_.widgets();
    showVolumes(volumeRoots());
    w.directories->setPath(normalDirectoryPath("."));
    w.files->setPath(w.directories->path());
    worksheet_ = new WorksheetActions(*this, *w.picture, [this] { return form_.worksheetFigures(); });
    auto* folder = new FolderActions(*this, form_, *w.picture, [this] { describeChart(); });
    folder->setInk([this] { return worksheet_->ink(); });
    regionQuestion_ = std::make_unique<DialogRegionQuestion>(this);
    form_.setRegionQuestion(*regionQuestion_);
    worksheet_->setPaperMarks([this] { return form_.paperMarks(); });
    setAcceptDrops(true);
    wireEvents();
}

MainWindow::~MainWindow() = default;

FormWidgets MainWindow::buildControls()
{
    setWindowTitle(kWindowTitle);
    setWindowIcon(pyramidIcon());
    setFixedSize(9540 / kTwipsPerPixel, 6855 / kTwipsPerPixel);
    setFont(interfaceFont());
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, design::LightYellow);
    setColour(this, QPalette::WindowText, windowText());

    FormWidgets w;
    w.window = this;
    const Rgb text = windowText();
    using design::LightYellow;
    const auto label = [&w](Label which) -> QLabel*& { return w.labels[std::size_t(which)]; };

    // Left column: the file prompt and the three navigation lists.
    QLabel* label1 = makeLabel(this, "Label1", twips(120, 120, 2175, 750), design::LightGreen, text);
    label(Label::Label1) = label1;
    label1->setText(kFilePrompt);
    label1->setFont(designFont(kBoldMincho, 9.75, true));
    label1->setFrameStyle(QFrame::Box | QFrame::Plain);
    label1->setLineWidth(1);

    w.drive = new DriveList(this);
    w.drive->setObjectName("Drive1");
    w.drive->setGeometry(twips(120, 960, 2175, 330));
    w.drive->setFont(designFont(kMincho, 9.75));
    w.directories = new DirectoryList(this);
    w.directories->setObjectName("Dir1");
    w.directories->setGeometry(twips(120, 1440, 2175, 930));
    w.directories->setFont(designFont(kMincho, 9.75));
    w.files = new FileList(this);
    w.files->setObjectName("File1");
    w.files->setGeometry(twips(120, 2520, 2175, 810));
    w.files->setFont(designFont(kMincho, 9.75));

    const auto makeButton = [this](const char* name, QRect place, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(place);
        b->setAutoDefault(false);
        return b;
    };
    w.buttons[std::size_t(Button::Command1)] = makeButton("Command1", twips(480, 3720, 1455, 495), "作図実行");
    w.buttons[std::size_t(Button::Command3)] = makeButton("Command3", twips(480, 4440, 1455, 495), "構成比分析");
    w.buttons[std::size_t(Button::Command2)] = makeButton("Command2", twips(480, 5760, 1455, 510), "終了");

    // The range prompts with their age boxes.
    label(Label::Label8) = makeLabel(this, "Label8", twips(240, 5040, 1215, 255), LightYellow, text);
    label(Label::Label9) = makeLabel(this, "Label9", twips(240, 5400, 1215, 255), LightYellow, text);
    label(Label::Label8)->setFont(designFont(kGothic, 11.25));
    label(Label::Label9)->setFont(designFont(kGothic, 11.25));
    for (int i = 0; i < kAgeBoxCount; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1(%1)").arg(i));
        box->setGeometry(twips(1440, 5040 + 360 * i, 735, 300));
        box->setFrame(false);
        box->setFont(designFont(kGothic, 12));
        // Ages are numbers: ask the input method for digits, but refuse no
        // key ("20歳" stays typeable). Read aloud by the prompt beside it.
        box->setInputMethodHints(Qt::ImhPreferNumbers);
        const std::string_view prompt = i == 0 ? kFromAgePrompt : kToAgePrompt;
        box->setAccessibleName(QString::fromUtf8(prompt.data(), qsizetype(prompt.size())));
        setColour(box, QPalette::Base, LightYellow);
        setColour(box, QPalette::Text, text);
        w.ageBoxes[std::size_t(i)] = box;
    }

    // The chart surface and the labels that lie on it.
    ChartWidget* picture = w.picture = new ChartWidget(this);
    picture->setObjectName("Picture1");
    picture->setGeometry(twips(2520, 240, 6855, 5415));
    picture->setAccessibleName(kChartName);
    const auto onChart = [picture](const char* name, QRect place, Rgb textColour, Qt::Alignment alignment) {
        QLabel* l = makeLabel(picture, name, place.translated(picture->innerRect().topLeft()), design::Black,
                              textColour);
        l->setAlignment(alignment | Qt::AlignTop);
        return l;
    };
    label(Label::Label10) = onChart("Label10", twips(120, 240, 60, 180), design::Cyan, Qt::AlignLeft);
    label(Label::Label11) = onChart("Label11", twips(120, 600, 60, 180), design::Cyan, Qt::AlignLeft);
    label(Label::Label10)->setWordWrap(false);  // these two grow and shrink with their text
    label(Label::Label11)->setWordWrap(false);
    label(Label::Label2) = onChart("Label2", twips(1080, 5040, 4695, 255), design::Cyan, Qt::AlignHCenter);
    label(Label::Label3) = onChart("Label3", twips(240, 5040, 615, 255), design::White, Qt::AlignLeft);
    label(Label::Label4) = onChart("Label4", twips(5760, 5040, 735, 255), design::White, Qt::AlignRight);
    label(Label::Label6) = onChart("Label6", twips(3120, 4800, 615, 255), design::White, Qt::AlignHCenter);

    // Headings, results and the credit line around the chart.
    label(Label::Label7) = makeLabel(this, "Label7", twips(2520, 0, 3375, 255), LightYellow, text);
    for (int i = 0; i < kResultLineCount; ++i) {
        const int row = i % 4;
        const QRect place = i < 4 ? twips(2520, 5760 + 240 * row, i == 3 ? 3735 : 3495, 255)
                                  : twips(6120, 5760 + 240 * row, 3255, 255);
        w.results[std::size_t(i)] = makeLabel(this, QStringLiteral("Label12(%1)").arg(i), place, LightYellow, text);
    }
    label(Label::Label5) = makeLabel(this, "Label5", twips(8040, 0, 1455, 255), LightYellow, text);
    label(Label::Label5)->setText(kCredit);

    // Keyboard order; hidden controls are passed over.
    QWidget* const chain[] = {
        picture, w.button(Button::Command1), w.drive, w.directories, w.files,
        w.button(Button::Command2), w.button(Button::Command3), w.ageBoxes[0], w.ageBoxes[1],
    };
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    // Labels lie beneath the other controls where their places touch.
    for (QWidget* control : chain)
        control->raise();
    picture->setFocus();
    return w;
}

void MainWindow::wireEvents()
{
    const FormWidgets& w = controls_.widgets();
    connect(w.button(Button::Command1), &QPushButton::clicked, this, [this] {
        form_.Command1_Click();
        describeChart();
    });
    connect(w.button(Button::Command2), &QPushButton::clicked, this, [this] { form_.Command2_Click(); });
    connect(w.button(Button::Command3), &QPushButton::clicked, this, [this] {
        form_.Command3_Click();
        describeChart();
    });
    connect(w.drive, &DriveList::driveChanged, this, [this] { form_.Drive1_Change(); });
    connect(w.directories, &DirectoryList::pathChanged, this, [this] { form_.Dir1_Change(); });
    connect(w.files, &FileList::fileClicked, this, [this] { form_.File1_Click(); });
    for (QLineEdit* box : w.ageBoxes)
        box->installEventFilter(this);
    wireMenus();
}

void MainWindow::wireMenus()
{
    const FormWidgets& w = controls_.widgets();
    const AfterEntry describe = [this] { describeChart(); };
    w.files->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w.files, &QWidget::customContextMenuRequested, this, [this, files = w.files, describe](QPoint at) {
        const std::string name = files->entryNameAt(at);
        const std::string path = name.empty() ? std::string() : childPath(files->path(), name);
        openFileMenu(files, files->viewport()->mapToGlobal(at), form_, path, describe);
    });
    openMenuFromKeyboard(w.files, [files = w.files] {
        return files->visualItemRect(files->currentItem()).center();
    });
    w.picture->setTipText([this](double x, double y) { return form_.rowTip(x, y); });
    // The chart's menu from the keyboard: the Menu key reaches
    // contextMenuEvent, Shift+F10 comes here.
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { openChartMenu(QPoint()); });
}

void MainWindow::load()
{
    form_.Form_Load();
}

void MainWindow::showVolumes(const std::vector<std::string>& roots)
{
    const FormWidgets& w = controls_.widgets();
    const std::string here = w.directories->path().empty() ? normalDirectoryPath(".") : w.directories->path();
    w.drive->setVolumes(roots, volumeHolding(here, roots));
    w.directories->setVolumes(roots);
}

void MainWindow::describeChart()
{
    ChartWidget* picture = controls_.widgets().picture;
    const QString description = QString::fromStdString(form_.chartDescription());
    if (picture->accessibleDescription() != description)
        picture->setAccessibleDescription(description);
    worksheet_->setAvailable(form_.showsChart());
}

void MainWindow::openChartMenu(QPoint where)
{
    ChartWidget* picture = controls_.widgets().picture;
    // From the keyboard the menu opens over the chart's middle.
    const QPoint local = where.isNull() ? picture->rect().center() : where;
    popUpChartMenu(*picture, picture->mapToGlobal(local), form_, *worksheet_, [this] { describeChart(); });
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    // Controls without a menu of their own pass theirs up to the window.
    ChartWidget* picture = controls_.widgets().picture;
    const QPoint onChart = picture->mapFromGlobal(event->globalPos());
    if (event->reason() == QContextMenuEvent::Keyboard)
        openChartMenu(QPoint());
    else if (picture->rect().contains(onChart))
        openChartMenu(onChart);
    else
        return event->ignore();
    event->accept();
}

bool MainWindow::takeDrag(QEvent* event, QWidget* receiver)
{
    auto* drag = static_cast<QDropEvent*>(event);
    const std::optional<std::string> path = droppedPath(drag->mimeData());
    if (!path) {
        drag->ignore();
        return false;
    }
    if (event->type() != QEvent::Drop) {
        drag->acceptProposedAction();
        return true;
    }
    drag->acceptProposedAction();
    ChartWidget* picture = controls_.widgets().picture;
    const QPoint onChart = picture->mapFromGlobal(receiver->mapToGlobal(drag->position().toPoint()));
    if (form_.showsChart() && picture->rect().contains(onChart) && std::filesystem::is_regular_file(*path))
        droppedOnChart(*path);
    else
        openDropped(*path);
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) { takeDrag(event, this); }
void MainWindow::dragMoveEvent(QDragMoveEvent* event) { takeDrag(event, this); }
void MainWindow::dropEvent(QDropEvent* event) { takeDrag(event, this); }

void MainWindow::droppedOnChart(const std::string& path)
{
    form_.compareWith(path, CompareBy::Persons);
    describeChart();
}

void MainWindow::openDropped(const std::string& path)
{
    const FormWidgets& w = controls_.widgets();
    const bool folder = std::filesystem::is_directory(path);
    const std::filesystem::path dropped(path);
    const std::string directory = normalDirectoryPath(folder ? path : dropped.parent_path().string());

    // As a user would: the volume first, when it is another, then the
    // folder, then the file. Each list's own signal runs its handler.
    const std::vector<std::string> roots = w.drive->volumes();
    const std::string volume = volumeHolding(directory, roots);
    const auto found = std::find(roots.begin(), roots.end(), volume);
    if (found != roots.end() && volume != w.drive->drive())
        w.drive->setCurrentIndex(int(found - roots.begin()));
    w.directories->setPath(directory);
    if (!folder && w.files->selectFile(dropped.filename().string()))
        form_.File1_Click();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const FormWidgets& w = controls_.widgets();
    for (int i = 0; i < kAgeBoxCount; ++i) {
        if (watched != w.ageBoxes[std::size_t(i)])
            continue;
        // Ctrl+C copies the box's selected text; without a selection it
        // copies the chart, as everywhere else in the window.
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
            !w.ageBoxes[std::size_t(i)]->hasSelectedText()) {
            event->ignore();
            return true;
        }
        // A file dragged over a box opens as anywhere on the window; text
        // still drops into the box.
        const bool dragging = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                              event->type() == QEvent::Drop;
        if (dragging && droppedPath(static_cast<QDropEvent*>(event)->mimeData()))
            return takeDrag(event, w.ageBoxes[std::size_t(i)]);
        // Every typed character reaches the handler first; the box still
        // gets the key afterwards, Enter included.
        if (event->type() == QEvent::KeyPress) {
            const int code = characterCode(*static_cast<QKeyEvent*>(event));
            if (code >= 0)
                form_.Text1_KeyPress(i, code);
            if (code == kEnterKey)
                describeChart();
        } else if (event->type() == QEvent::InputMethod) {
            const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
            for (uint character : committed.toUcs4())
                form_.Text1_KeyPress(i, int(character));
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace pyramid::ui
