#include "plan/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>

#include "data/Variablen.h"

namespace tav {

frmMain::frmMain(Variablen& v, Dialogs& dialogs, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), v_(v), logik_(v, dialogs, settings) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(logik_.fensterTitel());
    menueAufbauen();
    setCentralWidget(new QWidget(this));
    resize(1200, 760);
}

void frmMain::menueAufbauen() {
    auto menu = [this](const QString& name, const QString& text) {
        QMenu* m = menuBar()->addMenu(text);
        m->setObjectName(name);
        return m;
    };
    mnuDatei_ = menu(QStringLiteral("mnuDatei"), QStringLiteral("&Datei"));
    mnuBeispiedaten_ = mnuDatei_->addAction(QStringLiteral("&Beispieldaten anzeigen"));
    mnuBeispiedaten_->setObjectName(QStringLiteral("mnuBeispiedaten"));
    mnuBeispiedaten_->setCheckable(true);
    QAction* datenbank = mnuDatei_->addAction(QStringLiteral("D&atenbankpfad einstellen"));
    datenbank->setObjectName(QStringLiteral("mnuDatenbank"));
    mnuDatei_->addSeparator();
    QAction* beenden = mnuDatei_->addAction(QStringLiteral("Be&enden   Alt+F4"));
    beenden->setObjectName(QStringLiteral("mnuDateiBeenden"));
    menu(QStringLiteral("mnuBearbeiten"), QStringLiteral("&Bearbeiten"));
    menu(QStringLiteral("mnuExtras"), QStringLiteral("E&xtras"));
    menu(QStringLiteral("mnuDaten"), QStringLiteral("Datenübersicht"));
    menu(QStringLiteral("mnuHilfe"), QStringLiteral("&Info"));

    connect(mnuBeispiedaten_, &QAction::triggered, this, [this] {
        if (logik_.beispieldatenUmschalten()) emit neustartGewuenscht();
        mnuBeispiedaten_->setChecked(v_.beispieldaten);
    });
    connect(datenbank, &QAction::triggered, this, &frmMain::datenbankDialogGewuenscht);
    connect(beenden, &QAction::triggered, this, &QWidget::close);
}

HauptfensterLogik::Ergebnis frmMain::laden() {
    const HauptfensterLogik::Ergebnis e = logik_.initialisieren();
    setWindowTitle(logik_.fensterTitel());
    mnuBeispiedaten_->setChecked(v_.beispieldaten);
    return e;
}

void frmMain::setPlan(QWidget* plan) { setCentralWidget(plan); }

void frmMain::closeEvent(QCloseEvent* event) {
    if (!logik_.schliessen()) {
        event->ignore();
        return;
    }
    event->accept();
    if (!v_.neustartLaeuft) emit geschlossen();
}

}  // namespace tav
