#pragma once

#include <QString>
#include <QtGlobal>

namespace tav {

class Database;

// How far the numbers of one field (the numbers above 0) run from 1 without a gap: a table of
// one row in the file of the numbered table holds that number, and triggers on the numbered
// table keep it exact in the same transaction as every insert, change and deletion of a row,
// whichever program writes. The first free number is the one after it, found without reading
// the numbers of the whole history.
struct Nummernlauf {
    const char* tabelle;  // the numbered table
    const char* feld;     // its number field
    const char* stand;    // the table of one row with the field Lueckenlos
    const char* trigger;  // the prefix of the triggers' names
};

namespace nummernstand {

// The booking numbers tblBelegung.BelegNummer, kept in tbBelegNummernStand of the central file.
inline constexpr Nummernlauf kBelegNummern{"tblBelegung", "BelegNummer", "tbBelegNummernStand", "tav_belegnummer"};
// The keys of the documents tbRechnungen.ReNummer, kept in tbReNummernStand of the working file.
inline constexpr Nummernlauf kReNummern{"tbRechnungen", "ReNummer", "tbReNummernStand", "tav_renummer"};

// Makes the row and the triggers in the file that holds both tables (opened directly, not
// through links) and sets the row from the stored numbers. Calling it again changes nothing
// but the row's value, which it computes anew. Throws DatabaseError.
void einrichten(Database& datei, const Nummernlauf& lauf);

// The stored run through a database that reaches the table of the run (a link or the file
// itself); 0 when the table is missing (a file made before it existed) or empty.
qint64 lueckenlosBis(Database& db, const Nummernlauf& lauf);

}  // namespace nummernstand

}  // namespace tav
