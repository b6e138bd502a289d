#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "engine/Database.h"
#include "store/Datenbankdateien.h"
#include "store/Registrierung.h"

namespace tav {

// One booking kind of tbBelegArten (BelegungsID <> 0), in BelegungsID order.
struct BelegArt {
    int id = 0;
    QString name;
};

// The plan's hand-over to the reservation form: room, arrival, departure, booking, new flag.
struct Uebergabe {
    QDate anreise;
    QDate abreise;
    bool neueBuchung = false;
    int zimmerZeile = 0;    // room row of a new booking; 0 = none
    int buchungId = 0;      // the form's public booking ID (0 for a new booking)
    int zweiterWert = 0;    // the form's second public value
    int zimmerNummer = 0;   // the form's public room number
    int belegungsart = -1;  // booking kind chosen in the plan's legend; -1 = none chosen
    // Opened from the waiting row: the waiting bookings of that day, in browse order.
    QDate warteTag;
    QList<int> warteBuchungen;
};

// Outcome of one collision check (the collision dialog's flags).
struct KollisionsErgebnis {
    bool geloest = false;            // resolved: the save may go on
    bool verwerfen = false;          // discard: the form closes without saving
    bool inWarteposition = false;    // save-into-waiting: the new booking goes to the waiting position
    bool imFormularBleiben = false;  // stay-in-form
};

// Program-wide state, set up by the start-up and the main window's initialisation and read by
// every window. Logic classes take what they need as arguments; windows read it from here.
struct Variablen {
    // ---- start-up ----
    int instanz = 0;
    dbfiles::FileNames dateien = dbfiles::FileNames::forInstance(0);
    RegistryNamen werte = RegistryNamen::forInstance(0);   // settings value names of the instance
    QString blockProgramm = QStringLiteral("Tosmek.exe");  // the block-booking program, every instance
    QString programmordner;
    QString titel = QStringLiteral("Tavomera");
    std::unique_ptr<Database> db;          // the main database: the link database
    std::unique_ptr<Database> beispielDb;  // the sample database, source of display settings
    QString arbeitsPfad;                   // working database as chosen at start
    QString beispielPfad;                  // the sample database in the program folder
    bool splashAngezeigt = false;
    bool hauptfensterGeladen = false;
    bool neustartLaeuft = false;                 // restart of the main window under way
    bool beispielAusMenue = false;               // sample data chosen from the menu
    bool beispieldaten = false;                  // the locations dialog's sample-data check box
    bool neustartNachWiederherstellung = false;  // a restore replaced the files: reload the main window

    // ---- settings read at start (tblParameter, tblTexte) ----
    bool druckenHardcopy = true;
    QString textWahr = QStringLiteral("Ja");
    QString textFalsch = QStringLiteral("Nein");
    int druckAnzahl = 2;
    int vorgabeDatum = 0;
    QStringList zahlungsziele;              // F1 … F8
    QHash<QString, bool> dokumentOptionen;  // "MitGästezahlA" … -> Ja/Nein
    QHash<QString, bool> suchFelder;        // "Such_Nachname" … -> Ja/Nein
    int anzeigeSuchen = 0;
    int aktualisieren = 0;  // refresh request: 1 reloads the plan at the next mouse move
    int ersterTag = 60;     // brightening of a booking's first night
    QString waehrung = QStringLiteral("€");
    QStringList tarife;  // the tariff list, formatted "###,##0.00"
    bool stammkunden = false;
    bool alleFreien = false;
    int tage = 35;                  // day count D ("ZeitDarstellung" F1)
    int startWochentag = 2;         // "ZeitDarstellung" F2
    int raeume = 9;                 // room count N ("Räumlichkeiten" F1)
    int sichtbareZeilen = 10;       // V ("Räumlichkeiten" F2 of the sample database)
    int zeilenHoehe = 320;          // row height in twips ("Räumlichkeiten" F3)
    QList<quint32> farben;          // "Farben" F1 … F11
    QStringList belegungsartNamen;  // "Belegungsarten" F1 … F9, cut to 15 characters
    bool hatTeilbelegt = false;
    quint32 teilbelegtFarbe = 0;
    QList<BelegArt> belegArten;  // tbBelegArten without kind 0
    int angebotArt = -1;         // the BelegungsID of the offer kind; -1 when none
    QString resGroesse = QStringLiteral("gross");
    QStringList waesche;   // "Wäsche" F1 … F9
    QStringList reNummer;  // "ReNummer" F1 … F5
    QStringList beNummer;  // "BeNummer" F1 … F4
    int zimVon = 1;
    int zimBis = 10;

    // ---- between the windows ----
    Uebergabe uebergabe;
    int letzteReservierung = 0;  // booking opened last in the reservation form
    KollisionsErgebnis kollision;
};

// The program's one instance.
Variablen& variablen();

}  // namespace tav
