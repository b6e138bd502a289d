#include "payment/ZahlungAdrLogik.h"

#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/Abrechnungsbericht.h"
#include "store/Parameter.h"

namespace tav {

ZahlungAdrLogik::ZahlungAdrLogik(Database& db, Dialogs& dialogs, int adresse) : db_(db), dialogs_(dialogs), konto_(db, adresse) {
    weitere_ = Parameter(db_).readYesNo(kVorgabe);
    fuellen(Reservierungen);
}

QString ZahlungAdrLogik::ueberschrift() const {
    return QStringLiteral("Reservierungen, Rechnungen, Zahlungen, nicht abgerechnete Posten für:") + QLatin1Char('\n') + konto_.anschrift();
}

void ZahlungAdrLogik::setWeitere(bool an) {
    weitere_ = an;
    fuellen(Reservierungen);
}

void ZahlungAdrLogik::vorgabeSpeichern() { Parameter(db_).saveYesNo(kVorgabe, weitere_ ? 1 : 0); }

bool ZahlungAdrLogik::tabWechseln(int neu) {
    if (neu == tab_) return true;
    if (weitere_ && neu != Reservierungen) {
        dialogs_.message(QStringLiteral("Wenn auch weitere Personen angezeigt werden, können keine weiteren Registerkarten angezeigt "
                                        "werden."),
                         {}, Buttons::Ok, Icon::Information);
        return false;
    }
    fuellen(neu);
    tab_ = neu;
    return true;
}

void ZahlungAdrLogik::fuellen(int tab) {
    switch (tab) {
        case Reservierungen: reservierungen_ = konto_.reservierungen(weitere_); return;
        case Rechnungen: rechnungen_ = konto_.rechnungen(); return;
        case Zahlungen:
            zahlungenMit_ = konto_.zahlungenMitRechnung();
            zahlungenOhne_ = konto_.zahlungenOhneRechnung();
            return;
        case Offen: offen_ = konto_.offenePosten(); return;
        default: return;
    }
}

bool ZahlungAdrLogik::moeglich(Eintrag e, const KontoZeile* z) const {
    switch (e) {
        case Eintrag::StatusAbgerechnet: return adresse() != 0;
        case Eintrag::Reservierung: return z && z->buchung != 0 && tab_ != Rechnungen;
        case Eintrag::Rechnungsuebersicht: return z && ((tab_ == Rechnungen && z->rechnung != 0) || (tab_ == Offen && z->buchung != 0));
        case Eintrag::Zahlungsuebersicht: return z && ((tab_ == Zahlungen && z->zahlung != 0) || (tab_ == Rechnungen && z->rechnung != 0));
    }
    return false;
}

bool ZahlungAdrLogik::statusKorrektur() {
    if (adresse() == 0) {
        dialogs_.message(QStringLiteral("Wählen Sie zunächst eine Adresse aus."), {}, Buttons::Ok, Icon::Information);
        return false;
    }
    const QString eingabe =
        dialogs_
            .input(QStringLiteral("Die Korrekturen sind nötig, um Daten aus früheren Versionen des Tavomeras anzupassen.") +
                       QLatin1Char('\r') +
                       QStringLiteral("Mit diesem Vorgang erhalten Reservierungen und Zusatzposten mit dieser Adresse den Status "
                                      "'Abgerechnet', damit die Kontrollanzeige für 'Abgerechnet' im Übersichtsformular korrekt "
                                      "arbeitet. ") +
                       QLatin1Char('\r') +
                       QStringLiteral("Sollen alle Reservierungen und deren Zusatzposten, deren Anfangsdatum mehr als (Angabe in Tagen) "
                                      "zurückliegt, auf 'Abgerechnet' gesetzt werden?"),
                   QStringLiteral("Korrektur vorhandener Reservierungsdaten"), QStringLiteral("30"))
            .trimmed();
    if (eingabe.isEmpty()) return false;
    bool zahl = false;
    const int tage = eingabe.toInt(&zahl);
    if (!zahl || tage < 0) {
        dialogs_.message(QStringLiteral("Geben Sie eine Anzahl Tage ein."), {}, Buttons::Ok, Icon::Information);
        return false;
    }
    const QDate grenze = Clock::current().today().addDays(-tage);
    int buchungen = 0, posten = 0;
    {
        Transaction t(db_, QStringLiteral("tblBelegung"));
        buchungen = db_.execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE GastID = ? AND Von < ? AND (Abgerechnet <> 1 "
                                               "OR Abgerechnet Is Null)"),
                                {adresse(), grenze});
        posten = db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDAdressePo = ? AND (AbgerechnetPo <> 'Ja' "
                                            "OR AbgerechnetPo Is Null) AND IDBelegung IN (SELECT ID FROM tblBelegung WHERE Von < ?)"),
                             {adresse(), grenze});
        t.commit();
    }
    const QString text = abrechnungsbericht(buchungen, posten);
    dialogs_.message(text, {}, Buttons::Ok, Icon::Information);
    fuellen(Offen);
    return buchungen + posten > 0;
}

}  // namespace tav
