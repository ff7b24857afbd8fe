// The order form for TQ8 / TQ8R data loggers and the ZK222 assembly.

#include "application.h"
#include "mainwindow.h"
#include "termination.h"

#include <QApplication>
#include <optional>

int main(int argc, char *argv[])
{
    // --help and --version are answered before anything needs a display.
    if (const std::optional<int> status = application::handleCommandLine(argc, argv))
        return *status;

    application::setUpFonts();
    QApplication app(argc, argv);
    application::setUpNames();
    // A logout or shutdown quits through the event loop, never mid-save.
    if (const Outcome ending = platform::quitOnTermination(); !ending.ok())
        qWarning("%s", qPrintable(ending.message()));

    // The contact dialog and the diagram window are built when first needed.
    MainWindow mainWindow;
    mainWindow.show();
    return app.exec();
}
