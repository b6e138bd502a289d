#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace tav {

class Database;
class Dialogs;

// The number settings of documents: settings row "ReNummer" of tblParameter.
struct ReNummerMuster {
    QString praefix;             // F1, may be empty
    QString datumsformat;        // F2: "yy", "yyyy", "mmm yy", "mmm yyyy", "mm yyyy", "mm yy", "dd mm yy", "ww yy", "ww yyyy"; empty = none
    bool zaehlerAlle = false;    // F4 "Alle": freed ReZaehler/Beszaehler values are given out again
    bool schluesselAlle = true;  // F5 "Alle" (also when missing): freed ReNummer keys are reused

    static ReNummerMuster aus(const QStringList& f1bisF5);
    static ReNummerMuster lesen(Database& db);
};

// One entry of a document's list: a booking (tblBelegung.ID) or an extra item
// (tbRePosten.IDRePosten), in the order it is printed.
struct DokumentEintrag {
    enum class Art { Buchung, Posten };
    Art art = Art::Buchung;
    int id = 0;
    static DokumentEintrag buchung(int id) { return {Art::Buchung, id}; }
    static DokumentEintrag posten(int id) { return {Art::Posten, id}; }
};

// Totals and discount of a document; written on creating and on every print again.
// At most one of rabattProz and rabattBetrag is set. Amounts are stored rounded to the cent.
struct DokumentSummen {
    double brutto = 0;
    double mwst = 0;
    std::optional<double> rabattProz;
    std::optional<double> rabattBetrag;
    QString rabattBezeichnung;
    std::optional<double> skontoProz;
};

// What the items editor hands over to create a document.
struct NeuesDokument {
    bool rechnung = true;  // an invoice "R"; otherwise an offer "A" (angebot) or a confirmation "B"
    bool angebot = false;
    int adressId = 0;  // IDAdresseRe
    QList<DokumentEintrag> eintraege;
    QDate datum;
    QString nummerEigen;  // typed by the user; empty or "0" = composed from the counter
    QString zahlart;      // empty = "Ohne"
    bool anzahlung = false;
    QString anzVorReise = QStringLiteral("Y");  // "Y", "N" or "G"
    QString reText1;
    DokumentSummen summen;
    // Set the covered bookings to Abgerechnet = 1 and the items to "Ja" (invoices; offers and
    // confirmations are made without settling).
    bool abrechnen = true;
};

// One row of the document list of a booking or an address.
struct DokumentZeile {
    int reNummer = 0;
    QString nummerEigen;
    QString art;
    QDate datum;
    int adressId = 0;
    QString name;
    QString ort;
    double brutto = 0;
    double mwst = 0;
    QString zustand;  // "offen" or "bezahlt"
};

// Documents (tbRechnungen): invoices "R", confirmations "B" and offers "A", their link rows
// (tbRechnungen_zu_Posten), the settled states of the bookings and items they cover, and their
// numbers.
//
// Numbers: ReNummer is the internal key (lowest free key when reuse is on, else highest + 1);
// ReZaehler counts invoices and Beszaehler confirmations and offers (with reuse the first free
// value among the 51 below the highest, else highest + 1); Renummer_eigen is the printed number.
//
// Two workstations: creating a document takes the write lock of the file that holds
// tbRechnungen first, and computes key, counter and printed number and writes every row inside
// that one transaction. A second workstation waits for the lock and then sees the first one's
// document, so no key and no printed number is given twice and no document is lost; a lock
// that outlasts the busy timeout is retried a few times before the user is told.
class clsRechnung {
public:
    static inline const QString kVorgangFehler = QStringLiteral("Der Vorgang konnte nicht durchgeführt werden.");
    static inline const QString kNichtZugeordnet =
        QStringLiteral("Die Rechnung kann noch nicht gedruckt werden, weil es noch nicht zugeordnete Zahlungen gibt.");
    static inline const QString kZuordnenHinweis = QStringLiteral(" Ordnen Sie zunächst die Zahlungen zu.");
    static inline const QString kOhneDruckFrage = QStringLiteral("Möchten Sie jetzt die Rechnung ohne Druck erstellen?");
    static inline const QString kKonflikteTitel = QStringLiteral("Konflikte mit Zahlungen");
    static inline const QString kKeineEintraege =
        QStringLiteral("Es wurden keine Einträge gefunden, die abgerechnet werden können. Überprüfen Sie bitte die Einträge 'warten'.");
    static inline const QString kBereitsAbgerechnet =
        QStringLiteral("Dieser Posten wurde bereits abgerechnet. Zum Ändern stornieren Sie zunächst die Rechnung.");
    static inline const QString kPostenGeloescht =
        QStringLiteral("Posten dieser Rechnung wurden bereits gelöscht. Eine Anzeige ist nicht mehr möglich.");
    static inline const QString kNummerVergeben =
        QStringLiteral("Die Nummer ist bereits an ein anderes Dokument vergeben. Bitte wählen Sie eine andere Nummer.");

