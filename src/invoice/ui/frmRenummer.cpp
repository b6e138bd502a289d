#include "invoice/ui/frmRenummer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

namespace {

const QString kKeinDatum = QStringLiteral("(kein Datum)");

QComboBox* datumsauswahl(QWidget* eltern) {
    auto* c = new QComboBox(eltern);
    c->setObjectName(QStringLiteral("cboDatum"));
    c->addItem(kKeinDatum, QString());
    for (const QString& t : RenummerLogik::datumsteile()) c->addItem(t, t);
    return c;
}

QLineEdit* feld(const QString& name, QWidget* eltern, const QString& hilfe = {}) {
    auto* f = new QLineEdit(eltern);
    f->setObjectName(name);
    f->setToolTip(hilfe);
    return f;
}

}  // namespace

// ---- frmBeNummer ----

frmBeNummer::frmBeNummer(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), logik_(db, variablen) {
    setObjectName(QStringLiteral("frmBeNummer"));
    setWindowTitle(QStringLiteral("Reservierungsnummern"));
    txtVor = feld(
        QStringLiteral("txtVor"), this,
        QStringLiteral("Der Eintrag in diesem Feld erscheint vor jeder Reservierungsnummer, z.B. 'Üb' als Abkürzung für Übernachtung."));
    cboDatum = datumsauswahl(this);
    txtBeNummer = feld(QStringLiteral("txtBeNummer"), this);
    txtBeNummer->setText(QStringLiteral("1"));
    txtBeNummer->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), txtBeNummer));
    txtBeNummerBeispiel = feld(QStringLiteral("txtBeNummerBeispiel"), this);
    txtBeNummerBeispiel->setReadOnly(true);
    opFreieAlle = new QRadioButton(QStringLiteral("wieder vergeben"), this);
    opFreieAlle->setObjectName(QStringLiteral("opFreie0"));
    opFreieFrei = new QRadioButton(QStringLiteral("frei lassen"), this);
    opFreieFrei->setObjectName(QStringLiteral("opFreie1"));
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"), {}, this);
    cmdSchliessen = parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("S&chließen"), {}, this);

    auto* form = new QFormLayout;
    parts::captionedRow(form, QStringLiteral("&Vorsatz:"), txtVor);
    parts::captionedRow(form, QStringLiteral("&Datum:"), cboDatum);
    parts::captionedRow(form, QStringLiteral("&Zähler:"), txtBeNummer);
    parts::captionedRow(form, QStringLiteral("Beispiel:"), txtBeNummerBeispiel);
    auto* freie = new QGroupBox(QStringLiteral("Freie Nummern"), this);
    auto* fl = new QHBoxLayout(freie);
    fl->addWidget(opFreieAlle);
    fl->addWidget(opFreieFrei);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSpeichern);
    knoepfe->addWidget(cmdSchliessen);
    auto* l = new QVBoxLayout(this);
    l->addLayout(form);
    l->addWidget(freie);
    l->addWidget(
        parts::helpLine(QStringLiteral("Fehlende Reservierungsnummern können wahlweise wieder vergeben werden oder frei bleiben."), 2));
    l->addLayout(knoepfe);

    Nummernformat f;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Reservierungsnummern konnten nicht gelesen werden."), [&] { f = logik_.lesen(); });
    txtVor->setText(f.praefix);
    cboDatum->setCurrentIndex(std::max(0, cboDatum->findData(f.datumsformat)));
    (f.zaehlerAlle ? opFreieAlle : opFreieFrei)->setChecked(true);
    beispielZeigen();
    connect(txtVor, &QLineEdit::textChanged, this, &frmBeNummer::beispielZeigen);
    connect(txtBeNummer, &QLineEdit::textChanged, this, &frmBeNummer::beispielZeigen);
    connect(cboDatum, &QComboBox::currentIndexChanged, this, &frmBeNummer::beispielZeigen);
    connect(cmdSpeichern, &QPushButton::clicked, this, [this] {
        const Nummernformat n{txtVor->text(), cboDatum->currentData().toString(), opFreieAlle->isChecked(), true};
        if (datenbankGeschuetzt(dialogs_, QStringLiteral("Die Reservierungsnummern konnten nicht gespeichert werden."),
                                [&] { logik_.speichern(n); }))
            accept();
    });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::reject);
}

void frmBeNummer::oeffnen(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent) {
    frmBeNummer f(db, dialogs, variablen, parent);
    f.exec();
}

