#pragma once

#include <QString>

namespace tav {

// Controls of the reservation form that the booking logic may ask to receive the focus.
enum class Fokus { Keiner, GastName, Kuerzel, Zimmer, Von, Bis, Land, CheckDatum };

// What the reservation form asks its caller to open after an operation.
enum class Folgefenster { Keines, Rechnungsuebersicht, Zahlungen };

// The booking part of the reservation form as the booking logic sees it: the texts and states
// of its controls going in, and what the logic changed or asks for coming back. The form copies
// its controls into this struct before an operation and shows the struct afterwards.
struct ReservierungsFelder {
    // ---- the booking ----
    int id = 0;                                                // fldID: 0 while the booking is new and unsaved
    QString gastName;                                          // text of cboGastNeu
    QString kuerzel;                                           // fldKürzel ("Kurzinfo")
    bool kuerzelDoppelt = false;                               // fldKürzel shows the warning colour: another booking uses it
    QString zimmer;                                            // room box: the room's label (NeueNummer)
    QString von;                                               // fldVon
    QString bis;                                               // fldBis
    int artIndex = -1;                                         // position of the selected entry of cboArt; -1 when none
    QString artName;                                           // text of the selected kind ("Angebot" is an offer)
    QString artBeschriftung = QStringLiteral("Belegungsart");  // label of the kind box
    QString gaeste;                                            // fldAnzahlGäste
    QString kinder;                                            // txtAnz_Kinder
    QString alterKinder;                                       // ages of the children
    bool fruehstueck = false;
    bool mittag = false;
    bool abendessen = false;
    QString waesche1;                            // fldWäsche1
    QString waesche2;                            // fldWäsche2
    QString tarif;                               // price per night box
    QString preis;                               // fldPreis: total of the stay
    QString naechte;                             // fldResTage
    bool fix = false;                            // chFix
    QString info;                                // fldInfo
    QString belegNummer;                         // running booking number
    QString belegNummerEigen;                    // txtBeNummer_eigen: the printed booking number
    QString erstelltAm;                          // txtResDatum: creation date; empty means today
    QString zahlart;                             // cboZahlart: payment method; empty for none
    bool eingecheckt = false;                    // lbChecked reads "&Checked in"
    QString checkDatum;                          // fldCheckDatum
    int abgerechnet = 0;                         // Abgerechnet of the loaded booking (1 = invoiced)
    bool blockbuchung = false;                   // cmdBlockbuchung marked: the booking belongs to a block
    QString geaendert = QStringLiteral("Nein");  // hidden unsaved-changes marker "Ja"/"Nein"

    // ---- what the logic asks of the form ----
    Fokus fokus = Fokus::Keiner;
    bool cmdWartenEnabled = true;
    bool cmdLoeschenEnabled = true;
    bool warnung = false;     // lbWarnung red: the room is taken in the typed range
    bool schliessen = false;  // the form closes
    Folgefenster folgefenster = Folgefenster::Keines;

    bool istNeu() const { return id == 0; }
};

}  // namespace tav
