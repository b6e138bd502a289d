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
// Hauptbefehle; commands that open another part's window leave as signals and stay disabled
// until the main window reports that window as there (setVorhanden).
class PlanMenue : public QObject {
    Q_OBJECT
public:
    // Fills bar; plan is the plan widget in the window's centre. v provides the program folder,
    // the sample-data state and the booking opened last.
    PlanMenue(QMenuBar* bar, Planbereich* plan, Database& db, Dialogs& dialogs, Shell& shell, SettingsStore& settings, Variablen& v);

    Hauptbefehle& befehle() { return befehle_; }
    // An item by its objectName (mnuDatei, mnuDateiReorganisation, …); nullptr when unknown.
    QAction* eintrag(const QString& name) const { return eintraege_.value(name); }

    // Reports another part's window as there (or gone); forwarded to the plan widget too.
    void setVorhanden(Ziel ziel, bool ja = true);
    // Ticks "&Beispieldaten anzeigen" while the sample data are shown.
    void setBeispieldaten(bool an);

signals:
    void einstellungenOeffnen(tav::EinstellungsSeite seite);
    void saisonzeitenOeffnen();
    void beispieldatenUmschalten(bool anzeigen);
    void datenbankpfadOeffnen();
    void datensicherungOeffnen();
    void feiertageOeffnen();
    void datenAufbereiten();
    void buchungslisteOeffnen();
    void adressSucheOeffnen(const QString& ersterBuchstabe);
    void rechnungOeffnen(int reNummer);
    void abreiselisteOeffnen(QDate tag);
    void reservierungOeffnen(const tav::Uebergabe& uebergabe);
    // "Be&enden", and after the database update was started.
    void beendenAngefordert();

private:
    QMenu* menue(QMenuBar* bar, const char* name, const QString& text);
    QMenu* menue(QMenu* oben, const char* name, const QString& text);
    QAction* eintrag(QMenu* m, const char* name, const QString& text);
    template <typename F>
    QAction* eintrag(QMenu* m, const char* name, const QString& text, F&& tun);
    void bindeZiel(const char* name, Ziel ziel);
    void aktualisiereZustand();
    // After a modal window of another part: repaint the plan.
    void danach();

    Planbereich* plan_;
    Variablen& v_;
    Hauptbefehle befehle_;
    QHash<QString, QAction*> eintraege_;
    QHash<QString, Ziel> ziele_;  // item -> the window it needs
};

}  // namespace tav
