#include "settings/ui/frmParameter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/Amounts.h"
#include "platform/ui/WindowParts.h"
#include "settings/ui/Hilfebereich.h"
#include "store/Datenbankfehler.h"
#include "store/Fenster.h"
#include "store/Parameter.h"

namespace tav {

namespace {

QLineEdit* feld(const QString& name, const QString& hilfe = {}) {
    auto* e = new QLineEdit;
    e->setObjectName(name);
    e->setToolTip(hilfe);
    return e;
}

QLineEdit* zahlFeld(const QString& name, const QString& hilfe, int laenge) {
    QLineEdit* e = feld(name, hilfe);
    e->setMaxLength(laenge);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

// The colour swatch of a colour field: the field's number as 0x00BBGGRR.
void faerben(QPushButton* knopf, quint32 farbe) {
    knopf->setStyleSheet(
        QStringLiteral("background-color: rgb(%1, %2, %3);").arg(farbe::red(farbe)).arg(farbe::green(farbe)).arg(farbe::blue(farbe)));
}

const QStringList kWochentage = {QStringLiteral("Sonntag"),  QStringLiteral("Montag"),     QStringLiteral("Dienstag"),
                                 QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
                                 QStringLiteral("Samstag")};

const QStringList kTextBeschriftung = {QStringLiteral("Absender Zeile 1"),
                                       QStringLiteral("Absender Zeile 2"),
                                       QStringLiteral("Straße"),
                                       QStringLiteral("Postleitzahl"),
                                       QStringLiteral("Ort"),
                                       QStringLiteral("Telefon"),
                                       QStringLiteral("Fax"),
                                       QStringLiteral("E-Mail"),
                                       QStringLiteral("Internet"),
                                       QStringLiteral("Bankverbindung"),
                                       QStringLiteral("Steuernummer")};

}  // namespace

frmParameter::frmParameter(Database& db, Database* beispiel, Dialogs& dialogs, Fenster& fenster, const QString& seite, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), fenster_(fenster), logik_(db, beispiel, dialogs, fenster) {
    setObjectName(QStringLiteral("frmParameter"));
    setWindowTitle(ParameterLogik::kTitel);

    tabParameter = new QTabWidget;
    tabParameter->setObjectName(QStringLiteral("tabParameter"));
    tabParameter->addTab(seiteAnzeige(), QStringLiteral("Anzeige"));
    tabParameter->addTab(seiteFarben(), QStringLiteral("Farben"));
    tabParameter->addTab(seiteTexte(), QStringLiteral("Texte"));
    tabParameter->addTab(seiteBezeichnungen(), QStringLiteral("Bezeichnungen"));
    tabParameter->addTab(seiteZusatzspalten(), QStringLiteral("Zusatzspalten"));

    auto* hilfe = new QGroupBox(QStringLiteral("Hilfe"));
    lblHilfe = parts::helpLine({}, 3);
    lblHilfe->setObjectName(QStringLiteral("lblHilfe"));
    (new QVBoxLayout(hilfe))->addWidget(lblHilfe);

    cmdUebernehmen = parts::button(QStringLiteral("cmdUebernehmen"), QStringLiteral("&Übernehmen"), QStringLiteral("Änderungen speichern"));
    cmdStandard = parts::button(QStringLiteral("cmdStandard"), QStringLiteral("Standard"),
                                QStringLiteral("Setzt die Anzeige und die Farben auf die Standardeinstellungen zurück."));
    cmdOK = parts::button(QStringLiteral("cmdOK"), QStringLiteral("OK"),
                          QStringLiteral("Speichert die Änderungen und schließt die Einstellungen."));
    cmdSchliessen =
        parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schl&ießen"), QStringLiteral("Schließt die Einstellungen."));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdStandard);
    knoepfe->addStretch();
    for (QPushButton* b : {cmdUebernehmen, cmdOK, cmdSchliessen}) knoepfe->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabParameter, 1);
    layout->addWidget(hilfe);
    layout->addLayout(knoepfe);
    resize(820, 640);

