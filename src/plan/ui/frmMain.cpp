#include "plan/ui/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "plan/PlanEinstellungen.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "store/Datenbankfehler.h"
#include "store/Variablen.h"
#include "store/clsDatenaufbereitung.h"

namespace tav {

frmMain::frmMain(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Shell& shell, Fenster& fenster, QWidget* parent)
    : QMainWindow(parent),
      v_(v),
      dialogs_(dialogs),
      settings_(settings),
      shell_(shell),
      fenster_(fenster),
      logik_(v, dialogs, settings, fenster) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(logik_.fensterTitel());
    setCentralWidget(new QWidget(this));
}

frmMain::~frmMain() = default;

MainLogik::Ergebnis frmMain::laden() {
    const MainLogik::Ergebnis e = logik_.initialisieren();
    setWindowTitle(logik_.fensterTitel());
    if (e == MainLogik::Ergebnis::Bereit && v_.db) {
        logik_.angeboteAufraeumen();
        planAufbauen();
    }
    return e;
}

void frmMain::planAufbauen() {
    Database& db = *v_.db;
    // Without its rooms the plan shows empty rows; the message says why.
    int zusatzspalten = 0;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Zimmer konnten nicht gelesen werden."), [&] {
        rooms_.load(db);
        zusatzspalten = Zimmerliste::zusatzspaltenInGebrauch(db);
    });
    plan_ = new Planbereich(db, dialogs_, fenster_, rooms_, PlanEinstellungen::aus(v_), zusatzspalten, this);
    setCentralWidget(plan_);
    menuBar()->clear();
    menue_ = new PlanMenue(menuBar(), plan_, db, dialogs_, shell_, settings_, fenster_, v_);
    menue_->setBeispieldaten(v_.beispieldaten);

    connect(menue_, &PlanMenue::beispieldatenUmschalten, this, [this] {
        if (logik_.beispieldatenUmschalten()) emit neustartGewuenscht();
        menue_->setBeispieldaten(v_.beispieldaten);
    });
    connect(menue_, &PlanMenue::datenbankpfadOeffnen, this, &frmMain::datenbankDialogGewuenscht);
    connect(menue_, &PlanMenue::neustartNoetig, this, &frmMain::neustartGewuenscht);
    connect(menue_, &PlanMenue::datenAufbereiten, this, [this] {
        datenbankGeschuetzt(dialogs_, QStringLiteral("Die Daten konnten nicht aufbereitet werden."),
                            [this] { clsDatenaufbereitung(*v_.db, dialogs_).DatenNeu(); });
    });
    connect(menue_, &PlanMenue::beendenAngefordert, this, &QWidget::close);
    connect(menue_, &PlanMenue::einstellungenGeschlossen, this, &frmMain::neustartGewuenscht);
    connect(plan_, &Planbereich::einstellungenGeschlossen, this, &frmMain::neustartGewuenscht);
    connect(plan_, &Planbereich::beendenAngefordert, this, &QWidget::close);

    // The plan is the work surface: the window opens across the screen's width (the chart's
    // columns widen with it) at the height its rows need, within the screen.
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect frei = screen->availableGeometry();
        setGeometry(frei.x(), frei.y(), frei.width(), qMin(height(), frei.height()));
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!logik_.schliessen()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!v_.neustartLaeuft) emit geschlossen();
}

}  // namespace tav
