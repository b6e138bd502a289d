#include "payment/ui/frmZahlung.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "payment/ZahlartListe.h"
#include "payment/ui/Spaltenbreiten.h"
#include "payment/ui/Zeichenfilter.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

namespace {

const QString kFormular = QStringLiteral("frmZahlung");

QComboBox* auswahl(const QString& name, const QString& hilfe) {
    auto* c = new QComboBox;
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setToolTip(hilfe);
    return c;
}

QLineEdit* feld(const QString& name, const QString& hilfe) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setToolTip(hilfe);
    return e;
}

void listeSetzen(QComboBox* c, const QList<Eintrag>& liste, int gewaehlt) {
    c->clear();
    for (const Eintrag& e : liste) c->addItem(e.text, e.id);
    c->setCurrentIndex(c->findData(gewaehlt));
    if (c->currentIndex() < 0) c->setEditText(QString());
}

}  // namespace

frmZahlung::frmZahlung(Database& db, Dialogs& dialogs, const ZahlungKontext& kontext, QWidget* parent)
    : QDialog(parent), db_(db), dialogs_(dialogs), logik_(db, dialogs), zahlungen_(this), rechnungen_(this) {
    setObjectName(QStringLiteral("frmZahlung"));
    setWindowTitle(ZahlungLogik::kTitel);

    lblKopf = new QLabel;
    lblKopf->setObjectName(QStringLiteral("lblKopf"));
    QFont fett = lblKopf->font();
    fett.setBold(true);
    lblKopf->setFont(fett);
    lblKopf->setWordWrap(true);
    cmdWarnung = parts::button(QStringLiteral("cmdWarnung"), QString(),
                               QStringLiteral("Nicht alle Reservierungen oder Zusatzposten sind abgerechnet."));
    cmdWarnung->setStyleSheet(
        QStringLiteral("QPushButton { background: #f6d36b; color: #5a3b00; font-weight: bold; text-align: left; "
                       "padding: 4px; border: 1px solid #c9a030; }"));
    cmdWarnung->setVisible(false);
    lbStatus = new QLabel;
    lbStatus->setObjectName(QStringLiteral("lbStatus"));
    lbStatus->setAutoFillBackground(true);
    lbStatus->setMargin(4);
    lbStatus->installEventFilter(this);

    cboZimmer = auswahl(QStringLiteral("cboZimmer"), QStringLiteral("Die Reservierung, zu der die Zahlung gehört."));
    cboRechnung = auswahl(QStringLiteral("cboRechnung"), QStringLiteral("Die Rechnung, der die Zahlung zugeordnet wird."));
    cboZahlart = auswahl(QStringLiteral("cboZahlart"), zahlartListe::kHinweis);
    cboWasBezahlt = auswahl(QStringLiteral("cboWasBezahlt"), QStringLiteral("Wofür die Zahlung steht."));
    cboWasBezahlt->addItems({QStringLiteral("Gesamtzahlung"), QStringLiteral("Anzahlung"), QStringLiteral("Abschlag"),
                             QStringLiteral("Skonto"), QStringLiteral("Restzahlung"), QStringLiteral("Sonstiges")});
    txtZahlDatum = feld(QStringLiteral("txtZahlDatum"), QStringLiteral("Der Tag der Zahlung (TT.MM.JJ)."));
    txtZahlDatum->setMaxLength(10);
    txtPreis = feld(QStringLiteral("txtPreis"), QStringLiteral("Der gezahlte Betrag; ein negativer Betrag ist eine Erstattung."));
    txtPreis->setAlignment(Qt::AlignRight);
    new Zeichenfilter(txtPreis, &ZahlungLogik::preisTasteErlaubt);
    txtBemerkung = feld(QStringLiteral("txtBemerkung"), QStringLiteral("Eine Bemerkung zur Zahlung."));
    txtBemerkung->setMaxLength(255);
    for (QWidget* w : {static_cast<QWidget*>(txtZahlDatum), static_cast<QWidget*>(txtPreis), static_cast<QWidget*>(cboZimmer->lineEdit()),
                       static_cast<QWidget*>(cboRechnung->lineEdit()), static_cast<QWidget*>(cboZahlart->lineEdit())})
        w->installEventFilter(this);

    ctrflexZahlung = parts::resultGrid(QStringLiteral("ctrflexZahlung"), &zahlungen_);
    ctrflexZahlung->setSortingEnabled(true);
    ctrflexZahlung->horizontalHeader()->setSortIndicator(ZahlungsModell::Datum, Qt::AscendingOrder);
    for (int c : {int(ZahlungsModell::ID), int(ZahlungsModell::IdRechnung), int(ZahlungsModell::IdBelegung)})
        ctrflexZahlung->setColumnHidden(c, true);
    ctrflexZahlung->setToolTip(QStringLiteral("Klicken Sie auf eine Zahlung, um sie zu bearbeiten."));
    ctrFlexRechnungen = parts::resultGrid(QStringLiteral("ctrFlexRechnungen"), &rechnungen_);
    ctrFlexRechnungen->setAlternatingRowColors(false);
    ctrFlexRechnungen->setToolTip(QStringLiteral("Ein Doppelklick auf eine Rechnung übernimmt ihren offenen Betrag in eine neue Zahlung."));
    const int breiten[] = {0, 0, 90, 110, 75, 85, 90, 115};
    for (int c = 2; c < 8; ++c) ctrflexZahlung->setColumnWidth(c, breiten[c]);
    const int rbreiten[] = {40, 90, 130, 85};
    for (int c = 0; c < 4; ++c) ctrFlexRechnungen->setColumnWidth(c, rbreiten[c]);

    const auto knopf = [](const char* name, const QString& text, const QString& hilfe) {
        return parts::button(QString::fromUtf8(name), text, hilfe);
    };
    cmdSpeichern = knopf("cmdSpeichern", QStringLiteral("&Speichern"), QStringLiteral("Speichert die Zahlung."));
    CmdNeueDaten = knopf("CmdNeueDaten", QStringLiteral("&Neue Zahlung"), QStringLiteral("Leert die Felder für eine neue Zahlung."));
    cmdLöschen = knopf("cmdLöschen", QStringLiteral("Zahlung &löschen"), QStringLiteral("Löscht die gewählte Zahlung."));
    cmdSchliessen = knopf("cmdSchliessen", QStringLiteral("Schl&ießen"), QStringLiteral("Schließt das Fenster."));

    auto* menu = new QMenuBar(this);
    QMenu* datei = menu->addMenu(QStringLiteral("&Datei"));
    connect(datei->addAction(QStringLiteral("&Neu")), &QAction::triggered, this, &frmZahlung::neu);
    connect(datei->addAction(QStringLiteral("&Speichern")), &QAction::triggered, this, &frmZahlung::speichern);
    datei->addSeparator();
    connect(datei->addAction(QStringLiteral("Schl&ießen")), &QAction::triggered, this, &QDialog::close);
    QMenu* bearbeiten = menu->addMenu(QStringLiteral("&Bearbeiten"));
    connect(bearbeiten->addAction(QStringLiteral("Zahlung &löschen")), &QAction::triggered, this, &frmZahlung::loeschen);

    lblHilfe_ = parts::helpLine(QStringLiteral("Felder mit * müssen ausgefüllt sein. ") + zahlartListe::kHinweis);

    auto* felder = new QFormLayout;
    parts::captionedRow(felder, QStringLiteral("Zimmer*"), cboZimmer);
    parts::captionedRow(felder, QStringLiteral("Rechnung"), cboRechnung);
    parts::captionedRow(felder, QStringLiteral("Zahldatum*"), txtZahlDatum);
    parts::captionedRow(felder, QStringLiteral("Betrag*"), txtPreis);
    parts::captionedRow(felder, QStringLiteral("Zahlart*"), cboZahlart);
    parts::captionedRow(felder, QStringLiteral("Bezahlt als"), cboWasBezahlt);
    parts::captionedRow(felder, QStringLiteral("Bemerkung"), txtBemerkung);

    auto* knoepfe = new QVBoxLayout;
    for (QPushButton* b : {cmdSpeichern, CmdNeueDaten, cmdLöschen}) knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSchliessen);

    auto* links = new QVBoxLayout;
    links->addWidget(lbStatus);
    links->addLayout(felder);
    links->addStretch();
    auto* oben = new QHBoxLayout;
    oben->addLayout(links, 3);
    auto* rechnungsSpalte = new QVBoxLayout;
    rechnungsSpalte->addWidget(new QLabel(QStringLiteral("Rechnungen")));
    rechnungsSpalte->addWidget(ctrFlexRechnungen);
    oben->addLayout(rechnungsSpalte, 4);
    oben->addLayout(knoepfe);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(lblKopf);
    layout->addWidget(cmdWarnung);
    layout->addLayout(oben);
    layout->addWidget(new QLabel(QStringLiteral("Zahlungen")));
    layout->addWidget(ctrflexZahlung, 1);
    layout->addWidget(lblHilfe_);
    resize(1000, 620);

    connect(cboZimmer, &QComboBox::activated, this, [this](int i) {
        logik_.setZimmer(cboZimmer->itemData(i).toInt());
        anzeigen();
    });
    connect(cboRechnung, &QComboBox::activated, this, [this](int i) { logik_.setRechnung(cboRechnung->itemData(i).toInt()); });
    connect(cboZahlart, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!anzeigen_) logik_.setZahlart(t);
    });
    connect(cboWasBezahlt, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!anzeigen_) logik_.setWasBezahlt(t);
    });
    connect(txtZahlDatum, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setDatum(t); });
    connect(txtPreis, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setBetrag(t); });
    connect(txtBemerkung, &QLineEdit::textEdited, this, [this](const QString& t) { logik_.setBemerkung(t); });
    connect(ctrflexZahlung, &QTableView::clicked, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return;
        const int id = zahlungen_.zeilen()[i.row()].id;
        if (id == logik_.felder().id) return;
        geschuetzt(QStringLiteral("Die Zahlung konnte nicht gelesen werden."), [&] { logik_.laden(id); });
        anzeigen();
    });
    connect(ctrFlexRechnungen, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        if (!i.isValid()) return;
        bool gefuellt = false;
        geschuetzt(QStringLiteral("Die Rechnung konnte nicht gelesen werden."),
                   [&] { gefuellt = logik_.rechnungUebernehmen(rechnungen_.data(i, Qt::UserRole).toInt()); });
        if (!gefuellt) return;
        anzeigen();
        txtPreis->setFocus();
    });
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmZahlung::speichern);
    connect(CmdNeueDaten, &QPushButton::clicked, this, &frmZahlung::neu);
    connect(cmdLöschen, &QPushButton::clicked, this, &frmZahlung::loeschen);
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    offen_ = geschuetzt(QStringLiteral("Die Zahlungen konnten nicht gelesen werden."), [&] { logik_.oeffnen(kontext); });
    lblKopf->setText(logik_.kopf());
    lblKopf->setToolTip(QStringLiteral("Anzeige für folgende Zimmer: ") + logik_.kopf());
    cmdWarnung->setText(logik_.warnung());
    cmdWarnung->setVisible(!logik_.warnung().isEmpty());
    zahlartenFuellen();
    spaltenbreiten::laden(db_, kFormular, ctrflexZahlung);
    spaltenbreiten::laden(db_, kFormular, ctrFlexRechnungen);
    anzeigen();
}

