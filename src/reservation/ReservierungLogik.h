#pragma once

#include <QChar>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "reservation/AdressLogik.h"
#include "reservation/Belegung.h"
#include "reservation/ReservierungsFelder.h"
#include "reservation/Tarifliste.h"
#include "reservation/clsSaisonpreis.h"
#include "store/Variablen.h"

namespace tav {

class Database;
class Dialogs;
class KollisionsDialog;

// The two sizes of the reservation form ("Res_Groesse" F1 "gross" / "klein").
enum class Groesse { Gross, Klein };

// The settings the reservation form reads when it opens.
struct FormularEinstellungen {
    // "Wäsche"; a missing row or field means what the running program uses without it.
    QString waesche1Name = QStringLiteral("Handtücher");  // F1
    QString waesche1Tage = QStringLiteral("7");           // F2: days until the next change, default of a new booking
    QString waesche2Name = QStringLiteral("Bettwäsche");  // F3
    QString waesche2Tage = QStringLiteral("3");           // F4
    bool fruehstueck = true;                              // F5 "1": new bookings with breakfast
    bool mittag = false;                                  // F6 "1": with lunch
    bool abendessen = false;                              // F7 "1": with dinner
    bool alleFreien = false;                              // "AlleFreien": the room box lists the free rooms
    bool stammkunden = false;                             // "Stammkunden": new addresses are regular guests
    Groesse groesse = Groesse::Gross;                     // "Res_Groesse" of the sample database

    // Reads the rows from the main database; "Res_Groesse" from the sample database, or from
    // the main database when the sample database is not open. Missing rows keep the defaults.
    static FormularEinstellungen lesen(Database& db, Database* beispielDb);
};

// A room of the room box.
struct ZimmerEintrag {
    int nummer = 0;
    QString label;
    int gaeste = 0;    // AnzahlGästeDefault
    double preis = 0;  // PreisDefault
};

// The number boxes that refuse an empty value or 0.
enum class ZahlFeld { Gaeste, Waesche1, Waesche2 };

// The four browse buttons of the waiting position.
enum class Blaettern { Erster, Voriger, Naechster, Letzter };

// The background of fldKürzel while a short name is typed: the warning colour while another
// booking has it, green while it is free; the normal colour for an empty box and before typing.
enum class KuerzelFarbe { Normal, Warnung, Gruen };

// The reservation form as logic: one booking at a time (new or loaded), its start from the
// plan's hand-over, the room box with all or only the free rooms, the field rules of the
// booking part, the prices, the status buttons, the unsaved-changes questions, the browse
// state over the waiting bookings of a day, and the form's settings (room choice, regular
// guests, size). The booking record and the address part do the saving; the window shows
// felder() and adresse().felder() and forwards every key and click here.
class ReservierungLogik {
public:
    static constexpr int kInfoLaenge = 250;
    static constexpr int kKuerzelLaenge = 17;
    static inline const QString kTitelGaeste = QStringLiteral("Anzahl der Gäste");
    static inline const QString kTitelWaesche = QStringLiteral("Wäsche");
    static inline const QString kTitelVorgabe = QStringLiteral("Vorgabe beim Öffnen");

    ReservierungLogik(Database& db, Database* beispielDb, Dialogs& dialogs, KollisionsDialog& kollisionsDialog,
                      KollisionsErgebnis& kollision, const FormularEinstellungen& einstellungen, AdressUmgebung umgebung);

    // ---- what the form shows ----
    ReservierungsFelder& felder() { return f_; }
    const ReservierungsFelder& felder() const { return f_; }
    AdressLogik& adresse() { return adresse_; }
    const AdressLogik& adresse() const { return adresse_; }
    const FormularEinstellungen& einstellungen() const { return einstellungen_; }
    Tarifliste& tarifliste() { return tarife_; }

    // ---- start ----
    // Starts from the plan's hand-over: the waiting bookings of a day, a stored booking, or a
    // new booking (room, arrival, departure, kind chosen in the legend). A departure equal to
    // the arrival becomes the next day, in the hand-over as well. False when there is nothing
    // to show (the booking no longer exists): the form unloads.
    bool starten(Uebergabe& uebergabe);
    // A new booking; the placeholder date 01.01.1900 (or an invalid date) leaves its box empty.
    // adressId: the guest address chosen beforehand (quick search); 0 for none.
    void neueBuchung(const QDate& anreise, const QDate& abreise, int zimmerNummer = 0, int belegungsart = -1, int adressId = 0);
    // Loads a stored booking with its guest and invoice address; false when it is gone.
    bool laden(int id);

