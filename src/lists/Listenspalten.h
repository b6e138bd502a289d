#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace tav::listen {

// How a column's filter text becomes a condition.
enum class FilterArt {
    Text,          // Like 'text*'
    TextOderLeer,  // Like 'text*' or Null
    Enthaelt,      // Like '*text*' (the reservation number)
    JaNein,        // "n" selects No, otherwise "j" selects Yes, anything else nothing
    Zahl,          // Like 'text*' on the shown number; letters are refused
    ZahlOderLeer,  // the same, Null passes (guest count)
    Datum,         // "<date", ">date", a complete date, or the start of the shown date
};

struct Spalte {
    const char* feld;    // the value shown, as a Jet expression over the list's tables
    const char* filter;  // what the filter compares (usually the shown value)
    const char* sortierung;
    FilterArt art;
};

inline constexpr int kSpalten = 28;

// The 28 columns of the booking list in their order; the number of a column (1-based) is also
// the number of its caption and width field.
const std::array<Spalte, kSpalten>& spalten();

// The FROM clause of the list: each booking with its guest address, room, kind, the labels of
// the room's two attribute fields and the shown texts of the checked-in and waiting flags.
// With rechnungsadresse, the invoice address joins as RA.
QString vonKlausel(bool rechnungsadresse = false);

// The query of the list's IDs in order: the bookings of vonKlausel() that meet the conditions
// wo ("" for all), sorted by ordnung (" ORDER BY …"). It reads no shown value, so of the left
// joins it makes only those whose tables wo and ordnung name.
QString idAbfrage(const QString& wo, const QString& ordnung);

// The captions a new "SpaltenBeschriftung" row gets (room and kind captions from the settings).
QStringList vorgabeBeschriftungen(const QString& zimmer, const QString& art);

// Default width of every column in twips.
inline constexpr int kVorgabeBreite = 1200;

}  // namespace tav::listen
