#pragma once

#include <QStringList>

namespace tav {

class Database;
struct Variablen;

// Reading the settings rows (tblParameter), the text block "DruckAnzahl" and the yes/no words
// of TblHilfeDarstellung into the program-wide variables, each with its default; some rows are
// written back when they are missing. The main window's initialisation calls them in its order.
namespace einstellungen {

// ---- from the main database, in the order of the initialisation ----
void titel(Database& db, Variablen& v);             // default "Tavomera", written back
void druckenHardcopy(Database& db, Variablen& v);   // "Wahr" is yes; a missing row is yes
void hilfeDarstellung(Database& db, Variablen& v);  // an empty table gets its two rows
void druckAnzahl(Database& db, Variablen& v);       // tblTexte; a missing row is added with 2
void vorgabeDatum(Database& db, Variablen& v);      // default 0, written back
void zahlungsziele(Database& db, Variablen& v);
void dokumentOptionen(Database& db, Variablen& v);
void suchFelder(Database& db, Variablen& v);
void anzeigeSuchen(Database& db, Variablen& v);
void aktualisieren(Database& db, Variablen& v);  // default 0, written back
void ersterTag(Database& db, Variablen& v);      // default 60
void waehrung(Database& db, Variablen& v);       // default "€", written back
void tarife(Database& db, Variablen& v);         // the tariff list, formatted "###,##0.00"
void stammkunden(Database& db, Variablen& v);
void alleFreien(Database& db, Variablen& v);

// A database without the row "Räumlichkeiten" is new.
bool istNeueDatenbank(Database& db);

// ---- display settings of the sample database, and the rest ----
// False when the row is missing (the defaults stay).
bool zeitDarstellung(Database& beispiel, Variablen& v);
// F1 (room count) from the main database, F2 and F3 (visible rows, row height) from the sample.
void raeumlichkeiten(Database& db, Database& beispiel, Variablen& v);
void resGroesse(Database& beispiel, Variablen& v);
void waesche(Database& db, Variablen& v);  // written back when missing
// False when the row is missing (the default colours are used).
bool farben(Database& db, Variablen& v);
// Names of the nine plan entries and the partly-occupied kind; needs the colours.
void belegungsarten(Database& db, Variablen& v);
// tbBelegArten without kind 0, and the offer kind.
void belegArten(Database& db, Variablen& v);
void reNummer(Database& db, Variablen& v);
void beNummer(Database& db, Variablen& v);
void zimVonBis(Database& db, Variablen& v);

const QStringList& dokumentOptionNamen();
const QStringList& suchFeldNamen();
// F1 … F9 of "Farben" when the row or a field is missing.
quint32 standardFarbe(int feld);

}  // namespace einstellungen
}  // namespace tav