    connect(cmdUebernehmen, &QPushButton::clicked, this, [this] { uebernehmen(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        if (zimmerGeaendert_ && !zimmerVerlassen()) return;
        allgemeinLesen();
        bool ok = false;
        geschuetzt(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden."), [&] { ok = logik_.ok(); });
        if (!ok) return;
        geaendert_ = false;
        accept();
    });
    connect(cmdStandard, &QPushButton::clicked, this, [this] {
        allgemeinLesen();
        if (!logik_.standard()) return;
        allgemeinAnzeigen();
        tabParameter->setCurrentIndex(3);
        cmdOK->click();
    });
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::close);

    bool gelesen = geschuetzt(QStringLiteral("Die Einstellungen konnten nicht gelesen werden."), [&] {
        logik_.laden();
        zimmerLaden();
        attributeLaden();
        for (const QString& k : logik_.kategorien()) txtBlockKat->addItem(k);
        txtMWST->setText(logik_.mwstSatz());
    });
    cmdUebernehmen->setEnabled(gelesen);
    cmdOK->setEnabled(gelesen);
    allgemeinAnzeigen();
    zimmerZeigen(0);

    if (seite == QLatin1String("Farben"))
        tabParameter->setCurrentIndex(1);
    else if (seite == QLatin1String("Zimmer") || seite == QLatin1String("ZusatzspaltenZuordnen"))
        tabParameter->setCurrentIndex(3);
    else if (seite == QLatin1String("ZusatzspaltenEinrichten"))
        tabParameter->setCurrentIndex(4);
    else
        tabParameter->setCurrentIndex(0);

    new Hilfebereich(this, lblHilfe);
    // Any edit on the general tabs is a change that closing asks about.
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        if (e == txtNeueZimmer || e == txtBemerkungen || e == txtAnzahlG || e == txtPreis || e == txtAlteZimmernummer ||
            e == txtBeschriftung || e == txtBedeutung || e == txtZusatzFarbe || e == txtMWST)
            continue;
        connect(e, &QLineEdit::textEdited, this, [this] { geaendert_ = true; });
    }
    for (QLineEdit* e : {txtNeueZimmer, txtBemerkungen, txtAnzahlG, txtPreis})
        connect(e, &QLineEdit::textEdited, this, [this] { zimmerGeaendert_ = true; });
}

void frmParameter::oeffnen(Database& db, Database* beispiel, Dialogs& dialogs, Fenster& fenster, const QString& seite, QWidget* parent) {
    frmParameter fenster_(db, beispiel, dialogs, fenster, seite, parent);
    fenster_.exec();
}

template <typename F>
bool frmParameter::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

// ---- "Anzeige" --------------------------------------------------------------------------

QWidget* frmParameter::seiteAnzeige() {
    auto* w = new QWidget;
    fldAnzZimmer = zahlFeld(QStringLiteral("fldAnzZimmer"),
                            QStringLiteral("Anzahl der zu verwaltenden Zimmer. Es wird automatisch ein Zimmer mehr angelegt, das für "
                                           "nicht fest gebuchte Reservierungen benötigt wird."),
                            3);
    txtDarstellen =
        zahlFeld(QStringLiteral("txtDarstellen"), QStringLiteral("Anzahl der Zimmer, die gleichzeitig im Belegungsplan zu sehen sind."), 3);
    cboHöhe = new QComboBox;
    cboHöhe->setObjectName(QStringLiteral("cboHöhe"));
    for (int h : {290, 300, 320, 340, 360, 380, 400, 420}) cboHöhe->addItem(QString::number(h), h);
    cboHöhe->setToolTip(QStringLiteral("Höhe der Tageskästchen im Belegungsplan."));
    txtTage = zahlFeld(QStringLiteral("txtTage"), QStringLiteral("Anzahl der Tage, die der Belegungsplan zeigt."), 3);
    cboWochentag = new QComboBox;
    cboWochentag->setObjectName(QStringLiteral("cboWochentag"));
    cboWochentag->addItems(kWochentage);
    cboWochentag->setToolTip(QStringLiteral("Der Wochentag, der im Belegungsplan mit dem vollen Datum hervorgehoben wird."));
    txtErsterTag = zahlFeld(QStringLiteral("txtErsterTag"),
                            QStringLiteral("Einstellung für den Farbunterschied des ersten Tages einer Reservierung. Es können Werte "
                                           "zwischen 0 (gleiche Farbe) bis 255 (weiss) eingestellt werden."),
                            3);
    txtWaehrung = feld(QStringLiteral("txtWaehrung"), QStringLiteral("Wie lautet die aktuelle Währung?"));
    txtWaehrung->setMaxLength(5);
    for (int i = 0; i < 4; ++i) {
        const bool intervall = i % 2 == 1;
        txtWaesche << (intervall ? zahlFeld(QStringLiteral("txtWaesche%1").arg(i + 1),
                                            QStringLiteral("Nach wie vielen Tagen wird diese Wäsche gewechselt?"), 3)
                                 : feld(QStringLiteral("txtWaesche%1").arg(i + 1), QStringLiteral("Bezeichnung dieser Wäsche.")));
    }
    txtMWST = feld(QStringLiteral("txtMWST"), QStringLiteral("Der aktuelle Standardsatz der Mehrwertsteuer."));
    txtMWST->setReadOnly(true);
    cmdMWST = parts::button(QStringLiteral("cmdMWST"), QStringLiteral("Mehrwertsteuer &ändern …"),
                            QStringLiteral("Öffnet die Mehrwertsteuersätze."));
    cmdMWST->setEnabled(fenster_.vorhanden(Ziel::Mehrwertsteuer));
    connect(cmdMWST, &QPushButton::clicked, this, [this] {
        fenster_.oeffnen(Ziel::Mehrwertsteuer, {}, this);
        geschuetzt(QStringLiteral("Der Mehrwertsteuersatz konnte nicht gelesen werden."), [&] { txtMWST->setText(logik_.mwstSatz()); });
    });

    auto* raeume = new QGroupBox(QStringLiteral("Räumlichkeiten"));
    auto* f1 = new QFormLayout(raeume);
    parts::captionedRow(f1, QStringLiteral("&Anzahl"), fldAnzZimmer);
    parts::captionedRow(f1, QStringLiteral("&Darstellen"), txtDarstellen);
    parts::captionedRow(f1, QStringLiteral("&Höhe der Tageskästchen"), cboHöhe);
    auto* zeit = new QGroupBox(QStringLiteral("Zeitdarstellung"));
    auto* f2 = new QFormLayout(zeit);
    parts::captionedRow(f2, QStringLiteral("Anzahl der &Tage"), txtTage);
    parts::captionedRow(f2, QStringLiteral("Hervorgehobener &Wochentag"), cboWochentag);
    auto* farbe1 = new QLabel(QStringLiteral("Farbunterschied"));
    auto* farbe2 = new QLabel(QStringLiteral("für den 1. Tag"));
    farbe2->setBuddy(txtErsterTag);
    auto* ersterText = new QWidget;
    auto* ersterBox = new QVBoxLayout(ersterText);
    ersterBox->setContentsMargins(0, 0, 0, 0);
    ersterBox->setSpacing(0);
    ersterBox->addWidget(farbe1);
    ersterBox->addWidget(farbe2);
    f2->addRow(ersterText, txtErsterTag);
    auto* waesche = new QGroupBox(QStringLiteral("Wäsche"));
    auto* g = new QGridLayout(waesche);
    g->addWidget(new QLabel(QStringLiteral("Bezeichnung")), 0, 0);
    g->addWidget(new QLabel(QStringLiteral("Wechsel nach Tagen")), 0, 1);
    g->addWidget(txtWaesche[0], 1, 0);
    g->addWidget(txtWaesche[1], 1, 1);
    g->addWidget(txtWaesche[2], 2, 0);
    g->addWidget(txtWaesche[3], 2, 1);
    // The meals a new reservation starts with ("Wäsche" F5 … F7).
    auto* mahlzeiten = new QGroupBox(QStringLiteral("Verpflegung neuer Reservierungen"));
    auto* mz = new QHBoxLayout(mahlzeiten);
    const auto haken = [this, mz](const QString& name, const QString& text) {
        auto* c = new QCheckBox(text);
        c->setObjectName(name);
        c->setToolTip(QStringLiteral("Neue Reservierungen beginnen mit ") + text + QStringLiteral(", wenn dieses Feld angekreuzt ist."));
        connect(c, &QCheckBox::toggled, this, [this] {
            if (!zeigen_) geaendert_ = true;
        });
        mz->addWidget(c);
        return c;
    };
    chFrühstück = haken(QStringLiteral("chFrühstück"), QStringLiteral("Frühstück"));
    chMittag = haken(QStringLiteral("chMittag"), QStringLiteral("Mittagessen"));
    chAbend = haken(QStringLiteral("chAbend"), QStringLiteral("Abendessen"));
    mz->addStretch();
    auto* geld = new QGroupBox(QStringLiteral("Währung und Mehrwertsteuer"));
    auto* f3 = new QFormLayout(geld);
    parts::captionedRow(f3, QStringLiteral("Wä&hrung"), txtWaehrung);
    auto* mwst = new QHBoxLayout;
    mwst->addWidget(txtMWST);
    mwst->addWidget(cmdMWST);
    f3->addRow(QStringLiteral("Mehrwertsteuer (Standard)"), mwst);

    auto* grid = new QGridLayout(w);
    grid->addWidget(raeume, 0, 0);
    grid->addWidget(zeit, 0, 1);
    grid->addWidget(waesche, 1, 0);
    grid->addWidget(geld, 1, 1);
    grid->addWidget(mahlzeiten, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return w;
}

// ---- "Farben" ---------------------------------------------------------------------------

QWidget* frmParameter::seiteFarben() {
    auto* w = new QWidget;
    auto* arten = new QGroupBox(QStringLiteral("Farbe und Bezeichnung der Reservierungen"));
    auto* g = new QGridLayout(arten);
    auto* gruppe = new QButtonGroup(this);
    const auto farbFeld = [this](int n, const QString& hilfe) {
        QLineEdit* e = feld(QStringLiteral("txtFarbe%1").arg(n), hilfe);
        e->setMaxLength(8);
        auto* k = parts::button(QStringLiteral("cmdFarbe%1").arg(n), QStringLiteral("…"), QStringLiteral("Öffnet die Farbauswahl."));
        k->setFixedWidth(48);
        connect(k, &QPushButton::clicked, this, [this, e] { farbeWaehlen(e); });
        connect(e, &QLineEdit::editingFinished, this, [this, e, k] {
            quint32 f = 0;
            if (zeigen_) return;
            if (logik_.farbePruefen(e->text(), f)) faerben(k, f);
        });
        txtFarbe << e;
        cmdFarbe << k;
    };
    for (int i = 1; i <= ParameterLogik::kMaxArten; ++i) {
        auto* o = new QRadioButton;
        o->setObjectName(QStringLiteral("optBelArt%1").arg(i));
        o->setToolTip(QStringLiteral("Bezeichnung ändern mit der rechten Maustaste."));
        o->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(o, &QWidget::customContextMenuRequested, this, [this, i] {
            if (logik_.artUmbenennen(i)) {
                geaendert_ = true;
                farbenAnzeigen();
            }
        });
        gruppe->addButton(o, i);
        optBelArt << o;
        farbFeld(i, i == 1 ? QStringLiteral("Farbe der freien Tage im Belegungsplan (Zahl im Format 0x00BBGGRR).")
                           : QStringLiteral("Farbe dieser Reservierungsart (Zahl im Format 0x00BBGGRR)."));
        g->addWidget(o, i - 1, 0);
        g->addWidget(txtFarbe.last(), i - 1, 1);
        g->addWidget(cmdFarbe.last(), i - 1, 2);
    }
    cmdAddTyp = parts::button(QStringLiteral("cmdAddTyp"), QStringLiteral("&Neue Reservierungsart"),
                              QStringLiteral("Fügt eine Reservierungsart hinzu (höchstens neun)."));
    cmdSubTyp = parts::button(QStringLiteral("cmdSubTyp"), QStringLiteral("&Letzte entfernen"),
                              QStringLiteral("Löscht die letzte Reservierungsart. Reservierungen, die in dieser Farbe angelegt wurden, "
                                             "bekommen die erste Farbe zugewiesen. Die Zuordnung geht nicht verloren."));
    cmdUmbenennen = parts::button(QStringLiteral("cmdUmbenennen"), QStringLiteral("&Bezeichnung ändern"),
                                  QStringLiteral("Ändert die Bezeichnung der gewählten Reservierungsart."));
    connect(cmdAddTyp, &QPushButton::clicked, this, [this] {
        if (logik_.artHinzufuegen()) {
            geaendert_ = true;
            farbenAnzeigen();
        }
    });
    connect(cmdUmbenennen, &QPushButton::clicked, this, [this, gruppe] {
        if (logik_.artUmbenennen(gruppe->checkedId())) {
            geaendert_ = true;
            farbenAnzeigen();
        }
    });
    connect(cmdSubTyp, &QPushButton::clicked, this, [this] {
        allgemeinLesen();
        bool ok = false;
        geschuetzt(QStringLiteral("Die Reservierungsart konnte nicht entfernt werden."), [&] { ok = logik_.artEntfernen(); });
        if (ok) farbenAnzeigen();
    });
    auto* k = new QVBoxLayout;
    k->addWidget(cmdAddTyp);
    k->addWidget(cmdUmbenennen);
    k->addWidget(cmdSubTyp);
    k->addStretch();
    g->addLayout(k, 0, 3, ParameterLogik::kMaxArten, 1);

    auto* woche = new QGroupBox(QStringLiteral("Wochentage"));
    auto* f = new QFormLayout(woche);
    farbFeld(10, QStringLiteral("Farbe der Nacht von Freitag auf Samstag."));
    farbFeld(11, QStringLiteral("Farbe der Nacht von Samstag auf Sonntag und der Feiertage."));
    for (int i : {9, 10}) {
        auto* zeile = new QHBoxLayout;
        zeile->addWidget(txtFarbe[i]);
        zeile->addWidget(cmdFarbe[i]);
        f->addRow(i == 9 ? QStringLiteral("Freitag → Samstag") : QStringLiteral("Samstag → Sonntag"), zeile);
    }
    auto* layout = new QHBoxLayout(w);
    layout->addWidget(arten, 3);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(woche);
    rechts->addStretch();
    layout->addLayout(rechts, 2);
    return w;
}

void frmParameter::farbeWaehlen(QLineEdit* e) {
    quint32 alt = 0;
    if (!logik_.farbePruefen(e->text().isEmpty() ? QStringLiteral("0") : e->text(), alt)) return;
    const QColor neu = QColorDialog::getColor(QColor(farbe::red(alt), farbe::green(alt), farbe::blue(alt)), this);
    if (!neu.isValid()) return;
    e->setText(QString::number(farbe::rgb(neu.red(), neu.green(), neu.blue())));
    if (e != txtZusatzFarbe) geaendert_ = true;
    emit e->editingFinished();
}

void frmParameter::farbenAnzeigen() {
    zeigen_ = true;
    const ParameterDaten& d = logik_.daten();
    const int n = d.artenAnzahl();
    for (int i = 0; i < ParameterLogik::kMaxArten; ++i) {
        const bool da = i < n;
        optBelArt[i]->setText(da ? d.arten[i] : QString());
        optBelArt[i]->setEnabled(da);
        txtFarbe[i]->setEnabled(da);
        cmdFarbe[i]->setEnabled(da);
    }
    for (int i = 0; i < txtFarbe.size(); ++i) {
        txtFarbe[i]->setText(QString::number(d.farben.value(i)));
        faerben(cmdFarbe[i], d.farben.value(i));
    }
    if (!optBelArt[0]->isChecked() && n > 0) optBelArt[qMin(1, n - 1)]->setChecked(true);
    cmdAddTyp->setEnabled(n < ParameterLogik::kMaxArten);
    cmdSubTyp->setEnabled(n > 2);
    zeigen_ = false;
}

// ---- "Texte" ----------------------------------------------------------------------------

QWidget* frmParameter::seiteTexte() {
    auto* w = new QWidget;
    auto* absender = new QGroupBox(QStringLiteral("Eigene Anschrift"));
    auto* f = new QFormLayout(absender);
    const QStringList bausteine = ParameterLogik::textBausteine();
    for (int i = 0; i < kTextBeschriftung.size(); ++i) {
        QLineEdit* e = feld(QStringLiteral("txt") + bausteine[i],
                            kTextBeschriftung[i] + QStringLiteral(" des Hauses, wie sie auf den Dokumenten erscheint."));
        txtTexte << e;
        f->addRow(kTextBeschriftung[i], e);
    }
    txtBrieftext = new QTextEdit;
    txtBrieftext->setObjectName(QStringLiteral("txtBrieftext"));
    txtBrieftext->setAcceptRichText(false);
    txtBrieftext->setToolTip(QStringLiteral("Text, der unterhalb der Rechnung stehen kann."));
    txtBrieftext->setFixedHeight(60);
    connect(txtBrieftext, &QTextEdit::textChanged, this, [this] {
        if (!zeigen_) geaendert_ = true;
    });
    txtDruckAnzahl =
        zahlFeld(QStringLiteral("txtDruckAnzahl"),
                 QStringLiteral("Anzahl der Ausdrucke eines Dokuments. F2 schaltet die Programmierung des Worddokumentes um."), 2);
    txtDruckAnzahl->installEventFilter(this);
    chkWord = new QCheckBox(QStringLiteral("Worddokument mit der Datenquelle verbinden"));
    chkWord->setObjectName(QStringLiteral("chkWord"));
    chkWord->setEnabled(false);
    chkWord->setToolTip(QStringLiteral("Wird mit F2 im Feld der Anzahl der Ausdrucke umgeschaltet."));
    opMitAbsender = new QRadioButton(QStringLiteral("mit Absender"));
    opMitAbsender->setObjectName(QStringLiteral("opMitAbsender"));
    opOhneAbsender = new QRadioButton(QStringLiteral("ohne Absender"));
    opOhneAbsender->setObjectName(QStringLiteral("opOhneAbsender"));
    for (QRadioButton* o : {opMitAbsender, opOhneAbsender})
        connect(o, &QRadioButton::toggled, this, [this] {
            if (!zeigen_) geaendert_ = true;
        });
    auto* druck = new QGroupBox(QStringLiteral("Ausdruck"));
    auto* fd = new QFormLayout(druck);
    fd->addRow(QStringLiteral("Text unter der Rechnung"), txtBrieftext);
    fd->addRow(QStringLiteral("Anzahl der Ausdrucke"), txtDruckAnzahl);
    fd->addRow(QString(), chkWord);
    auto* op = new QHBoxLayout;
    op->addWidget(opMitAbsender);
    op->addWidget(opOhneAbsender);
    op->addStretch();
    fd->addRow(QStringLiteral("Dokumente"), op);
    auto* layout = new QHBoxLayout(w);
    layout->addWidget(absender, 3);
    layout->addWidget(druck, 2);
    return w;
}

// ---- the general tabs: fields <-> logic --------------------------------------------------

void frmParameter::allgemeinAnzeigen() {
    zeigen_ = true;
    const ParameterDaten& d = logik_.daten();
    fldAnzZimmer->setText(d.zimmer);
    txtDarstellen->setText(d.darstellen);
    const int h = cboHöhe->findData(d.hoehe);
    if (h < 0) cboHöhe->addItem(QString::number(d.hoehe), d.hoehe);
    cboHöhe->setCurrentIndex(cboHöhe->findData(d.hoehe));
    txtTage->setText(d.tage);
    cboWochentag->setCurrentIndex(qBound(0, d.wochentag - 1, 6));
    txtErsterTag->setText(d.ersterTag);
    txtWaehrung->setText(d.waehrung);
    for (int i = 0; i < 4; ++i) txtWaesche[i]->setText(d.waesche.value(i));
    chFrühstück->setChecked(d.waesche.value(4).trimmed() == QLatin1String("1"));
    chMittag->setChecked(d.waesche.value(5).trimmed() == QLatin1String("1"));
    chAbend->setChecked(d.waesche.value(6).trimmed() == QLatin1String("1"));
    const QStringList bausteine = ParameterLogik::textBausteine();
    for (int i = 0; i < txtTexte.size(); ++i) txtTexte[i]->setText(d.texte.value(bausteine[i]));
    txtBrieftext->setPlainText(d.texte.value(QStringLiteral("Brieftext")));
    txtDruckAnzahl->setText(d.druckAnzahl);
    chkWord->setChecked(d.wordProgramm);
    (d.mitAdresse ? opMitAbsender : opOhneAbsender)->setChecked(true);
    zeigen_ = false;
    farbenAnzeigen();
}

void frmParameter::allgemeinLesen() {
    ParameterDaten& d = logik_.daten();
    d.zimmer = fldAnzZimmer->text();
    d.darstellen = txtDarstellen->text();
    d.hoehe = cboHöhe->currentData().toInt();
    d.tage = txtTage->text();
    d.wochentag = cboWochentag->currentIndex() + 1;
    d.ersterTag = txtErsterTag->text();
    d.waehrung = txtWaehrung->text();
    for (int i = 0; i < 4; ++i) d.waesche[i] = txtWaesche[i]->text();
    const auto wert = [](QCheckBox* c) { return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); };
    d.waesche[4] = wert(chFrühstück);
    d.waesche[5] = wert(chMittag);
    d.waesche[6] = wert(chAbend);
    const QStringList bausteine = ParameterLogik::textBausteine();
    for (int i = 0; i < txtTexte.size(); ++i) d.texte[bausteine[i]] = txtTexte[i]->text();
    d.texte[QStringLiteral("Brieftext")] = txtBrieftext->toPlainText();
    d.druckAnzahl = txtDruckAnzahl->text();
    d.wordProgramm = chkWord->isChecked();
    d.mitAdresse = opMitAbsender->isChecked();
    for (int i = 0; i < txtFarbe.size(); ++i) {
        quint32 f = 0;
        bool ok = false;
        const qulonglong wert = txtFarbe[i]->text().trimmed().toULongLong(&ok);
        if (ok && wert <= 0xFFFFFF) f = quint32(wert), d.farben[i] = f;
    }
}

bool frmParameter::uebernehmen() {
    if (zimmerGeaendert_ && !zimmerVerlassen()) return false;
    // A colour that is not a number stops the apply with its message.
    for (int i = 0; i < txtFarbe.size(); ++i) {
        quint32 f = 0;
        if (txtFarbe[i]->isEnabled() && !logik_.farbePruefen(txtFarbe[i]->text(), f)) {
            tabParameter->setCurrentIndex(1);
            txtFarbe[i]->setFocus();
            return false;
        }
    }
    allgemeinLesen();
    bool ok = false;
    geschuetzt(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden."), [&] { ok = logik_.uebernehmen(); });
    if (!ok) return false;
    geaendert_ = false;
    geschuetzt(QStringLiteral("Die Zimmer konnten nicht gelesen werden."), [&] { zimmerLaden(); });
    zimmerZeigen(qMin(qMax(zimmerIndex_, 0), int(zimmer_.size()) - 1));
    return true;
}

// ---- "Bezeichnungen" ----------------------------------------------------------------------

QWidget* frmParameter::seiteBezeichnungen() {
    auto* w = new QWidget;
    const auto knopf = [](const char* name, const QString& text, const QString& hilfe) {
        return parts::button(QString::fromUtf8(name), text, hilfe);
    };
    cmdErster = knopf("cmdErster", QStringLiteral("|<"), QStringLiteral("Zeigt das erste Zimmer."));
    cmdVoriger = knopf("cmdVoriger", QStringLiteral("<"), QStringLiteral("Zeigt das vorige Zimmer."));
    cmdNaechster = knopf("cmdNaechster", QStringLiteral(">"), QStringLiteral("Zeigt das nächste Zimmer."));
    cmdLetzter = knopf("cmdLetzter", QStringLiteral(">|"), QStringLiteral("Zeigt das letzte Zimmer."));
    txtAlteZimmernummer = feld(QStringLiteral("txtAlteZimmernummer"), QStringLiteral("Die Bezeichnung, die das Zimmer jetzt hat."));
    txtAlteZimmernummer->setReadOnly(true);
    txtNeueZimmer = feld(QStringLiteral("txtNeueZimmer"), QStringLiteral("Die Bezeichnung des Zimmers im Belegungsplan."));
    txtBemerkungen =
        feld(QStringLiteral("txtBemerkungen"), QStringLiteral("Bemerkungen zum Zimmer; sie erscheinen als Hinweis im Belegungsplan."));
    cboSpalte1 = new QComboBox;
    cboSpalte1->setObjectName(QStringLiteral("cboSpalte1"));
    cboSpalte1->setToolTip(QStringLiteral("Das Merkmal in der linken Zusatzspalte."));
    cboSpalte2 = new QComboBox;
    cboSpalte2->setObjectName(QStringLiteral("cboSpalte2"));
    cboSpalte2->setToolTip(QStringLiteral("Das Merkmal in der rechten Zusatzspalte."));
    txtAnzahlG = zahlFeld(QStringLiteral("txtAnzahlG"), QStringLiteral("Anzahl der Gäste, die eine neue Reservierung vorschlägt."), 2);
    txtPreis = feld(QStringLiteral("txtPreis"), QStringLiteral("Preis pro Nacht, den eine neue Reservierung vorschlägt."));
    opRaucher = new QRadioButton(QStringLiteral("Raucher"));
    opRaucher->setObjectName(QStringLiteral("opRaucher"));
    opNichtraucher = new QRadioButton(QStringLiteral("Nichtraucher"));
    opNichtraucher->setObjectName(QStringLiteral("opNichtraucher"));
    txtBlockKat = new QComboBox;
    txtBlockKat->setObjectName(QStringLiteral("txtBlockKat"));
    txtBlockKat->setEditable(true);
    txtBlockKat->setInsertPolicy(QComboBox::NoInsert);
    txtBlockKat->setToolTip(QStringLiteral("Kategorie für Blockbuchungen. Enter nimmt den Text in die Liste auf, F2 entfernt ihn."));
    txtBlockKat->lineEdit()->installEventFilter(this);
    cboPosition = new QComboBox;
    cboPosition->setObjectName(QStringLiteral("cboPosition"));
    cboPosition->setToolTip(QStringLiteral("Die Position, an die das Zimmer beim Speichern gesetzt wird."));
    cmdSpeichernNaechster = knopf("cmdSpeichernNaechster", QStringLiteral("Speichern und &Nächster"),
                                  QStringLiteral("Ändert die Daten und lässt die Position unverändert."));
    cmdSpeichernPosition = knopf("cmdSpeichernPosition", QStringLiteral("An Position &speichern"),
                                 QStringLiteral("Ändert die Daten und fügt die Änderungen an die angezeigte Position ein."));
    cmdSpeichernEnde = knopf("cmdSpeichernEnde", QStringLiteral("Ans &Ende speichern"),
                             QStringLiteral("Ändert die Daten und schiebt das Zimmer ans Ende der Übersicht."));
    cmdSaisonpreise = knopf("cmdSaisonpreise", QStringLiteral("Sais&onpreise"), QStringLiteral("Öffnet die Saisonpreise dieses Zimmers."));
    cmdSaisonpreise->setEnabled(fenster_.vorhanden(Ziel::Saisonpreise));
    cmdVerschieben = knopf("cmdVerschieben", QStringLiteral("&Zimmer verschieben"),
                           QStringLiteral("Setzt das Zimmer mit seinen Reservierungen an eine andere Position."));

    for (QComboBox* c : {cboSpalte1, cboSpalte2})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (!zeigen_) zimmerGeaendert_ = true;
        });
    for (QRadioButton* o : {opRaucher, opNichtraucher})
        connect(o, &QRadioButton::toggled, this, [this] {
            if (!zeigen_) zimmerGeaendert_ = true;
        });
    connect(txtBlockKat, &QComboBox::currentTextChanged, this, [this] {
        if (!zeigen_) zimmerGeaendert_ = true;
    });
    connect(cmdErster, &QPushButton::clicked, this, [this] {
        if (zimmerVerlassen()) zimmerZeigen(0);
    });
    connect(cmdVoriger, &QPushButton::clicked, this, [this] {
        if (zimmerVerlassen()) zimmerZeigen(qMax(0, zimmerIndex_ - 1));
    });
    connect(cmdNaechster, &QPushButton::clicked, this, [this] {
        if (zimmerVerlassen()) zimmerZeigen(qMin(int(zimmer_.size()) - 1, zimmerIndex_ + 1));
    });
    connect(cmdLetzter, &QPushButton::clicked, this, [this] {
        if (zimmerVerlassen()) zimmerZeigen(int(zimmer_.size()) - 1);
    });
    connect(cmdSpeichernNaechster, &QPushButton::clicked, this, [this] {
        if (zimmerSpeichern(Speicherart::Unveraendert)) zimmerZeigen(qMin(int(zimmer_.size()) - 1, zimmerIndex_ + 1));
    });
    connect(cmdSpeichernPosition, &QPushButton::clicked, this, [this] { zimmerSpeichern(Speicherart::AnPosition); });
    connect(cmdSpeichernEnde, &QPushButton::clicked, this, [this] { zimmerSpeichern(Speicherart::AnsEnde); });
    connect(cmdSaisonpreise, &QPushButton::clicked, this, [this] {
        if (zimmerIndex_ < 0 || !zimmerVerlassen()) return;
        Aufruf a;
        a.zimmerNummer = zimmer_[zimmerIndex_].nummer;
        a.text = QStringLiteral("Preise für Zimmer '") + zimmer_[zimmerIndex_].label + QStringLiteral("'");
        fenster_.oeffnen(Ziel::Saisonpreise, a, this);
    });
    connect(cmdVerschieben, &QPushButton::clicked, this, [this] {
        if (!zimmerVerlassen()) return;
        const int nummer = zimmerIndex_ >= 0 ? zimmer_[zimmerIndex_].nummer : 0;
        bool ok = false;
        geschuetzt(QStringLiteral("Das Zimmer konnte nicht verschoben werden."), [&] { ok = logik_.zimmer().verschiebenFragen(nummer); });
        if (!ok) return;
        geschuetzt(QStringLiteral("Die Zimmer konnten nicht gelesen werden."), [&] { zimmerLaden(); });
        zimmerZeigen(zimmerIndex_);
    });

