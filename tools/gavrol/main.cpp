// Gavrol: the copy program of the family. Started by the backup with
//   Gavrol Tavomera <working database> <backup folder>
// it copies the working database, the central database its links name and the sample database
// of its own folder into the backup folder, with the program's own online backup.
// Exit code 0: done; 1: failed; 2: the files could not be reached (locked, no rights).
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include "backup/Datensicherung.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        err << "Aufruf: Gavrol Tavomera ARBEITSDATENBANK SICHERUNGSORDNER\n";
        return 1;
    }
    tav::SicherungsDateien d;
    d.arbeit = QDir::fromNativeSeparators(args[2]);
    d.programmordner = QCoreApplication::applicationDirPath();
    d.beispiel = QDir(d.programmordner).filePath(QStringLiteral("Beispiel.mdb"));
    try {
        {
            auto arbeit = tav::Database::open(d.arbeit);
            const auto link = arbeit->tableDef(QStringLiteral("tblBelegung"));
            if (!link || !link->isLinked()) {
                err << "Die Arbeitsdatenbank verweist auf keine zentrale Datenbank.\n";
                return 1;
            }
            d.zentral = tav::ConnectString::parse(link->connect).database;
        }
        tav::Datensicherung::datenbankenKopieren(d, QDir::fromNativeSeparators(args[3]));
    } catch (const tav::DatabaseError& e) {
        err << e.reason() << '\n';
        const int c = e.code() & 0xFF;
        return tav::DatabaseError::isLockCode(e.code()) || c == SQLITE_CANTOPEN || c == SQLITE_PERM || c == SQLITE_READONLY ? 2 : 1;
    }
    return 0;
}
