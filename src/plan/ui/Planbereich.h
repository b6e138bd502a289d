#pragma once

#include <QPixmap>
#include <QWidget>
#include <memory>

#include "plan/BuchungsMenue.h"
#include "plan/PlanModel.h"
#include "plan/PlanUeberschriften.h"
#include "plan/ui/Plantafel.h"
#include "store/Fenster.h"

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

// The pages of the settings dialog the plan's context menus ask for.
enum class EinstellungsSeite { Allgemein, Farben, Zimmer, ZusatzspaltenEinrichten, ZusatzspaltenZuordnen };

// The occupancy plan as one widget for the main window's centre: navigation buttons, the chart
// with its room scroll bar, the legend of booking kinds, the status fields that follow the
// mouse, the help line, the paid indicator and the refresh button with its timer.
//
// A window outside the plan is asked of the window service: an entry whose window is not
// there is disabled, and the plan repaints from the database after each window (they are modal).
// Every read from the database survives a failure: a click shows a German message naming the
// file; a mouse move shows no box and leaves the status empty, the refresh timer writes the
// reason into the help line, and both try again on the next move or tick.
class Planbereich : public QWidget {
    Q_OBJECT
public:
    // zusatzspalten: the attribute columns in use (Zimmerliste::zusatzspaltenInGebrauch).
    // The visible rows are reduced so that the window fits the screen.
    Planbereich(Database& db, Dialogs& dialogs, Fenster& fenster, const Zimmerliste& rooms, PlanEinstellungen einstellungen,
                int zusatzspalten, QWidget* parent = nullptr);
    ~Planbereich() override;

    PlanModel& model() { return *model_; }
    Plantafel* view() const { return view_; }

    bool vorhanden(Ziel ziel) const { return fenster_.vorhanden(ziel); }
    // Opens the window over the plan through the window service, then repaints.
    void oeffne(Ziel ziel, const Aufruf& aufruf);

    // The picture that is printed: the widget with the short name on each booking's first cell.
    QPixmap druckBild();

    // The context menus, built for the booking or region (for the menu and for tests).
    QMenu* erstelleBuchungsMenue(const KontextBuchung& k, QWidget* parent);
    QMenu* erstelleBereichsMenue(Plantafel::Bereich bereich, QWidget* parent);

    // The rows that fit a screen of the given height next to everything else of the window.
    static int passendeZeilen(int gewuenscht, int zeilenHoeheTwips, int bildschirmHoehe);
    // Enables the buttons whose window is there.
    void aktualisiereZustand();

public slots:
    void neuLaden();  // cmdAktualisieren
    void zeigeAb(QDate start);
    void navigiere(tav::PlanModel::Schritt schritt);
    void anfangsdatumAbfragen();
    void neueReservierungOhneZimmer();
    void drucken();  // cmdDrucken
    void timerTick();

signals:
    void beendenAngefordert();
    // The settings dialog closed: the main window starts again and reads every setting.
    void einstellungenGeschlossen();

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
    // Runs a command that reads or writes the database; a failure is shown with was.
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);
    void buchungOeffnen(const Uebergabe& uebergabe);

    Database& db_;
    Dialogs& dialogs_;
    Fenster& fenster_;
    std::unique_ptr<PlanModel> model_;
    BuchungsMenue buchungsMenue_;
    PlanUeberschriften ueberschriften_;
    int zusatzspalten_;

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