    auto* nav = new QHBoxLayout;
    for (QPushButton* b : {cmdErster, cmdVoriger, cmdNaechster, cmdLetzter}) nav->addWidget(b);
    nav->addStretch();
    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Aktuelle Bezeichnung"), txtAlteZimmernummer);
    parts::captionedRow(f, QStringLiteral("Neue &Bezeichnung"), txtNeueZimmer);
    parts::captionedRow(f, QStringLiteral("Be&merkungen"), txtBemerkungen);
    parts::captionedRow(f, QStringLiteral("Zusatzspalte &links"), cboSpalte1);
    parts::captionedRow(f, QStringLiteral("Zusatzspalte &rechts"), cboSpalte2);
    parts::captionedRow(f, QStringLiteral("&Gäste (Vorgabe)"), txtAnzahlG);
    parts::captionedRow(f, QStringLiteral("&Preis (Vorgabe)"), txtPreis);
    auto* rauch = new QHBoxLayout;
    rauch->addWidget(opRaucher);
    rauch->addWidget(opNichtraucher);
    rauch->addStretch();
    f->addRow(QString(), rauch);
    parts::captionedRow(f, QStringLiteral("Blockbuchung &Kategorie"), txtBlockKat);
    parts::captionedRow(f, QStringLiteral("P&osition"), cboPosition);
    auto* rechts = new QVBoxLayout;
    for (QPushButton* b : {cmdSpeichernNaechster, cmdSpeichernPosition, cmdSpeichernEnde}) rechts->addWidget(b);
    rechts->addSpacing(12);
    rechts->addWidget(cmdSaisonpreise);
    rechts->addWidget(cmdVerschieben);
    rechts->addStretch();
    auto* mitte = new QHBoxLayout;
    mitte->addLayout(f, 1);
    mitte->addLayout(rechts);
    auto* layout = new QVBoxLayout(w);
    layout->addLayout(nav);
    layout->addLayout(mitte);
    layout->addStretch();
    return w;
}