void frmZahlung::oeffnen(Database& db, Dialogs& dialogs, int buchungId, QWidget* parent) {
    ZahlungKontext k;
    if (!datenbankGeschuetzt(dialogs, QStringLiteral("Die Zahlungen konnten nicht gelesen werden."),
                             [&] { k.buchungen = Zahlungen(db).blockMitglieder(buchungId); }))
        return;
    frmZahlung fenster(db, dialogs, k, parent);
    fenster.exec();
}

void frmZahlung::oeffnenFuerRechnung(Database& db, Dialogs& dialogs, int reNummer, QWidget* parent) {
    ZahlungKontext k;
    k.reNummer = reNummer;
    frmZahlung fenster(db, dialogs, k, parent);
    fenster.exec();
}

template <typename F>
bool frmZahlung::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

void frmZahlung::zahlartenFuellen() {
    QStringList arten;
    if (!geschuetzt(QStringLiteral("Die Zahlarten konnten nicht gelesen werden."), [&] { arten = Zahlungen(db_).zahlarten(); })) return;
    anzeigen_ = true;
    const QString text = logik_.felder().zahlart;
    cboZahlart->clear();
    cboZahlart->addItems(arten);
    cboZahlart->setEditText(text);
    anzeigen_ = false;
}

void frmZahlung::anzeigen() {
    anzeigen_ = true;
    const ZahlungFelder& f = logik_.felder();
    listeSetzen(cboZimmer, logik_.zimmerListe(), f.zimmer);
    listeSetzen(cboRechnung, logik_.rechnungsListe(), f.rechnung);
    cboRechnung->setEnabled(f.rechnungAktiv);
    cboZahlart->setEditText(f.zahlart);
    cboWasBezahlt->setEditText(f.wasBezahlt);
    txtZahlDatum->setText(f.datum);
    txtPreis->setText(f.betrag);
    txtBemerkung->setText(f.bemerkung);
    lbStatus->setText(logik_.status());
    QPalette p = lbStatus->palette();
    p.setColor(QPalette::Window, logik_.aendern() ? QColor(0xf4, 0xb6, 0xa8) : QColor(0xd6, 0xe6, 0xf6));
    lbStatus->setPalette(p);
    lbStatus->setToolTip(logik_.aendern() ? QStringLiteral("Ein Klick beginnt eine neue Zahlung.") : QString());
    zahlungen_.setZeilen(logik_.zahlungsZeilen());
    rechnungen_.setBloecke(logik_.rechnungsBloecke());
    const int zeile = zahlungen_.zeileVon(f.id);
    if (zeile >= 0)
        ctrflexZahlung->selectRow(zeile);
    else
        ctrflexZahlung->clearSelection();
    anzeigen_ = false;
}

