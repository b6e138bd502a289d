#pragma once

#include <QStringList>
#include <QTextStream>

namespace tav::cli {

// "block": the members of a booking's block booking; "konto": the sums of an address's
// account. TSV as query writes it. False when args is another command; else rc holds the exit
// code.
bool blockBefehl(const QStringList& args, QTextStream& out, QTextStream& err, int& rc);

inline const char* const kBlockAufruf =
    "  tavomera-db block --db DATEI --buchung ID\n"
    "      listet die Reservierungen der Blockbuchung einer Buchung, die führende zuerst\n"
    "  tavomera-db konto --db DATEI --adresse ID\n"
    "      zeigt die Summen des Kontos einer Adresse: Reservierungen, Rechnungen, Zahlungen,\n"
    "      Differenz, Zahlungen ohne Rechnung, nicht abgerechnete Posten\n";

}  // namespace tav::cli
