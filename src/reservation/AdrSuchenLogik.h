#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace tav {

class Database;
class Dialogs;

// The fields the quick address search looks in (chNachname, chVorname, chStrasse, chOrt).
struct SuchFelder {
    bool nachname = false;
    bool vorname = false;
    bool strasse = false;
    bool ort = false;
    bool operator==(const SuchFelder&) const = default;
};

// One row of the result grid.
struct AdrTreffer {
    int id = 0;
    QString nachname, vorname, strasse, ort;
};

// What cmdResOeffnen leads to.
struct ResOeffnen {
    enum class Ziel { Nichts, Reservierung, Uebersicht };
    Ziel ziel = Ziel::Nichts;
    int buchungId = 0;  // for Reservierung
};

// The quick address search frmAdrSuchen as logic: the search over the ticked fields, the
// saved field defaults, and where "Reservierung öffnen" leads for an address.
class AdrSuchenLogik {
public:
    static constexpr int kMindestLaenge = 2;  // searching starts with the second character
    static constexpr int kTage = 32;          // arrivals less than this many days away count

    AdrSuchenLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // With no field ticked the search looks in the last name: a search always has a field.
    static SuchFelder wirksam(const SuchFelder& felder);
    // The field defaults: settings "Such_Nachname", "Such_Vorname", "Such_Strasse", "Such_Ort";
    // none set (a new database) ticks the last name.
    SuchFelder vorgaben() const;
    // cmdVorgabe: saves the current ticks as the defaults.
    void vorgabenSpeichern(const SuchFelder& felder);

    // The addresses with a ticked field starting with the word, by last name; with no field
    // ticked, the last name; nothing for a word shorter than two characters.
    QList<AdrTreffer> suchen(const QString& wort, const SuchFelder& felder) const;

    // The bookings of the address (as guest or invoice address) arriving less than 32 days
    // before or after today.
    QList<int> buchungenNahe(int adressId) const;
    bool hatBuchungen(int adressId) const;
    // cmdResOeffnen: one near booking opens it; several, or none while the address has other
    // bookings, open the account overview; an address without any booking asks first.
    // Without the overview (uebersichtDa false) nothing is asked: the first near booking opens,
    // and without one the user is told so.
    ResOeffnen resOeffnen(int adressId, bool uebersichtDa = true);

    // Arrival and departure of a new booking from the search: today and tomorrow.
    static QDate neueAnreise();
    static QDate neueAbreise();

    // Said when a button needs an address and no row is chosen.
    void keineAdresseGewaehlt();

private:
    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
