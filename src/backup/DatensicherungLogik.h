#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "backup/Datensicherung.h"
#include "backup/clsDateien.h"
#include "store/Registrierung.h"

namespace tav {

class Database;
class Dialogs;
class SettingsStore;
class Shell;

// The rules and messages of the backup window frmDatensicherung: the backup root and the
// number of backups kept, the three backup commands with the rotation, the folder list, deleting
// a folder, and the restore of a whole folder or of single documents. The window shows what
// this class holds and forwards its clicks.
class DatensicherungLogik {
public:
    // parameterDb: the database whose tblParameter holds "AnzSicherung" (may be null: 10).
    // dateien: the files of the installation; its root is read here from the settings.
    DatensicherungLogik(Database* parameterDb, Dialogs& dialogs, SettingsStore& settings, Shell& shell, RegistryNamen werte,
                        SicherungsDateien dateien);

    // On open: "AnzSicherung", the root from the settings, empty folders removed, the list.
    void laden();

    // ---- tab "Einstellungen + Datensicherung" ----
    QString pfadText;                                                                                   // txtExcelSicherung
    QString anzahlText;                                                                                 // txtAnzDS
    QString vorhandenText() const { return QString::number(clsDateien::anzahlDbSicherungen(liste_)); }  // txtAnzDSVorhanden
    void dbSichern();
    void wordSichern();
    void komplett();
    // The browse button: the chosen folder + "/Sicherungen " becomes the path text; false when
    // nothing was chosen.
    bool pfadWaehlen();
    void pfadSpeichern();
    // The number field after an edit: a non-numeric entry asks for the number (Cancel restores
    // the stored value); "0" becomes "10".
    void anzahlPruefen();
    void anzahlSpeichern();

    // ---- tab "Wiederherstellung von Daten" ----
    const QList<SicherungsEintrag>& liste() const { return liste_; }
    // The files of the entry's folder (lstFile).
    QStringList inhalt(int index) const;
    // The whole folder; datenbanken chooses between the databases and the documents.
    void wiederherstellen(int index, bool datenbanken);
    void einzelneWiederherstellen(int index, const QStringList& dateien);
    void ordnerLoeschen(int index);

    // The database backup without the window (closing the program, deleting old bookings,
    // reducing rooms, the admin tool): the run with the rotation afterwards; the folder, empty
    // text or "Zugriff" as Datensicherung::sichern. Call laden() first.
    QString datenbankenSichern();
    // The reason of the last failed run.
    const QString& fehler() const { return fehler_; }

    // Closing: unstored changes of path or number ask "Änderungen speichern?".
    void schliessen();
    // A database restore replaced the files: the main window must be loaded anew.
    bool neustart() const { return neustart_; }
    const QString& wurzel() const { return d_.wurzel; }

private:
    QString sichern(SicherungsArt art);
    void auffrischen();
    void rotieren();
    int gespeicherteAnzahl() const;
    QString ordnerVon(int index) const;
    bool vorSicherungFehlgeschlagen(const QString& ergebnis);

    Database* db_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    Shell& shell_;
    RegistryNamen werte_;
    SicherungsDateien d_;
    QList<SicherungsEintrag> liste_;
    QString gespeicherterPfad_;
    QString gespeicherteAnzahl_;
    bool neustart_ = false;
    QString fehler_;
};

}  // namespace tav
