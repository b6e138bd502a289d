#pragma once

#include <QtGlobal>

namespace tav {

class Database;

// How far the booking numbers (tblBelegung.BelegNummer, the numbers above 0) run from 1
// without a gap: the table tbBelegNummernStand of the central file holds that number in its
// one row, and triggers on tblBelegung keep it exact in the same transaction as every insert,
// change and deletion of a booking, whichever program writes. The first free number is the
// one after it, found without reading the numbers of the whole history.
namespace belegnummernstand {

// Makes the row and the triggers in the file that holds tblBelegung and tbBelegNummernStand
// (opened directly, not through links) and sets the row from the stored numbers. Calling it
// again changes nothing but the row's value, which it computes anew. Throws DatabaseError.
void einrichten(Database& zentral);

// The stored run through a database that reaches tbBelegNummernStand (a link or the central
// file itself); 0 when the table is missing (a file made before it existed) or empty.
qint64 lueckenlosBis(Database& db);

}  // namespace belegnummernstand

}  // namespace tav
