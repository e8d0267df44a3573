#pragma once
// Through the years on the window: the next and previous file of File1's
// folder on its common scale (Ctrl+PageDown, Ctrl+PageUp from any control),
// following a generation, playing the folder once a second, and one page of
// the whole series printed or copied.

#include "app/pyramid_form.h"
#include "core/palette.h"

#include <QObject>
#include <QTimer>

#include <functional>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace pyramid::ui {

class ChartWidget;

class FolderActions : public QObject {
    Q_OBJECT
public:
    // `after` runs after each step (the chart's description anew).
    FolderActions(QWidget& window, PyramidForm& form, const ChartWidget& chart, std::function<void()> after);
    // The colours the series page is drawn in: paper's, or the window's
    // when 「黒地で印刷・コピー」 is checked.
    void setInk(std::function<ChartInk()> ink) { ink_ = std::move(ink); }

    QAction* nextAction() const { return next_; }
    QAction* previousAction() const { return previous_; }
    QAction* followAction() const { return follow_; }
    QAction* playAction() const { return play_; }
    QAction* printSeriesAction() const { return printSeries_; }
    QAction* copySeriesAction() const { return copySeries_; }

    void step(int direction);
    bool canStep(int direction) const { return form_.canStepFile(direction); }
    bool hasSeries() const { return form_.hasFolderSeries(); }
    // Steps forward once a second until the last file, a prompt, Space,
    // Escape or a click; the window stays usable meanwhile.
    void play(bool on);
    bool playing() const { return timer_.isActive() || playing_; }

    // The series page: asked in the print dialog, onto a printer as set up,
    // or onto the clipboard as a picture.
    void printSeries();
    bool printSeriesTo(QPrinter& printer);
    void copySeries();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tick();

    QWidget& window_;
    PyramidForm& form_;
    const ChartWidget& chart_;
    std::function<void()> after_;
    std::function<ChartInk()> ink_ = [] { return ChartInk::Paper; };
    QAction* next_;
    QAction* previous_;
    QAction* follow_;
    QAction* play_;
    QAction* printSeries_;
    QAction* copySeries_;
    QTimer timer_;
    bool playing_ = false;
};

// The entries of the folder in the chart's menu, when the window has them.
void addFolderEntries(QMenu& menu, QWidget& chart);

}  // namespace pyramid::ui
