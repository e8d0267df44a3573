#pragma once
// The chart's context menu, made afresh each time it opens from the
// entries of the features that offer something on the chart.

#include <QPoint>

class QMenu;
class QWidget;

namespace pyramid::ui {

class WorksheetActions;

// Copy and print.
void addWorksheetEntries(QMenu& menu, const WorksheetActions& worksheet);

// Opens the menu at `where` (screen coordinates) and returns when it closes.
void popUpChartMenu(QWidget& chart, QPoint where, const WorksheetActions& worksheet);

}  // namespace pyramid::ui
