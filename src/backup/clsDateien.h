#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace tav {

class Dialogs;

// One backup folder below the backup root, as the folder list shows it.
struct SicherungsEintrag {
    QString name;          // folder name ("DB2026_12_06_13_05_00")
    QString praefix;       // "DB", "WO", "DW" or empty for a bare stamp
    QDateTime zeit;        // the stamp
    QString text;          // "06.12.2026 13:05:00 (Datenbanken)"
    bool alleDbs = false;  // holds the working, central and sample database
};

// The file and folder helpers of the backup: folder names with their stamps, the folder list,
// the rotation of database backups and the removal of empty backup folders.
class clsDateien {
public:
    // The database files a complete database backup holds.
    static QStringList datenbankNamen(const QString& arbeitsName = QStringLiteral("Tavomera.mdb"));

    // root + prefix + stamp of zeit; the name of a folder that does not exist yet (a stamp that
    // is taken already moves on by a second).
    static QString Ordner(const QString& root, const QString& praefix, const QDateTime& zeit);
    // Creates the folder name below path; true when it exists afterwards.
    static bool OrdnerAnlegen(const QString& path, const QString& name);
    // Deletes every file of the folder, then the folder; false when something stays. The folder
    // is renamed to an unfinished name first, so that it leaves the list at once.
    static bool OrdnerLoeschen(const QString& ordner);
    // The recognised backup folders of root, newest first. Folders whose name does not follow
    // the naming scheme, and folders without any "*.doc" or "*.mdb", are not listed.
    static QList<SicherungsEintrag> VerzeichnisseEinlesen(const QString& root, const QString& arbeitsName = QStringLiteral("Tavomera.mdb"));
    // The entry for a folder name; nullopt-like empty name when it does not follow the scheme.
    static SicherungsEintrag eintragFuer(const QString& name);
    static bool DateiVorhanden(const QString& ordner, const QString& datei);
    static bool ALleDBsVorhanden(const QString& ordner, const QString& arbeitsName = QStringLiteral("Tavomera.mdb"));
    // The number of database backups among the entries.
    static int anzahlDbSicherungen(const QList<SicherungsEintrag>& liste);
    // While more database backups than anzahl exist, deletes the oldest one. A folder that
    // cannot be deleted is reported ("Der Ordner … konnte nicht gelöscht werden.") and stops the
    // rotation. Folders with documents only are never counted nor deleted. Returns the folders
    // deleted.
    static QStringList DS_Loeschen(const QString& root, int anzahl, Dialogs& dialogs,
                                   const QString& arbeitsName = QStringLiteral("Tavomera.mdb"));
    // Removes the backup folders of root that hold neither databases nor documents (nor any
    // other file), and the
    // unfinished folders of runs that ended before their folder was complete (older than
    // alterSekunden, so that a run of another workstation is left alone). Returns them.
    static QStringList LeereSichOrdnerLoeschen(const QString& root, const QDateTime& jetzt, int alterSekunden = 600);

    // A run writes its folder under this name and renames it when every file is complete; the
    // name never reads as a backup folder.
    static QString unfertigerName(const QString& name);
    static bool istUnfertig(const QString& name);
};

}  // namespace tav
