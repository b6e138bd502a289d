#include "invoice/Belegdruck.h"

#include "engine/Database.h"
#include "invoice/Rechnungsdruck.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

namespace tav {

QString Belegdruck::drucken(int reNummer, Dokumentart art, bool ohneVerpflegung, Detailergebnis* ergebnis) {
    Rechnungsdruck druck(db_, dialogs_);
    const std::optional<Briefdaten> b = druck.briefdaten(reNummer);
    if (!b) {
        dialogs_.message(QStringLiteral("Das Dokument mit dem Schlüssel %1 gibt es nicht.").arg(reNummer));
        return {};
    }
    Steuerschluessel steuer(db_, dialogs_);
    Rechnungsdetail detail(db_, dialogs_, steuer, saisonaufteilung(db_, dialogs_));
    Rechnungsdetail::Optionen o;
    o.ohneVerpflegung = ohneVerpflegung;
    const Detailergebnis e = detail.Reservierungsdetail(reNummer, o);
    if (ergebnis) *ergebnis = e;

    QString fehler;
    if (!Briefdatei::datei(*b).save(files::join(ordner_, Briefdatei::kDateiname), &fehler) ||
        !ReDetailDatei::schreiben(ordner_, druck.beschriftung(), e.zeilen, &fehler)) {
        dialogs_.message(fehler.isEmpty() ? QStringLiteral("Die Daten des Dokuments konnten nicht geschrieben werden.") : fehler);
        return {};
    }
    const MergeResult m = Dokumentausgabe::ausgeben(art, ordner_);
    if (!m.ok) {
        dialogs_.message(m.message);
        return {};
    }
    return m.pdf;
}

}  // namespace tav