void frmBeNummer::beispielZeigen() {
    txtBeNummerBeispiel->setText(
        BeNummerLogik::beispiel(txtVor->text(), cboDatum->currentData().toString(), txtBeNummer->text(), QDate::currentDate()));
}

// ---- frmRenummer ----

frmRenummer::frmRenummer(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent)
    : QDialog(parent), db_(db), dialogs_(dialogs), variablen_(variablen), logik_(db, dialogs, variablen) {
    setObjectName(QStringLiteral("frmRenummer"));
    setWindowTitle(QStringLiteral("Einstellungen für Rechnungen, Bestätigungen und Angebote"));
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(nummernSeite(), QStringLiteral("&Nummern"));
    tabs->addTab(anzeigeSeite(), QStringLiteral("&Anzeige"));
    tabs->addTab(zahlungSeite(), QStringLiteral("&Zahlungsziele"));
    tabs->addTab(texteSeite(), QStringLiteral("&Texte"));
    cmdSchliessen = parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("S&chließen"), {}, this);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSchliessen);
    auto* l = new QVBoxLayout(this);
    l->addWidget(tabs);
    l->addLayout(knoepfe);
    laden();
    connect(cmdSchliessen, &QPushButton::clicked, this, &frmRenummer::reject);
    connect(tabs, &QTabWidget::currentChanged, this, [this](int neu) {
        if (neu == seite_) return;
        const int ziel = neu;
        {
            const QSignalBlocker b(tabs);
            tabs->setCurrentIndex(seite_);
        }
        if (!aenderungenSichern()) return;
        seite_ = ziel;
        const QSignalBlocker b(tabs);
        tabs->setCurrentIndex(ziel);
    });
    resize(720, 480);
}

void frmRenummer::oeffnen(Database& db, Dialogs& dialogs, Variablen* variablen, QWidget* parent) {
    frmRenummer f(db, dialogs, variablen, parent);
    f.exec();
}

QWidget* frmRenummer::nummernSeite() {
    auto* s = new QWidget;
    txtVor = feld(QStringLiteral("txtVor"), s);
    cboDatum = datumsauswahl(s);
    txtRenummer = feld(QStringLiteral("txtRenummer"), s);
    txtRenummer->setText(QStringLiteral("1"));
    txtRenummer->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), txtRenummer));
    txtRenummerBeispiel = feld(QStringLiteral("txtRenummerBeispiel"), s);
    txtRenummerBeispiel->setReadOnly(true);
    opFreieAlle = new QRadioButton(QStringLiteral("Alle"), s);
    opFreieAlle->setObjectName(QStringLiteral("opFreie0"));
    opFreieFrei = new QRadioButton(QStringLiteral("Freilassen"), s);
    opFreieFrei->setObjectName(QStringLiteral("opFreie1"));
    opFreieAngebotAlle = new QRadioButton(QStringLiteral("Alle"), s);
    opFreieAngebotAlle->setObjectName(QStringLiteral("opFreieAngebot0"));
    opFreieAngebotFrei = new QRadioButton(QStringLiteral("Freilassen"), s);
    opFreieAngebotFrei->setObjectName(QStringLiteral("opFreieAngebot1"));
    auto* g1 = new QButtonGroup(s);
    g1->addButton(opFreieAlle);
    g1->addButton(opFreieFrei);
    auto* g2 = new QButtonGroup(s);
    g2->addButton(opFreieAngebotAlle);
    g2->addButton(opFreieAngebotFrei);
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"), {}, s);
    cmdBeNummer = parts::button(QStringLiteral("cmdBeNummer"), QStringLiteral("&Reservierungsnummern..."),
                                QStringLiteral("Das Format der Reservierungsnummern"), s);

    auto* form = new QFormLayout;
    parts::captionedRow(form, QStringLiteral("&Vorsatz:"), txtVor);
    parts::captionedRow(form, QStringLiteral("&Datum:"), cboDatum);
    parts::captionedRow(form, QStringLiteral("&Zähler:"), txtRenummer);
    parts::captionedRow(form, QStringLiteral("Beispiel:"), txtRenummerBeispiel);
    auto* freie = new QGroupBox(QStringLiteral("Freie Rechnungsnummern"), s);
    auto* fl = new QHBoxLayout(freie);
    fl->addWidget(opFreieAlle);
    fl->addWidget(opFreieFrei);
    auto* schluessel = new QGroupBox(QStringLiteral("Freie interne Nummern"), s);
    auto* sl = new QHBoxLayout(schluessel);
    sl->addWidget(opFreieAngebotAlle);
    sl->addWidget(opFreieAngebotFrei);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdBeNummer);
    knoepfe->addStretch();
    knoepfe->addWidget(cmdSpeichern);
    auto* l = new QVBoxLayout(s);
    l->addLayout(form);
    l->addWidget(freie);
    l->addWidget(schluessel);
    l->addWidget(parts::helpLine(
        QStringLiteral("Der Eintrag in diesem Feld erscheint vor jeder Rechnungsnummer, z.B. 'Üb' als Abkürzung für Übernachtung. ") +
            QStringLiteral("Vor diesen Eintrag wird automatisch ein 'R' für Rechnung, ein 'B' für Bestätigung und ein 'A' für Angebot "
                           "vorangestellt."),
        3));
    l->addWidget(parts::helpLine(QStringLiteral("Fehlende Rechnungsnummern (durch Rechnungsstorno) können wahlweise wieder vergeben werden "
                                                "oder frei bleiben. Die Wiedervergabe ist auf 50 Nummern in der Vergangenheit beschränkt"),
                                 2));
    l->addStretch();
    l->addLayout(knoepfe);

    auto aendern = [this] {
        beispielZeigen();
        if (!laden_) geaendert_ = true;
    };
    connect(txtVor, &QLineEdit::textEdited, this, aendern);
    connect(txtRenummer, &QLineEdit::textChanged, this, [this] { beispielZeigen(); });
    connect(cboDatum, &QComboBox::currentIndexChanged, this, aendern);
    for (QRadioButton* o : {opFreieAlle, opFreieFrei, opFreieAngebotAlle, opFreieAngebotFrei})
        connect(o, &QRadioButton::toggled, this, [this] {
            if (!laden_) geaendert_ = true;
        });
    connect(cmdSpeichern, &QPushButton::clicked, this, [this] { nummerSpeichern(); });
    connect(cmdBeNummer, &QPushButton::clicked, this, [this] { frmBeNummer::oeffnen(db_, dialogs_, variablen_, this); });
    return s;
}

