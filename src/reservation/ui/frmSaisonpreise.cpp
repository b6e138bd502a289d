#include "reservation/ui/frmSaisonpreise.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Amounts.h"
#include "platform/ui/WindowParts.h"
#include "reservation/ui/TastenFilter.h"
#include "store/Datenbankfehler.h"

namespace tav {

frmSaisonpreise::frmSaisonpreise(Database& db, Dialogs& dialogs, int zimmer, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), logik_(db, dialogs) {
    setObjectName(QStringLiteral("frmSaisonpreise"));
    setWindowTitle(QStringLiteral("Saisonpreise"));

    cboZimmer = new QComboBox;
    cboZimmer->setObjectName(QStringLiteral("cboZimmer"));
    cboZimmer->setToolTip(QStringLiteral("Das Zimmer, dessen Saisonpreise bearbeitet werden."));
    QList<ZimmerWahl> zimmerListe;
    geschuetzt(QStringLiteral("Die Zimmer konnten nicht gelesen werden."), [&] { zimmerListe = logik_.zimmer(); });
    for (const ZimmerWahl& z : zimmerListe) cboZimmer->addItem(z.label, z.nummer);

    const auto preisBox = [this](const char* name, const QString& hilfe) {
        auto* e = new QLineEdit;
        e->setObjectName(QString::fromUtf8(name));
        e->setToolTip(hilfe);
        e->setAlignment(Qt::AlignRight);
        e->setMaximumWidth(110);
        new TastenFilter(e, [](QChar c, const QString&) { return SaisonpreiseLogik::tasteErlaubt(c); });
        e->installEventFilter(this);
        return e;
    };
    const QString leer = QStringLiteral(" Ein leeres Feld bedeutet: der Standardpreis des Zimmers gilt.");
    txtHaupt = preisBox("txtHaupt", QStringLiteral("Preis pro Nacht in der Hauptsaison.") + leer);
    txtZwischen = preisBox("txtZwischen", QStringLiteral("Preis pro Nacht in der Zwischensaison.") + leer);
    txtNeben = preisBox("txtNeben", QStringLiteral("Preis pro Nacht in der Nebensaison.") + leer);
    txtSonder = preisBox("txtSonder", QStringLiteral("Preis pro Nacht in der Sondersaison.") + leer);
    lblStandard = new QLabel;
    lblStandard->setObjectName(QStringLiteral("lblStandard"));

    cmdSpeichern = new QPushButton(QStringLiteral("&Speichern"));
    cmdSpeichern->setObjectName(QStringLiteral("cmdSpeichern"));
    cmdSpeichern->setToolTip(QStringLiteral("Speichert die Saisonpreise des Zimmers."));
    cmdSchliessen = new QPushButton(QStringLiteral("Schl&ießen"));
    cmdSchliessen->setObjectName(QStringLiteral("cmdSchliessen"));
    cmdSchliessen->setToolTip(QStringLiteral("Schließt die Saisonpreise."));
    for (QPushButton* b : {cmdSpeichern, cmdSchliessen}) b->setAutoDefault(false);

    lblHilfe_ = parts::helpLine(QStringLiteral("Preise pro Nacht, z. B. 85,00."));

    auto* felder = new QFormLayout;
    const auto zeile = [felder](const QString& text, QWidget* feld) { parts::captionedRow(felder, text, feld); };
    zeile(QStringLiteral("&Zimmer:"), cboZimmer);
    felder->addRow(QString(), lblStandard);
    zeile(QStringLiteral("&Hauptsaison:"), txtHaupt);
    zeile(QStringLiteral("Z&wischensaison:"), txtZwischen);
    zeile(QStringLiteral("&Nebensaison:"), txtNeben);
    zeile(QStringLiteral("S&ondersaison:"), txtSonder);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSpeichern);
    knoepfe->addWidget(cmdSchliessen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(felder);
    layout->addStretch(1);
    layout->addWidget(lblHilfe_);
    layout->addLayout(knoepfe);
    resize(420, 260);

    for (SaisonpreiseLogik::Feld f :
         {SaisonpreiseLogik::Haupt, SaisonpreiseLogik::Zwischen, SaisonpreiseLogik::Neben, SaisonpreiseLogik::Sonder})
        connect(box(f), &QLineEdit::textEdited, this, [this, f](const QString& t) { logik_.setText(f, t); });
    connect(cboZimmer, &QComboBox::activated, this, [this](int index) {
        bool geladen = false;
        geschuetzt(QStringLiteral("Die Preise des Zimmers konnten nicht gelesen werden."),
                   [&] { geladen = logik_.laden(cboZimmer->itemData(index).toInt()); });
        if (!geladen) {
            // The user stays with the changed room.
            cboZimmer->setCurrentIndex(cboZimmer->findData(logik_.geladen()));
            return;
        }
        anzeigen();
    });
    connect(cmdSpeichern, &QPushButton::clicked, this, [this] {
        bool gespeichert = false;
        geschuetzt(QStringLiteral("Die Preise konnten nicht gespeichert werden."), [&] { gespeichert = logik_.speichern(); });
        if (gespeichert) anzeigen();
    });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    new Hilfezeile(this, lblHilfe_);
    int start = cboZimmer->findData(zimmer);
    if (start < 0) start = 0;
    if (cboZimmer->count() > 0) {
        cboZimmer->setCurrentIndex(start);
        geschuetzt(QStringLiteral("Die Preise des Zimmers konnten nicht gelesen werden."),
                   [&] { logik_.laden(cboZimmer->itemData(start).toInt()); });
    }
    anzeigen();
}

void frmSaisonpreise::oeffnen(Database& db, Dialogs& dialogs, int zimmer, QWidget* parent) {
    frmSaisonpreise fenster(db, dialogs, zimmer, parent);
    fenster.exec();
}

QLineEdit* frmSaisonpreise::box(SaisonpreiseLogik::Feld f) const {
    switch (f) {
        case SaisonpreiseLogik::Haupt: return txtHaupt;
        case SaisonpreiseLogik::Zwischen: return txtZwischen;
        case SaisonpreiseLogik::Neben: return txtNeben;
        case SaisonpreiseLogik::Sonder: return txtSonder;
    }
    return txtHaupt;
}

void frmSaisonpreise::anzeigen() {
    anzeigen_ = true;
    for (SaisonpreiseLogik::Feld f :
         {SaisonpreiseLogik::Haupt, SaisonpreiseLogik::Zwischen, SaisonpreiseLogik::Neben, SaisonpreiseLogik::Sonder}) {
        box(f)->setText(logik_.text(f));
        box(f)->setEnabled(logik_.geladen() != 0);
    }
    lblStandard->setText(logik_.geladen() == 0 ? QStringLiteral("Es ist noch kein Zimmer angelegt.")
                                               : QStringLiteral("Standardpreis ohne Saison: ") + amounts::format(logik_.standardpreis()));
    cmdSpeichern->setEnabled(logik_.geladen() != 0);
    anzeigen_ = false;
}

bool frmSaisonpreise::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        for (SaisonpreiseLogik::Feld f :
             {SaisonpreiseLogik::Haupt, SaisonpreiseLogik::Zwischen, SaisonpreiseLogik::Neben, SaisonpreiseLogik::Sonder})
            if (watched == box(f)) logik_.pruefen(f);
    return QDialog::eventFilter(watched, event);
}

template <typename F>
bool frmSaisonpreise::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

void frmSaisonpreise::reject() {
    // A save that fails on closing keeps the window open with the changes.
    bool zu = false;
    geschuetzt(QStringLiteral("Die Preise konnten nicht gespeichert werden."), [&] { zu = logik_.schliessen(); });
    if (zu) QDialog::reject();
}

}  // namespace tav
