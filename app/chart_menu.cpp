#include "app/chart_menu.h"

#include <QMenu>

namespace pyramid::ui {

namespace {

void showMenu(QMenu& menu, QPoint globalPos)
{
    if (!menu.isEmpty())
        menu.exec(globalPos);
}

}  // namespace

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
