#include "payment/AbrechnenLogik.h"

#include "payment/ZahlartListe.h"
#include "payment/Zahlungen.h"
#include "payment/clsRechnungAbrechnen.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"

namespace tav {

void AbrechnenLogik::oeffnen(int reNummer, int belegung) {
    reNummer_ = reNummer;
    belegung_ = belegung;
    if (belegung_ == 0) {
        const QList<int> b = Zahlungen(db_).belegungenDerRechnung(reNummer);
        if (!b.isEmpty()) belegung_ = b.first();
    }
    zahlart = clsRechnungAbrechnen(db_).RechnungZahlart(reNummer);
    offen_ = Zahlungen(db_).offenerBetrag(reNummer);
    datum = dates::longDate(Clock::current().today());
}

QStringList AbrechnenLogik::zahlarten() const { return Zahlungen(db_).zahlarten(); }

bool AbrechnenLogik::ok() {
    const auto tag = dates::parse(datum.trimmed());
    if (!tag) {
        dialogs_.message(QStringLiteral("Bitte überprüfen Sie das Datum."), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    // The amount is read again: another workstation may have booked a payment meanwhile.
    offen_ = Zahlungen(db_).offenerBetrag(reNummer_);
    if (offen_ != 0) clsRechnungAbrechnen(db_).Bezahlen(false, *tag, zahlart, reNummer_, belegung_, offen_);
    return true;
}

bool AbrechnenLogik::zahlartEingabe(const QString& text) { return zahlartListe::eingabe(db_, text); }

bool AbrechnenLogik::zahlartEntfernen(const QString& text) {
    if (!zahlartListe::entfernen(db_, dialogs_, text)) return false;
    if (zahlart == text) zahlart.clear();
    return true;
}

}  // namespace tav