void frmParameter::zimmerLaden() {
    zimmer_ = logik_.zimmer().zimmer();
    zeigen_ = true;
    cboPosition->clear();
    for (int i = 1; i <= zimmer_.size() - 1; ++i) cboPosition->addItem(QString::number(i), i);
    zeigen_ = false;
}

void frmParameter::zimmerZeigen(int index) {
    zeigen_ = true;
    zimmerIndex_ = zimmer_.isEmpty() ? -1 : qBound(0, index, int(zimmer_.size()) - 1);
    const ZimmerZeile z = zimmerIndex_ >= 0 ? zimmer_[zimmerIndex_] : ZimmerZeile{};
    txtAlteZimmernummer->setText(z.label);
    txtNeueZimmer->setText(z.label);
    txtBemerkungen->setText(z.bemerkungen);
    const auto waehle = [](QComboBox* c, const QVariant& feld) {
        c->setCurrentIndex(qMax(0, c->findData(feld.isNull() ? QVariant(0) : feld)));
    };
    waehle(cboSpalte1, z.zusatz1);
    waehle(cboSpalte2, z.zusatz2);
    txtAnzahlG->setText(QString::number(z.gaeste));
    txtPreis->setText(amounts::format(z.preis));
    (z.raucher ? opRaucher : opNichtraucher)->setChecked(true);
    txtBlockKat->setCurrentText(z.blockKat);
    cboPosition->setCurrentIndex(cboPosition->findData(z.nummer));
    // The waiting room keeps its place: it can be renamed but not moved.
    const bool warteZimmer = zimmerIndex_ == zimmer_.size() - 1;
    for (QWidget* x : QList<QWidget*>{cmdSpeichernPosition, cmdSpeichernEnde, cmdVerschieben, cboPosition})
        x->setEnabled(!warteZimmer && zimmerIndex_ >= 0);
    cmdSaisonpreise->setEnabled(fenster_.vorhanden(Ziel::Saisonpreise) && zimmerIndex_ >= 0);
    cmdErster->setEnabled(zimmerIndex_ > 0);
    cmdVoriger->setEnabled(zimmerIndex_ > 0);
    cmdNaechster->setEnabled(zimmerIndex_ >= 0 && zimmerIndex_ < zimmer_.size() - 1);
    cmdLetzter->setEnabled(zimmerIndex_ >= 0 && zimmerIndex_ < zimmer_.size() - 1);
    zimmerGeaendert_ = false;
    zeigen_ = false;
}

