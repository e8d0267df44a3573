// jinko-pyramid: draws the population pyramid of a region from its data file
// and analyses the composition of any age range.

#include "app/main_window.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const auto window = pyramid::ui::startProgram(app);
    return app.exec();
}