void frmZahlung::fokusSetzen() {
    switch (logik_.fokus()) {
        case ZahlungFokus::Datum: txtZahlDatum->setFocus(); break;
        case ZahlungFokus::Zimmer: cboZimmer->setFocus(); break;
        case ZahlungFokus::Zahlart: cboZahlart->setFocus(); break;
        case ZahlungFokus::Rechnung: cboRechnung->setFocus(); break;
        case ZahlungFokus::RechnungAufklappen:
            cboRechnung->setFocus();
            if (isVisible()) cboRechnung->showPopup();
            break;
        case ZahlungFokus::Preis: txtPreis->setFocus(); break;
        case ZahlungFokus::Keiner: break;
    }
}

void frmZahlung::speichern() {
    bool gespeichert = false;
    geschuetzt(QStringLiteral("Die Zahlung konnte nicht gespeichert werden."), [&] { gespeichert = logik_.speichern(); });
    if (gespeichert) {
        anzeigen();
        return;
    }
    if (logik_.fokus() == ZahlungFokus::Rechnung) anzeigen();
    fokusSetzen();
}

void frmZahlung::neu() {
    bool neu = false;
    geschuetzt(QStringLiteral("Die Zahlung konnte nicht gespeichert werden."), [&] { neu = logik_.neu(); });
    anzeigen();
    if (neu) fokusSetzen();
}

