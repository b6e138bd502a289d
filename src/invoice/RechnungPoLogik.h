#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "invoice/Dokumentausgabe.h"

namespace tav {

class Database;
class Dialogs;

// One row of the list of entries: a booking (its nights) or an extra item of tbRePosten.
struct PoZeile {
    bool buchung = true;  // a booking row; otherwise an item row
    int id = 0;           // tblBelegung.ID or tbRePosten.IDRePosten
    int buchungId = 0;    // the booking the row belongs to
    QString nummer;       // BelegNummer_eigen, otherwise the room's display number
    QString artikel;      // the night text of a booking, the article of an item
    double menge = 0;
    double einzelpreis = 0;
    double gesamt = 0;
    std::optional<double> mwst;  // the rate of an item's VAT key
    int mwstSchluessel = 0;
    QString bemerkung;
    QString gast;
    int adressId = 0;  // the invoice address
    QString adresse;   // its last name
    QString zustand;   // "Ja", "Nein", "Warten"
    QDate datum;
    QDate bis;
    int gaeste = 0;
    bool keinDatum = false;
    bool geteilt = false;      // a booking split into night items
    bool nachtPosten = false;  // a night item of a split booking

    // The 16 cells of the list in column order.
    QStringList zellen() const;
};

// The fields of an item as the user typed them.
struct PostenEingabe {
    QString artikel;
    QString menge;
    QString preis;           // unit price including VAT
    int mwstSchluessel = 0;  // 0 = none chosen from the list
    QString bemerkung;
    QString datum;
    QString datumBis;
    bool bisInGebrauch = false;   // the date-to field belongs to the item (a period)
    bool zeitraumNoetig = false;  // date and date-to must differ
    bool keinDatum = false;
    QString gaeste;
};

// The editor frmRechnungPo as logic: the entries of a booking (and of its block), extra items,
// invoice addresses, the states "Ja"/"Nein"/"Warten", split bookings, and the documents made
// from them.
class RechnungPoLogik {
public:
    enum class Modus { Rechnung, Angebot };
    // Writes and merges the data files of the document with this key; false after a message.
    using Ausgabe = std::function<bool(int reNummer, Dokumentart art)>;

    static inline const QString kTitelVerwalten = QStringLiteral("Rechnungen verwalten");
    static inline const QString kAuswahl = QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste.");
    static inline const QString kKeineAuswahl = QStringLiteral("Wählen Sie zunächst einen Eintrag aus der Liste.");
    static inline const QString kNichtLoeschbar = QStringLiteral("Eine Übernachtung kann an dieser Stelle nicht gelöscht werden.");
    static inline const QString kAbgerechnetLoeschen =
        QStringLiteral("Dieser Posten wurde bereist abgerechnet. Stornieren SIe zunächst die Rechnung.");
    static inline const QString kAbgerechnetAendern =
        QStringLiteral("Dieser Posten wurde bereits abgerechnet. Zum Ändern stornieren Sie zunächst die Rechnung.");
    static inline const QString kLoeschenFrage = QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden");
    static inline const QString kTeilenTitel = QStringLiteral("Reservierung teilen");
    static inline const QString kKeineTeilung = QStringLiteral("Es wurde keine Teilung vorgenommen.");
    static inline const QString kNichtGeteilt = QStringLiteral("Diese Reservierung ist nicht aufgeteilt.");
    static inline const QString kDatumPruefen = QStringLiteral("Bitte überprüfen Sie das Datum.");
    static inline const QString kStatusTitel = QStringLiteral("Datenpflege");
    static inline const QString kVorgabeTitel = QStringLiteral("Vorgabe beim Öffnen");

    RechnungPoLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // Offer mode for a booking of the offer kind, else invoice mode.
    static Modus modusDerBuchung(Database& db, int buchungId);

    // Laden: the lists, the remembered choices, today as document date and the entries.
    void laden(int buchungId, Modus modus, const QDate& heute);
    Modus modus() const { return modus_; }
    int buchungId() const { return buchungId_; }
    QString adressTitel() const;
    QString belegTitel() const;

    // ---- the lists ----
    struct Wahl {
        int id = 0;
        QString text;
    };
    // The invoice addresses: on opening those of the entries; every address (by last name)
    // once alleAdressenLaden() ran, which the window does when the user opens the box.
    const QList<Wahl>& adressen() const { return adressen_; }
    bool alleAdressen() const { return alleAdressen_; }
    void alleAdressenLaden();
    const QList<Wahl>& mwstListe() const { return mwstListe_; }  // keys valid today, text "19%"
    const QStringList& artikelListe() const { return artikel_; }
    const QStringList& zahlarten() const { return zahlarten_; }
    const QStringList& rabattTexte() const { return rabattTexte_; }
    const QStringList& rabattBetraege() const { return rabattBetraege_; }

