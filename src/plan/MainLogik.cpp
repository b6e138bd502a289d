#include "plan/MainLogik.h"
#include "store/Datenbankfehler.h"

#include <QFileInfo>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "store/BeispielVerschiebung.h"
#include "store/Einstellungen.h"
#include "store/Erstausstattung.h"
#include "store/Fenster.h"
#include "store/SchemaErweiterung.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "store/mdBlockbuchung.h"

namespace tav {

MainLogik::MainLogik(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Fenster& fenster)
    : v_(v), dialogs_(dialogs), settings_(settings), fenster_(fenster) {}

QString MainLogik::fensterTitel() const { return v_.titel + QStringLiteral(" Version 3.62"); }

void MainLogik::datenbankPfade() {
    v_.beispielPfad = files::join(v_.programmordner, v_.dateien.sample);
    if (v_.beispieldaten) {
        v_.arbeitsPfad = v_.beispielPfad;
        return;
    }
    v_.arbeitsPfad = settings_.getSetting(v_.werte.pfad);
    if (v_.arbeitsPfad.isEmpty()) {
        v_.arbeitsPfad = files::join(v_.programmordner, v_.dateien.working);
        settings_.saveSetting(v_.werte.pfad, v_.arbeitsPfad);
    }
}

// While the sample data are shown the link database reaches the sample file for every table;
// afterwards its links go back to the working and the central database.
void MainLogik::verknuepfungAnpassen(const QString& linkPfad) {
    if (!QFileInfo::exists(linkPfad)) return;
    if (v_.beispieldaten) {
        if (verknuepfung::zeigtAuf(linkPfad, v_.beispielPfad, v_.beispielPfad)) return;
        v_.db.reset();
        auto link = Database::open(linkPfad);
        verknuepfung::alleNeuVerknuepfen(*link, v_.beispielPfad, v_.beispielPfad);
        return;
    }
    const QString zentral = settings_.getSetting(v_.werte.zentral);
    if (verknuepfung::gleicheDatei(v_.arbeitsPfad, v_.beispielPfad) || verknuepfung::gleicheDatei(zentral, v_.beispielPfad)) return;
    auto link = Database::open(linkPfad);
    bool aufBeispiel = false;
    for (const TableDef& def : link->tableDefs())
        if (def.isLinked() && verknuepfung::gleicheDatei(ConnectString::parse(def.connect).database, v_.beispielPfad)) aufBeispiel = true;
    if (!aufBeispiel) return;
    v_.db.reset();
    verknuepfung::alleNeuVerknuepfen(*link, v_.arbeitsPfad, zentral, v_.dateien.sample);
}

void MainLogik::einstellungenFehlen(int tab) {
    dialogs_.message(QStringLiteral("Zum Betrieb von ") + v_.titel + QStringLiteral(" werden noch einige Angaben benötigt."),
                     QStringLiteral("Einstellungen vornehmen"), Buttons::Ok, Icon::Information);
    if (einstellungsTab_ < 0) einstellungsTab_ = tab;
    if (fenster_.vorhanden(Ziel::Einstellungen)) {
        Aufruf seite;
        seite.text = tab == 1 ? QStringLiteral("Farben") : QStringLiteral("Allgemein");
        fenster_.oeffnen(Ziel::Einstellungen, seite, nullptr);
    }
}

MainLogik::Ergebnis MainLogik::initialisieren() {
    einstellungsTab_ = -1;
    datenbankPfade();
    const QString linkPfad = files::join(v_.programmordner, v_.dateien.link);
    try {
        verknuepfungAnpassen(linkPfad);
    } catch (const DatabaseError&) {
        // the check below fails and leads to the locations dialog
    }
    if (!verknuepfung::pruefeVerknuepfung(linkPfad)) {
        v_.neustartLaeuft = true;
        return Ergebnis::Datenbankdialog;
    }
    try {
        v_.db.reset();
        v_.db = Database::open(linkPfad);
        Database& db = *v_.db;

        einstellungen::titel(db, v_);
        dialogs_.setDefaultCaption(v_.titel);
        einstellungen::druckenHardcopy(db, v_);
        einstellungen::hilfeDarstellung(db, v_);
        einstellungen::druckAnzahl(db, v_);
        einstellungen::vorgabeDatum(db, v_);
        einstellungen::zahlungsziele(db, v_);
        einstellungen::dokumentOptionen(db, v_);
        einstellungen::suchFelder(db, v_);
        einstellungen::anzeigeSuchen(db, v_);
        einstellungen::aktualisieren(db, v_);
        einstellungen::ersterTag(db, v_);
        if (rechnungenUndZahlungenPruefen) rechnungenUndZahlungenPruefen(db);
        einstellungen::waehrung(db, v_);
        einstellungen::tarife(db, v_);
        einstellungen::stammkunden(db, v_);
        einstellungen::alleFreien(db, v_);

        if (einstellungen::istNeueDatenbank(db)) {
            const Answer antwort = v_.beispielAusMenue ? Answer::No
                                                       : dialogs_.message(QStringLiteral("Möchten Sie die Anwendung: '") + v_.titel +
                                                                              QStringLiteral("' zunächst mit Beispieldaten ansehen?"),
                                                                          {}, Buttons::YesNoCancel, Icon::Question);
            if (antwort == Answer::Yes) {
                beispiel::verschieben(v_.beispielPfad, Clock::current().today());
                v_.beispieldaten = true;
                v_.neustartLaeuft = true;
                return Ergebnis::NeustartBeispiel;
            }
            if (antwort != Answer::No) return Ergebnis::Beenden;
            erstausstattung::neueDatenbankFuellen(db);
        }

        v_.beispielDb.reset();
        try {
            v_.beispielDb = Database::open(v_.beispielPfad);
        } catch (const DatabaseError&) {
            // Without the sample database the display settings keep their defaults.
        }
        if (!v_.beispielDb || !einstellungen::zeitDarstellung(*v_.beispielDb, v_)) {
            // What the settings dialog wrote holds from this start on.
            einstellungenFehlen(0);
            if (v_.beispielDb) einstellungen::zeitDarstellung(*v_.beispielDb, v_);
        }
        if (v_.beispielDb) {
            einstellungen::raeumlichkeiten(db, *v_.beispielDb, v_);
            einstellungen::resGroesse(*v_.beispielDb, v_);
        } else {
            einstellungen::raeumlichkeiten(db, db, v_);
        }
        einstellungen::waesche(db, v_);
        SchemaErweiterung::systemOrdnerAnlegen(dialogs_, v_.programmordner);
        if (!einstellungen::farben(db, v_)) {
            einstellungenFehlen(1);
            einstellungen::farben(db, v_);
        }
        einstellungen::belegungsarten(db, v_);
        einstellungen::belegArten(db, v_);
        einstellungen::waehrung(db, v_);
        einstellungen::reNummer(db, v_);
        einstellungen::beNummer(db, v_);

        SchemaErweiterung schema(dialogs_, settings_, v_.werte, v_.db.get());
        if (v_.beispieldaten) {
            // The sample steps find their file through "BeispielPfad", which an installation
            // may not have written yet.
            if (settings_.getSetting(v_.werte.beispielPfad).isEmpty()) settings_.saveSetting(v_.werte.beispielPfad, v_.beispielPfad);
            schema.alleSchritte(true);
        }
        schema.alleSchritte(false);
        if (schema.geaendert()) {
            // Fields were added through their own files: the main database reads its tables anew.
            v_.db.reset();
            v_.db = Database::open(linkPfad);
        }
        einstellungen::zimVonBis(*v_.db, v_);
        settings_.saveSetting(kRegistryVersion, QStringLiteral("3.0"));
        return Ergebnis::Bereit;
    } catch (const DatabaseError& e) {
        dialogs_.message(datenbankFehlertext(QStringLiteral("Die Datenbanken konnten nicht vorbereitet werden."), e), {}, Buttons::Ok,
                         Icon::Information);
        return Ergebnis::Fehler;
    }
}

void MainLogik::angeboteAufraeumen() {
    if (!v_.db) return;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Angebote konnten nicht geprüft werden."),
                        [this] { mdBlockbuchung::Angebotskonflikte(*v_.db, dialogs_, Clock::current().today()); });
}