bool frmParameter::zimmerVerlassen() {
    if (!zimmerGeaendert_) return true;
    const Answer a =
        dialogs_.message(QStringLiteral("Änderungen speichern?"), ParameterLogik::kTitel, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) {
        zimmerZeigen(zimmerIndex_);
        return true;
    }
    return zimmerSpeichern(Speicherart::Unveraendert);
}

bool frmParameter::zimmerSpeichern(Speicherart art) {
    if (zimmerIndex_ < 0) return false;
    for (QComboBox* c : {cboSpalte1, cboSpalte2}) {
        if (c->currentIndex() < 0) {
            dialogs_.message(QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste."), ParameterLogik::kTitel, Buttons::Ok,
                             Icon::Exclamation);
            return false;
        }
    }
    const std::optional<double> preis = logik_.zimmer().preisPruefen(txtPreis->text());
    if (!preis) {
        txtPreis->setFocus();
        return false;
    }
    ZimmerZeile z = zimmer_[zimmerIndex_];
    z.label = txtNeueZimmer->text();
    z.bemerkungen = txtBemerkungen->text();
    const auto attribut = [](QComboBox* c) { return c->currentData().toInt() == 0 ? QVariant() : c->currentData(); };
    z.zusatz1 = attribut(cboSpalte1);
    z.zusatz2 = attribut(cboSpalte2);
    z.gaeste = txtAnzahlG->text().toInt();
    z.preis = *preis;
    z.raucher = opRaucher->isChecked();
    z.blockKat = txtBlockKat->currentText().trimmed();
    bool ok = false;
    geschuetzt(QStringLiteral("Das Zimmer konnte nicht gespeichert werden."),
               [&] { ok = logik_.zimmer().speichern(z, art, cboPosition->currentData().toInt()); });
    if (!ok) return false;
    const int nummer = art == Speicherart::AnsEnde      ? int(zimmer_.size()) - 1
                       : art == Speicherart::AnPosition ? cboPosition->currentData().toInt()
                                                        : z.nummer;
    geschuetzt(QStringLiteral("Die Zimmer konnten nicht gelesen werden."), [&] { zimmerLaden(); });
    int index = zimmerIndex_;
    for (int i = 0; i < zimmer_.size(); ++i)
        if (zimmer_[i].nummer == nummer) index = i;
    zimmerZeigen(index);
    return true;
}

