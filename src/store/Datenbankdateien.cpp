#include "store/Datenbankdateien.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "store/Nummernstand.h"
#include "store/Schema.h"
#include "store/Verknuepfung.h"

namespace tav::dbfiles {

FileNames FileNames::forInstance(int instance) {
    if (instance <= 0)
        return {QStringLiteral("Tavomera.mdb"), QStringLiteral("Zentral.mdb"), QStringLiteral("Beispiel.mdb"), QStringLiteral("Lokal.mdb")};
    const QString n = QString::number(instance);
    return {QStringLiteral("Tavomer") + n + QStringLiteral(".mdb"), QStringLiteral("Zentra") + n + QStringLiteral(".mdb"),
            QStringLiteral("Beispie") + n + QStringLiteral(".mdb"), QStringLiteral("Loka") + n + QStringLiteral(".mdb")};
}

namespace {

// New files are written without waiting for the disk after each statement; a file left half
// made by a crash is made anew anyway.
std::unique_ptr<Database> newFile(const QString& path) {
    auto db = Database::create(path);
    db->setDurable(false);
    return db;
}

void createTables(Database& db, const QList<TableDef>& defs) {
    db.beginTrans();
    try {
        for (const TableDef& def : defs) db.createTable(def);
        db.commitTrans();
    } catch (...) {
        db.rollback();
        throw;
    }
}

}  // namespace

void createCentral(const QString& path) {
    auto db = newFile(path);
    createTables(*db, schema::tablesOf(schema::Home::Central));
    nummernstand::einrichten(*db, nummernstand::kBelegNummern);
}

void createWorking(const QString& path, const QString& centralPath) {
    auto db = newFile(path);
    createTables(*db, schema::tablesOf(schema::Home::Working));
    nummernstand::einrichten(*db, nummernstand::kReNummern);
    const QString connect = ConnectString::make(QFileInfo(centralPath).absoluteFilePath());
    for (const QString& t : schema::centralTablesLinkedIntoWorking()) db->createLink(t, connect, t);
}

void createLinkDatabase(const QString& path, const QString& workingPath, const QString& centralPath) {
    auto db = newFile(path);
    const QString working = ConnectString::make(QFileInfo(workingPath).absoluteFilePath());
    const QString central = ConnectString::make(QFileInfo(centralPath).absoluteFilePath());
    const auto arbeit = Database::open(workingPath);
    const auto zentrale = Database::open(centralPath);
    for (const schema::TableEntry& entry : schema::tables()) {
        if (entry.home == schema::Home::Holiday) continue;
        const bool zentral = entry.home == schema::Home::Central;
        // Files of an older version lack the newer tables: the schema upgrade at start makes
        // them and their links.
        if (!verknuepfung::haeltTabelle(zentral ? *zentrale : *arbeit, entry.def.name)) continue;
        db->createLink(entry.def.name, zentral ? central : working, entry.def.name);
    }
}

void createHoliday(const QString& path) {
    auto db = newFile(path);
    QList<TableDef> defs = schema::tablesOf(schema::Home::Holiday);
    defs << schema::find(QStringLiteral("tbFeiertage"))->def;
    createTables(*db, defs);
}

void createComplete(const QString& path) {
    auto db = newFile(path);
    QList<TableDef> defs;
    for (const schema::TableEntry& entry : schema::tables())
        if (entry.home != schema::Home::Holiday) defs << entry.def;
    createTables(*db, defs);
    nummernstand::einrichten(*db, nummernstand::kBelegNummern);
    nummernstand::einrichten(*db, nummernstand::kReNummern);
}

QStringList createInstallation(const QString& folder, int instance, bool keepExisting) {
    if (!QDir().mkpath(folder))
        throw DatabaseError(QStringLiteral("Der Ordner '%1' kann nicht angelegt werden.").arg(QDir::toNativeSeparators(folder)));
    const FileNames names = FileNames::forInstance(instance);
    const QDir dir(folder);
    const QString central = dir.absoluteFilePath(names.central);
    const QString working = dir.absoluteFilePath(names.working);
    const QString link = dir.absoluteFilePath(names.link);
    const QString holiday = dir.absoluteFilePath(kHolidayFile);
    const QString sample = dir.absoluteFilePath(names.sample);
    QStringList made;
    auto make = [&](const QString& path, const std::function<void()>& fn) {
        if (QFileInfo::exists(path)) {
            if (keepExisting) return;
            throw DatabaseError(QStringLiteral("Die Datenbank '%1' existiert bereits.").arg(QDir::toNativeSeparators(path)));
        }
        fn();
        made << path;
    };
    make(central, [&] { createCentral(central); });
    make(working, [&] { createWorking(working, central); });
    make(link, [&] { createLinkDatabase(link, working, central); });
    make(holiday, [&] { createHoliday(holiday); });
    make(sample, [&] { createComplete(sample); });
    return made;
}

}  // namespace tav::dbfiles
