#pragma once

#include <QString>
#include <QStringList>

#include "backup/Datensicherung.h"

namespace tav {

// Puts the files of a backup folder back in place. The current files are replaced only when
// every restored copy is complete and sound, and each by a rename, never by writing over it:
// a restore cut off at any moment leaves every database either as it was or as restored.
class Wiederherstellung {
public:
    // Restores the working and central database of ordner (and the sample database when the
    // folder holds one): each is compacted into the folder "temp" beside the central
    // database and checked; then a list of the replacements is written, the files are renamed
    // over the current ones and the list and "temp" are removed. Throws DatabaseError with a
    // German message; before the first rename nothing current has been touched. Returns the
    // files replaced.
    static QStringList datenbanken(const QString& ordner, const SicherungsDateien& d);
    // Finishes what a restore cut off after writing its list left undone, and removes the
    // copies of a restore cut off before. Called before every backup and restore. True when
    // a cut-off restore was found.
    static bool fortsetzen(const QString& zentral);
    static QString tempOrdner(const QString& zentral);

    // Copies the named documents of ordner into the program folder, each under a temporary
    // name first and then renamed over the current one. Throws DatabaseError.
    static void dokumente(const QString& ordner, const QStringList& namen, const QString& programmordner);
};

}  // namespace tav
