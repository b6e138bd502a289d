// tavomera-db: the admin and test tool on the program's own database library.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

#include "Commands.h"
#include "DocumentCommands.h"
#include "OutputCommands.h"

int main(int argc, char* argv[]) {
    // Rendering documents needs fonts and therefore a GUI application; without a display it
    // runs offscreen.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 &&
        (tav::cli::outputNeedsGui(QString::fromLocal8Bit(argv[1])) || tav::cli::documentNeedsGui(QString::fromLocal8Bit(argv[1])))) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int rc = tav::cli::run(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return rc;
}
