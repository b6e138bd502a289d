#include "invoice/ui/frmMwSt.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

frmMwSt::frmMwSt(Database& db, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), logik_(db, dialogs), modell_(MwStLogik::kSpalten, this) {
    setObjectName(QStringLiteral("frmMwSt"));
    setWindowTitle(QStringLiteral("Mehrwertsteuer"));

    ctrflexMwSt = stammGrid(QStringLiteral("ctrflexMwSt"), &modell_);
    ctrflexMwSt->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);

    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setMaxLength(6);
    txtName->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,.]*")), txtName));
    txtName->setToolTip(QStringLiteral("Der Steuersatz in Prozent, ohne Prozentzeichen."));
    txtGueltigBis = new QLineEdit;
    txtGueltigBis->setObjectName(QStringLiteral("txtGueltigBis"));
    txtGueltigBis->setMaxLength(10);
    txtGueltigBis->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), txtGueltigBis));
    txtGueltigBis->setToolTip(QStringLiteral("Der letzte Tag, an dem der Steuersatz gilt (TT.MM.JJJJ); leer, solange er gilt."));
    txtGueltigBis->installEventFilter(this);
    cboMwStNachfolger = new MwStListeFeld(QStringLiteral("cboMwStNachfolger"), logik_.auswahl(), dialogs_, [this] { fuellen(); });
    chStandard = new QCheckBox(QStringLiteral("S&tandardsteuersatz"));
    chStandard->setObjectName(QStringLiteral("chStandard"));
    chStandard->setToolTip(QStringLiteral("Der Steuersatz für Übernachtungen und für Rabatte in Brutto."));

    CmdNeueDaten = parts::button(QStringLiteral("CmdNeueDaten"), QStringLiteral("&Neuer Steuersatz"),
                                 QStringLiteral("Leert die Felder für einen neuen Steuersatz."));
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"), QStringLiteral("Speichert den Steuersatz."));
    cmdLöschen = parts::button(QStringLiteral("cmdLöschen"), QStringLiteral("&Löschen"),
                               QStringLiteral("Löscht den ausgewählten Steuersatz, wenn er nicht in Gebrauch ist."));
    cmdSchliessen =
        parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schl&ießen"), QStringLiteral("Schließt die Mehrwertsteuer."));

    auto* felder = new QFormLayout;
    parts::captionedRow(felder, QStringLiteral("Steuersat&z (%):"), txtName);
    parts::captionedRow(felder, QStringLiteral("&Gültig bis:"), txtGueltigBis);
    parts::captionedRow(felder, QStringLiteral("Steuersatz nach &Ablauf:"), cboMwStNachfolger);
    felder->addRow(QString(), chStandard);

    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {CmdNeueDaten, cmdSpeichern, cmdLöschen}) knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSchliessen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ctrflexMwSt, 1);
    layout->addLayout(felder);
    layout->addLayout(knoepfe);
    resize(720, 440);

    connect(txtName, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.bearbeiten().satz = t; });
    connect(txtGueltigBis, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.bearbeiten().gueltigBis = t; });
    connect(cboMwStNachfolger, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!anzeigen_) logik_.bearbeiten().nachfolger = t;
    });
    connect(chStandard, &QCheckBox::toggled, this, [this](bool an) {
        if (!anzeigen_) logik_.bearbeiten().standard = an;
    });
    fuellen_ = stammVerbinden(
        this, logik_, dialogs_, modell_, ctrflexMwSt, CmdNeueDaten, cmdSpeichern, cmdLöschen, txtName,
        {QStringLiteral("Der Steuersatz konnte nicht gelesen werden."), QStringLiteral("Der Steuersatz konnte nicht gespeichert werden."),
         QStringLiteral("Der Steuersatz konnte nicht gelöscht werden."), QStringLiteral("Die Steuersätze konnten nicht gelesen werden.")},
        [this] { anzeigen(); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    fuellen();
    anzeigen();
}

void frmMwSt::oeffnen(Database& db, Dialogs& dialogs, QWidget* parent) {
    frmMwSt fenster(db, dialogs, parent);
    fenster.exec();
}

void frmMwSt::fuellen() { fuellen_(); }

void frmMwSt::anzeigen() {
    anzeigen_ = true;
    const MwStFelder& f = logik_.felder();
    txtName->setText(f.satz);
    txtGueltigBis->setText(f.gueltigBis);
    cboMwStNachfolger->fuellen(f.nachfolger);
    chStandard->setChecked(f.standard);
    cmdLöschen->setEnabled(f.id != 0);
    anzeigen_ = false;
}

bool frmMwSt::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtGueltigBis && event->type() == QEvent::FocusOut) logik_.datumPruefen(txtGueltigBis->text());
    return QDialog::eventFilter(watched, event);
}

void frmMwSt::reject() {
    bool zu = false;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Der Steuersatz konnte nicht gespeichert werden."), [&] { zu = logik_.schliessen(); });
    if (zu) QDialog::reject();
}

}  // namespace tav