QWidget* frmRenummer::anzeigeSeite() {
    auto* s = new QWidget;
    auto* g = new QGridLayout(s);
    const QStringList arten = {QStringLiteral("Angebot"), QStringLiteral("Bestätigung"), QStringLiteral("Rechnung")};
    for (int i = 0; i < 3; ++i) g->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(arten[i]), s), 0, i + 1, Qt::AlignCenter);
    const QList<QPair<QString, QString>> zeilen = {
        {QStringLiteral("chArtikelBem"), QStringLiteral("Bemerkung der Artikel")},
        {QStringLiteral("ChBemerkungstext"), QStringLiteral("Bemerkung des Zimmers")},
        {QStringLiteral("chBlockBez"), QStringLiteral("Bezeichnung der Blockbuchung")},
        {QStringLiteral("chDatumZusatzposten"), QStringLiteral("Datum der Zusatzposten")},
        {QStringLiteral("chEssen"), QStringLiteral("Verpflegung (mit Frühstück …)")},
        {QStringLiteral("chGastname"), QStringLiteral("Name des Gastes")},
        {QStringLiteral("chMitGästezahl"), QStringLiteral("Anzahl der Gäste")},
        {QStringLiteral("chMwSt"), QStringLiteral("Keine Mehrwertsteuer ausweisen")},
        {QStringLiteral("chSaison"), QStringLiteral("Aufteilung nach Saisonzeiten")},
        {QStringLiteral("chZahlung"), QStringLiteral("Zahlungen")},
        {QStringLiteral("chZimmernummer"), QStringLiteral("Zimmernummer")},
        {QStringLiteral("chZwischensumme"), QStringLiteral("Zwischensummen")},
    };
    int r = 1;
    for (const auto& [name, text] : zeilen) {
        g->addWidget(new QLabel(text, s), r, 0);
        for (int i = 0; i < 3; ++i) {
            const QString kasten = name + QStringLiteral("ABR").at(i);
            for (const Anzeigeoption& o : RenummerLogik::optionen()) {
                if (o.kasten != kasten) continue;
                auto* c = new QCheckBox(s);
                c->setObjectName(kasten);
                c->setToolTip(text + QStringLiteral(" auf ") + arten[i] + QStringLiteral("en"));
                g->addWidget(c, r, i + 1, Qt::AlignCenter);
                optionen.insert(kasten, c);
                const QString satz = o.satz;
                // A click writes the row at once: the next document follows it without a save.
                connect(c, &QCheckBox::clicked, this, [this, satz](bool an) {
                    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Einstellung konnte nicht gespeichert werden."),
                                        [&] { logik_.optionSetzen(satz, an); });
                });
            }
        }
        ++r;
    }
    g->setRowStretch(r, 1);
    g->setColumnStretch(0, 1);
    return s;
}

