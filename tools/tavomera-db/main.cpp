// tavomera-db: the admin and test tool on the program's own database library.

#include <QCoreApplication>
#include <QTextStream>

#include "Commands.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int rc = tav::cli::run(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return rc;
}
