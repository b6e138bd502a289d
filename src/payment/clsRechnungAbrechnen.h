#pragma once

#include <QDate>
#include <QString>

#include "store/Geld.h"

namespace tav {

class Database;

// Settlement of a document, keyed by its ReNummer: its settled state, its payment kind, the
// old paid date, the full payment (or removing all its payments), and the lists of its
// payments and bookings.
class clsRechnungAbrechnen {
public:
    explicit clsRechnungAbrechnen(Database& db) : db_(db) {}

    // Whether the document's bookings (Abgerechnet = 1) and items (AbgerechnetPo = "Ja") are
    // settled; false for a document without links.
    bool RechnungIstAbgerechnet(int reNummer) const;
    QString RechnungZahlart(int reNummer) const;
    bool RechnungBezahlt(int reNummer) const;
    // Books the open amount (betrag 0) or the given amount as one "Gesamtzahlung", or with
    // loeschen removes every payment of the document. Returns the amount booked.
    geld::Cent Bezahlen(bool loeschen, const QDate& datum, const QString& zahlart, int reNummer, int belegung, geld::Cent betrag = 0);
    QString BisHerigeZahlungen(int belegung) const;
    QString BisHerigeZahlungenProRechnung(int reNummer, geld::Cent* summe = nullptr) const;
    // "12, 14, 15": the bookings linked to the document (block bookings ordered by their Master
    // flag) and those behind its night items.
    QString AlleIDBelegungenEinerRechnung(int reNummer) const;

private:
    Database& db_;
};

}  // namespace tav