QWidget* frmRenummer::zahlungSeite() {
    auto* s = new QWidget;
    const QString vorher = QStringLiteral("Das Zahlungsziel in Tagen wird vom Reiseantritt abgezogen.");
    const QString nachher = QStringLiteral("Das Zahlungsziel in Tagen wird zum Rechnungsdatum hinzugezählt.");
    txtZahlungszielAllgvR = feld(QStringLiteral("txtZahlungszielAllgvR"), s, vorher);
    txtZahlungszielAllgnR = feld(QStringLiteral("txtZahlungszielAllgnR"), s, nachher);
    txtAnzahlungvR = feld(QStringLiteral("txtAnzahlungvR"), s, vorher);
    txtAnzahlungnR = feld(QStringLiteral("txtAnzahlungnR"), s, nachher);
    txtAnzProzentvR = feld(QStringLiteral("txtAnzProzentvR"), s);
    txtAnzProzentnR = feld(QStringLiteral("txtAnzProzentnR"), s);
    txtZahlungszielSkonto = feld(QStringLiteral("txtZahlungszielSkonto"), s);
    chZahlungsziele = new QCheckBox(QStringLiteral("Anzahlung beim Öffnen vorgeben"), s);
    chZahlungsziele->setObjectName(QStringLiteral("chZahlungsziele"));
    cmdZahlspeichern = parts::button(QStringLiteral("cmdZahlspeichern"), QStringLiteral("&Speichern"), {}, s);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("<b>vor Reiseantritt</b>"), s), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("<b>nach Rechnungsdatum</b>"), s), 0, 2);
    g->addWidget(new QLabel(QStringLiteral("Zahlungsziel (Tage):"), s), 1, 0);
    g->addWidget(txtZahlungszielAllgvR, 1, 1);
    g->addWidget(txtZahlungszielAllgnR, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Anzahlung fällig (Tage):"), s), 2, 0);
    g->addWidget(txtAnzahlungvR, 2, 1);
    g->addWidget(txtAnzahlungnR, 2, 2);
    g->addWidget(new QLabel(QStringLiteral("Anzahlung (%):"), s), 3, 0);
    g->addWidget(txtAnzProzentvR, 3, 1);
    g->addWidget(txtAnzProzentnR, 3, 2);
    g->addWidget(new QLabel(QStringLiteral("Skonto (Tage):"), s), 4, 0);
    g->addWidget(txtZahlungszielSkonto, 4, 1);
    auto* l = new QVBoxLayout(s);
    l->addLayout(g);
    l->addWidget(chZahlungsziele);
    l->addWidget(parts::helpLine(vorher + QLatin1Char(' ') + nachher, 2));
    l->addStretch();
    auto* k = new QHBoxLayout;
    k->addStretch();
    k->addWidget(cmdZahlspeichern);
    l->addLayout(k);
    for (QLineEdit* f : {txtZahlungszielAllgvR, txtZahlungszielAllgnR, txtAnzahlungvR, txtAnzahlungnR, txtAnzProzentvR, txtAnzProzentnR,
                         txtZahlungszielSkonto}) {
        f->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), f));
        connect(f, &QLineEdit::textEdited, this, [this] { geaendert_ = true; });
    }
    connect(chZahlungsziele, &QCheckBox::clicked, this, [this] { geaendert_ = true; });
    connect(cmdZahlspeichern, &QPushButton::clicked, this, [this] { zahlungSpeichern(); });
    return s;
}

QWidget* frmRenummer::texteSeite() {
    auto* s = new QWidget;
    txtTextFuerUebernachtung = feld(QStringLiteral("txtTextFürÜbernachtung"), s, QStringLiteral("Leer: \"Übernachtung\""));
    txtTextFuerUebernachtungMZ = feld(QStringLiteral("txtTextFürÜbernachtungMZ"), s, QStringLiteral("Leer: \"Übernachtungen\""));
    Command3 = parts::button(QStringLiteral("Command3"), QStringLiteral("&Speichern"), {}, s);
    auto* form = new QFormLayout;
    parts::captionedRow(form, QStringLiteral("Eine &Nacht:"), txtTextFuerUebernachtung);
    parts::captionedRow(form, QStringLiteral("&Mehrere Nächte:"), txtTextFuerUebernachtungMZ);
    auto* l = new QVBoxLayout(s);
    l->addLayout(form);
    l->addStretch();
    auto* k = new QHBoxLayout;
    k->addStretch();
    k->addWidget(Command3);
    l->addLayout(k);
    for (QLineEdit* f : {txtTextFuerUebernachtung, txtTextFuerUebernachtungMZ})
        connect(f, &QLineEdit::textEdited, this, [this] { geaendert_ = true; });
    connect(Command3, &QPushButton::clicked, this, [this] { texteSpeichern(); });
    return s;
}

