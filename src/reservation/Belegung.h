#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

#include "reservation/BelegNummern.h"
#include "reservation/CollisionLogik.h"
#include "reservation/ReservierungsFelder.h"
#include "store/Variablen.h"

namespace tav {

class AdressTeil;
class Database;
class Dialogs;
class Fenster;

// The booking record behind the reservation form: saving with all its checks (Reserv), the
// waiting position, check in and check out, deleting, the invoiced lock, booking numbers and
// the price of the stay. The form hands its field texts in a ReservierungsFelder and shows
// what comes back; every rule, query and message lives here.
//
// In the form: Belegung record(*variablen().db, dialogs, adressLogik, kollisionsFenster,
// variablen().kollision) with a QtKollisionsDialog(this) as kollisionsFenster; before each
// operation copy the controls into a ReservierungsFelder, afterwards show it again (texts,
// fokus, cmdWartenEnabled/cmdLoeschenEnabled, warnung, schliessen, folgefenster).
class Belegung {
public:
    // Colours of the status buttons (0x00BBGGRR).
    static constexpr quint32 kFarbeGruen = 0x00ADFF95;    // red 149, green 255, blue 173
    static constexpr quint32 kFarbeWarnung = 0x00A4BBFF;  // red 255, green 187, blue 164

    Belegung(Database& db, Dialogs& dialogs, AdressTeil& adresse, KollisionsDialog& kollisionsDialog, KollisionsErgebnis& kollision);

    // The window service; the invoice question on checking out is asked only when the
    // invoicing windows are there. None: nothing is offered.
    void setFenster(const Fenster* fenster) { fenster_ = fenster; }

    // Reads a stored booking into the fields (room label, dates, kind, prices, numbers,
    // status, block membership); false when there is no such booking.
    bool laden(int id, ReservierungsFelder& f);

    // ---- saving ----
    // Saves the booking; true when the row was written. inWarteposition: save it into the
    // waiting position (no room needed, no overlap test).
    bool Reserv(ReservierungsFelder& f, bool inWarteposition = false);
    // cmdWarten: refuses invoiced, checked-in and block bookings, else saves into the waiting
    // position.
    bool warten(ReservierungsFelder& f);
    // cmdZu: saves and closes; an invoiced booking is not saved.
    bool zu(ReservierungsFelder& f);

    // ---- status ----
    // lbChecked: check in (arrival becomes the check date) or check out (departure becomes it);
    // checking out an unpaid booking asks "Rechnung jetzt drucken?" when the invoices are there.
    bool einAuschecken(ReservierungsFelder& f);
    // The check date follows the stay until the user types in it: the arrival while the guest
    // is not checked in, the departure while checked in.
    static void checkDatumNachfuehren(ReservierungsFelder& f);
    // cmdHeute: the same with today's date.
    bool heute(ReservierungsFelder& f);
    // cmdAnmeldung: prints the registration form through `drucken` and offers to check in.
    bool anmeldung(ReservierungsFelder& f, const std::function<bool()>& drucken);
    // cmdLöschen: deletes the booking with its block link, items and item links.
    bool loeschen(ReservierungsFelder& f);
    // cmdBezahlt clicked: tells why the booking is not paid or opens its invoices or payments.
    void bezahltKlick(ReservierungsFelder& f);

    // Captions and colours of the status controls.
    static QString checkedBeschriftung(bool eingecheckt);
    static quint32 checkedFarbe(bool eingecheckt);
    static QString abgerechnetBeschriftung(int abgerechnet);
    // cmdWarten may be offered: neither invoiced nor part of a block booking.
    static bool wartenAngeboten(const ReservierungsFelder& f);

    // ---- fields ----
    // The price of the stay after Von, Bis or the tariff changed: nights, the tariff as
    // "#,##0.00" and, for a tariff other than 0, total = tariff × nights. A total typed with
    // tariff 0 stays (flat price). False when the dates do not allow it.
    static bool preisBerechnen(ReservierungsFelder& f);
    // fldKürzel typed: marks it when another booking uses the same short name.
    bool kuerzelPruefen(ReservierungsFelder& f);
    // txtBeNummer_eigen left: a number that another booking has is refused and the box
    // emptied; an empty box gets the next number.
    void belegNummerEigenVerlassen(ReservierungsFelder& f);
    // Empty box or double click: keeps a running number no other booking has, else takes the
    // next one; the printed number follows the pattern.
    void belegNummerVergeben(ReservierungsFelder& f);
    // The live warning while dates are typed; sets f.warnung.
    void liveTest(ReservierungsFelder& f);

    // ---- module operations ----
    // The invoice address of the guest's last finished stay, if it differs from the guest.
    static std::optional<int> LetzteRechnungsadresse(Database& db, int gastId);
    static int GastDerBelegung(Database& db, int id);
    static bool istBlockmitglied(Database& db, int id);
    // Copies `fix` to every booking of the block that `id` belongs to.
    static void fixAufBlockUebertragen(Database& db, int id, bool fix);

    void setNummernMuster(const NummernMuster& muster) { muster_ = muster; }
    CollisionLogik& pruefung() { return pruefung_; }

private:
    bool istAngebot(const ReservierungsFelder& f) const;
    void meldung(const QString& text);
    const NummernMuster& muster();

    Database& db_;
    const Fenster* fenster_ = nullptr;
    Dialogs& dialogs_;
    AdressTeil& adresse_;
    KollisionsDialog& kollisionsDialog_;
    CollisionLogik pruefung_;
    std::optional<NummernMuster> muster_;
};

}  // namespace tav
