#pragma once

#include <QString>

namespace tav::preisgrenzen {

// Amounts a hotel can mean: a price per night from 0,00 to 999.999,99 and a total of the stay
// from 0,00 to 9.999.999,99 (below 10 million). Larger numbers are typing errors and would
// only show the noise of floating-point arithmetic.
inline constexpr double kNachtpreisHoechstens = 999999.99;
inline constexpr double kGesamtpreisHoechstens = 9999999.99;

inline const QString kNachtpreisMeldung = QStringLiteral("Der Preis pro Nacht muss zwischen 0,00 und 999.999,99 liegen.");
inline const QString kGesamtpreisMeldung = QStringLiteral("Der Gesamtpreis muss zwischen 0,00 und 9.999.999,99 liegen.");

inline bool nachtpreisGueltig(double preis) { return preis >= 0 && preis <= kNachtpreisHoechstens; }
inline bool gesamtpreisGueltig(double preis) { return preis >= 0 && preis <= kGesamtpreisHoechstens; }

}  // namespace tav::preisgrenzen
