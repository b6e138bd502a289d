#include "startup/ui/Programmsteuerung.h"

#include <QApplication>
#include <QCursor>
#include <QTimer>

#include "plan/ui/frmMain.h"
#include "platform/Shell.h"
#include "startup/mdAccessVerknuepfung.h"
#include "startup/ui/frmDatenbank.h"
#include "startup/ui/frmMaskeAufbauen.h"
#include "store/Variablen.h"

namespace tav {

namespace {

// Counts a piece of start-up work for as long as it runs.
struct Beschaeftigt {
    explicit Beschaeftigt(int& n) : n_(n) { ++n_; }
    ~Beschaeftigt() { --n_; }
    int& n_;
};

}  // namespace

Programmsteuerung::Programmsteuerung(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Fenster& fenster, QString programmordner,
                                     QString dateiname, QObject* parent)
    : QObject(parent),
      v_(v),
      dialogs_(dialogs),
      settings_(settings),
      fenster_(fenster),
      programmordner_(std::move(programmordner)),
      dateiname_(std::move(dateiname)) {
    shell = std::make_unique<SystemShell>();
}

Programmsteuerung::~Programmsteuerung() {
    delete dialog_;
    delete splash_;
    if (main_) {
        v_.neustartLaeuft = true;  // no questions while the program goes away
        delete main_;
    }
}

void Programmsteuerung::starten() {
    Beschaeftigt b(beschaeftigt_);
    mdAccessVerknuepfung startup(v_, dialogs_, settings_, programmordner_, dateiname_);
    switch (startup.start()) {
        case mdAccessVerknuepfung::Weiter::Hauptfenster: hauptfensterStarten(); return;
        case mdAccessVerknuepfung::Weiter::Datenbankdialog:
            datenbankDialogZeigen(true);
            // Whatever the dialog ended with, the main window is started next, unless the
            // user ended the program.
            if (!beendet_ && !main_) hauptfensterStarten();
            return;
        case mdAccessVerknuepfung::Weiter::Ende: beenden(); return;
    }
}

void Programmsteuerung::hauptfensterEntladen() {
    if (!main_) return;
    v_.neustartLaeuft = true;
    main_->close();
    delete main_;
    v_.hauptfensterGeladen = false;
}

void Programmsteuerung::hauptfensterStarten() {
    if (beendet_) return;
    Beschaeftigt b(beschaeftigt_);
    delete splash_;
    v_.splashAngezeigt = false;
    splash_ = new frmMaskeAufbauen(v_.titel);
    splash_->show();
    v_.splashAngezeigt = true;
    QApplication::processEvents();
    if (main_) hauptfensterEntladen();

    main_ = new frmMain(v_, dialogs_, settings_, *shell, fenster_);
    main_->logik().rechnungenUndZahlungenPruefen = rechnungenUndZahlungenPruefen;
    v_.hauptfensterGeladen = true;
    connect(main_, &frmMain::neustartGewuenscht, this, [this] { QTimer::singleShot(0, this, &Programmsteuerung::hauptfensterStarten); });
    connect(main_, &frmMain::datenbankDialogGewuenscht, this, [this] { datenbankDialogZeigen(true); });
    connect(main_, &frmMain::geschlossen, this, &Programmsteuerung::beenden);

    const MainLogik::Ergebnis ergebnis = main_->laden();
    switch (ergebnis) {
        case MainLogik::Ergebnis::Bereit:
            v_.neustartLaeuft = false;
            main_->show();
            break;
        case MainLogik::Ergebnis::NeustartBeispiel:
            hauptfensterEntladen();
            QTimer::singleShot(0, this, &Programmsteuerung::hauptfensterStarten);
            break;
        case MainLogik::Ergebnis::Beenden:
            hauptfensterEntladen();
            beenden();
            break;
        case MainLogik::Ergebnis::Datenbankdialog:
        case MainLogik::Ergebnis::Fehler:
            hauptfensterEntladen();
            v_.neustartLaeuft = false;
            delete splash_;
            v_.splashAngezeigt = false;
            datenbankDialogZeigen(false);
            break;
    }
    delete splash_;
    v_.splashAngezeigt = false;
}

void Programmsteuerung::datenbankDialogZeigen(bool modal) {
    if (beendet_) return;
    if (dialog_) {
        delete dialog_;
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
    dialog_ = new frmDatenbank(v_, dialogs_, settings_, main_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &frmDatenbank::beenden, this, &Programmsteuerung::beenden);
    if (modal) {
        // From the start-up the caller starts the main window; from the menu a save restarts it.
        const bool ausMenue = main_ != nullptr;
        const int r = dialog_->exec();
        if (ausMenue && r == QDialog::Accepted && !beendet_) QTimer::singleShot(0, this, &Programmsteuerung::hauptfensterStarten);
        return;
    }
    connect(dialog_, &frmDatenbank::gespeichert, this, [this] { QTimer::singleShot(0, this, &Programmsteuerung::hauptfensterStarten); });
    connect(dialog_, &QDialog::rejected, this, [this] {
        // Closed without saving while no main window is there: nothing is left to show.
        if (!main_ && !beendet_) beenden();
    });
    dialog_->show();
}

QWidget* Programmsteuerung::vorderstesFenster() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (dialog_ && dialog_->isVisible()) return dialog_;
    if (main_ && main_->isVisible()) return main_;
    if (splash_ && splash_->isVisible()) return splash_;
    return nullptr;
}

void Programmsteuerung::beenden() {
    if (beendet_) return;
    beendet_ = true;
    if (dialog_) dialog_->close();
    if (main_) {
        v_.neustartLaeuft = true;  // closing for good has already been asked, or nothing is loaded
        main_->deleteLater();
    }
    v_.db.reset();
    v_.beispielDb.reset();
    emit programmEnde();
}

}  // namespace tav
