#pragma once

#include <QStringList>
#include <QTextStream>

namespace tav::cli {

// "zahlungen": the payments and open amounts of a booking, an invoice or an address as TSV.
// False when args is another command; else rc holds the exit code.
bool zahlungenBefehl(const QStringList& args, QTextStream& out, QTextStream& err, int& rc);

inline const char* const kZahlungenAufruf =
    "  tavomera-db zahlungen --db DATEI (--buchung ID | --rechnung NR | --adresse ID)\n"
    "      listet die Zahlungen und die Rechnungen mit ihren offenen Beträgen einer Buchung\n"
    "      (mit den Mitgliedern ihrer Blockbuchung), einer Rechnung oder einer Adresse\n";

}  // namespace tav::cli
