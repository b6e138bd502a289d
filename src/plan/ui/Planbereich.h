#pragma once

#include <QPixmap>
#include <QSet>
#include <QWidget>
#include <memory>

#include "plan/BuchungsMenue.h"
#include "plan/PlanModel.h"
#include "plan/PlanUeberschriften.h"
#include "plan/ui/Plantafel.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;
class QToolButton;

namespace tav {

class Database;
class Dialogs;
class Zimmerliste;

// Windows of other parts that the plan opens. Until the main window reports one as there,
// the entries that would open it are shown but disabled.
enum class Ziel {
    Reservierung,       // frmReservierung: new and existing bookings, the last booking
    Rechnungen,         // invoice overview of a booking
    Zahlungen,          // payments of a booking
    Adresskonto,        // account of an address
    Adresssuche,        // quick address search
    Buchungsliste,      // frmSuchen
    Einstellungen,      // frmParameter
    Saisonzeiten,       // frmSaison
    Datenbankpfad,      // frmDatenbank
    Datensicherung,     // frmDatensicherung
    Feiertage,          // frmFeiertag
    Beispieldaten,      // the switch between sample and working data
    Datenaufbereitung,  // the data clean-up
    RechnungOeffnen,    // one invoice found by its running number
    Abreiseliste,       // the departures of one day
};

// The pages of the settings dialog the plan's context menus ask for.
enum class EinstellungsSeite { Allgemein, Farben, Zimmer, ZusatzspaltenEinrichten, ZusatzspaltenZuordnen };

// The occupancy plan as one widget for the main window's centre: navigation buttons, the chart
// with its room scroll bar, the legend of booking kinds, the status fields that follow the
// mouse, the help line, the paid indicator and the refresh button with its timer.
//
// What needs another window leaves as a signal; the plan repaints from the database after each
// of them, because a connected receiver opens its window modally.
class Planbereich : public QWidget {
    Q_OBJECT
public:
    // zusatzspalten: the attribute columns in use (Zimmerliste::zusatzspaltenInGebrauch).
    // The visible rows are reduced so that the window fits the screen.
    Planbereich(Database& db, Dialogs& dialogs, const Zimmerliste& rooms, PlanEinstellungen einstellungen, int zusatzspalten,
               QWidget* parent = nullptr);
    ~Planbereich() override;

    PlanModel& model() { return *model_; }
    Plantafel* view() const { return view_; }

    void setVorhanden(Ziel ziel, bool ja = true);
    bool vorhanden(Ziel ziel) const { return ziele_.contains(ziel); }

    // The picture that is printed: the widget with the short name on each booking's first cell.
    QPixmap druckBild();

    // The context menus, built for the booking or region (for the menu and for tests).
    QMenu* erstelleBuchungsMenue(const KontextBuchung& k, QWidget* parent);
    QMenu* erstelleBereichsMenue(Plantafel::Bereich bereich, QWidget* parent);

    // The rows that fit a screen of the given height next to everything else of the window.
    static int passendeZeilen(int gewuenscht, int zeilenHoeheTwips, int bildschirmHoehe);

public slots:
    void neuLaden();  // cmdAktualisieren
    void zeigeAb(QDate start);
    void navigiere(tav::PlanModel::Schritt schritt);
    void anfangsdatumAbfragen();
    void neueReservierungOhneZimmer();
    void drucken();  // cmdDrucken
    void timerTick();

signals:
    void neueReservierung(const tav::Uebergabe& uebergabe);
    void reservierungOeffnen(const tav::Uebergabe& uebergabe);
    void rechnungsUebersicht(int buchungId);
    void zahlungenOeffnen(int buchungId);
    void adresskontoOeffnen(int adressId);
    void adressSucheOeffnen(const QString& ersterBuchstabe);
    void buchungslisteOeffnen();
    void einstellungenOeffnen(tav::EinstellungsSeite seite);
    void beendenAngefordert();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void aufbauen();
    void zeigeStatus(const MausStatus& s);
    void buchungsMenue(const KontextBuchung& k, QPoint pos);
    void bereichsMenue(Plantafel::Bereich b, QPoint pos);
    void scrollen(int wert);
    void ueberschriftenFuellen();
    void einstellungen(EinstellungsSeite seite);
    void hilfe(QWidget* w, const QString& text);
    void aktualisiereZustand();

    Database& db_;
    Dialogs& dialogs_;
    std::unique_ptr<PlanModel> model_;
    BuchungsMenue buchungsMenue_;
    PlanUeberschriften ueberschriften_;
    int zusatzspalten_;
    QSet<Ziel> ziele_;

    Plantafel* view_ = nullptr;
    QScrollBar* vScroll_ = nullptr;
    QToolButton* cmdErster_ = nullptr;
    QToolButton* cmdLetzter_ = nullptr;
    QGroupBox* fraBelegungsart_ = nullptr;
    QComboBox* lstUeberschrift1_ = nullptr;
    QButtonGroup* optBelArt_ = nullptr;
    QLineEdit* fldZimmer_ = nullptr;
    QLineEdit* fldTag_ = nullptr;
    QLineEdit* fldDatum_ = nullptr;
    QLineEdit* fldWochentag_ = nullptr;
    QLineEdit* txtFeiertag_ = nullptr;
    QLabel* cmdBezahlt_ = nullptr;
    QLabel* lblHilfe_ = nullptr;
    QLabel* lbWarnung_ = nullptr;
    QPushButton* cmdReservierung_ = nullptr;
    QPushButton* cmdAktualisieren_ = nullptr;
    QPushButton* cmdDrucken_ = nullptr;
    QPushButton* cmdSchliessen_ = nullptr;
    QList<QPushButton*> navigation_;
    QTimer* timer_ = nullptr;
};

}  // namespace tav
