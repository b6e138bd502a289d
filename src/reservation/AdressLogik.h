#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "reservation/AdressTeil.h"

namespace tav {

class Database;
class Dialogs;

// What the address part needs to know about the installation it runs in.
struct AdressUmgebung {
    // Installation slot: 0 writes BenutztVon1/Herkunft1, 1 writes BenutztVon3/Herkunft3,
    // 2 writes BenutztVon4/Herkunft4.
    int instanz = 0;
    QString programmName = QStringLiteral("Tavomera");  // written into the usage and origin marks
    QString programmordner;                             // receives the address data file adresse.doc
    QString plzDatei;                                   // Feiertag.mdb, which holds tbPLZ
    bool stammkundenVorgabe = false;                    // "Stammkunden": regular-guest box of a new address

    // The values of the running program (instance, title, program folder, settings).
    static AdressUmgebung ausVariablen();
};

// Whether the address fields can be typed in, and what saving them does.
enum class AdressModus {
    Anzeigen,  // read-only: an address was chosen (or nothing yet)
    Neu,       // cmdNeuAdress: saving adds a row
    Aendern,   // cmdEditAdress: saving changes the chosen row (or adds one when none is chosen)
};

// The address part of the reservation form as plain texts.
struct AdressFelder {
    QString nachname, vorname, strasse, plz, ort, land, telefon, fax, email, anrede, firma, bemerkung;
    bool stammkunde = false;  // chStammkunde
    int id = 0;               // the hidden address ID; 0 = no address chosen
    AdressModus modus = AdressModus::Anzeigen;
    bool geaendert = false;  // the address-changed marker
};

enum class AdressFeld { Nachname, Vorname, Strasse, Plz, Ort, Land, Telefon, Fax, Email, Anrede, Firma, Bemerkung };

// One entry of the guest box and the invoice-address box.
struct AdressEintrag {
    int id = 0;
    QString nachname;
    QString text;  // "Lastname, Firstname, postalcode city"
};

struct ListenEintrag {
    int id = 0;
    QString text;
};

struct PlzOrt {
    QString ort;
    QString plz;
};

// Guest addresses: the address part of the reservation form (finding while typing, new and
// changed addresses, saving, the country and salutation lists, the postcode lookup, deleting),
// the usage and origin marks each installation keeps on an address, the address data file
// for the word processor, and the correction of old bookings of one address.
// The form shows felder() and forwards its keys and clicks here.
class AdressLogik : public QObject, public AdressTeil {
    Q_OBJECT
public:
    static inline const QString kDeutschland = QStringLiteral("Deutschland");
    static inline const QString kDateiname = QStringLiteral("adresse.doc");
    static inline const QString kKopfzeile = QStringLiteral("Name;Vorname;Telefon;Fax;Strasse;PLZ;Ort;Land;Bemerkungen;Email;Anrede;Firma");

    AdressLogik(Database& db, Dialogs& dialogs, AdressUmgebung umgebung, QObject* parent = nullptr);

    const AdressUmgebung& umgebung() const { return umgebung_; }
    void setStammkundenVorgabe(bool ja) { umgebung_.stammkundenVorgabe = ja; }

    // ---- the fields ----
    const AdressFelder& felder() const { return felder_; }
    QString feld(AdressFeld f) const;
    // A typed text: stores it and sets the changed marker.
    void setFeld(AdressFeld f, const QString& text);
    void setStammkunde(bool ja);
    // The fields are read-only until cmdEditAdress or cmdNeuAdress.
    bool felderGesperrt() const { return felder_.modus == AdressModus::Anzeigen; }
    // Empties every field; the country becomes "Deutschland".
    void leeren();

    // ---- lists ----
    // The entries of cboGastNeu and cboAdrRechnung, sorted by last name.
    static QList<AdressEintrag> adressListe(Database& db);
    QList<ListenEintrag> laender() const;
    QStringList anreden() const;

    // ---- finding while typing in cboGastNeu ----
    // "~", "'" and ";" are not taken into the guest box.
    static bool tasteErlaubt(QChar c);
    // Searches the typed text as a lower-case prefix of the last name and loads the first hit;
    // returns its ID. When nothing matches, the fields are emptied and the user is asked
    // whether to create a new address (OK switches to new-address mode with the text as last
    // name); after Cancel the question is not repeated while the same name is typed on or
    // shortened. While a new or changed address is being typed, the text only becomes the last name.
    int tippen(const QString& text);
    // Arrow down / up: the next or previous hit of the last search; 0 when there is none.
    int naechsterTreffer();
    int vorigerTreffer();
    // Every hit of the last search, by last name.
    const QList<int>& treffer() const;
    // Loads an address with its country and salutation; false when it does not exist.
    bool laden(int id);

