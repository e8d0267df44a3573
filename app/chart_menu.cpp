#include "app/chart_menu.h"

#include "app/worksheet_actions.h"

#include <QAction>
#include <QMenu>

namespace pyramid::ui {

void addWorksheetEntries(QMenu& menu, const WorksheetActions& worksheet)
{
    menu.addAction(worksheet.copyAction());
    menu.addAction(worksheet.printAction());
}

void popUpChartMenu(QWidget& chart, QPoint where, const WorksheetActions& worksheet)
{
    QMenu menu(&chart);
    menu.setAccessibleName(chart.accessibleName());
    addWorksheetEntries(menu, worksheet);
    menu.exec(where);
}

}  // namespace pyramid::ui
