#pragma once

#include <QDate>
#include <QList>
#include <QString>

class QObject;

namespace tav {

// The windows one subsystem opens in another. A window never includes another subsystem's
// windows: it asks this service, which app/ fills in with the windows that exist. An entry
// whose window is not there is disabled, and no question is asked whose Yes would need it.
enum class Ziel {
    Reservierung,     // frmReservierung: new and existing bookings, the last booking
    Rechnungen,       // invoice overview of a booking
    Zahlungen,        // payments of a booking
    Adresskonto,      // account of an address
    Adresssuche,      // quick address search
    Buchungsliste,    // frmSuchen
    Einstellungen,    // frmParameter
    Saisonzeiten,     // frmSaison
    Saisonpreise,     // frmSaisonpreise
    Datensicherung,   // frmDatensicherung; its backup also runs without the window (datenSichern)
    Feiertage,        // frmFeiertag
    RechnungOeffnen,  // one invoice found by its running number
    Abreiseliste,     // the departures of one day
    Abrechnen,        // frmAbrechnen: the open amount of one invoice (nummer), for a booking
    Artikel,          // frmArtikel
    Mehrwertsteuer,   // frmMwSt
    Rechnungsposten,  // the check-out extras of a booking's document: buchungId, the title in text
};

// What the caller hands to the window it opens; each window reads the fields it needs.
struct Aufruf {
    int buchungId = 0;      // an existing booking
    int adressId = 0;       // an address (account, new booking for a guest)
    int zimmerZeile = 0;    // the room row of a new booking
    int zimmerNummer = 0;   // the room of a new booking, the room whose prices are edited
    int belegungsart = -1;  // booking kind chosen for a new booking; -1 = none chosen
    int nummer = 0;         // a running number (the invoice searched for); an invoice's ReNummer
    QDate anreise;          // arrival of a new booking, or the day a list is for
    QDate abreise;          // departure of a new booking
    bool neueBuchung = false;
    QDate warteTag;             // the night of the waiting row whose bookings are opened
    QList<int> warteBuchungen;  // those bookings, in browse order
    // The first letter of a search; the settings page: "Allgemein", "Farben", "Zimmer",
    // "ZusatzspaltenEinrichten", "ZusatzspaltenZuordnen"; "Reservierung" when the invoice items
    // are opened from the reservation form.
    QString text;
};

struct Uebergabe;

// The plan's hand-over variables travel as an Aufruf and become the hand-over again in the
// window that is opened; the same fields in both directions.
Aufruf aufrufAus(const Uebergabe& u);
Uebergabe uebergabeAus(const Aufruf& a);

class Fenster {
public:
    virtual ~Fenster() = default;
    // Whether the window behind ziel exists in this program.
    virtual bool vorhanden(Ziel ziel) const = 0;
    // Opens the window modally over eltern (a widget, or nullptr) and returns when it closed;
    // the caller reloads what it shows. Does nothing when the window is not there.
    virtual void oeffnen(Ziel ziel, const Aufruf& aufruf, QObject* eltern) = 0;
    // The backup of every database file without its window (asked for when the program closes
    // and before old bookings are deleted): the folder written to, or empty text when it
    // failed. Asked only when vorhanden(Ziel::Datensicherung).
    virtual QString datenSichern() { return {}; }
};

}  // namespace tav