    clsRechnung(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // ---- numbers ----
    // "R" for an invoice; otherwise "A" for an offer, else "B".
    static QString art(bool rechnung, bool angebot);
    // The next internal key: 1 for no documents; with reuse the first gap of 1, 2, 3, …,
    // otherwise (or without a gap) the highest + 1.
    int naechsteReNummer(bool alle);
    // The next ReZaehler (invoices) or Beszaehler (confirmations and offers).
    qint64 naechsterReZaehler(bool alle) { return naechsterZaehler(QStringLiteral("ReZaehler"), alle); }
    qint64 naechsterBesZaehler(bool alle) { return naechsterZaehler(QStringLiteral("Beszaehler"), alle); }
    bool reZaehlerVergeben(qint64 zaehler);
    // Kind letter, prefix, the counter as "0000" and the date part, joined by one blank each
    // (an empty prefix leaves no double blank): "R Üb 0007 02".
    static QString nummerEigen(const QString& art, const ReNummerMuster& muster, qint64 zaehler, const QDate& datum);
    // The next free printed number of a document of this kind dated datum.
    QString naechsteNummerEigen(const QString& art, const QDate& datum);
    // Another document than reNummer carries this printed number.
    bool nummerEigenVergeben(const QString& text, int reNummer);

    // ---- life cycle ----
    // Creates the document: takes every entry away from an earlier document, writes the row
    // with its key, counter and printed number, totals and discount, the link rows in list
    // order, attaches the open payments of fully covered bookings (invoices), and settles the
    // bookings and items (abrechnen). The new ReNummer; nullopt after a message (no entry,
    // a typed number in use, a database failure: then nothing is written).
    std::optional<int> ReZuordnungen(const NeuesDokument& dokument);
    // Printing again writes only totals and discount.
    void ReDatenSpeichern(int reNummer, const DokumentSummen& summen);
    // Cancels after the question "Möchen Sie … stornieren?": bookings back to 0 (not split
    // ones), items to "Nein", payments kept and moved to the booking, link rows and document
    // deleted. False when the user said No, the document does not exist, or it failed.
    bool stornieren(int reNummer);
    static QString stornoFrage(const QString& art);

    // Whether printing must wait for payments of the bookings that no document holds yet;
    // with ohneDruckAnbieten the user may create the invoice without printing (Yes). Returns
    // true when printing may go on; erstellenOhneDruck tells whether the user chose that.
    bool druckPruefen(const QList<int>& buchungen, bool ohneDruckAnbieten, bool* erstellenOhneDruck = nullptr);

    // An item may be changed while no invoice has settled it; otherwise kBereitsAbgerechnet.
    bool postenAenderbar(int idPosten);
    // A document can be shown while it still has link rows; otherwise kPostenGeloescht.
    bool anzeigbar(int reNummer);

    // ---- queries ----
    std::optional<int> RechnungFinden(int idBelegung, int idPosten = 0);
    std::optional<int> RechnungFindenBelegung(int idBelegung);
    QString AlleBelegungenFindenFuerRechnung(int reNummer);
    double ZahlungSumme_ProRechnung(int reNummer);
    // Paid in full: the sum of its payments and BetragBrutto are the same in cents.
    bool RechnungIstVollstBezahlt(int reNummer);
    // Items of the booking in state empty, "Nein" or "Warten".
    bool offenePosten(int idBelegung);
    // Abgerechnet of a booking (0, 1, 2) or AbgerechnetPo of an item ("Nein", "Ja", "Warten").
    void WartenNeinSetzen(const DokumentEintrag& eintrag, int zustand);
    bool IstGeteilt(int idBelegung);
    QString IST_RechnungDB(int reNummer);
    // Payments of the document's bookings that no document holds.
    int NochNichtZugeordneteZahlungen(const QList<int>& buchungen);
    // Whether a document with this key exists.
    bool vorhanden(int reNummer);
    // The documents of a booking or of an address (IDAdresseRe), ordered by DatumRe.
    QList<DokumentZeile> dokumenteDerBuchung(int idBelegung);
    QList<DokumentZeile> dokumenteDerAdresse(int idAdresse);
    std::optional<DokumentZeile> dokument(int reNummer);

private:
    qint64 naechsterZaehler(const QString& feld, bool alle);
    int anlegen(const NeuesDokument& d, const ReNummerMuster& muster);
    QList<DokumentZeile> dokumente(const QString& bedingung, const QVariantList& werte);

    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
