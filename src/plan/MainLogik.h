#pragma once

#include <QString>
#include <functional>

namespace tav {

class Database;
class Dialogs;
class Fenster;
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

    // fenster: the settings dialog the initialisation opens on a missing setting, and the
    // backup of the closing question.
    MainLogik(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Fenster& fenster);

    // The pass over the documents and payments at start (numbering payments, old paid dates);
    // empty: there is nothing to check.
    std::function<void(Database&)> rechnungenUndZahlungenPruefen;

    Ergebnis initialisieren();

    // The closing question; true when the window may close. Never asks during a restart, nor
    // when there is no backup to offer.
    bool schliessen();
    // The stale offers at start (offers that begin today or earlier): those outside a block to
    // the waiting position, those of a block deleted, each after its questions. A failed
    // statement is named and the start goes on.
    void angeboteAufraeumen();
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
    Fenster& fenster_;
    int einstellungsTab_ = -1;
};

}  // namespace tav
