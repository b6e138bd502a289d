#pragma once

#include <QString>
#include <QStringList>

namespace tav {

class Dialogs;
class SettingsStore;
class Shell;
struct RegistryNamen;

// The files one backup run reads and the root it writes below.
struct SicherungsDateien {
    QString arbeit;          // the working database
    QString zentral;         // the central database
    QString beispiel;        // the sample database of the program folder
    QString programmordner;  // its "*.doc" files are the documents
    QString wurzel;          // the backup root

    QString arbeitsName() const;
};

enum class SicherungsArt { Datenbank, Word, Beides };

// The backup run shared by the backup window, the main window's closing question, the
// reorganisation, the settings dialog and the admin tool. A run writes its folder under an
// unfinished name and renames it only when every file is complete: a run cut off at any moment
// leaves no folder that reads as a backup. The databases are copied with the online backup,
// never as files, so that another workstation may go on saving meanwhile.
class Datensicherung {
public:
    Datensicherung(SicherungsDateien dateien, Dialogs& dialogs, const Shell& shell);

    // The folder written (with a trailing "/"), empty text when the run failed or was
    // cancelled, or "Zugriff" when the files could not be reached (locked, no rights).
    QString sichern(SicherungsArt art);
    // The reason of the last failure, for the admin tool.
    const QString& fehler() const { return fehler_; }

    // The copy program of the family in the program folder ("Gavrol.exe"); when it is there
    // the run lets it copy the databases and waits for it.
    static QString kopierprogramm(const QString& programmordner);
    // Copies the working, central and sample database into ordner (which exists) and checks
    // each copy; a working or central file whose copy is damaged is repaired and copied again.
    // Throws DatabaseError.
    static void datenbankenKopieren(const SicherungsDateien& d, const QString& ordner);

    // The backup root from the settings value "Excel" (its file-name part cut off); when the
    // value is empty, the program folder's "Sicherungen" is used and stored. A root equal to
    // the program folder is replaced by its "Sicherungen" folder. Ends with "/".
    static QString wurzel(SettingsStore& settings, const RegistryNamen& werte, const QString& programmordner);
    static QString wurzelAus(const QString& excelWert, const QString& programmordner);

    static inline const QString kZugriff = QStringLiteral("Zugriff");

private:
    QString lauf(SicherungsArt art);

    SicherungsDateien d_;
    Dialogs& dialogs_;
    const Shell& shell_;
    QString fehler_;
};

}  // namespace tav
