#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "settings/Zimmerverwaltung.h"

namespace tav {

class Database;
class Dialogs;
class Fenster;

// The settings the dialog edits, as the fields show them.
struct ParameterDaten {
    // ---- "Anzeige" ----
    QString zimmer;      // fldAnzZimmer: "Räumlichkeiten" F1
    QString darstellen;  // txtDarstellen: F2 of the sample database's row
    int hoehe = 320;     // cboHöhe: F3 of the sample database's row
    QString tage;        // "ZeitDarstellung" F1
    int wochentag = 2;   // "ZeitDarstellung" F2: the marked weekday, Sunday = 1
    QString ersterTag;   // txtErsterTag: "ErsterTag" F1
    // ---- "Farben" ----
    QList<quint32> farben;  // "Farben" F1 … F11
    QStringList arten;      // "Belegungsarten" F1 … F9; the entries in use come first
    // ---- "Texte" ----
    QHash<QString, QString> texte;  // tblTexte by Textbaustein
    QString druckAnzahl;            // tblTexte "DruckAnzahl"
    bool wordProgramm = true;       // tblTexte "WordProgramm"
    bool mitAdresse = true;         // "mitAdresse": documents with the own sender
    QString waehrung;               // "Währung" F1
    QStringList waesche;            // "Wäsche" F1 … F9

    int artenAnzahl() const;  // the entries in use: up to the last named one
};

// One row of tbZusätze.
struct Attribut {
    int feld = 0;  // ZusatzFeld; 0 = a new row
    QString beschriftung;
    QString bedeutung;
    quint32 farbe = 0xFFFFFF;
    int spalte = 1;  // 1 "Spalte links", 2 "Spalte rechts"
};

// The settings dialog frmParameter as logic: reading and writing the settings rows, the
// booking kinds with their colours and names (mirrored into tbBelegArten), the attribute rows
// and the block-booking categories. The rooms are the Zimmerverwaltung's.
class ParameterLogik {
public:
    static inline const QString kTitel = QStringLiteral("Einstellungen");
    static constexpr int kMaxArten = 9;
    // The text blocks of the tab "Texte", in the order of its fields.
    static const QStringList& textBausteine();

    // beispiel: the sample database that holds the program-wide display rows; the main
    // database when it is the same file.
    ParameterLogik(Database& db, Database* beispiel, Dialogs& dialogs, Fenster& fenster);

    // Reads every setting into daten(); missing rows give the program's defaults.
    void laden();
    ParameterDaten& daten() { return daten_; }
    const ParameterDaten& daten() const { return daten_; }
    Zimmerverwaltung& zimmer() { return zimmer_; }

    // "&Übernehmen": checks every field, then writes all rows in one go. False with the
    // message of the first field that is refused; a refused apply writes nothing.
    bool uebernehmen();
    // OK: applies, and makes sure the "Belegungsarten" and "Farben" rows exist.
    bool ok();
    // "Standard": asks "Sollen die aktuellen Einstellungen gelöscht werden?"; Yes puts the
    // display settings and colours back to their defaults and applies them.
    bool standard();

    // A colour typed as a number: the decimal 0x00BBGGRR value; false with a message otherwise.
    bool farbePruefen(const QString& text, quint32& farbe);

    // ---- booking kinds ----
    // cmdAddTyp: asks the name and adds the kind behind the last one (at most nine).
    bool artHinzufuegen();
    // The right mouse button on a kind: asks the new name of entry (1 … 9).
    bool artUmbenennen(int eintrag);
    // A kind name travels in ";"-separated data files and SQL literals: false with its message.
    bool artNamePruefen(const QString& name);
    // cmdSubTyp: removes the last kind after the backup question; its bookings get kind 1.
    // Written at once, because it changes bookings.
    bool artEntfernen();

    // ---- attributes (tbZusätze) ----
    QList<Attribut> attribute() const;  // ordered by Beschriftung
    // "&Neu": asks "Einen neuen Datensatz anlegen?".
    bool attributNeuFragen();
    // Saves the row (a new one gets the next ZusatzFeld, written back into a).
    bool attributSpeichern(Attribut& a);
    // "&Löschen": asks, and refuses when a room uses it.
    bool attributLoeschen(int feld);

    // The current standard VAT rate ("19 %"), empty when none is marked as standard.
    QString mwstSatz() const;

    // ---- block-booking categories (tbKategorie) ----
    QStringList kategorien() const;
    bool kategorieHinzufuegen(const QString& text);
    bool kategorieLoeschen(const QString& text);

private:
    bool zahlPruefen(const QString& text, int von, int bis, const QString& feld);
    void artenSchreiben();

    Database& db_;
    Database& beispiel_;
    Dialogs& dialogs_;
    Fenster& fenster_;
    Zimmerverwaltung zimmer_;
    ParameterDaten daten_;
};

}  // namespace tav
