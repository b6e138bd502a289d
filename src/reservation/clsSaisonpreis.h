#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tav {

class Database;
class Dialogs;

// One row of the season breakdown.
struct SaisonAnteil {
    QString name;
    int naechte = 0;
    double preis = 0;   // per night
    double betrag = 0;  // nights × price
};

// The state of the seasonal-price button and the two price boxes of the reservation form.
struct PreisBoxen {
    QString tarif;             // cboTarif
    QString gesamt;            // fldPreis
    bool saisonpreis = false;  // cmdSaisonpreis is green
};

// Seasonal prices: the season of a day, a room's price for a season, and the price of a stay
// night by night with its breakdown into the four seasons and the nights outside any season.
class clsSaisonpreis {
public:
    static inline const QStringList kSaisons = {QStringLiteral("Hauptsaison"), QStringLiteral("Zwischensaison"),
                                                QStringLiteral("Nebensaison"), QStringLiteral("Sondersaison")};
    static inline const QString kOhneSaison = QStringLiteral("Ohne Saison");
    static inline const QString kFarbeGruen = QStringLiteral("#95ffad");  // red 149, green 255, blue 173

    clsSaisonpreis(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) { leeren(); }

    // The total price of the stay in the given room (0 when the master data do not suffice);
    // fills the breakdown. With meldungen the found seasons or the missing data are shown.
    double Saisonpreis_Ausrechnen(int zimmer, const QDate& anreise, const QDate& abreise, bool meldungen);
    // "Hauptsaison", "Zwischensaison", "Nebensaison", "Sondersaison", "Ohne Saison", in this order.
    const std::array<SaisonAnteil, 5>& aufteilung() const { return aufteilung_; }
    // The message lines of the last computation ("2 Nächte Hauptsaison, Preis: 80,00 pro Nacht").
    const QStringList& zeilen() const { return zeilen_; }

    // The season the night of d belongs to; empty text outside every season.
    QString SaisonVonTag(const QDate& d) const;
    // The room's price per night in a season: the season price, else PreisDefault, else 0.
    // The empty name gives PreisDefault (or 0).
    double ZimmerpreisFürSaison(int zimmer, const QString& saison) const;
    // True when the room has none of the four season prices.
    bool OhneSaisonpreise(int zimmer) const;

    // cmdSaisonpreis. Not green: with valid dates and a room, computes the seasonal price with
    // messages; a result other than 0 goes into the total, empties the tariff and turns the
    // button green. Green: the room's price per night goes back into the tariff box and the
    // total is tariff × nights; the button turns back. Returns true when the boxes changed.
    bool cmdSaisonpreis(PreisBoxen& boxen, int zimmer, const QString& von, const QString& bis);
    // After loading a booking or editing tariff or total: the button is green when the silent
    // seasonal price is not 0 and equals the total.
    bool istSaisonpreis(int zimmer, const QString& von, const QString& bis, const QString& gesamt);

private:
    void leeren();

    Database& db_;
    Dialogs& dialogs_;
    std::array<SaisonAnteil, 5> aufteilung_;
    QStringList zeilen_;
};

}  // namespace tav
