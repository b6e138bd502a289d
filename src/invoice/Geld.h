#pragma once

#include <QString>
#include <QtGlobal>

namespace tav::geld {

// Money in the whole program. The tables hold amounts as doubles (prices, totals, payments),
// and a computation adds and divides them unrounded; an amount becomes money only when it is
// printed, shown, stored as a total or compared. That step is this one place:
//
//  - cent(x) is the amount in whole cents, rounded half away from zero after the binary noise
//    of the double is removed first (x × 100 is rounded to six decimals before it is rounded
//    to a whole cent). So 0,1 + 0,2 is 30 cents, 1,005 is 101 cents and 9,345794… is 935.
//  - runden(x) is the same amount as a double again (cent(x) / 100), for storing totals.
//  - text(x) is "#,##0.00" with German separators of the rounded amount.
//  - gleich(a, b) compares two amounts by their cents: the open amount of a document is zero
//    when its gross total and the sum of its payments are gleich().
qint64 cent(double betrag);
double runden(double betrag);
double ausCent(qint64 cent);
QString text(double betrag);
bool gleich(double a, double b);

}  // namespace tav::geld
