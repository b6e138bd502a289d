#pragma once

#include <QChar>
#include <QList>
#include <QString>

#include "payment/Zahlungen.h"
#include "platform/Dialogs.h"

namespace tav {

class Database;

// What the caller hands to the payments window: the bookings (one booking, or all members of
// a block booking), whether it shows the payments of one invoice, and optionally the payment
// to show first or the wish to start with a new payment.
struct ZahlungKontext {
    QList<int> buchungen;
    int reNummer = 0;  // set: the payments of this invoice ("IDRechnung"), else of the bookings
    int zahlungId = 0;
    bool neueZahlung = false;
    bool rechnungsKontext() const { return reNummer != 0; }
};

// The fields of one payment as the window shows them.
struct ZahlungFelder {
    int zimmer = 0;  // the chosen booking (item data of cboZimmer); 0 = none
    int rechnung = 0;
    bool rechnungAktiv = false;
    QString datum, betrag, zahlart, wasBezahlt, bemerkung;
    int id = 0;  // 0 = a new payment
    bool geaendert = false;
};

// Where the window puts the focus after a refused save.
enum class ZahlungFokus { Keiner, Datum, Zimmer, Zahlart, Rechnung, RechnungAufklappen, Preis };

// The payments window frmZahlung ("Zahlungen und Rechnungen") as logic: the context and its
// header, the room and invoice lists, loading, saving with its checks and questions, a new
// payment, a payment filled from an invoice, deleting, closing, and the settled-state warning.
class ZahlungLogik {
public:
    static inline const QString kTitel = QStringLiteral("Zahlungen und Rechnungen");

    ZahlungLogik(Database& db, Dialogs& dialogs);

    void oeffnen(const ZahlungKontext& kontext);
    const ZahlungKontext& kontext() const { return kontext_; }
    const ZahlungFelder& felder() const { return f_; }
    ZahlungFokus fokus() const { return fokus_; }

    QString kopf() const { return kopf_; }
    QString status() const;
    bool aendern() const { return f_.id != 0; }
    // The warning bar's text; empty when the bookings are settled.
    QString warnung() const;
    // "", "Zusatzposten", "Reservierung" or "ReservierungZusatzposten".
    QString zustand(const QList<int>& buchungen) const;

    const QList<Eintrag>& zimmerListe() const { return zimmer_; }
    const QList<Eintrag>& rechnungsListe() const { return rechnungen_; }
    const QList<Zahlung>& zahlungsZeilen() const { return zahlungZeilen_; }
    const QList<RechnungsBlock>& rechnungsBloecke() const { return bloecke_; }
    // Rereads both grids.
    void aktualisieren();

    void setZimmer(int belegung);
    void setRechnung(int reNummer);
    void setDatum(const QString& t);
    void setBetrag(const QString& t);
    void setZahlart(const QString& t);
    void setWasBezahlt(const QString& t);
    void setBemerkung(const QString& t);

    // Leaving a box: a typed room or invoice that is not in its list is refused (false), an
    // empty text accepted; a date that is no date is refused; an amount is formatted.
    bool listenTextPruefen(const QList<Eintrag>& liste, const QString& text);
    bool datumPruefen(const QString& text);
    static QString betragFormatieren(const QString& text);
    static bool preisTasteErlaubt(QChar c);

    bool speichern();
    bool neu(bool fragen = true);
    bool laden(int zahlungId);
    // Double click in an invoice's block: a new payment of its open amount; false (and nothing
    // happens) when the invoice is paid in full.
    bool rechnungUebernehmen(int reNummer);
    bool loeschen(int zahlungId);
    bool schliessen();

    bool zahlartEingabe(const QString& text);
    bool zahlartEntfernen(const QString& text);

private:
    void zimmerListeFuellen();
    void rechnungsListeFuellen();
    void leeren();
    void anzeigenAus(const Zahlung& z);
    bool meldung(const QString& text, ZahlungFokus fokus);
    bool fragenUndSichern(const QString& text, const QString& titel, Buttons knoepfe);

    Database& db_;
    Dialogs& dialogs_;
    Zahlungen zahlungen_;
    ZahlungKontext kontext_;
    ZahlungFelder f_;
    ZahlungFokus fokus_ = ZahlungFokus::Keiner;
    QString kopf_;
    QString zustand_;
    QList<Eintrag> zimmer_;
    QList<Eintrag> rechnungen_;
    QList<Zahlung> zahlungZeilen_;
    QList<RechnungsBlock> bloecke_;
};

}  // namespace tav