// ---- "Zusatzspalten" ----------------------------------------------------------------------

QWidget* frmParameter::seiteZusatzspalten() {
    auto* w = new QWidget;
    lstZusatz = new QListWidget;
    lstZusatz->setObjectName(QStringLiteral("lstZusatz"));
    lstZusatz->setToolTip(QStringLiteral("Die Merkmale der Zimmer, die in den Zusatzspalten des Belegungsplans stehen können."));
    txtBeschriftung = feld(QStringLiteral("txtBeschriftung"),
                           QStringLiteral("Kurzer Text in der Zusatzspalte (bis zu drei Zeichen, z. B. eine Preisgruppe)."));
    txtBeschriftung->setMaxLength(3);
    txtBedeutung =
        feld(QStringLiteral("txtBedeutung"), QStringLiteral("Bedeutung des Merkmals; sie erscheint als Hinweis im Belegungsplan."));
    txtZusatzFarbe =
        feld(QStringLiteral("txtZusatzFarbe"), QStringLiteral("Hintergrundfarbe der Zusatzspalte (Zahl im Format 0x00BBGGRR)."));
    cmdZusatzFarbe = parts::button(QStringLiteral("cmdZusatzFarbe"), QStringLiteral("…"), QStringLiteral("Öffnet die Farbauswahl."));
    cmdZusatzFarbe->setFixedWidth(48);
    opLinks = new QRadioButton(QStringLiteral("Spalte links"));
    opLinks->setObjectName(QStringLiteral("opLinks"));
    opRechts = new QRadioButton(QStringLiteral("Spalte rechts"));
    opRechts->setObjectName(QStringLiteral("opRechts"));
    cmdZusatzNeu = parts::button(QStringLiteral("cmdZusatzNeu"), QStringLiteral("&Neu"), QStringLiteral("Legt ein neues Merkmal an."));
    cmdZusatzSpeichern =
        parts::button(QStringLiteral("cmdZusatzSpeichern"), QStringLiteral("&Speichern"), QStringLiteral("Speichert das Merkmal."));
    cmdZusatzLoeschen = parts::button(QStringLiteral("cmdZusatzLoeschen"), QStringLiteral("&Löschen"),
                                      QStringLiteral("Löscht das Merkmal, wenn kein Zimmer es verwendet."));
    // The attribute's colour is saved by the attribute's own button.
    connect(cmdZusatzFarbe, &QPushButton::clicked, this, [this] { farbeWaehlen(txtZusatzFarbe); });
    connect(lstZusatz, &QListWidget::currentRowChanged, this, [this](int row) { attributZeigen(row); });
    connect(cmdZusatzNeu, &QPushButton::clicked, this, [this] {
        if (!logik_.attributNeuFragen()) return;
        lstZusatz->setCurrentRow(-1);
        attributZeile_ = -1;
        txtBeschriftung->clear();
        txtBedeutung->clear();
        txtZusatzFarbe->setText(QString::number(0xFFFFFF));
        opLinks->setChecked(true);
        txtBeschriftung->setFocus();
    });
    connect(cmdZusatzSpeichern, &QPushButton::clicked, this, [this] {
        Attribut a = attributZeile_ >= 0 ? attribute_[attributZeile_] : Attribut{};
        quint32 f = 0;
        if (!logik_.farbePruefen(txtZusatzFarbe->text(), f)) return;
        a.beschriftung = txtBeschriftung->text();
        a.bedeutung = txtBedeutung->text();
        a.farbe = f;
        a.spalte = opRechts->isChecked() ? 2 : 1;
        bool ok = false;
        geschuetzt(QStringLiteral("Das Merkmal konnte nicht gespeichert werden."), [&] { ok = logik_.attributSpeichern(a); });
        if (ok) geschuetzt(QStringLiteral("Die Merkmale konnten nicht gelesen werden."), [&] { attributeLaden(a.feld); });
    });
    connect(cmdZusatzLoeschen, &QPushButton::clicked, this, [this] {
        if (attributZeile_ < 0) return;
        bool ok = false;
        geschuetzt(QStringLiteral("Das Merkmal konnte nicht gelöscht werden."),
                   [&] { ok = logik_.attributLoeschen(attribute_[attributZeile_].feld); });
        if (ok) geschuetzt(QStringLiteral("Die Merkmale konnten nicht gelesen werden."), [&] { attributeLaden(); });
    });

    auto* f = new QFormLayout;
    parts::captionedRow(f, QStringLiteral("&Beschriftung"), txtBeschriftung);
    parts::captionedRow(f, QStringLiteral("B&edeutung"), txtBedeutung);
    auto* farbe = new QHBoxLayout;
    farbe->addWidget(txtZusatzFarbe);
    farbe->addWidget(cmdZusatzFarbe);
    f->addRow(QStringLiteral("Farbe"), farbe);
    auto* spalte = new QHBoxLayout;
    spalte->addWidget(opLinks);
    spalte->addWidget(opRechts);
    spalte->addStretch();
    f->addRow(QString(), spalte);
    auto* k = new QHBoxLayout;
    for (QPushButton* b : {cmdZusatzNeu, cmdZusatzSpeichern, cmdZusatzLoeschen}) k->addWidget(b);
    k->addStretch();
    auto* rechts = new QVBoxLayout;
    rechts->addLayout(f);
    rechts->addLayout(k);
    rechts->addStretch();
    auto* layout = new QHBoxLayout(w);
    layout->addWidget(lstZusatz, 1);
    layout->addLayout(rechts, 2);
    return w;
}