void frmRenummer::laden() {
    laden_ = true;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Einstellungen der Rechnungen konnten nicht gelesen werden."), [&] {
        const Nummernformat f = logik_.nummer();
        txtVor->setText(f.praefix);
        cboDatum->setCurrentIndex(std::max(0, cboDatum->findData(f.datumsformat)));
        (f.zaehlerAlle ? opFreieAlle : opFreieFrei)->setChecked(true);
        (f.schluesselAlle ? opFreieAngebotAlle : opFreieAngebotFrei)->setChecked(true);
        for (const Anzeigeoption& o : RenummerLogik::optionen())
            if (QCheckBox* c = optionen.value(o.kasten)) c->setChecked(logik_.option(o.satz));
        const QList<QPair<QLineEdit*, int>> ziele = {{txtZahlungszielAllgvR, 2}, {txtZahlungszielSkonto, 3}, {txtAnzahlungvR, 4},
                                                     {txtAnzProzentvR, 5},       {txtZahlungszielAllgnR, 6}, {txtAnzahlungnR, 7},
                                                     {txtAnzProzentnR, 8}};
        for (const auto& [f2, n] : ziele) f2->setText(logik_.zahlungsziel(n));
        chZahlungsziele->setChecked(logik_.anzahlung());
        txtTextFuerUebernachtung->setText(logik_.nachttext(false));
        txtTextFuerUebernachtungMZ->setText(logik_.nachttext(true));
    });
    beispielZeigen();
    laden_ = false;
    geaendert_ = false;
}

void frmRenummer::beispielZeigen() {
    txtRenummerBeispiel->setText(
        RenummerLogik::beispiel(txtVor->text(), cboDatum->currentData().toString(), txtRenummer->text(), QDate::currentDate()));
}

bool frmRenummer::nummerSpeichern() {
    const Nummernformat f{txtVor->text(), cboDatum->currentData().toString(), opFreieAlle->isChecked(), opFreieAngebotAlle->isChecked()};
    if (!datenbankGeschuetzt(dialogs_, QStringLiteral("Das Nummernformat konnte nicht gespeichert werden."),
                             [&] { logik_.nummerSpeichern(f); }))
        return false;
    geaendert_ = false;
    return true;
}

bool frmRenummer::zahlungSpeichern() {
    bool ok = false;
    const QList<QPair<int, QString>> felder = {
        {2, txtZahlungszielAllgvR->text()}, {3, txtZahlungszielSkonto->text()}, {4, txtAnzahlungvR->text()}, {5, txtAnzProzentvR->text()},
        {6, txtZahlungszielAllgnR->text()}, {7, txtAnzahlungnR->text()},        {8, txtAnzProzentnR->text()}};
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Zahlungsziele konnten nicht gespeichert werden."),
                        [&] { ok = logik_.zahlungszieleSpeichern(felder, chZahlungsziele->isChecked()); });
    if (ok) geaendert_ = false;
    return ok;
}

bool frmRenummer::texteSpeichern() {
    if (!datenbankGeschuetzt(dialogs_, QStringLiteral("Die Texte konnten nicht gespeichert werden."),
                             [&] { logik_.nachttexteSpeichern(txtTextFuerUebernachtung->text(), txtTextFuerUebernachtungMZ->text()); }))
        return false;
    txtTextFuerUebernachtung->setText(logik_.nachttext(false));
    txtTextFuerUebernachtungMZ->setText(logik_.nachttext(true));
    geaendert_ = false;
    return true;
}

bool frmRenummer::aenderungenSichern() {
    if (!geaendert_) return true;
    const Answer a = dialogs_.message(RenummerLogik::kSpeichernFrage, {}, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) {
        geaendert_ = false;
        laden();
        return true;
    }
    switch (seite_) {
        case 0: return nummerSpeichern();
        case 2: return zahlungSpeichern();
        case 3: return texteSpeichern();
        default: geaendert_ = false; return true;
    }
}

void frmRenummer::reject() {
    if (aenderungenSichern()) QDialog::reject();
}

}  // namespace tav
