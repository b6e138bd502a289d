#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "engine/Database.h"
#include "platform/Shell.h"
#include "reservation/Blockprogramm.h"
#include "reservation/ui/frmReservierung.h"
#include "store/Datenbankfehler.h"
#include "store/Variablen.h"
#include "store/mdBlockbuchung.h"

// The block program: the form starts it for its booking and follows what it changes.

namespace tav {

void frmReservierung::blockprogrammVerbinden() {
    blockprogramm_ = std::make_unique<Blockprogramm>(*shell_, dialogs_, logik_->adresse().umgebung().programmordner, db_.path());
    timeBlock = new QTimer(this);
    timeBlock->setObjectName(QStringLiteral("timeBlock"));
    timeBlock->setInterval(1000);
    timerKontrolle = new QTimer(this);
    timerKontrolle->setObjectName(QStringLiteral("timerKontrolle"));
    timerKontrolle->setSingleShot(true);
    timerKontrolle->setInterval(200);

    connect(cmdBlockbuchung, &QPushButton::clicked, this, [this] {
        int id = 0;
        ausfuehren([this, &id] { id = logik_->blockbuchungVorbereiten(); });
        if (id == 0) return;
        if (blockprogramm_->oeffnen(id)) timeBlock->start();
    });
    connect(timeBlock, &QTimer::timeout, this, &frmReservierung::blockAbfragen);
    connect(timerKontrolle, &QTimer::timeout, this, [this] {
        // The block program may have added or moved bookings: the plan reloads at the next
        // mouse movement over it.
        variablen().aktualisieren = 1;
        nachladen();
    });
}

void frmReservierung::blockAbfragen() {
    if (!blockprogramm_->fensterOffen()) {
        timeBlock->stop();
        timerKontrolle->start();
        return;
    }
    // While a question of the form is open, the booking is shown again at the next tick.
    if (abfrageLaeuft_ || fuellen_) return;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return;
    nachladen();
}

void frmReservierung::nachladen() {
    if (abfrageLaeuft_ || fuellen_) return;
    // What is typed goes into the logic first, so that unsaved changes are seen and kept; the
    // focus stays where the user is.
    uebernehmen();
    bool geaendert = false;
    const QString aufgabe = QStringLiteral("Die Reservierung konnte nicht neu gelesen werden.");
    if (datenbankGeschuetzt(dialogs_, aufgabe, [&] { geaendert = logik_->blockNachladen(); }) && geaendert)
        datenbankGeschuetzt(dialogs_, aufgabe, [this] { anzeigen(); });
}

void frmReservierung::blockWeiterBeobachten() {
    auto* waechter = new QTimer(qApp);
    waechter->setObjectName(QStringLiteral("timeBlockNachForm"));
    waechter->setInterval(timeBlock->interval());
    std::shared_ptr<Shell> shell = eigeneShell_ ? std::shared_ptr<Shell>(std::move(eigeneShell_)) : std::make_shared<SystemShell>();
    connect(waechter, &QTimer::timeout, waechter, [waechter, shell] {
        if (shell->windowExists(mdBlockbuchung::kFenster)) return;
        variablen().aktualisieren = 1;
        waechter->deleteLater();
    });
    waechter->start();
}

}  // namespace tav
