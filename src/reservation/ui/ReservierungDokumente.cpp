#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "invoice/Formulardruck.h"
#include "invoice/RechnungspostenLogik.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/ui/DocumentPrinter.h"
#include "reservation/ui/Schalter.h"
#include "reservation/ui/frmReservierung.h"
#include "store/Adressprogramm.h"
#include "store/Datenbankfehler.h"
#include "store/Fenster.h"
#include "store/WeitereDokumente.h"

// The menu "Weitere Dokumente" and the address program: the form shows and forwards, the rules
// live in WeitereDokumente and Adressprogramm.

namespace tav {

void frmReservierung::dokumenteVerbinden() {
    const QString ordner = logik_->adresse().umgebung().programmordner;
    dokumente_ = std::make_unique<WeitereDokumente>(db_, einstellungenSpeicher_, dialogs_, *shell_, WeitereDokumente::Menue::Reservierung);
    adressprogramm_ = std::make_unique<Adressprogramm>(*shell_, dialogs_, ordner);

    // ---- further documents ----
    for (int n = 1; n <= WeitereDokumente::kAnzahl; ++n) {
        QAction* eintrag = mnuWeitereDokumente->findChild<QAction*>(QStringLiteral("mnuDok_%1").arg(n));
        if (!eintrag) continue;
        connect(eintrag, &QAction::triggered, this, [this, n] {
            uebernehmen();
            AdressLogik& adresse = logik_->adresse();
            dokumente_->oeffnen(n, [&adresse](const QString& ordner) { return adresse.Adress_Export(adresse.gastId(), ordner); });
            anzeigen();
        });
    }
    connect(mnuPfade, &QAction::triggered, this, [this] {
        if (dokumente_->pfadeFestlegen()) dokumenteAnzeigen();
    });
    dokumenteAnzeigen();

    // ---- the booking's documents ----
    using F = Formulardruck::Formular;
    connect(cmdBestVorschau, &QPushButton::clicked, this,
            [this] { ausfuehren([this] { dokumentErstellen(int(logik_->istAngebot() ? F::Angebot : F::Bestaetigung)); }); });
    connect(cmdAnmeldung, &QPushButton::clicked, this,
            [this] { ausfuehren([this] { logik_->anmeldung([this] { return dokumentErstellen(int(F::Anmeldung)); }); }); });
    connect(mnuRechnungEinfach, &QAction::triggered, this, [this] { ausfuehren([this] { dokumentErstellen(int(F::Rechnung)); }); });

    // ---- the stored copies of the booking's documents ----
    using A = ReservierungLogik::Ablage;
    const std::pair<QAction*, A> ablagen[] = {{mnuvorhAngebot, A::Angebot}, {mnuVorhBest, A::Bestaetigung}, {mnuVorhRechnung, A::Rechnung}};
    for (const auto& [eintrag, ablage] : ablagen) {
        connect(eintrag, &QAction::triggered, this, [this, ablage] {
            const QString pfad = logik_->gespeichertesDokument(ablage, logik_->adresse().umgebung().programmordner);
            if (pfad.isEmpty()) return;
            // The PDF beside the merged copy shows it as printed.
            const QFileInfo dokument(pfad);
            const QString pdf = dokument.dir().filePath(dokument.completeBaseName() + QStringLiteral(".pdf"));
            if (!shell_->openDocument(QFileInfo(pdf).isFile() ? pdf : pfad))
                dialogs_.message(QStringLiteral("Das Dokument %1 konnte nicht geöffnet werden.").arg(QDir::toNativeSeparators(pfad)));
        });
    }

    // ---- the address program ----
    cmdADressverw = new QPushButton(QStringLiteral("Adressverwaltung"), adressKnoepfe);
    cmdADressverw->setObjectName(QStringLiteral("cmdADressverw"));
    cmdADressverw->setAutoDefault(false);  // Enter in a box does not start the address program
    cmdADressverw->setToolTip(
        QStringLiteral("Startet die Adressverwaltung oder holt ihr Fenster nach vorn. Eine dort gewählte Adresse "
                       "wird zur Übernahme angeboten."));
    if (adressKnoepfe->layout()) adressKnoepfe->layout()->addWidget(cmdADressverw);
    cmdADressverw->setEnabled(adressprogramm_->vorhanden());
    timeAdresse = new QTimer(this);
    timeAdresse->setObjectName(QStringLiteral("timeAdresse"));
    timeAdresse->setInterval(1000);
    connect(cmdADressverw, &QPushButton::clicked, this, [this] {
        if (adressprogramm_->oeffnen()) timeAdresse->start();
    });
    connect(timeAdresse, &QTimer::timeout, this, &frmReservierung::adressprogrammAbfragen);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* jetzt) {
        if (!jetzt) return;
        if (jetzt == cboGastNeu || cboGastNeu->isAncestorOf(jetzt)) rechnungHatteFokus_ = false;
        if (jetzt == cboAdrRechnung || cboAdrRechnung->isAncestorOf(jetzt)) rechnungHatteFokus_ = true;
    });
}

