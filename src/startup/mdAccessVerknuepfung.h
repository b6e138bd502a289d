#pragma once

#include <QString>
#include <QStringList>

namespace tav {

class Dialogs;
class SettingsStore;
struct Variablen;

// The start-up procedure: works out the instance from the program's file name, finds the
// working and the central database through the per-user settings, checks them and the link
// database, relinks the link database when its links point elsewhere, and says what comes
// next: the main window, the database locations dialog (after the recovery question), or the
// end of the program.
class mdAccessVerknuepfung {
public:
    enum class Weiter { Hauptfenster, Datenbankdialog, Ende };

    // dateiname: the program's file name as typed (argv[0]); a symlink "2Tavomera" is instance 2.
    mdAccessVerknuepfung(Variablen& v, Dialogs& dialogs, SettingsStore& settings, QString programmordner, QString dateiname);

    // The numeric value of the leading digits of the file name without its extension; 0 when
    // the name does not begin with a digit.
    static int instanzAus(const QString& dateiname);

    Weiter start();

    // Sets the instance, its value and file names and the program folder in Variablen; false
    // (after "Unzulässiger Dateiname") for an instance of 3 or more.
    bool instanzFestlegen();

    // When the link database check fails and both databases pass theirs: relinks every link
    // and stores "Pfad", "Excel" and "Zentral". A link database that is missing is made anew.
    bool verbindenUndNeuVerknuepfen(const QString& arbeitsPfad, const QString& zentralPfad);

    // Repairs the databases named by the settings; errors are ignored.
    void datenbankenReparieren();

    // The link database check of the start-up: it opens, its join opens, and its links point at
    // the working and the central database.
    bool verknuepfungIstGueltig(const QString& arbeitsPfad, const QString& zentralPfad) const;

    QString linkPfad() const;

    // What an installer does: the settings "Pfad", "Zentral" and "Excel" of the instance point
    // at the files in the program folder, each only when it is not set yet. Returns the names
    // of the values written.
    static QStringList standardwerteEintragen(SettingsStore& settings, const QString& programmordner, int instanz);

private:
    // The main window comes next; a database that cannot be written is named first.
    Weiter schreibschutzMelden(const QString& arbeitsPfad, const QString& zentralPfad);

    Variablen& v_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    QString programmordner_;
    QString dateiname_;
};

}  // namespace tav
