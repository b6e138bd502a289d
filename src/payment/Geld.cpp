#include "payment/Geld.h"

#include <cmath>

#include "platform/Amounts.h"

namespace tav::geld {

Cent ausBetrag(double betrag) { return std::llround(betrag * 100.0); }

double alsBetrag(Cent cent) { return double(cent) / 100.0; }

QString text(Cent cent) { return amounts::format(alsBetrag(cent)); }

std::optional<Cent> lesen(const QString& text) {
    const auto wert = amounts::parse(text.trimmed());
    if (!wert || !std::isfinite(*wert) || std::fabs(*wert) > 1e13) return std::nullopt;
    return ausBetrag(*wert);
}

}  // namespace tav::geld
