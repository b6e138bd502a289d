#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace tav {

class Database;
class Dialogs;
class Fenster;
class SettingsStore;
class Shell;

// The commands of the main window that do their work here rather than in another window:
// the start-date input, deleting old bookings, the sibling programs, the manual, and the
// input boxes of the searches with their checks.
class Hauptbefehle {
public:
    // The sibling programs, by file name in the program folder.
    static inline const QString kAdressen = QStringLiteral("Qubero.exe");
    static inline const QString kStatistik = QStringLiteral("Yorvak.exe");
    static inline const QString kExport = QStringLiteral("Lomvix.exe");
    static inline const QString kImport = QStringLiteral("Pelvar.exe");
    static inline const QString kInternet = QStringLiteral("Fendrix.exe");
    static inline const QString kPlanDruck = QStringLiteral("Sendrak.exe");
    static inline const QString kDbUpdate = QStringLiteral("Wernic.exe");
    static inline const QString kHandbuch = QStringLiteral("Morvinel.pdf");
    static inline const QString kInternetHilfe = QStringLiteral("index.html");

    // fenster: the window service (the backup is asked only when its window exists); instanz: whose address marks are renewed.
    Hauptbefehle(Database& db, Dialogs& dialogs, Shell& shell, SettingsStore& settings, Fenster& fenster, QString programmordner,
                 int instanz = 0);

    QString programmPfad(const QString& datei) const;
    bool programmVorhanden(const QString& datei) const;

    // ---- the window start ----
    // "Geben Sie das Anfangsdatum der Darstellung ein:", asked again after a text that is not a
    // date; nullopt when the user cancels or leaves the box empty.
    std::optional<QDate> anfangsdatumAbfragen(QDate aktuell) { return anfangsdatumAbfragen(dialogs_, aktuell); }
    static std::optional<QDate> anfangsdatumAbfragen(Dialogs& dialogs, QDate aktuell);

    // ---- deleting old bookings ----
    // Deletes the bookings that ended the given number of months ago, after the questions
    // and inside one transaction, and clears the usage marks of the addresses no booking uses
    // any more; returns the number of bookings deleted (0 when stopped). The backup is offered
    // only when the backup window is there.
    int reorganisation();

    // ---- sibling programs ----
    // The address program starts only when it is there; nothing happens otherwise.
    bool adressverwaltung();
    // Statistics, export and import: their menu items are shown only when the file exists.
    // The statistics count no stale offers: they are cleared first (with their questions).
    bool statistik();
    bool datenexport() { return starte(kExport); }
    bool datenimport() { return starte(kImport); }
    // The internet-booking loader: the stored path, else the program folder, else the user
    // looks for it.
    bool internet();
    // Database update: asks first; true when the update program was started (the main window
    // closes then).
    bool datenbankUpdate();
    // Printing the plan through the word processor's sibling program.
    bool planDruckenWord(const QStringList& parameter);

    // ---- documents ----
    bool handbuch();
    bool internetHilfe();

    // ---- searches ----
    // The running invoice number typed by the user; the document key (ReNummer) it belongs to.
    std::optional<int> rechnungSuchen();
    // The day whose departures are to be listed.
    std::optional<QDate> abreiseTagAbfragen();
    // The booking opened last in the reservation form, or the message that there is none.
    std::optional<int> letzteReservierung(int letzte);

    // The note shown before the settings dialog opens.
    void einstellungenHinweis() { einstellungenHinweis(dialogs_); }
    static void einstellungenHinweis(Dialogs& dialogs);

private:
    bool starte(const QString& datei, const QStringList& argumente = {});

    Database& db_;
    Dialogs& dialogs_;
    Shell& shell_;
    SettingsStore& settings_;
    Fenster& fenster_;
    QString ordner_;
    int instanz_;
};

}  // namespace tav