    // ---- the unsaved-changes marker ----
    void geaendert() { f_.geaendert = QStringLiteral("Ja"); }
    bool hatAenderungen() const;
    // Before the form closes or shows another booking: "Änderungen der Reservierung speichern?"
    // and, for a changed address, "Änderungen der Adresse speichern?" (Yes/No/Cancel). False:
    // the form stays as it is (Cancel, or the save failed).
    bool aenderungenKlaeren();

    // ---- lists ----
    // The booking kinds offered in cboArt: those with a name, by number. felder().artIndex
    // stays the kind's number less one; artPosition() is its entry in the box (-1: none,
    // e.g. a stored booking of a kind without a name).
    const QList<BelegArt>& arten() const { return arten_; }
    QStringList artNamen() const;
    int artPosition() const;
    // The rooms of the room box in room order, without the waiting row's room: all rooms, or
    // with the free-rooms option the rooms free for the typed dates (the booking does not
    // occupy its own room; an occupied room is not listed, the chosen one neither).
    QList<ZimmerEintrag> zimmerListe();
    QStringList zimmerLabels();
    bool freieZimmer() const { return freieZimmer_; }
    // OptZiAuswahl1 (or frmZimmerauswahl): false lists all rooms, true the free ones.
    void setFreieZimmer(bool freie) { freieZimmer_ = freie; }
    QStringList zahlarten() const;

    // ---- dates ----
    // Digits, "." and backspace go into a date box.
    static bool datumZeichenErlaubt(QChar c);
    // "+" / "-" in a date box: a valid date moves one day on or back. True when the key was one of them.
    bool datumTaste(bool von, QChar taste);
    // A date box changed: nights and total, the live warning, the free rooms.
    void datumGeaendert();
    // Leaving a date box: a text that is no date is refused with "Bitte überprüfen Sie das Datum".
    bool datumVerlassen(bool von);
    bool checkDatumVerlassen();
    // The user typed in fldCheckDatum: from now on it keeps what was typed.
    void checkDatumGetippt() { f_.checkDatumGetippt = true; }
    bool resDatumVerlassen();
    // The live warning of the typed range (sets felder().warnung).
    void liveTest();

    // ---- the booking part ----
    // Digits and backspace only (guests, children, linen).
    static bool nurZiffern(QChar c);
    // Leaving the guest count or a linen box: empty or 0 is refused.
    bool zahlVerlassen(ZahlFeld feld);
    // fldKürzel: at most 17 characters, no leading blank and none of ' : $ ; ) @ > < ( ] } { [ * ^ = ~ / ! \ % . ? , "
    static bool kuerzelZeichenErlaubt(QChar c, const QString& text);
    // The short name was typed: checks it against the other bookings.
    void kuerzelGeaendert();
    KuerzelFarbe kuerzelFarbe() const;
    // Leaving fldInfo: more than 250 characters are cut only after the user agrees.
    bool infoVerlassen();
    // cboArt: the entry at `index` chosen; a kind named like a number ("zwei") sets the guest count.
    void artGewaehlt(int index);
    bool istAngebot() const;
    QString bestVorschauBeschriftung() const;
    QString rechnungBeschriftung() const;
    // The room box: a room chosen fills a new booking's guest count, and unless Fix is ticked
    // the tariff with the room's price per night, and recomputes the total.
    void zimmerGewaehlt(const QString& label);
    int zimmerNummer() const;

    // txtBeNummer_eigen: leaving it refuses a number another booking has (an empty box gets the
    // next number); a double click assigns the next number.
    void belegNummerVerlassen();
    void belegNummerVergeben();

    // ---- prices ----
    // Leaving the tariff box or the total: an amount out of bounds (see Preisgrenzen) is
    // refused with a message and the focus stays.
    bool tarifVerlassen();
    bool tarifEnter();
    bool tarifEntfernen();
    bool preisVerlassen();
    void fixGeaendert(bool fix);
    // cmdSaisonpreis: the price from the seasons, or back to the room's price per night.
    void saisonpreisKlick();
    bool saisonpreis() const { return saisonpreis_; }

    // ---- payment method ----
    bool zahlartEnter(const QString& text);
    bool zahlartEntfernen(const QString& text);

    // ---- status ----
    void checkedKlick();
    void heuteKlick();
    bool bezahlt() const;
    QString bezahltText() const;
    void bezahltKlick();
    // mnuStatus: the correction of the guest's old bookings, then the paid display.
    void statusKorrektur();
    // mnuRechnungAdr / mnuRechnungsadresse: the address whose account to show; 0 (with the
    // message) when none is chosen.
    int kontoAdresse(bool rechnungsadresse);
    // cmdZahlDetails: only for a saved booking.
    bool zahlDetailsMoeglich();

