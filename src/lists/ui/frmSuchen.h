#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "lists/SuchenLogik.h"
#include "lists/Tageslisten.h"
#include "lists/ui/BuchungslisteModell.h"
#include "store/Fenster.h"

class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;

namespace tav {

class Database;
class Dialogs;
class Shell;
class SettingsStore;
class WeitereDokumente;

// Prints a list: merges the list's template with its data file into a document and a PDF beside
// the data file, then opens the print dialog over eltern. True when it was printed; a missing
// template or a failed print is reported through dialogs.
bool listeDrucken(const QString& vorlage, const QString& datendatei, Dialogs& dialogs, QWidget* eltern);

// The booking list "Daten suchen" with its filter row, selection modes, layout commands, the
// daily lists and their export, the maintenance commands and the further documents. Every
// database call that fails shows a German message naming the file; the list keeps its content.
class frmSuchen : public QDialog {
    Q_OBJECT
public:
    // With aufruf.anreise set (the main window's departures command) the list opens with the
    // departures of that day.
    frmSuchen(Database& db, Dialogs& dialogs, Fenster& fenster, Shell& shell, const Aufruf& aufruf = {}, QWidget* parent = nullptr);
    ~frmSuchen() override;

    // Shows the loading window, loads the list and opens it modally.
    static void oeffnen(Database& db, Dialogs& dialogs, Fenster& fenster, const Aufruf& aufruf, QWidget* parent);

    // Recomputes Abg_Temp and runs the query of the opening (false when the database failed).
    bool laden();

    BuchungslisteModell& modell() { return *modell_; }
    SuchenLogik& logik() { return logik_; }
    const Listenabfrage& abfrage() const { return abfrage_; }
    QString status() const;

    // Runs the filter texts of the filter row.
    void filterAusfuehren();
    void alleFilterEntfernen();
    void sortieren(int spalte, bool absteigend);
    // Runs one list: with drucken through the document output, otherwise as an export.
    void liste(Tagesliste l, bool drucken);

    QComboBox* cboAnzeige;
    QPushButton* cmdVorgabe;
    QPushButton* cmdFilter;
    QPushButton* cmdAktualisieren;
    QPushButton* cmdSchliessen;
    QTableView* MSFlexSuchen;
    QMenuBar* menue;
    QMenu* kontext;

private:
    void aufbauen();
    void menuesAufbauen();
    QAction* eintrag(QMenu* m, const char* name, const QString& text, std::function<void()> tun);
    bool abfragen(bool meldungWennLeer = true);
    void aktualisieren();
    void auswahl(Auswahl a);
    void breitenAnwenden(const QList<int>& breiten);
    QList<int> aktuelleBreiten() const;
    void weitereDokumenteAuffrischen();
    void vorgabeDatum();
    void bildschirmDrucken();
    int aktuelleSpalte() const;
    const Listenzeile* aktuelleZeile() const;
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Database& db_;
    Dialogs& dialogs_;
    Fenster& fenster_;
    Shell& shell_;
    Aufruf aufruf_;
    SuchenLogik logik_;
    std::unique_ptr<SettingsStore> einstellungen_;
    std::unique_ptr<WeitereDokumente> dokumente_;
    BuchungslisteModell* modell_ = nullptr;
    Listenabfrage abfrage_;
    QList<int> gespeicherteBreiten_;
    QLabel* lblStatus_ = nullptr;
    QMenu* mnuWeitereDokumente_ = nullptr;
};

}  // namespace tav
