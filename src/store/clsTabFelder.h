#pragma once

#include <QString>

#include "engine/Database.h"
#include "engine/JetTypes.h"

namespace tav {

// Adds a field to a table or creates a table in a database file given by its path. Both
// operations open the file themselves with the password and close it again; they report
// success as true and never throw.
class clsTabFelder {
public:
    QString datenbankPfad;
    QString passwort = kDatabasePassword;
    QString tabellenName;
    QString feldName;
    JetType feldTyp = JetType::Text;
    int feldGroesse = 50;        // text fields only
    bool mitSchluessel = false;  // NeueTabelle: the first field is "ID" + table name without its prefix

    // Adds the field when the table lacks it; a text field gets the size and allows empty text.
    // True also when the field was there already.
    bool Anfügen();
    // Creates the table with its first field: "ID" + name without its first two characters when
    // mitSchluessel is set (for tbBlockbuchung: IDBlockbuchung), else feldName.
    bool NeueTabelle();

    // The name of the key a table made by the program gets.
    static QString schluesselName(const QString& tabelle);
};

}  // namespace tav