void frmParameter::attributeLaden(int feld) {
    attribute_ = logik_.attribute();
    zeigen_ = true;
    lstZusatz->clear();
    int zeile = attribute_.isEmpty() ? -1 : 0;
    for (int i = 0; i < attribute_.size(); ++i) {
        const Attribut& a = attribute_[i];
        lstZusatz->addItem(a.beschriftung + QStringLiteral(" – ") + a.bedeutung);
        if (a.feld == feld) zeile = i;
    }
    // The room tab's choice of attributes follows the list.
    for (QComboBox* c : {cboSpalte1, cboSpalte2}) {
        const QVariant alt = c->currentData();
        c->clear();
        c->addItem(QStringLiteral("(kein Merkmal)"), 0);
        for (const Attribut& a : attribute_) c->addItem(a.beschriftung + QStringLiteral(" – ") + a.bedeutung, a.feld);
        c->setCurrentIndex(qMax(0, c->findData(alt)));
    }
    zeigen_ = false;
    lstZusatz->setCurrentRow(zeile);
    attributZeigen(zeile);
}

void frmParameter::attributZeigen(int row) {
    attributZeile_ = row;
    const Attribut a = row >= 0 && row < attribute_.size() ? attribute_[row] : Attribut{};
    txtBeschriftung->setText(a.beschriftung);
    txtBedeutung->setText(a.bedeutung);
    txtZusatzFarbe->setText(QString::number(a.farbe));
    faerben(cmdZusatzFarbe, a.farbe);
    (a.spalte == 2 ? opRechts : opLinks)->setChecked(true);
    cmdZusatzLoeschen->setEnabled(row >= 0);
}