    // ---- saving, waiting position, deleting ----
    bool speichern();  // cmdReservieren
    bool zu();         // cmdZu
    bool warten();     // cmdWarten
    bool loeschen();   // cmdLöschen
    // cmdRechnung of a block member, after the save: "Blockbuchungen verwalten" asks whether the
    // booking leaves its block (Yes: it is invoiced alone) or only its extra items are invoiced
    // (No: the room stays billed through the block). A booking outside a block is invoiced alone.
    enum class RechnungUmfang { Abbruch, Allein, NurZusatzposten };
    RechnungUmfang rechnungVorbereiten();

    // cmdBlockbuchung: saves the booking (an invoiced one is not saved, and goes on) and writes
    // it into the hand-over row of the block program. The booking ID; 0 when the save failed.
    int blockbuchungVorbereiten();
    // The block program's timer: shows the stored booking again when the block program changed
    // it (its membership, room, dates, short name, price, fixed price); true then. A booking
    // with unsaved changes keeps them.
    bool blockNachladen();

    // mnuWeiterePersonen: the booking must be saved first; true when frmWeitere may open.
    bool weiterePersonenVorbereiten();
    // ---- documents ----
    // Before any document: an invoiced booking is refused, then the booking is saved (a failed
    // save: "Die Reservierung konnte nicht gespeichert werden.", title "Speicherkontrolle").
    // True when the document may be made for felder().id.
    bool dokumentVorbereiten();
    // cmdAnmeldung: refuses offers, prints through `drucken` and offers to check the guest in.
    bool anmeldung(const std::function<bool()>& drucken);
    // The stored documents of the booking, by its short name, in the document folders below
    // the program folder.
    enum class Ablage { Angebot, Bestaetigung, Rechnung };
    // The file name of the booking's documents: the short name, or "Reservierung " + ID
    // without one, with ".doc".
    QString dokumentName() const;
    // mnuvorhAngebot, mnuVorhBest, mnuVorhRechnung: the stored copy, or empty text after the
    // message that none is stored on this computer.
    QString gespeichertesDokument(Ablage ablage, const QString& programmordner);
    static QString ablageOrdner(Ablage ablage);

    // ---- the waiting bookings of a day ----
    bool imBlaettern() const { return !warteBuchungen_.isEmpty(); }
    int warteAnzahl() const { return int(warteBuchungen_.size()); }
    int warteIndex() const { return warteIndex_; }
    // "Warteposition für den 08.03.2024 (3 vorläufige Reservierungen)"
    QString warteTitel() const;
    bool kannBlaettern(Blaettern richtung) const;
    // Shows another waiting booking after the unsaved-changes questions; false when it stays.
    bool blaettern(Blaettern richtung);

    // ---- settings of the form ----
    // F2 on OptZiAuswahl1: asks and stores "AlleFreien"; true when it was stored.
    bool zimmerauswahlVorgabe();
    // F2 on chStammkunde: asks and stores "Stammkunden".
    bool stammkundenVorgabe();
    Groesse groesse() const { return groesse_; }
    // The size shown: the waiting position always shows the large form.
    Groesse angezeigteGroesse() const { return imBlaettern() ? Groesse::Gross : groesse_; }
    // cmdGroesser / cmdKleiner: switches and stores "Res_Groesse".
    void setGroesse(Groesse g);

    // ---- helpers the window uses ----
    // The dates of the boxes as nights; empty when they are no range.
    static QString naechte(const QString& von, const QString& bis);
    // A German number word ("eins" … "zwölf") as a number; 0 for any other text.
    static int zahlwort(const QString& text);

private:
    void artenLesen();
    void neuBerechnen();  // nights, and the total when a tariff is set
    // With the free-rooms option, a finished date change that leaves the chosen room occupied
    // empties the room box, so that only free rooms are offered and chosen.
    void belegtesZimmerAbwaehlen();
    void saisonpreisPruefen();  // the seasonal-price button after loading or a price edit
    // While the seasonal-price button is green, a change of the stay or the room computes the
    // seasonal price again; when it cannot be computed the mark goes and the user is told to
    // compute the price again.
    void saisonpreisNachfuehren();
    void nachSpeichern();
    int waitingRoom();
    bool datumPruefen(const QString& text);
    bool speichernMit(bool schliessen);

    Database& db_;
    Database* beispielDb_;
    Dialogs& dialogs_;
    FormularEinstellungen einstellungen_;
    AdressLogik adresse_;
    Belegung record_;
    clsSaisonpreis saison_;
    Tarifliste tarife_;
    ReservierungsFelder f_;
    QList<BelegArt> arten_;
    bool freieZimmer_ = false;
    bool saisonpreis_ = false;
    bool kuerzelGeprueft_ = false;  // the short name was typed since the booking was shown
    Groesse groesse_ = Groesse::Gross;
    QDate warteTag_;
    QList<int> warteBuchungen_;
    int warteIndex_ = 0;
};

}  // namespace tav