    // ---- the entries ----
    // Reads the entries anew: the booking alone, or every booking of its block.
    void eintraegeLaden();
    const QList<PoZeile>& zeilen() const { return zeilen_; }
    bool nurBuchung = true;  // AuchBlock "Ja": only the booking; otherwise the whole block
    // The block members in their order (master first, then room and arrival); the booking
    // itself when it belongs to no block.
    QList<int> blockBuchungen() const;

    // Only the extra items of the booking: its room is billed through its block.
    bool nurZusatzposten = false;

    static const QStringList& spaltenTitel();  // the 16 captions
    QList<bool> spaltenSichtbar() const;       // Rechnungsspalten F1 … F16
    void spaltenSpeichern(const QList<bool>& sichtbar);

    // ---- remembered choices ----
    struct Vorgabe {
        bool anzahlung = false;  // RechnungAnzahlung
        int berechnung = 0;      // RechnungAnzBerechnung: 0 arrival date, 1 document date, 2 split
        bool nurBuchung = true;  // AuchBlock
    };
    Vorgabe vorgabe() const;
    void vorgabeAnzahlung(bool ja);
    void vorgabeBerechnung(int modus);
    void vorgabeNurBuchung(bool ja);

    // ---- items ----
    // Article defaults from tbArtKategorie: price, VAT key, remark; price 0 for an unknown text.
    struct Artikelvorgabe {
        double preis = 0;
        int mwstSchluessel = 0;
        QString bemerkung;
        bool keinDatum = false;
    };
    Artikelvorgabe artikel(const QString& text) const;
    bool artikelEntfernen(const QString& text);  // F2 in the article box, after the question
    bool artikelSpeichern(const PostenEingabe& e);
    // The total of quantity × unit price, "#,##0.00"; empty when either does not read.
    static QString gesamtText(const QString& menge, const QString& preis);
    // The date moved by "+" or "-", or the text itself.
    static QString datumTaste(const QString& datum, QChar taste);

    // cmdSpeichern: a new item (idPosten 0) or a change; the checks in their order. The
    // item's key, or nullopt after a message (nothing written).
    std::optional<int> postenSpeichern(int idPosten, const PostenEingabe& e, int adressId);
    // cmdLöschen on a row.
    bool loeschen(const PoZeile& z);

    // cboAbgerechnet: "Ja", "Nein" or "Warten" after the warnings.
    bool zustandSetzen(const PoZeile& z, const QString& zustand);
    // cmdAdressZU: the invoice address of the rows; settled rows are skipped.
    bool adresseZuordnen(const QList<PoZeile>& auswahl, int adressId);
    // mnuBezÄndern: the night text of a booking (Re_text); empty restores the default.
    bool nachttextAendern(int buchungId, const QString& text);

    // ---- split ----
    bool teilen(int buchungId);  // asks for the number of parts
    bool teilungAufheben(int buchungId);

    // ---- documents ----
    struct Belegdaten {
        int adressId = 0;
        QString datum;        // txtDatumRechnung
        QString nummerEigen;  // txtReNummer_Eigen
        QString zahlart;
        QString reText;
        QString rabattText;
        QString rabattBetrag;  // "10%" a percentage, otherwise an amount
        bool anzahlung = false;
        int berechnung = 0;
    };
    // cmdDrucken, cmdAngebot and the confirmation: the rows of the address in state "Nein"
    // become a document of that kind, which is then written out. The key; nullopt after a
    // message or when the user stopped.
    std::optional<int> drucken(Dokumentart art, const Belegdaten& d, const Ausgabe& ausgabe);
    // Prints the document of a row again: totals and discount written anew.
    std::optional<int> nochmalDrucken(const PoZeile& z, const Belegdaten& d, const Ausgabe& ausgabe);
    // cmdEinzelRechnung in its cancel role.
    bool stornieren(const PoZeile& z);
    // Removes the payments of the row's document (or of its booking without one).
    bool zahlungenStornieren(const PoZeile& z);
    // mnuStatus.
    int statusPruefen();
    // The document that covers the row.
    std::optional<int> dokumentDerZeile(const PoZeile& z);
    // cmdBezahlen green (paid) or red: the row's document is paid in full.
    bool bezahlt(const PoZeile& z);
    // The printed number is free; the next free printed number of the kind on that date.
    bool nummerFrei(const QString& text, int reNummer);
    QString naechsteNummer(Dokumentart art, const QString& datum);

private:
    static QString zustandText(int abgerechnet);
    std::optional<double> rabattLesen(const QString& text, bool* prozent) const;
    QString nachttext(int naechte) const;

    Database& db_;
    Dialogs& dialogs_;
    Modus modus_ = Modus::Rechnung;
    int buchungId_ = 0;
    QDate heute_;
    QList<Wahl> adressen_;
    bool alleAdressen_ = false;
    QList<Wahl> mwstListe_;
    QStringList artikel_;
    QStringList zahlarten_;
    QStringList rabattTexte_;
    QStringList rabattBetraege_;
    QList<PoZeile> zeilen_;
};

}  // namespace tav
