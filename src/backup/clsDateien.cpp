#include "backup/clsDateien.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/Dialogs.h"

namespace tav {

namespace {

const QString kStempel = QStringLiteral("yyyy_MM_dd_HH_mm_ss");
const QString kUnfertig = QStringLiteral(".unfertig");

QString mitTrenner(const QString& root) { return root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'); }

bool hatDateien(const QString& ordner) {
    const QDir d(ordner);
    return !d.entryList({QStringLiteral("*.doc"), QStringLiteral("*.mdb")}, QDir::Files).isEmpty();
}

}  // namespace

QStringList clsDateien::datenbankNamen(const QString& arbeitsName) {
    return {arbeitsName, QStringLiteral("Zentral.mdb"), QStringLiteral("Beispiel.mdb")};
}

QString clsDateien::Ordner(const QString& root, const QString& praefix, const QDateTime& zeit) {
    QDateTime t = zeit;
    for (;;) {
        const QString name = praefix + t.toString(kStempel);
        const QString pfad = mitTrenner(root) + name;
        if (!QFileInfo::exists(pfad) && !QFileInfo::exists(mitTrenner(root) + unfertigerName(name))) return pfad;
        t = t.addSecs(1);
    }
}

bool clsDateien::OrdnerAnlegen(const QString& path, const QString& name) {
    QDir().mkpath(mitTrenner(path) + name);
    return QFileInfo(mitTrenner(path) + name).isDir();
}

bool clsDateien::OrdnerLoeschen(const QString& ordner) {
    if (!QFileInfo(ordner).isDir()) return true;
    // The folder leaves the list first: a deletion cut off half-way never leaves a backup
    // folder that lacks some of its files.
    QString pfad = ordner;
    const QFileInfo info(ordner);
    if (!istUnfertig(info.fileName())) {
        const QString weg = info.absoluteDir().filePath(unfertigerName(info.fileName()));
        if (!QFileInfo::exists(weg) && QDir().rename(ordner, weg)) pfad = weg;
    }
    QDir d(pfad);
    for (const QString& f : d.entryList(QDir::Files | QDir::Hidden | QDir::System)) d.remove(f);
    if (QDir().rmdir(pfad) || !d.exists()) return true;
    if (pfad != ordner) QDir().rename(pfad, ordner);  // what could not be deleted stays listed
    return false;
}

SicherungsEintrag clsDateien::eintragFuer(const QString& name) {
    SicherungsEintrag e;
    QString stempel;
    if (name.size() == 19) {
        stempel = name;
    } else if (name.size() == 21 && name.at(0).isLetter() && name.at(1).isLetter()) {
        e.praefix = name.left(2);
        stempel = name.mid(2);
    } else {
        return {};
    }
    const QStringList teile = stempel.split(QLatin1Char('_'));
    if (teile.size() != 6) return {};
    for (const QString& t : teile)
        for (QChar c : t)
            if (!c.isDigit()) return {};
    e.zeit = QDateTime::fromString(stempel, kStempel);
    if (!e.zeit.isValid()) return {};
    e.name = name;
    QString zusatz;
    if (e.praefix == QLatin1String("DB"))
        zusatz = QStringLiteral(" (Datenbanken)");
    else if (e.praefix == QLatin1String("WO"))
        zusatz = QStringLiteral(" (Word-Dateien)");
    else if (e.praefix == QLatin1String("DW"))
        zusatz = QStringLiteral(" (Word-Dateien und Datenbanken)");
    e.text = teile[2] + QLatin1Char('.') + teile[1] + QLatin1Char('.') + teile[0] + QLatin1Char(' ') + teile[3] + QLatin1Char(':') +
             teile[4] + QLatin1Char(':') + teile[5] + zusatz;
    return e;
}

QList<SicherungsEintrag> clsDateien::VerzeichnisseEinlesen(const QString& root, const QString& arbeitsName) {
    QList<SicherungsEintrag> liste;
    const QDir d(root);
    for (const QString& name : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!hatDateien(d.filePath(name))) continue;
        SicherungsEintrag e = eintragFuer(name);
        if (e.name.isEmpty()) continue;
        e.alleDbs = ALleDBsVorhanden(d.filePath(name), arbeitsName);
        liste << e;
    }
    std::sort(liste.begin(), liste.end(),
              [](const SicherungsEintrag& a, const SicherungsEintrag& b) { return a.zeit != b.zeit ? a.zeit > b.zeit : a.name > b.name; });
    return liste;
}

bool clsDateien::DateiVorhanden(const QString& ordner, const QString& datei) { return QFileInfo(QDir(ordner).filePath(datei)).isFile(); }

bool clsDateien::ALleDBsVorhanden(const QString& ordner, const QString& arbeitsName) {
    for (const QString& f : datenbankNamen(arbeitsName))
        if (!DateiVorhanden(ordner, f)) return false;
    return true;
}

int clsDateien::anzahlDbSicherungen(const QList<SicherungsEintrag>& liste) {
    return static_cast<int>(std::count_if(liste.begin(), liste.end(), [](const SicherungsEintrag& e) { return e.alleDbs; }));
}

QStringList clsDateien::DS_Loeschen(const QString& root, int anzahl, Dialogs& dialogs, const QString& arbeitsName) {
    QStringList geloescht;
    QList<SicherungsEintrag> liste = VerzeichnisseEinlesen(root, arbeitsName);
    while (anzahlDbSicherungen(liste) > anzahl) {
        auto aeltester = std::find_if(liste.rbegin(), liste.rend(), [](const SicherungsEintrag& e) { return e.alleDbs; });
        if (!OrdnerLoeschen(QDir(root).filePath(aeltester->name))) {
            dialogs.message(QStringLiteral("Der Ordner ") + aeltester->name + QStringLiteral(" konnte nicht gelöscht werden."));
            break;
        }
        geloescht << aeltester->name;
        liste = VerzeichnisseEinlesen(root, arbeitsName);
    }
    return geloescht;
}

QStringList clsDateien::LeereSichOrdnerLoeschen(const QString& root, const QDateTime& jetzt, int alterSekunden) {
    QStringList entfernt;
    const QDir d(root);
    for (const QString& name : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString pfad = d.filePath(name);
        bool weg = false;
        if (istUnfertig(name)) {
            weg = QFileInfo(pfad).lastModified().secsTo(jetzt) > alterSekunden;
        } else if (!eintragFuer(name).name.isEmpty()) {
            // Only a folder with nothing in it: a file the user put there is never deleted here.
            weg = QDir(pfad).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty();
        }
        if (weg && OrdnerLoeschen(pfad)) entfernt << name;
    }
    return entfernt;
}

QString clsDateien::unfertigerName(const QString& name) { return QLatin1Char('.') + name + kUnfertig; }

bool clsDateien::istUnfertig(const QString& name) { return name.startsWith(QLatin1Char('.')) && name.endsWith(kUnfertig); }

}  // namespace tav