    // ---- the invoice-address box ----
    // Typing selects the first address whose last name starts with the text (0 when none).
    int rechnungsadresseTippen(const QString& text);
    // Right mouse button: the chosen invoice address becomes the guest address too.
    bool rechnungsadresseAlsGast();

    // ---- the address program ----
    // timeAdresse found a different address chosen in the address program: offers it
    // ("Adresse übernehmen?") for the guest box, or for the invoice-address box when that had
    // the focus. Returns true when it was taken over.
    bool adresseUebernehmen(int id, bool rechnungsadresseHatFokus);

    // ---- modes and saving ----
    // "Adresse ändern": false (with its message) when no address is chosen.
    bool cmdEditAdress();
    // New address: fields emptied, country "Deutschland", regular-guest box from "Stammkunden".
    void cmdNeuAdress(const QString& nachname = {});
    // Saves the address part; shows its own message and returns false when it cannot.
    bool AdressSpeichern();
    // Leaving a text field: an odd number of double quotes gets one more at the end.
    void feldVerlassen(AdressFeld f);
    static QString anfuehrungszeichenAusgleichen(const QString& text);

    // ---- postcode lookup (tbPLZ in Feiertag.mdb) ----
    // Leaving the postcode with an empty place: the places whose postcode starts with it.
    // A single place is taken at once.
    QList<PlzOrt> plzVerlassen();
    // A place chosen from the lookup: an incomplete postcode is completed with the place's.
    void ortGewaehlt(const QString& ort);
    QList<PlzOrt> orteFuerPlz(const QString& plz) const;

    // ---- pick lists ----
    // Enter in cboLand: adds a country that is not listed; returns the country's ID (0 for an empty text).
    int landEnter(const QString& text);
    // F2 in cboLand: removes the country after asking, unless an address still uses it.
    bool landEntfernen(int landId);
    // Enter in the salutation box: adds a salutation that is not listed.
    void anredeEnter(const QString& text);
    // F2 in the salutation box: removes the salutation after asking, unless an address uses it.
    bool anredeEntfernen(const QString& text);

    // ---- deleting and usage marks ----
    // F2 in the guest box: deletes the address after asking, when nothing refers to it any more.
    bool adresseLoeschen(int id);
    // Sets or clears this installation's usage mark (and sets the origin mark once).
    // Clearing leaves the mark while the address is still the guest of a booking.
    void AdresseBenutzt(int id, bool setzen);
    // Clears this installation's usage mark on every address that is the guest of no booking;
    // returns how many marks were cleared.
    int AdressenOhneBelegung();
    // The same for the database reorganisation, which has no address part at hand.
    static int AdressenOhneBelegung(Database& db, int instanz);
    // True when the address is free: no booking, invoice, address link, invoice item or further
    // guest refers to it. (Despite its name, false means "still in use".)
    bool AdresseInGebrauch(int id) const;

    // ---- lookups and files ----
    // The ID of the first address by last name whose last name starts with sName (in lower
    // case); 0 when none.
    int AdrSuchen(const QString& sName) const;
    QList<int> alleTreffer(const QString& sName) const;
    bool AdrSuchenID(int id) const;
    // Writes the address data file (header and one data line) for an address into a folder;
    // returns the file's path, or an empty text when it could not be written.
    QString Adress_Export(int id, const QString& sPfad) const;

    // The data correction for old bookings of one address (mnuStatus).
    void AlteReservierungenAendern(int id);

    // ---- AdressTeil: what the booking save uses ----
    QString land() const override { return felder_.land; }
    bool adressSpeichern() override { return AdressSpeichern(); }
    int gastId() const override { return felder_.id; }
    int rechnungsadresseId() const override { return rechnungId_; }
    void setRechnungsadresse(int addressId) override;
    void adresseBenutzt(int addressId, bool setzen) override { AdresseBenutzt(addressId, setzen); }

signals:
    // The fields (or the mode) changed: the form shows felder() again.
    void felderGeaendert();
    // Rows of the address table were added, changed or deleted: the address boxes reload.
    void adressenGeaendert();
    void laenderGeaendert();

private:
    QString& ref(AdressFeld f);
    static QString benutztFeld(int instanz);
    static QString herkunftFeld(int instanz);
    int listenId(const QString& sql, const QString& text) const;

    Database& db_;
    Dialogs& dialogs_;
    AdressUmgebung umgebung_;
    AdressFelder felder_;
    int blaettern(int schritt);

    QString suchtext_;
    // The typed name for which the user answered Cancel to "Neue Adresse anlegen?".
    QString abgelehnterName_;
    mutable std::optional<QList<int>> treffer_;
    int rechnungId_ = 0;
    QList<PlzOrt> plzOrte_;
};

}  // namespace tav
