#include "startup/DatenbankLogik.h"

#include <QFileInfo>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"

namespace tav {

DatenbankLogik::DatenbankLogik(Variablen& v, Dialogs& dialogs, SettingsStore& settings) : v_(v), dialogs_(dialogs), settings_(settings) {}

void DatenbankLogik::laden() {
    beispieldatenBeimLaden_ = v_.beispieldaten;
    datenbankAktuell_ = settings_.getSetting(v_.werte.pfad);
    zentrale_ = settings_.getSetting(v_.werte.zentral);
    excelSicherung_ = settings_.getSetting(v_.werte.excel);
    dbPfadAlt_ = datenbankAktuell_;
}

QString DatenbankLogik::beschriftungQuelle() const { return QStringLiteral("Quelldaten (") + v_.dateien.working + QLatin1Char(')'); }

QString DatenbankLogik::beschriftungZentrale() const {
    return QStringLiteral("Gemeinsame Daten (") + v_.dateien.central + QLatin1Char(')');
}

QString DatenbankLogik::filter(const QString& dateiname) {
    return dateiname + QLatin1Char('(') + dateiname + QStringLiteral(")|") + dateiname + QLatin1Char('|') +
           QStringLiteral("Access Datenbanken (*.mdb)|*.mdb|");
}

QString DatenbankLogik::waehle(const QString& dateiname, const QString& aktuell) {
    const QString ordner = aktuell.isEmpty() ? v_.programmordner : QFileInfo(aktuell).absolutePath();
    return dialogs_.openFile(QStringLiteral("Datenbankpfad wählen"), filter(dateiname), ordner);
}

bool DatenbankLogik::aendern() {
    const QString pfad = waehle(v_.dateien.working, datenbankAktuell_);
    if (pfad.isEmpty()) return false;
    if (!verknuepfung::pruefeArbeitsdatenbank(pfad)) {
        dialogs_.message(QStringLiteral("Der Datenbankpfad ist nicht korrekt. Bitte überprüfen Sie die Einstellungen."));
        return false;
    }
    datenbankAktuell_ = pfad;
    return true;
}

bool DatenbankLogik::aendernZentral() {
    const QString pfad = waehle(v_.dateien.central, zentrale_);
    if (pfad.isEmpty()) return false;
    if (!verknuepfung::pruefeZentrale(pfad)) {
        dialogs_.message(QStringLiteral("Der Datenbankpfad ist nicht korrekt. Bitte überprüfen Sie die Einstellungen."));
        return false;
    }
    zentrale_ = pfad;
    return true;
}

bool DatenbankLogik::aendernExcel() {
    const QString pfad = waehle(v_.dateien.working, excelSicherung_);
    if (pfad.isEmpty()) return false;
    excelSicherung_ = pfad;
    return true;
}

bool DatenbankLogik::beispieldaten() const { return v_.beispieldaten; }
void DatenbankLogik::abbrechen() { v_.beispieldaten = beispieldatenBeimLaden_; }
void DatenbankLogik::setBeispieldaten(bool an) { v_.beispieldaten = an; }

QString DatenbankLogik::nameVergeben() {
    // The name goes into the working database, which must be chosen first.
    if (!verknuepfung::pruefeArbeitsdatenbank(datenbankAktuell_)) {
        dialogs_.message(QStringLiteral("Der Datenbankpfad ist nicht korrekt. Bitte überprüfen Sie die Einstellungen."));
        return {};
    }
    const QString instanz = QString::number(v_.instanz);
    QString name = dialogs_.input(QStringLiteral("Bitte wählen Sie einem Namen für diese Anwendung:"), QStringLiteral("Namen vergeben"),
                                  instanz + QStringLiteral(". Instanz"));
    if (name.isEmpty()) name = QStringLiteral("Tavomera ") + instanz;
    try {
        auto db = Database::open(datenbankAktuell_);
        Recordset rs = db->openRecordset(QStringLiteral(
            "SELECT tblParameter.Satz, tblParameter.F1 ,tblParameter.F2 From tblParameter WHERE (((tblParameter.Satz)='titel'));"));
        if (rs.eof()) {
            rs.addNew();
            rs.setValue(QStringLiteral("Satz"), QStringLiteral("titel"));
        } else {
            rs.edit();
        }
        rs.setValue(QStringLiteral("F1"), name);
        rs.update();
    } catch (const DatabaseError& e) {
        dialogs_.message(e.message(), {}, Buttons::Ok, Icon::Exclamation);
        return {};
    }
    v_.titel = name;
    dialogs_.setDefaultCaption(name);
    return name;
}

bool DatenbankLogik::speichernUndStarten() {
    if (!verknuepfung::pruefeZentrale(zentrale_) || !verknuepfung::pruefeArbeitsdatenbank(datenbankAktuell_)) {
        dialogs_.message(QStringLiteral("Bitte überprüfen Sie die Datenbankpfade."), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const QString link = files::join(v_.programmordner, v_.dateien.link);
    try {
        if (!QFileInfo::exists(link)) {
            dbfiles::createLinkDatabase(link, datenbankAktuell_, zentrale_);
        } else {
            // An open main database keeps its old links until the main window restarts.
            auto db = Database::open(link);
            verknuepfung::alleNeuVerknuepfen(*db, datenbankAktuell_, zentrale_, v_.dateien.sample);
        }
    } catch (const DatabaseError& e) {
        dialogs_.message(e.message(), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    settings_.saveSetting(v_.werte.pfad, datenbankAktuell_);
    settings_.saveSetting(v_.werte.excel, excelSicherung_);
    settings_.saveSetting(v_.werte.zentral, zentrale_);
    return true;
}

}  // namespace tav
