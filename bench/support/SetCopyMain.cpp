// tavomera-bench-kopie SOURCE TARGET: copies the database files of a set into TARGET and points
// every link of the copies at the copies, so that a program started on TARGET never writes to
// the cached set. Used by bench/memory.

#include <QCoreApplication>
#include <cstdio>

#include "GeneratedSet.h"
#include "engine/DatabaseError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Aufruf: tavomera-bench-kopie QUELLORDNER ZIELORDNER\n");
        return 2;
    }
    try {
        tav::bench::copyDatabaseFiles(args[1], args[2]);
    } catch (const tav::DatabaseError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
