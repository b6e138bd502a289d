#include "invoice/ui/Rechnungsposten.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "invoice/RechnungspostenLogik.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

namespace {
QLineEdit* feld(const QString& name, QWidget* eltern) {
    auto* f = new QLineEdit(eltern);
    f->setObjectName(name);
    return f;
}
}  // namespace

Rechnungsposten::Rechnungsposten(Database& db, Dialogs& dialogs, RechnungspostenLogik& logik, QWidget* parent)
    : QDialog(parent), db_(db), dialogs_(dialogs), logik_(logik) {
    setObjectName(QStringLiteral("Rechnungsposten"));
    setWindowTitle(logik_.titel());

    txtTelefon = feld(QStringLiteral("txtTelefon"), this);
    txtTelefonBetrag = feld(QStringLiteral("txtTelefonBetrag"), this);
    txtMiniBar = feld(QStringLiteral("txtMiniBar"), this);
    txtMiniBarBetrag = feld(QStringLiteral("txtMiniBarBetrag"), this);
    txtGEtränke = feld(QStringLiteral("txtGEtränke"), this);
    txtGetränkeBetrag = feld(QStringLiteral("txtGetränkeBetrag"), this);
    txtRestaurant = feld(QStringLiteral("txtRestaurant"), this);
    txtRestaurantBetrag = feld(QStringLiteral("txtRestaurantBetrag"), this);
    txtSonstiges = feld(QStringLiteral("txtSonstiges"), this);
    txtSonstigesBetrag = feld(QStringLiteral("txtSonstigesBetrag"), this);
    txtAnzahlAusdruck = feld(QStringLiteral("txtAnzahlAusdruck"), this);
    txtAnzahlAusdruck->setValidator(new QIntValidator(1, 99, txtAnzahlAusdruck));
    txtAnzahlAusdruck->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);

    auto* raster = new QGridLayout;
    raster->addWidget(new QLabel(QStringLiteral("Posten"), this), 0, 0);
    raster->addWidget(new QLabel(QStringLiteral("Betrag"), this), 0, 1);
    for (int i = 0; i < Zusatzposten::kAnzahl; ++i) {
        text(i)->setToolTip(QStringLiteral("Text des Postens auf dem Ausdruck"));
        betrag(i)->setToolTip(QStringLiteral("Betrag des Postens; er wird zum Gesamtbetrag addiert."));
        betrag(i)->setAlignment(Qt::AlignRight);
        betrag(i)->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.000,00")) + 16);
        betrag(i)->installEventFilter(this);
        raster->addWidget(text(i), i + 1, 0);
        raster->addWidget(betrag(i), i + 1, 1);
    }
    auto* ausdrucke = new QHBoxLayout;
    auto* beschriftung = new QLabel(QStringLiteral("Anzahl der A&usdrucke:"), this);
    beschriftung->setBuddy(txtAnzahlAusdruck);
    ausdrucke->addWidget(beschriftung);
    ausdrucke->addWidget(txtAnzahlAusdruck);
    ausdrucke->addStretch(1);

    cmdOK = parts::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("Druckt das Dokument mit diesen Posten."), this);
    cmdOK->setDefault(true);
    cmdWeiter = parts::button(QStringLiteral("cmdWeiter"), QStringLiteral("&Weiter ohne Posten"),
                              QStringLiteral("Druckt das Dokument ohne weitere Posten."), this);
    cmdAbbrechen = parts::button(QStringLiteral("cmdAbbrechen"), QStringLiteral("Abbrechen"),
                                 QStringLiteral("Schließt das Fenster ohne Ausdruck."), this);
    cmdVorgabeSpeichern = parts::button(QStringLiteral("cmdVorgabeSpeichern"), QStringLiteral("Als &Vorgabe speichern"),
                                        QStringLiteral("Speichert die Texte und Beträge als Vorgabe für die nächsten Ausdrucke."), this);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        uebernehmen();
        logik_.ok();
        anzeigen();
        accept();
    });
    connect(cmdWeiter, &QPushButton::clicked, this, [this] {
        uebernehmen();
        logik_.weiter();
        anzeigen();
        accept();
    });
    connect(cmdAbbrechen, &QPushButton::clicked, this, &Rechnungsposten::reject);
    connect(cmdVorgabeSpeichern, &QPushButton::clicked, this, [this] {
        uebernehmen();
        datenbankGeschuetzt(dialogs_, QStringLiteral("Die Vorgabe konnte nicht gespeichert werden."),
                            [&] { logik_.vorgabeSpeichern(db_); });
        anzeigen();
    });
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdVorgabeSpeichern);
    knoepfe->addStretch(1);
    knoepfe->addWidget(cmdOK);
    knoepfe->addWidget(cmdWeiter);
    knoepfe->addWidget(cmdAbbrechen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(raster);
    layout->addLayout(ausdrucke);
    layout->addLayout(knoepfe);
    anzeigen();
}

QLineEdit* Rechnungsposten::text(int i) const {
    QLineEdit* const t[] = {txtTelefon, txtMiniBar, txtGEtränke, txtRestaurant, txtSonstiges};
    return t[i];
}

QLineEdit* Rechnungsposten::betrag(int i) const {
    QLineEdit* const b[] = {txtTelefonBetrag, txtMiniBarBetrag, txtGetränkeBetrag, txtRestaurantBetrag, txtSonstigesBetrag};
    return b[i];
}

void Rechnungsposten::anzeigen() {
    const Zusatzposten& w = logik_.werte();
    for (int i = 0; i < Zusatzposten::kAnzahl; ++i) {
        text(i)->setText(w.texte[size_t(i)]);
        betrag(i)->setText(w.betraege[size_t(i)]);
    }
    txtAnzahlAusdruck->setText(QString::number(w.ausdrucke));
}

void Rechnungsposten::uebernehmen() {
    Zusatzposten& w = logik_.werte();
    for (int i = 0; i < Zusatzposten::kAnzahl; ++i) {
        w.texte[size_t(i)] = text(i)->text();
        w.betraege[size_t(i)] = betrag(i)->text();
    }
    bool zahl = false;
    const int n = txtAnzahlAusdruck->text().toInt(&zahl);
    if (zahl && n > 0) w.ausdrucke = n;
}

bool Rechnungsposten::eventFilter(QObject* objekt, QEvent* ereignis) {
    auto* f = qobject_cast<QLineEdit*>(objekt);
    if (f && ereignis->type() == QEvent::KeyPress) {
        // Amount boxes: digits and the editing keys only.
        const auto* taste = static_cast<QKeyEvent*>(ereignis);
        const QString t = taste->text();
        if (!t.isEmpty() && t.at(0).isPrint() && !RechnungspostenLogik::zeichenErlaubt(t.at(0))) return true;
    } else if (f && ereignis->type() == QEvent::FocusOut) {
        f->setText(RechnungspostenLogik::betragFormatieren(f->text()));
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void Rechnungsposten::reject() {
    logik_.abbrechen();
    QDialog::reject();
}

void Rechnungsposten::oeffnen(Database& db, Dialogs& dialogs, RechnungspostenLogik& logik, int buchungId, const QString& titel,
                              int druckAnzahl, QWidget* parent) {
    if (!datenbankGeschuetzt(dialogs, QStringLiteral("Die Vorgaben der Posten konnten nicht gelesen werden."),
                             [&] { logik.oeffnen(db, buchungId, titel, druckAnzahl); })) {
        logik.abbrechen();
        return;
    }
    Rechnungsposten dialog(db, dialogs, logik, parent);
    dialog.exec();
}

}  // namespace tav
