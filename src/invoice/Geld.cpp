#include "invoice/Geld.h"

#include <cmath>

#include "platform/Amounts.h"

namespace tav::geld {

qint64 cent(double betrag) {
    if (!std::isfinite(betrag)) return 0;
    const double hundertstel = betrag * 100.0;
    // 1,005 × 100 is 100,49999999999999 as a double: six decimals take the noise away.
    const double bereinigt = std::round(hundertstel * 1e6) / 1e6;
    return static_cast<qint64>(std::llround(bereinigt));
}

double ausCent(qint64 c) { return static_cast<double>(c) / 100.0; }

double runden(double betrag) { return ausCent(cent(betrag)); }

QString text(double betrag) { return amounts::format(runden(betrag)); }

bool gleich(double a, double b) { return cent(a) == cent(b); }

}  // namespace tav::geld