// ---- keys and closing -------------------------------------------------------------------------

bool frmParameter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == txtDruckAnzahl && key == Qt::Key_F2) {
            const bool an = !chkWord->isChecked();
            const QString frage = an ? QStringLiteral(
                                           "Wollen Sie die Programmierung des Worddokumentes aktivieren. Die Programmierung verbindet das "
                                           "Worddokument mit der Datenquelle.")
                                     : QStringLiteral(
                                           "Wollen Sie die Programmierung des Worddokumentes deaktivieren. Die Verbindung zur Datenquelle "
                                           "wird dann nicht mehr bei jedem Aufruf durchgeführt.");
            if (dialogs_.message(frage, ParameterLogik::kTitel, Buttons::OkCancel, Icon::Question) == Answer::Ok) {
                chkWord->setChecked(an);
                geaendert_ = true;
            }
            return true;
        }
        if (watched == txtBlockKat->lineEdit() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            const QString text = txtBlockKat->currentText();
            bool neu = false;
            geschuetzt(QStringLiteral("Die Kategorie konnte nicht gespeichert werden."), [&] { neu = logik_.kategorieHinzufuegen(text); });
            if (neu) txtBlockKat->addItem(text.trimmed());
            return true;
        }
        if (watched == txtBlockKat->lineEdit() && key == Qt::Key_F2) {
            const QString text = txtBlockKat->currentText();
            bool weg = false;
            geschuetzt(QStringLiteral("Die Kategorie konnte nicht gelöscht werden."), [&] { weg = logik_.kategorieLoeschen(text); });
            if (weg) {
                txtBlockKat->removeItem(txtBlockKat->findText(text.trimmed()));
                txtBlockKat->setCurrentText(QString());
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmParameter::reject() {
    if (zimmerGeaendert_ && !zimmerVerlassen()) return;
    if (geaendert_) {
        const Answer a =
            dialogs_.message(QStringLiteral("Änderungen speichern?"), ParameterLogik::kTitel, Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Cancel) return;
        if (a == Answer::Yes && !uebernehmen()) return;
    }
    QDialog::reject();
}

}  // namespace tav