bool MainLogik::schliessen() {
    if (v_.neustartLaeuft || !fenster_.vorhanden(Ziel::Datensicherung)) return true;
    const Answer a =
        dialogs_.message(QStringLiteral("Möchten Sie die Datenbanken jetzt sichern?"), {}, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a != Answer::Yes) return true;
    const QString ordner = fenster_.datenSichern();
    if (!ordner.isEmpty() && ordner != QLatin1String("Zugriff")) {
        dialogs_.message(QStringLiteral("Die Daten wurden in folgendes Verzeichnis gesichert: ") + ordner);
        return true;
    }
    return dialogs_.message(QStringLiteral("Die automatische Datensicherung konnte nicht durchgeführt werden. Möchten Sie das "
                                           "Programm trotzdem schließen?"),
                            QStringLiteral("Datensicherung"), Buttons::YesNo, Icon::Exclamation, 2) == Answer::Yes;
}

void MainLogik::datenbankenSchliessen() {
    v_.db.reset();
    v_.beispielDb.reset();
}

bool MainLogik::beispieldatenUmschalten() {
    if (!v_.beispieldaten) {
        try {
            beispiel::verschieben(files::join(v_.programmordner, v_.dateien.sample), Clock::current().today());
        } catch (const DatabaseError& e) {
            dialogs_.message(datenbankFehlertext(QStringLiteral("Die Beispieldaten konnten nicht auf heute verschoben werden."), e), {},
                             Buttons::Ok, Icon::Information);
            return false;
        }
        v_.beispieldaten = true;
        v_.beispielAusMenue = true;
    } else {
        v_.beispieldaten = false;
    }
    v_.neustartLaeuft = true;
    return true;
}

}  // namespace tav