bool frmReservierung::dokumentErstellen(int formular) {
    const auto f = Formulardruck::Formular(formular);
    if (!logik_->dokumentVorbereiten()) return false;
    const int id = logik_->felder().id;
    Formulardruck druck(db_, dialogs_, logik_->adresse().umgebung().programmordner);
    if (!druck.vorlageBereit(f)) return false;

    // The extras start from their defaults for every document.
    RechnungspostenLogik& posten = rechnungsposten();
    posten.leeren();
    Aufruf aufruf;
    aufruf.buchungId = id;
    aufruf.text = Formulardruck::postenTitel(f, druck.gastname(id));
    fensterOeffnen(Ziel::Rechnungsposten, aufruf);
    if (posten.ergebnis() != RechnungspostenLogik::Ergebnis::Ok) return false;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const MergeResult r = druck.drucken(f, id, posten.werte(), logik_->dokumentName(), Clock::current().today());
    QApplication::restoreOverrideCursor();
    if (!r.ok) return false;
    if (f == Formulardruck::Formular::Anmeldung) {
        QString fehler;
        if (!DocumentPrinter::print(r.document, r.copies, this, &fehler) && !fehler.isEmpty()) dialogs_.message(fehler);
    } else if (!shell_->openDocument(r.pdf)) {
        dialogs_.message(QStringLiteral("Das Dokument %1 konnte nicht geöffnet werden.").arg(QDir::toNativeSeparators(r.pdf)));
    }
    return true;
}

void frmReservierung::dokumenteAnzeigen() {
    const QList<WeitereDokumente::Eintrag> eintraege = dokumente_->eintraege();
    for (int n = 1; n <= eintraege.size(); ++n) {
        QAction* eintrag = mnuWeitereDokumente->findChild<QAction*>(QStringLiteral("mnuDok_%1").arg(n));
        if (!eintrag) continue;
        QString text = eintraege[n - 1].name;
        eintrag->setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        eintrag->setEnabled(eintraege[n - 1].moeglich());
        eintrag->setToolTip(eintraege[n - 1].pfad);
    }
    mnuPfade->setEnabled(true);
}

void frmReservierung::adressprogrammAbfragen() {
    // While a question of the form is open, the choice waits for the next tick.
    if (abfrageLaeuft_ || fuellen_) return;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return;
    const int id = adressprogramm_->neueAuswahl();
    if (id == 0) return;
    const Schalter laeuft(abfrageLaeuft_);
    const bool rechnung = rechnungHatteFokus_;
    ausfuehren([this, id, rechnung] {
        if (logik_->adresse().adresseUebernehmen(id, rechnung)) logik_->geaendert();
    });
}

}  // namespace tav
