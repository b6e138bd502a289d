#pragma once

#include <QString>
#include <functional>

namespace tav {

class Database;
class Dialogs;
class SettingsStore;
struct Variablen;

// What the main window does when it is loaded and unloaded, below the window itself: the
// initialisation (choosing and checking the databases, reading every setting into Variablen,
// bringing the schema up to date, the question for a new database) and the backup question
// on closing. The window only shows the outcome.
class MainLogik {
public:
    enum class Ergebnis {
        Bereit,            // show the main window
        Datenbankdialog,   // the link database failed: unload and show the locations dialog
        NeustartBeispiel,  // the sample data were chosen: restart on them
        Beenden,           // the start was cancelled: end the program
        Fehler,            // an error was shown: unload and show the locations dialog
    };

    MainLogik(Variablen& v, Dialogs& dialogs, SettingsStore& settings);

    // Filled in by the program; an empty function means the step is not installed: the pass is
    // skipped, the backup counts as failed, the settings dialog is not opened.
    // The pass over the documents and payments at start (numbering payments, old paid dates).
    std::function<void(Database&)> rechnungenUndZahlungenPruefen;
    // The backup of the databases: the folder written to, or empty text (or "Zugriff") on failure.
    std::function<QString()> datenbankenSichern;
    // Opens the settings dialog on a tab (0 display, 1 colours).
    std::function<void(int tab)> einstellungenOeffnen;

    Ergebnis initialisieren();

    // The closing question; true when the window may close. Never asks during a restart.
    bool schliessen();
    // Closes the main and the sample database.
    void datenbankenSchliessen();

    // The sample-data menu command: switches between the sample and the working data. The
    // caller restarts the main window afterwards (the restart flag is set). False when the
    // sample data could not be moved (a message was shown).
    bool beispieldatenUmschalten();

    // Title + " Version 3.62".
    QString fensterTitel() const;
    // The settings dialog tab the initialisation asked for, -1 when none.
    int einstellungsTab() const { return einstellungsTab_; }

private:
    void datenbankPfade();
    void verknuepfungAnpassen(const QString& linkPfad);
    void einstellungenFehlen(int tab);

    Variablen& v_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    int einstellungsTab_ = -1;
};

}  // namespace tav
