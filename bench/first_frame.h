#pragma once
// Notes the first paint of a top-level window, watched on the window itself
// or on the whole application (where the main window is the only one).

#include <QApplication>
#include <QEvent>
#include <QWidget>

class FirstFrame : public QObject {
public:
    bool painted = false;

    // Lets the events run until the first frame is painted.
    void await()
    {
        while (!painted)
            QApplication::processEvents(QEventLoop::AllEvents);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};
