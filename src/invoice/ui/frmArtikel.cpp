#include "invoice/ui/frmArtikel.h"

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

frmArtikel::frmArtikel(Database& db, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), logik_(db, dialogs), modell_(ArtikelLogik::kSpalten, this) {
    setObjectName(QStringLiteral("frmArtikel"));
    setWindowTitle(QStringLiteral("Artikel"));

    ctrflexArtikel = stammGrid(QStringLiteral("ctrflexArtikel"), &modell_);
    ctrflexArtikel->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);

    txtName = new QLineEdit;
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setMaxLength(50);
    txtName->setToolTip(QStringLiteral("Die Bezeichnung des Artikels, wie sie auf der Rechnung steht."));
    txtPreis = new QLineEdit;
    txtPreis->setObjectName(QStringLiteral("txtPreis"));
    txtPreis->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,.]*")), txtPreis));
    txtPreis->setToolTip(QStringLiteral("Der Bruttopreis je Einheit."));
    txtPreis->installEventFilter(this);
    cboMwSt = new MwStListeFeld(QStringLiteral("cboMwSt"), logik_.auswahl(), dialogs_, [this] { fuellen(); });
    txtBemerkung = new QLineEdit;
    txtBemerkung->setObjectName(QStringLiteral("txtBemerkung"));
    txtBemerkung->setMaxLength(255);
    txtBemerkung->setToolTip(QStringLiteral("Eine Bemerkung, die mit dem Artikel gedruckt werden kann."));
    chKeinDatum = new QCheckBox(QStringLiteral("Ohne &Datum drucken"));
    chKeinDatum->setObjectName(QStringLiteral("chKeinDatum"));
    chKeinDatum->setToolTip(QStringLiteral("Posten dieses Artikels werden ohne Datum gedruckt."));

    CmdNeueDaten = parts::button(QStringLiteral("CmdNeueDaten"), QStringLiteral("&Neuer Artikel"),
                                 QStringLiteral("Leert die Felder für einen neuen Artikel."));
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"), QStringLiteral("Speichert den Artikel."));
    cmdLöschen =
        parts::button(QStringLiteral("cmdLöschen"), QStringLiteral("&Löschen"), QStringLiteral("Löscht den ausgewählten Artikel."));
    cmdSchliessen = parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schl&ießen"), QStringLiteral("Schließt die Artikel."));

    auto* felder = new QFormLayout;
    parts::captionedRow(felder, QStringLiteral("&Bezeichnung:"), txtName);
    parts::captionedRow(felder, QStringLiteral("&Preis:"), txtPreis);
    parts::captionedRow(felder, QStringLiteral("&MwSt (%):"), cboMwSt);
    parts::captionedRow(felder, QStringLiteral("B&emerkung:"), txtBemerkung);
    felder->addRow(QString(), chKeinDatum);

    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {CmdNeueDaten, cmdSpeichern, cmdLöschen}) knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSchliessen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ctrflexArtikel, 1);
    layout->addLayout(felder);
    layout->addLayout(knoepfe);
    resize(720, 480);

    connect(txtName, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.bearbeiten().name = t; });
    connect(txtPreis, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.bearbeiten().preis = t; });
    connect(txtBemerkung, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.bearbeiten().bemerkung = t; });
    connect(cboMwSt, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!anzeigen_) logik_.bearbeiten().mwst = t;
    });
    connect(chKeinDatum, &QCheckBox::toggled, this, [this](bool an) {
        if (!anzeigen_) logik_.bearbeiten().keinDatum = an;
    });
    fuellen_ = stammVerbinden(
        this, logik_, dialogs_, modell_, ctrflexArtikel, CmdNeueDaten, cmdSpeichern, cmdLöschen, txtName,
        {QStringLiteral("Der Artikel konnte nicht gelesen werden."), QStringLiteral("Der Artikel konnte nicht gespeichert werden."),
         QStringLiteral("Der Artikel konnte nicht gelöscht werden."), QStringLiteral("Die Artikel konnten nicht gelesen werden.")},
        [this] { anzeigen(); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    fuellen();
    anzeigen();
}

void frmArtikel::oeffnen(Database& db, Dialogs& dialogs, QWidget* parent) {
    frmArtikel fenster(db, dialogs, parent);
    fenster.exec();
}

void frmArtikel::fuellen() { fuellen_(); }

void frmArtikel::anzeigen() {
    anzeigen_ = true;
    const ArtikelFelder& f = logik_.felder();
    txtName->setText(f.name);
    txtPreis->setText(f.preis);
    cboMwSt->fuellen(f.mwst);
    txtBemerkung->setText(f.bemerkung);
    chKeinDatum->setChecked(f.keinDatum);
    cmdLöschen->setEnabled(f.id != 0);
    anzeigen_ = false;
}

bool frmArtikel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPreis && event->type() == QEvent::FocusOut) {
        const QString gezeigt = ArtikelLogik::preisAnzeigen(txtPreis->text());
        if (gezeigt != txtPreis->text()) {
            txtPreis->setText(gezeigt);
            logik_.bearbeiten().preis = gezeigt;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmArtikel::reject() {
    bool zu = false;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Der Artikel konnte nicht gespeichert werden."), [&] { zu = logik_.schliessen(); });
    if (zu) QDialog::reject();
}

}  // namespace tav
