#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tav::geld {

// Money as this folder holds it: whole cents in a 64-bit integer. Each stored amount (a double
// in the tables) is rounded to the cent once as it is read, and sums are formed over cents, so
// that a sum is exact to the cent whatever order the rows come in.
using Cent = qint64;

Cent ausBetrag(double betrag);
double alsBetrag(Cent cent);
// "#,##0.00" with German separators ("1.234,50", "-0,10").
QString text(Cent cent);
// What a user types into an amount field ("1.234,50", "150", "-20,5"); nullopt for anything else.
std::optional<Cent> lesen(const QString& text);

}  // namespace tav::geld
