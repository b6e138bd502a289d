#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>

#include "plan/Hauptbefehle.h"
#include "plan/ui/Planbereich.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tav {

class Database;
class Dialogs;
class SettingsStore;
class Shell;
struct Variablen;

// The main window's menu bar with every menu and item. Commands that work here (start date,
// deleting old bookings, sibling programs, manual, searches, printing) run through
// Hauptbefehle; commands that open a window ask the window service and are
// disabled when that window is not there. A command whose statement fails shows a German
// message naming the command and the file, and the menu stays usable.
class PlanMenue : public QObject {
    Q_OBJECT
public:
    // Fills bar; plan is the plan widget in the window's centre. v provides the program folder,
    // the sample-data state and the booking opened last.
    PlanMenue(QMenuBar* bar, Planbereich* plan, Database& db, Dialogs& dialogs, Shell& shell, SettingsStore& settings, Fenster& fenster,
              Variablen& v);

    Hauptbefehle& befehle() { return befehle_; }
    // An item by its objectName (mnuDatei, mnuDateiReorganisation, …); nullptr when unknown.
    QAction* eintrag(const QString& name) const { return eintraege_.value(name); }

    // Enables the items whose window is there (after the program's windows changed).
    void aktualisiereZustand();
    // Ticks "&Beispieldaten anzeigen" while the sample data are shown.
    void setBeispieldaten(bool an);

signals:
    // The main window's own commands.
    void beispieldatenUmschalten(bool anzeigen);
    void datenbankpfadOeffnen();
    void datenAufbereiten();
    // The files were replaced (a restore): the main window is loaded anew.
    void neustartNoetig();
    // "Be&enden", and after the database update was started.
    void beendenAngefordert();
    // The settings dialog closed: the main window starts again and reads every setting.
    void einstellungenGeschlossen();

private:
    QMenu* menue(QMenuBar* bar, const char* name, const QString& text);
    QMenu* menue(QMenu* oben, const char* name, const QString& text);
    QAction* eintrag(QMenu* m, const char* name, const QString& text);
    template <typename F>
    QAction* eintrag(QMenu* m, const char* name, const QString& text, F&& tun);
    void bindeZiel(const char* name, Ziel ziel);
    // Opens the window through the window service and repaints the plan afterwards.
    void oeffne(Ziel ziel, const Aufruf& aufruf = {});

    Planbereich* plan_;
    Dialogs& dialogs_;
    Fenster& fenster_;
    Variablen& v_;
    Hauptbefehle befehle_;
    QHash<QString, QAction*> eintraege_;
    QHash<QString, Ziel> ziele_;  // item -> the window it needs
};

}  // namespace tav
