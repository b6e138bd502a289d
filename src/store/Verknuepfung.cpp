#include "store/Verknuepfung.h"

#include <QFileInfo>
#include <QHash>
#include <memory>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "store/Schema.h"

namespace tav::verknuepfung {

namespace {

QString absolute(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

bool gleicheDatei(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    return absolute(a) == absolute(b);
}

Pruefung pruefeDatei(const QString& path, const QString& tabelle) {
    if (path.trimmed().isEmpty()) return Pruefung::Fehlerhaft;
    try {
        auto db = Database::open(path);
        Recordset rs = db->openRecordset(QStringLiteral("SELECT * FROM [") + tabelle + QStringLiteral("]"));
        return Pruefung::Gut;
    } catch (const DatabaseError& e) {
        return e.locked() ? Pruefung::Gesperrt : Pruefung::Fehlerhaft;
    }
}

bool pruefeDatenbank(const QString& path, const QString& tabelle) { return pruefeDatei(path, tabelle) == Pruefung::Gut; }

bool pruefeZentrale(const QString& path) { return pruefeDatenbank(path, QStringLiteral("tblBelegung")); }
bool pruefeArbeitsdatenbank(const QString& path) { return pruefeDatenbank(path, QStringLiteral("tblTarife")); }

Pruefung pruefeVerknuepfungsdatei(const QString& linkPath) {
    try {
        auto db = Database::open(linkPath);
        Recordset rs = db->openRecordset(
            QStringLiteral("SELECT tblBelegung.ID, tblBelegung.Zimmernummer, tbZimmernummern.NeueNummer FROM tblBelegung INNER JOIN "
                           "tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer; "));
        return Pruefung::Gut;
    } catch (const DatabaseError& e) {
        return e.locked() ? Pruefung::Gesperrt : Pruefung::Fehlerhaft;
    }
}

bool pruefeVerknuepfung(const QString& linkPath) { return pruefeVerknuepfungsdatei(linkPath) == Pruefung::Gut; }

bool zeigtAuf(const QString& linkPath, const QString& arbeitsPfad, const QString& zentralPfad) {
    try {
        auto db = Database::open(linkPath);
        for (const TableDef& def : db->tableDefs()) {
            if (!def.isLinked()) continue;
            const QString file = ConnectString::parse(def.connect).database;
            if (!gleicheDatei(file, arbeitsPfad) && !gleicheDatei(file, zentralPfad)) return false;
        }
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

QString zielFuer(const QString& tabelle, const QString& connect, const QString& arbeitsPfad, const QString& zentralPfad,
                 const QString& sampleFileName) {
    if (connect.contains(QLatin1String("Zentra"), Qt::CaseInsensitive)) return zentralPfad;
    const QString file = QFileInfo(ConnectString::parse(connect).database).fileName();
    if (!sampleFileName.isEmpty() && file.compare(sampleFileName, Qt::CaseInsensitive) == 0) {
        const schema::TableEntry* entry = schema::find(tabelle);
        if (entry && entry->home == schema::Home::Central) return zentralPfad;
    }
    return arbeitsPfad;
}

bool haeltTabelle(const Database& datei, const QString& tabelle) {
    const auto def = datei.tableDef(tabelle);
    return def && !def->isLinked();
}

void alleNeuVerknuepfen(Database& link, const QString& arbeitsPfad, const QString& zentralPfad, const QString& sampleFileName) {
    QHash<QString, std::shared_ptr<Database>> dateien;
    for (const TableDef& def : link.tableDefs()) {
        if (!def.isLinked()) continue;
        const QString target = zielFuer(def.name, def.connect, arbeitsPfad, zentralPfad, sampleFileName);
        if (gleicheDatei(ConnectString::parse(def.connect).database, target) && link.table(def.name)->unavailable.isEmpty()) continue;
        if (target.isEmpty()) continue;
        auto& datei = dateien[absolute(target)];
        if (!datei) datei = Database::open(target);
        if (!haeltTabelle(*datei, def.name)) {
            link.deleteLink(def.name);
            continue;
        }
        tabelleVerknuepfen(link, def.name, false, target);
    }
}

void tabelleVerknuepfen(Database& link, const QString& tabelle, bool neu, const QString& source) {
    if (source.isEmpty()) return;
    const QString connect = ConnectString::make(QFileInfo(source).absoluteFilePath());
    if (neu)
        link.createLink(tabelle, connect, tabelle);
    else
        link.refreshLink(tabelle, connect);
}

bool tabelleVorhanden(const Database& link, const QString& tabelle) { return link.hasTableDef(tabelle); }

}  // namespace tav::verknuepfung
