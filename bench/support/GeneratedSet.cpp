#include "GeneratedSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "engine/DatabaseError.h"
#include "store/Verknuepfung.h"

namespace tav::bench {

void copyDatabaseFiles(const QString& sourceFolder, const QString& targetFolder) {
    const QDir from(sourceFolder), to(targetFolder);
    if (!QDir().mkpath(to.absolutePath()))
        throw DatabaseError(QStringLiteral("Der Ordner '%1' kann nicht angelegt werden.").arg(to.absolutePath()));
    const QStringList names = from.entryList({QStringLiteral("*.mdb")}, QDir::Files);
    for (const QString& name : names) {
        QFile::remove(to.filePath(name));
        if (!QFile::copy(from.filePath(name), to.filePath(name)))
            throw DatabaseError(QStringLiteral("'%1' kann nicht nach '%2' kopiert werden.").arg(from.filePath(name), to.absolutePath()));
    }
    // Links hold absolute paths. The link database is relinked as the program does it (central
    // tables to Zentral.mdb, the rest to Tavomera.mdb); in every other file each link is
    // pointed at the copied file of the same name.
    for (const QString& name : names) {
        std::unique_ptr<Database> db = Database::open(to.filePath(name));
        if (name.compare(QStringLiteral("Lokal.mdb"), Qt::CaseInsensitive) == 0) {
            verknuepfung::alleNeuVerknuepfen(*db, to.absoluteFilePath(QStringLiteral("Tavomera.mdb")),
                                             to.absoluteFilePath(QStringLiteral("Zentral.mdb")));
            continue;
        }
        for (const TableDef& t : db->tableDefs()) {
            if (!t.isLinked()) continue;
            const QString target = QFileInfo(ConnectString::parse(t.connect).database).fileName();
            if (!names.contains(target, Qt::CaseInsensitive))
                throw DatabaseError(
                    QStringLiteral("Die Verknüpfung '%1' in '%2' zeigt auf '%3', das nicht kopiert wurde.").arg(t.name, name, target));
            db->refreshLink(t.name, ConnectString::make(to.absoluteFilePath(target)));
        }
    }
}

namespace {
// The pattern of a temporary folder below parent; parent is made first, since the temporary
// folder is created as soon as it is named.
QString unterOrdner(const QString& parent) {
    QDir().mkpath(parent);
    return QDir(parent).filePath(QStringLiteral("tavomera-bench-XXXXXX"));
}
}  // namespace

SetCopy::SetCopy(const QString& sourceFolder, const QString& parentFolder) : dir_(unterOrdner(parentFolder)) {
    if (dir_.isValid()) copyDatabaseFiles(sourceFolder, dir_.path());
}

QString SetCopy::file(const QString& name) const { return QDir(dir_.path()).absoluteFilePath(name); }

std::unique_ptr<Database> SetCopy::open() const { return Database::open(file(QStringLiteral("Lokal.mdb"))); }

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

std::unique_ptr<SetCopy> GeneratedSet::copy(const QString& parentFolder) const {
    const QString parent = parentFolder.isEmpty() ? QFileInfo(folder_).absolutePath() + QStringLiteral("/kopien") : parentFolder;
    auto c = std::make_unique<SetCopy>(folder_, parent);
    if (!c->isValid()) {
        std::fprintf(stderr, "Kein temporärer Ordner unter %s.\n", qPrintable(parent));
        std::exit(2);
    }
    return c;
}

}  // namespace tav::bench
