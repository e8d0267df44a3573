#include "app/chart_menu.h"

#include "app/folder_actions.h"
#include "app/worksheet_actions.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardPaths>

namespace pyramid::ui {

namespace {

void showMenu(QMenu& menu, QPoint globalPos)
{
    if (!menu.isEmpty())
        menu.exec(globalPos);
}

// Asks for the menu on the keys that mean "context menu" on every desktop.
class MenuKeys : public QObject {
public:
    MenuKeys(QWidget* widget, std::function<QPoint()> where) : QObject(widget), where_(std::move(where)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (!menuKey && !shiftF10)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            key->accept();  // the key press comes here, not to the window's shortcut
            return true;
        }
        emit static_cast<QWidget*>(watched)->customContextMenuRequested(where_());
        return true;
    }

private:
    std::function<QPoint()> where_;
};

}  // namespace

void openMenuFromKeyboard(QWidget* widget, std::function<QPoint()> where)
{
    widget->installEventFilter(new MenuKeys(widget, std::move(where)));
}

void addCompareEntries(QMenu& menu, PyramidForm& form, const std::string& path, const AfterEntry& after)
{
    const struct {
        const char* caption;
        CompareBy by;
    } ways[] = {{"人数で比較", CompareBy::Persons}, {"構成比で比較", CompareBy::Shares}};
    for (const auto& way : ways) {
        QAction* entry = menu.addAction(QString::fromUtf8(way.caption));
        entry->setEnabled(form.showsChart() && !path.empty());
        QObject::connect(entry, &QAction::triggered, &menu, [&form, path, by = way.by, after] {
            form.compareWith(path, by);
            after();
        });
    }
}

void addStopComparingEntry(QMenu& menu, PyramidForm& form, const AfterEntry& after)
{
    QAction* entry = menu.addAction(QStringLiteral("比較をやめる"));
    entry->setEnabled(form.comparing());
    QObject::connect(entry, &QAction::triggered, &menu, [&form, after] {
        form.stopComparing();
        after();
    });
}

void openFileMenu(QWidget* list, QPoint globalPos, PyramidForm& form, const std::string& path,
                  const AfterEntry& after)
{
    QMenu menu(list);
    addCompareEntries(menu, form, path, after);
    showMenu(menu, globalPos);
}

void addWorksheetEntries(QMenu& menu, const WorksheetActions& worksheet)
{
    menu.addAction(worksheet.copyAction());
    menu.addAction(worksheet.printAction());
    menu.addAction(worksheet.blackGroundAction());
}

std::string chooseFileToCompare(QWidget* parent, const std::string& folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("比較するファイルを選ぶ"), QString::fromStdString(folder),
                                        QStringLiteral("データファイル・国勢調査の表 (*.txt *.csv *.xlsx);;すべてのファイル (*)"))
        .toStdString();
}

void addCompareOtherFileEntries(QMenu& menu, PyramidForm& form, const AfterEntry& after, const ChooseFile& choose)
{
    QMenu* ways = menu.addMenu(QStringLiteral("ほかのファイルと比較…"));
    ways->setEnabled(form.showsChart());
    const QString folder = QFileInfo(QString::fromStdString(form.drawnPath())).absolutePath();
    const struct {
        const char* caption;
        CompareBy by;
    } entries[] = {{"人数で比較…", CompareBy::Persons}, {"構成比で比較…", CompareBy::Shares}};
    for (const auto& entry : entries) {
        QWidget* parent = menu.parentWidget();
        QObject::connect(ways->addAction(QString::fromUtf8(entry.caption)), &QAction::triggered, &menu,
                         [&form, after, choose, parent, folder = folder.toStdString(), by = entry.by] {
                             const std::string path = choose(parent, folder);
                             if (path.empty())
                                 return;
                             form.compareWith(path, by);
                             after();
                         });
    }
}

void addSaveRegionEntry(QMenu& menu, PyramidForm& form)
{
    if (!form.showsRegion())
        return;
    QAction* entry = menu.addAction(QStringLiteral("データファイルとして保存…"));
    QObject::connect(entry, &QAction::triggered, &menu, [&form, parent = menu.parentWidget()] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString name = QString::fromStdString(form.regionFileName());
        const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("データファイルとして保存"),
                                                          QDir(folder).filePath(name),
                                                          QStringLiteral("データファイル (*.txt)"));
        if (!path.isEmpty())
            form.saveRegion(QFile::encodeName(path).toStdString());
    });
}

void popUpChartMenu(QWidget& chart, QPoint where, PyramidForm& form, const WorksheetActions& worksheet,
                    const AfterEntry& after)
{
    QMenu menu(&chart);
    menu.setAccessibleName(chart.accessibleName());
    addWorksheetEntries(menu, worksheet);
    addCompareOtherFileEntries(menu, form, after);
    addStopComparingEntry(menu, form, after);
    addFolderEntries(menu, chart);
    addSaveRegionEntry(menu, form);
    menu.exec(where);
}

}  // namespace pyramid::ui
