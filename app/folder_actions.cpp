#include "app/folder_actions.h"

#include "app/chart_widget.h"
#include "app/series_page.h"
#include "app/worksheet_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QWidget>

#include <filesystem>

namespace pyramid::ui {

namespace {
constexpr int kPlayInterval = 1000;  // ms between two steps of the playback
}

FolderActions::FolderActions(QWidget& window, PyramidForm& form, const ChartWidget& chart,
                             std::function<void()> after)
    : QObject(&window)
    , window_(window)
    , form_(form)
    , chart_(chart)
    , after_(std::move(after))
    , next_(new QAction(QStringLiteral("次のファイル"), &window))
    , previous_(new QAction(QStringLiteral("前のファイル"), &window))
    , follow_(new QAction(QStringLiteral("生まれ年で追う"), &window))
    , play_(new QAction(QStringLiteral("順に再生"), &window))
    , printSeries_(new QAction(QStringLiteral("一覧を印刷…"), &window))
    , copySeries_(new QAction(QStringLiteral("一覧をコピー"), &window))
{
    next_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    previous_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    for (QAction* action : {next_, previous_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
    follow_->setCheckable(true);
    play_->setCheckable(true);
    connect(next_, &QAction::triggered, this, [this] { step(+1); });
    connect(previous_, &QAction::triggered, this, [this] { step(-1); });
    connect(follow_, &QAction::toggled, this, [this](bool on) { form_.followGeneration(on); });
    connect(play_, &QAction::triggered, this, [this](bool on) { play(on); });
    connect(printSeries_, &QAction::triggered, this, &FolderActions::printSeries);
    connect(copySeries_, &QAction::triggered, this, &FolderActions::copySeries);
    timer_.setInterval(kPlayInterval);
    connect(&timer_, &QTimer::timeout, this, &FolderActions::tick);
}

void FolderActions::step(int direction)
{
    form_.stepFile(direction);
    after_();
}

void FolderActions::play(bool on)
{
    on = on && form_.canStepFile(+1);
    if (on && !playing_)
        qApp->installEventFilter(this);
    else if (!on && playing_)
        qApp->removeEventFilter(this);
    playing_ = on;
    if (on)
        timer_.start();
    else
        timer_.stop();
    play_->setChecked(on);
}

void FolderActions::tick()
{
    // A dialog over the window (a prompt, the print dialog) stops the play.
    if (QApplication::activeModalWidget() != nullptr)
        return play(false);
    timer_.stop();
    const long prompts = form_.promptsShown();
    step(+1);
    play(playing_ && form_.promptsShown() == prompts && form_.canStepFile(+1));
}

bool FolderActions::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!playing_ || widget == nullptr || widget->window() != &window_)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        play(false);  // the click still does what it does
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Escape) {
            play(false);
            return true;  // only stops: no button is pressed by it
        }
    }
    return false;
}

void FolderActions::printSeries()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printThroughDialog(window_, printer, [this](QPrinter& to) { return printSeriesTo(to); });
}

bool FolderActions::printSeriesTo(QPrinter& printer)
{
    const PyramidForm::Series series = form_.folderSeries(kSeriesPageFiles);
    return !series.files.empty() && printSeriesPage(printer, series, chart_, window_.font(), ink_());
}

void FolderActions::copySeries()
{
    const PyramidForm::Series series = form_.folderSeries(kSeriesPageFiles);
    if (series.files.empty())
        return;
    auto item = std::make_unique<QMimeData>();
    item->setImageData(seriesPicture(series, chart_, window_.font(), ink_()));
    QApplication::clipboard()->setMimeData(item.release());
}

void addFolderEntries(QMenu& menu, QWidget& chart)
{
    auto* actions = chart.window()->findChild<FolderActions*>(QString(), Qt::FindDirectChildrenOnly);
    if (actions == nullptr)
        return;
    menu.addSeparator();
    // At either end of the list the entry is greyed; its shortcut comes back
    // with the menu gone, for the list may meanwhile show another folder.
    for (int direction : {+1, -1}) {
        QAction* entry = direction > 0 ? actions->nextAction() : actions->previousAction();
        entry->setEnabled(actions->canStep(direction));
        menu.addAction(entry);
        QObject::connect(&menu, &QMenu::aboutToHide, entry, [entry] { entry->setEnabled(true); });
    }
    menu.addAction(actions->followAction());
    actions->playAction()->setEnabled(actions->playing() || actions->canStep(+1));
    menu.addAction(actions->playAction());
    const bool series = actions->hasSeries();
    for (QAction* entry : {actions->printSeriesAction(), actions->copySeriesAction()}) {
        entry->setEnabled(series);
        menu.addAction(entry);
    }
}

}  // namespace pyramid::ui
