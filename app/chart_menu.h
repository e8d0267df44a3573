#pragma once
// The context menus of the file list and of the chart. Each menu is opened
// from here, and each feature adds its own entries through a function of its
// own, so the entries of one feature never tangle with another's.

#include "app/pyramid_form.h"

#include <QPoint>

#include <functional>
#include <string>

class QMenu;
class QWidget;

namespace pyramid::ui {

class WorksheetActions;

// What the window does after an entry has run (the chart's description anew).
using AfterEntry = std::function<void()>;

// File1's menu on the file at `path`: compare it with the drawn pyramid.
void openFileMenu(QWidget* list, QPoint globalPos, PyramidForm& form, const std::string& path,
                  const AfterEntry& after);
// The chart's menu at `where` (screen coordinates): copy and print, then
// the end of a comparison. Returns when it closes.
void popUpChartMenu(QWidget& chart, QPoint where, PyramidForm& form, const WorksheetActions& worksheet,
                    const AfterEntry& after);

// The Menu key and Shift+F10 on `widget` open its own context menu at the
// point `where` gives, in the coordinates its menu request takes, before
// the window's Shift+F10 can take the key for the chart.
void openMenuFromKeyboard(QWidget* widget, std::function<QPoint()> where);

// The entries of comparing: the two ways for a file, disabled before a draw.
void addCompareEntries(QMenu& menu, PyramidForm& form, const std::string& path, const AfterEntry& after);
// 「比較をやめる」, enabled while comparing.
void addStopComparingEntry(QMenu& menu, PyramidForm& form, const AfterEntry& after);
// 「データファイルとして保存…」, offered while a region of a census table is drawn.
void addSaveRegionEntry(QMenu& menu, PyramidForm& form);
// Copy and print, and 「黒地で印刷・コピー」.
void addWorksheetEntries(QMenu& menu, const WorksheetActions& worksheet);

// The file a comparison is to lay over the chart, asked in a dialog that
// opens in `folder`; empty when none is chosen.
using ChooseFile = std::function<std::string(QWidget* parent, const std::string& folder)>;
std::string chooseFileToCompare(QWidget* parent, const std::string& folder);
// 「ほかのファイルと比較…」: a submenu of the two ways, each asking for a
// file in the drawn file's folder; the lists and Label1 stay as they are.
void addCompareOtherFileEntries(QMenu& menu, PyramidForm& form, const AfterEntry& after,
                                const ChooseFile& choose = chooseFileToCompare);

}  // namespace pyramid::ui
