#include "payment/ui/frmAbrechnen.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "payment/ZahlartListe.h"
#include "payment/ui/frmZahlung.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

frmAbrechnen::frmAbrechnen(Database& db, Dialogs& dialogs, int reNummer, int belegung, QWidget* parent)
    : QDialog(parent), db_(db), dialogs_(dialogs), logik_(db, dialogs) {
    setObjectName(QStringLiteral("frmAbrechnen"));
    setWindowTitle(AbrechnenLogik::kTitel);

    txtDatumRechnung = new QLineEdit;
    txtDatumRechnung->setObjectName(QStringLiteral("txtDatumRechnung"));
    txtDatumRechnung->setToolTip(QStringLiteral("Der Tag der Zahlung (TT.MM.JJJJ)."));
    cboZahlart = new QComboBox;
    cboZahlart->setObjectName(QStringLiteral("cboZahlart"));
    cboZahlart->setEditable(true);
    cboZahlart->setInsertPolicy(QComboBox::NoInsert);
    cboZahlart->setToolTip(zahlartListe::kHinweis);
    cboZahlart->lineEdit()->installEventFilter(this);
    txtBetrag = new QLineEdit;
    txtBetrag->setObjectName(QStringLiteral("txtBetrag"));
    txtBetrag->setReadOnly(true);
    txtBetrag->setAlignment(Qt::AlignRight);
    txtBetrag->setToolTip(QStringLiteral("Der noch offene Betrag der Rechnung; er wird als Gesamtzahlung gebucht."));

    cmdOK = parts::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("Bucht den offenen Betrag als Zahlung."));
    cmdOK->setDefault(true);
    cmdAbrrechen = parts::button(QStringLiteral("cmdAbrrechen"), QStringLiteral("Abbrechen"), QStringLiteral("Schließt ohne zu buchen."));
    cmdZahlDetail = parts::button(QStringLiteral("cmdZahlDetail"), QStringLiteral("&Zahlungsdetails"),
                                  QStringLiteral("Zeigt die Zahlungen und Rechnungen dieser Rechnung."));

    auto* felder = new QFormLayout;
    parts::captionedRow(felder, QStringLiteral("Zahl&datum:"), txtDatumRechnung);
    parts::captionedRow(felder, QStringLiteral("Zahl&art:"), cboZahlart);
    parts::captionedRow(felder, QStringLiteral("Offener &Betrag:"), txtBetrag);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdZahlDetail);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdOK);
    knoepfe->addWidget(cmdAbrrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(felder);
    layout->addWidget(parts::helpLine(zahlartListe::kHinweis, 1));
    layout->addLayout(knoepfe);
    resize(420, 200);

    const bool gelesen = datenbankGeschuetzt(dialogs_, QStringLiteral("Die Rechnung konnte nicht gelesen werden."),
                                             [&] { logik_.oeffnen(reNummer, belegung); });
    cmdOK->setEnabled(gelesen);
    zahlartenFuellen();
    cboZahlart->setEditText(logik_.zahlart);
    txtDatumRechnung->setText(logik_.datum);
    betragZeigen();

    connect(cboZahlart, &QComboBox::currentTextChanged, this, [this](const QString& t) { logik_.zahlart = t; });
    connect(txtDatumRechnung, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.datum = t; });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        bool ok = false;
        datenbankGeschuetzt(dialogs_, QStringLiteral("Die Zahlung konnte nicht gebucht werden."), [&] { ok = logik_.ok(); });
        if (ok) accept();
    });
    connect(cmdAbrrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdZahlDetail, &QPushButton::clicked, this, [this] {
        frmZahlung::oeffnenFuerRechnung(db_, dialogs_, logik_.reNummer(), this);
        datenbankGeschuetzt(dialogs_, QStringLiteral("Die Rechnung konnte nicht gelesen werden."),
                            [&] { logik_.oeffnen(logik_.reNummer(), logik_.belegung()); });
        betragZeigen();
    });
}

bool frmAbrechnen::oeffnen(Database& db, Dialogs& dialogs, int reNummer, int belegung, QWidget* parent) {
    frmAbrechnen fenster(db, dialogs, reNummer, belegung, parent);
    return fenster.exec() == QDialog::Accepted;
}

void frmAbrechnen::zahlartenFuellen() {
    QStringList arten;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Zahlarten konnten nicht gelesen werden."), [&] { arten = logik_.zahlarten(); });
    const QString text = logik_.zahlart;
    const QSignalBlocker block(cboZahlart);
    cboZahlart->clear();
    cboZahlart->addItems(arten);
    cboZahlart->setEditText(text);
}

void frmAbrechnen::betragZeigen() { txtBetrag->setText(logik_.betrag()); }

bool frmAbrechnen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cboZahlart->lineEdit() && event->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(event)->key();
        const QString text = cboZahlart->currentText();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            bool neu = false;
            datenbankGeschuetzt(dialogs_, QStringLiteral("Die Zahlart konnte nicht gespeichert werden."),
                                [&] { neu = logik_.zahlartEingabe(text); });
            if (neu) zahlartenFuellen();
            return true;
        }
        if (taste == Qt::Key_F2) {
            bool weg = false;
            datenbankGeschuetzt(dialogs_, QStringLiteral("Die Zahlart konnte nicht gelöscht werden."),
                                [&] { weg = logik_.zahlartEntfernen(text); });
            if (weg) zahlartenFuellen();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tav