void frmZahlung::loeschen() {
    const QModelIndexList gewaehlt = ctrflexZahlung->selectionModel()->selectedRows();
    if (gewaehlt.isEmpty()) return;
    const int id = zahlungen_.zeilen()[gewaehlt.first().row()].id;
    bool geloescht = false;
    geschuetzt(QStringLiteral("Die Zahlung konnte nicht gelöscht werden."), [&] { geloescht = logik_.loeschen(id); });
    if (geloescht) anzeigen();
}

bool frmZahlung::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbStatus && event->type() == QEvent::MouseButtonRelease) {
        if (logik_.aendern()) neu();
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == cboZahlart->lineEdit()) {
        const int taste = static_cast<QKeyEvent*>(event)->key();
        const QString text = cboZahlart->currentText();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            bool neu = false;
            geschuetzt(QStringLiteral("Die Zahlart konnte nicht gespeichert werden."), [&] { neu = logik_.zahlartEingabe(text); });
            logik_.setZahlart(text);
            if (neu) zahlartenFuellen();
            return true;
        }
        if (taste == Qt::Key_F2) {
            bool weg = false;
            geschuetzt(QStringLiteral("Die Zahlart konnte nicht gelöscht werden."), [&] { weg = logik_.zahlartEntfernen(text); });
            if (weg) zahlartenFuellen();
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && !anzeigen_) {
        if (watched == txtZahlDatum) {
            if (!logik_.datumPruefen(txtZahlDatum->text())) QMetaObject::invokeMethod(txtZahlDatum, "setFocus", Qt::QueuedConnection);
        } else if (watched == txtPreis) {
            const QString t = ZahlungLogik::betragFormatieren(txtPreis->text());
            if (t != txtPreis->text()) {
                txtPreis->setText(t);
                logik_.setBetrag(t);
            }
        } else if (watched == cboZimmer->lineEdit() || watched == cboRechnung->lineEdit()) {
            QComboBox* c = watched == cboZimmer->lineEdit() ? cboZimmer : cboRechnung;
            const QList<Eintrag>& liste = c == cboZimmer ? logik_.zimmerListe() : logik_.rechnungsListe();
            const QString text = c->currentText();
            if (!logik_.listenTextPruefen(liste, text)) {
                anzeigen();
                return QDialog::eventFilter(watched, event);
            }
            const int i = c->findText(text);
            const int id = i >= 0 ? c->itemData(i).toInt() : 0;
            if (c == cboZimmer && id != logik_.felder().zimmer) {
                logik_.setZimmer(id);
                anzeigen();
            } else if (c == cboRechnung && id != logik_.felder().rechnung) {
                logik_.setRechnung(id);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmZahlung::reject() {
    bool zu = true;
    if (offen_) geschuetzt(QStringLiteral("Die Zahlung konnte nicht gespeichert werden."), [&] { zu = logik_.schliessen(); });
    if (!zu) {
        anzeigen();
        fokusSetzen();
        return;
    }
    spaltenbreiten::speichern(db_, kFormular, ctrflexZahlung);
    spaltenbreiten::speichern(db_, kFormular, ctrFlexRechnungen);
    QDialog::reject();
}

}  // namespace tav
