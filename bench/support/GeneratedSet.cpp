#include "support/GeneratedSet.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace tav::bench {

GeneratedSet::GeneratedSet() {
    folder_ = qEnvironmentVariable("TAVOMERA_BENCH_SET");
    today_ = QDate::fromString(qEnvironmentVariable("TAVOMERA_BENCH_TODAY"), QStringLiteral("yyyy-MM-dd"));
    if (folder_.isEmpty() || !QFileInfo(file(QStringLiteral("Lokal.mdb"))).isFile() || !today_.isValid()) {
        std::fprintf(stderr,
                     "Die erzeugten Benchmark-Daten fehlen. Bitte bench/run aufrufen oder TAVOMERA_BENCH_SET und "
                     "TAVOMERA_BENCH_TODAY setzen.\n");
        std::exit(2);
    }
}

const GeneratedSet& GeneratedSet::instance() {
    static const GeneratedSet set;
    return set;
}

QString GeneratedSet::file(const QString& name) const { return QDir(folder_).absoluteFilePath(name); }

std::unique_ptr<Database> GeneratedSet::open() const { return Database::open(file(QStringLiteral("Lokal.mdb"))); }

}  // namespace tav::bench
