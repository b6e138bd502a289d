#include "store/Abrechnungsbericht.h"

namespace tav {

QString abrechnungsbericht(int buchungen, int posten) {
    if (buchungen > 0 && posten > 0)
        return QStringLiteral(" Es wurden ") + QString::number(buchungen) + QStringLiteral(" Reservierungen und ") +
               QString::number(posten) + QStringLiteral(" Zusatzposten geändert.");
    if (buchungen > 0) return QStringLiteral(" Es wurden ") + QString::number(buchungen) + QStringLiteral(" Reservierungen geändert.");
    if (posten > 0) return QStringLiteral(" Es wurden ") + QString::number(posten) + QStringLiteral(" Zusatzposten geändert.");
    return QStringLiteral("Vor dem angegbenen Datum gab es keine nicht abgerechneten Daten.");
}

}  // namespace tav
