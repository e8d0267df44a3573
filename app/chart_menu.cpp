#include "app/chart_menu.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMenu>

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
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (!menuKey && !shiftF10)
            return false;
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
        entry->setEnabled(form.canCompare() && !path.empty());
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

void openChartMenu(QWidget* chart, QPoint globalPos, PyramidForm& form, const AfterEntry& after)
{
    QMenu menu(chart);
    addStopComparingEntry(menu, form, after);
    showMenu(menu, globalPos);
}

}  // namespace pyramid::ui
