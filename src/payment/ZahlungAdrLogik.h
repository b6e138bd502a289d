#pragma once

#include <QString>

#include "payment/AdressKonto.h"

namespace tav {

class Database;
class Dialogs;

// The account of one address (frmZahlungAdr) as logic: the caption, the option "Weitere
// Personen berücksichtigen" with its stored default, the tab change, the grids' rows and
// sums, which menu entry fits the tab and the chosen row, and the correction of old
// reservations with its questions.
class ZahlungAdrLogik {
public:
    enum Tab { Reservierungen = 0, Rechnungen = 1, Zahlungen = 2, Offen = 3 };
    enum class Eintrag { Reservierung, Rechnungsuebersicht, Zahlungsuebersicht, StatusAbgerechnet };
    static inline const QString kVorgabe = QStringLiteral("Vorgabe_Weitere");

    // Reads the stored default of the option and fills the bookings.
    ZahlungAdrLogik(Database& db, Dialogs& dialogs, int adresse);

    int adresse() const { return konto_.adresse(); }
    AdressKonto& konto() { return konto_; }
    // "Reservierungen, Rechnungen, Zahlungen, nicht abgerechnete Posten für:" + line break + address.
    QString ueberschrift() const;

    bool weitere() const { return weitere_; }
    // chWeitere changed: the bookings are read again.
    void setWeitere(bool an);
    // "als &Vorgabe speichern": stores the option's state as the default of the next opening.
    void vorgabeSpeichern();

    int tab() const { return tab_; }
    // Another tab chosen: refused (with its message) while further persons are shown and the
    // target is not the first tab; otherwise the target tab is filled. False: stay.
    bool tabWechseln(int neu);
    // Reads the rows of a tab again (after a window opened from it closed).
    void fuellen(int tab);

    const QList<KontoZeile>& reservierungen() const { return reservierungen_; }
    const AdressKonto::Rechnungen& rechnungen() const { return rechnungen_; }
    const QList<KontoZeile>& zahlungenMit() const { return zahlungenMit_; }
    const QList<KontoZeile>& zahlungenOhne() const { return zahlungenOhne_; }
    const QList<KontoZeile>& offen() const { return offen_; }

    // The sum fields ("#,##0.00"), "0,00" while nothing was read.
    QString summeBelegungen() const { return geld::text(AdressKonto::summe(reservierungen_)); }
    QString summeRechnung() const { return geld::text(rechnungen_.summe); }
    QString summeZahlRechnung() const { return geld::text(rechnungen_.gezahlt); }
    QString differenz() const { return geld::text(rechnungen_.differenz()); }
    QString summeZahlungRechnung() const { return geld::text(AdressKonto::summe(zahlungenMit_)); }
    QString summeZahlungOhne() const { return geld::text(AdressKonto::summe(zahlungenOhne_)); }
    QString summeOffen() const { return geld::text(AdressKonto::summe(offen_)); }

    // Whether the entry fits the current tab and the chosen row (nullptr: none chosen).
    bool moeglich(Eintrag e, const KontoZeile* gewaehlt) const;

    // "&Status Abgerechnet für alte Reservierungen ändern": asks for the days, sets the older
    // bookings of the guest and the items of the address to settled, reports the counts, and
    // reads the open items again. True when something changed.
    bool statusKorrektur();

private:
    Database& db_;
    Dialogs& dialogs_;
    AdressKonto konto_;
    bool weitere_ = false;
    int tab_ = Reservierungen;
    QList<KontoZeile> reservierungen_;
    AdressKonto::Rechnungen rechnungen_;
    QList<KontoZeile> zahlungenMit_;
    QList<KontoZeile> zahlungenOhne_;
    QList<KontoZeile> offen_;
};

}  // namespace tav
