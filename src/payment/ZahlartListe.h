#pragma once

#include <QString>

namespace tav {

class Database;
class Dialogs;

// The pick list of payment kinds shared by the payments window and the settlement dialog:
// Enter adds the typed kind unless one like it exists, F2 removes the shown kind after asking.
namespace zahlartListe {

inline const QString kHinweis = QStringLiteral("Hinzufügen von Listeneinträgen mit der Eingabetaste, Löschen mit F2.");

// True when the kind was added.
bool eingabe(Database& db, const QString& text);
// True when the user said Yes and the kind was removed.
bool entfernen(Database& db, Dialogs& dialogs, const QString& text);

}  // namespace zahlartListe
}  // namespace tav
