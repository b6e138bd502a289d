#pragma once

#include <QString>
#include <QStringList>

#include "store/Geld.h"

namespace tav {

class Database;
class Dialogs;

// The settlement dialog frmAbrechnen as logic: proposes the open amount of a document, today's
// date and the document's payment kind, and books the open amount as one payment on OK.
class AbrechnenLogik {
public:
    static inline const QString kTitel = QStringLiteral("Rechnung bezahlen");

    AbrechnenLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // belegung: the booking that receives the payment (the one chosen in the items editor).
    void oeffnen(int reNummer, int belegung);
    int reNummer() const { return reNummer_; }
    int belegung() const { return belegung_; }
    geld::Cent offen() const { return offen_; }
    QString betrag() const { return geld::text(offen_); }
    QStringList zahlarten() const;

    QString datum;
    QString zahlart;

    // cmdOK: false with "Bitte überprüfen Sie das Datum." when the date is none; else books
    // the open amount (nothing when it is 0) and returns true.
    bool ok();
    bool zahlartEingabe(const QString& text);
    bool zahlartEntfernen(const QString& text);

private:
    Database& db_;
    Dialogs& dialogs_;
    int reNummer_ = 0;
    int belegung_ = 0;
    geld::Cent offen_ = 0;
};

}  // namespace tav
