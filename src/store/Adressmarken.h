#pragma once

#include <QString>

namespace tav {

class Database;

// The usage marks of the shared address table: each instance of the program marks the
// addresses its bookings use in a field of its own, so that the address program knows which
// addresses it may delete.
namespace adressmarken {

// The mark field of an instance: BenutztVon1 (instance 0), BenutztVon3 (1), BenutztVon4 (2).
QString feld(int instanz);
// Clears the instance's mark of every address no booking uses any more; the number cleared.
int ohneBelegungLoeschen(Database& db, int instanz);

}  // namespace adressmarken
}  // namespace tav
