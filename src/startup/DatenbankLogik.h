#pragma once

#include <QString>

namespace tav {

class Dialogs;
class SettingsStore;
struct Variablen;

// The rules of the database locations dialog frmDatenbank: the three paths (working database,
// central database, backup target), choosing them through the file dialog with the check of
// the start-up, the sample-data switch, naming the installation, and saving with a relink.
class DatenbankLogik {
public:
    DatenbankLogik(Variablen& v, Dialogs& dialogs, SettingsStore& settings);

    // Fills the paths from the settings "Pfad", "Zentral" and "Excel".
    void laden();

    const QString& datenbankAktuell() const { return datenbankAktuell_; }
    const QString& zentrale() const { return zentrale_; }
    const QString& excelSicherung() const { return excelSicherung_; }
    const QString& dbPfadAlt() const { return dbPfadAlt_; }
    // "Quelldaten (Tavomera.mdb)" and "Gemeinsame Daten (Zentral.mdb)"
    QString beschriftungQuelle() const;
    QString beschriftungZentrale() const;

    // cmdÄndern / cmdÄndernZentral: a file that fails the check is refused with its message and
    // the box keeps its old value. True when the path changed.
    bool aendern();
    bool aendernZentral();
    // cmdÄndernExcel: the chosen path goes into the box.
    bool aendernExcel();

    bool beispieldaten() const;
    void setBeispieldaten(bool an);
    // cmdAbbrechen: nothing is kept, the sample-data switch goes back to where it was.
    void abbrechen();

    // cmdName: asks for the name and writes it as the title into the working database. Returns
    // the new title (empty when it could not be written).
    QString nameVergeben();

    // cmdSchliessen: checks both databases again; when both pass relinks the link database and
    // stores "Pfad", "Excel" and "Zentral" and answers true (start or restart the main
    // window); otherwise "Bitte überprüfen Sie die Datenbankpfade." and false.
    bool speichernUndStarten();

    // The filter of the file dialog for a database with that default file name.
    static QString filter(const QString& dateiname);

private:
    QString waehle(const QString& dateiname, const QString& aktuell);

    Variablen& v_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    QString datenbankAktuell_;
    QString zentrale_;
    QString excelSicherung_;
    QString dbPfadAlt_;
    bool beispieldatenBeimLaden_ = false;
};

}  // namespace tav
