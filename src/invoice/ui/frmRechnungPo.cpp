#include "invoice/ui/frmRechnungPo.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "invoice/ui/frmArtikel.h"
#include "invoice/ui/frmRenummer.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"
#include "store/Fenster.h"
#include "store/Geld.h"

namespace tav {

namespace {
const QString kSpeichernFrage = QStringLiteral("Änderungen oder neue Daten speichern?");
const QString kSpeichernTitel = QStringLiteral("Änderungen speichern");
const QString kQubero = QStringLiteral("Qubero.exe");
const QString kYorvak = QStringLiteral("Yorvak.exe");
}  // namespace

// ---- model ----

int PostenModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(logik_.zeilen().size()); }
int PostenModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 16; }

QVariant PostenModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= logik_.zeilen().size()) return {};
    const PoZeile& z = logik_.zeilen()[index.row()];
    if (role == Qt::DisplayRole) return z.zellen().value(index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= 2 && index.column() <= 5)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && z.zustand == QStringLiteral("Warten")) return QColor(Qt::darkGray);
    if (role == Qt::FontRole && z.buchung) {
        QFont f;
        f.setBold(true);
        return f;
    }
    return {};
}

QVariant PostenModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return RechnungPoLogik::spaltenTitel().value(section);
    return {};
}

void PostenModell::neuLaden() {
    beginResetModel();
    endResetModel();
}

QVariant WahlModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= wahl_.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return wahl_[index.row()].text;
    if (role == Qt::UserRole) return wahl_[index.row()].id;
    return {};
}

// ---- window ----

frmRechnungPo::frmRechnungPo(Database& db, Dialogs& dialogs, Umgebung umgebung, int buchungId, RechnungPoLogik::Modus modus,
                             QWidget* parent)
    : QDialog(parent), db_(db), dialogs_(dialogs), u_(std::move(umgebung)), logik_(db, dialogs) {
    setObjectName(QStringLiteral("frmRechnungPo"));
    modell_ = new PostenModell(logik_, this);
    adressModell_ = new WahlModell(logik_.adressen(), this);
    aufbauen();
    const bool gelesen = geschuetzt(QStringLiteral("Die Rechnungsposten konnten nicht gelesen werden."), [&] {
        logik_.nurZusatzposten = u_.nurZusatzposten;
        logik_.laden(buchungId, modus, QDate::currentDate());
    });
    setWindowTitle(logik_.belegTitel());
    listenFuellen();
    const auto v = logik_.vorgabe();
    chAnzahlung->setChecked(v.anzahlung);
    opBerechnung[v.berechnung]->setChecked(true);
    (logik_.nurBuchung ? opAnzeigeBuchung : opAnzeigeBlock)->setChecked(true);
    txtDatumRechnung->setText(dates::shortDate(QDate::currentDate()));
    modell_->neuLaden();
    spaltenZeigen();
    verbinden();
    if (!gelesen) {
        for (QPushButton* b : findChildren<QPushButton*>()) b->setEnabled(false);
    }
    // The booking's own row is shown in the fields; its invoice address is proposed.
    for (int i = 0; i < logik_.zeilen().size(); ++i)
        if (logik_.zeilen()[i].buchung && logik_.zeilen()[i].id == buchungId) {
            zeileWaehlen(i);
            const int a = cboGastNeu->findData(logik_.zeilen()[i].adressId);
            if (a >= 0) cboGastNeu->setCurrentIndex(a);
            break;
        }
    geaendert_ = false;
    adresseGeaendert_ = false;
    nummerFaerben();
    bezahltFaerben();
    resize(1200, 720);
}

void frmRechnungPo::oeffnen(Database& db, Dialogs& dialogs, Umgebung umgebung, int buchungId, RechnungPoLogik::Modus modus,
                            QWidget* parent) {
    frmRechnungPo f(db, dialogs, std::move(umgebung), buchungId, modus, parent);
    f.exec();
}

bool frmRechnungPo::geschuetzt(const QString& was, const std::function<void()>& tun) { return datenbankGeschuetzt(dialogs_, was, tun); }

void frmRechnungPo::aufbauen() {
    auto zeile = [this](QLineEdit*& f, const char* name, const QString& hilfe = {}) {
        f = new QLineEdit(this);
        f->setObjectName(QString::fromUtf8(name));
        f->setToolTip(hilfe);
    };
    menue_ = new QMenuBar(this);
    QMenu* bearbeiten = menue_->addMenu(QStringLiteral("&Bearbeiten"));
    mnuTeilen = bearbeiten->addAction(QStringLiteral("Reservierung &teilen..."));
    mnuTeilen->setObjectName(QStringLiteral("mnuTeilen"));
    mnuKeineTeilung = bearbeiten->addAction(QStringLiteral("Teilung &aufheben"));
    mnuKeineTeilung->setObjectName(QStringLiteral("mnuKeineTeilung"));
    mnuBezAendern = bearbeiten->addAction(QStringLiteral("Bezeichnung der Übernachtung ä&ndern..."));
    mnuBezAendern->setObjectName(QStringLiteral("mnuBezÄndern"));
    bearbeiten->addSeparator();
    mnuStatus = bearbeiten->addAction(QStringLiteral("&Status prüfen"));
    mnuStatus->setObjectName(QStringLiteral("mnuStatus"));
    QMenu* extras = menue_->addMenu(QStringLiteral("E&xtras"));
    mnuSpalten = extras->addAction(QStringLiteral("&Spalten..."));
    mnuSpalten->setObjectName(QStringLiteral("mnuSpalten"));
    mnuEinstellungen = extras->addAction(QStringLiteral("&Einstellungen..."));
    mnuEinstellungen->setObjectName(QStringLiteral("mnuEinstellungen"));
    mnuAuswertung = extras->addAction(QStringLiteral("A&uswertung"));
    mnuAuswertung->setObjectName(QStringLiteral("mnuAuswertung"));
    mnuAuswertung->setEnabled(u_.shell && u_.shell->programExists(files::join(u_.programmordner, kYorvak)));

    ctrPosten = new QTableView(this);
    ctrPosten->setObjectName(QStringLiteral("ctrPosten"));
    ctrPosten->setModel(modell_);
    ctrPosten->setSelectionBehavior(QAbstractItemView::SelectRows);
    ctrPosten->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ctrPosten->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ctrPosten->verticalHeader()->hide();
    ctrPosten->horizontalHeader()->setStretchLastSection(true);
    ctrPosten->verticalHeader()->setDefaultSectionSize(22);

    // ---- item fields ----
    cboArtikel = new QComboBox(this);
    cboArtikel->setObjectName(QStringLiteral("cboArtikel"));
    cboArtikel->setEditable(true);
    cboArtikel->setInsertPolicy(QComboBox::NoInsert);
    cboArtikel->setToolTip(QStringLiteral("F2 entfernt den gewählten Artikel aus der Liste."));
    cboArtikel->lineEdit()->installEventFilter(this);
    zeile(txtMenge, "txtMenge");
    zeile(txtPreis, "txtPreis", QStringLiteral("Einzelpreis einschließlich Mehrwertsteuer"));
    zeile(txtPreisGesamt, "txtPreisGesamt");
    txtPreisGesamt->setReadOnly(true);
    for (QLineEdit* f : {txtMenge, txtPreis, txtPreisGesamt}) f->setAlignment(Qt::AlignRight);
    cboMwSt = new QComboBox(this);
    cboMwSt->setObjectName(QStringLiteral("cboMwSt"));
    zeile(txtBemerkung, "txtBemerkung");
    zeile(txtDatum, "txtDatum", QStringLiteral("'+' und '-' verschieben das Datum um einen Tag."));
    zeile(txtDatBis, "txtDatBis", QStringLiteral("'+' und '-' verschieben das Datum um einen Tag."));
    for (QLineEdit* f : {txtDatum, txtDatBis}) f->installEventFilter(this);
    chKeinDatum = new QCheckBox(QStringLiteral("Kein Datum"), this);
    chKeinDatum->setObjectName(QStringLiteral("chKeinDatum"));
    zeile(txtGaeste, "txtGäste");
    cboAbgerechnet = new QComboBox(this);
    cboAbgerechnet->setObjectName(QStringLiteral("cboAbgerechnet"));
    cboAbgerechnet->addItems({QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Warten")});
    cmdSpeichern = parts::button(QStringLiteral("cmdSpeichern"), QStringLiteral("&Speichern"), {}, this);
    CmdNeueDaten = parts::button(QStringLiteral("CmdNeueDaten"), QStringLiteral("&Neu"), {}, this);
    cmdLoeschen = parts::button(QStringLiteral("cmdLöschen"), QStringLiteral("&Löschen"), {}, this);
    cmdArtikelSpeichern =
        parts::button(QStringLiteral("cmdArtikelSpeichern"), QStringLiteral("Als &Vorgabe"),
                      QStringLiteral("Speichert die Felder Artikel, Einzelpreise, MwSt und Bemerkung als Vorgabe."), this);
    cmdArtikel = parts::button(QStringLiteral("cmdArtikel"), QStringLiteral("A&rtikel..."), QStringLiteral("Artikel verwalten"), this);

    auto* posten = new QGroupBox(QStringLiteral("Posten"), this);
    auto* pg = new QGridLayout(posten);
    int r = 0;
    auto feld = [&](const QString& text, QWidget* w, int row, int col, int span = 1) {
        auto* l = new QLabel(text, posten);
        l->setBuddy(w);
        pg->addWidget(l, row, col);
        pg->addWidget(w, row, col + 1, 1, span);
    };
    feld(QStringLiteral("A&rtikel:"), cboArtikel, r, 0, 3);
    feld(QStringLiteral("MwSt:"), cboMwSt, r++, 4);
    feld(QStringLiteral("&Menge:"), txtMenge, r, 0);
    feld(QStringLiteral("&Einzelpreis:"), txtPreis, r, 2);
    feld(QStringLiteral("Gesamt:"), txtPreisGesamt, r++, 4);
    feld(QStringLiteral("Bemerkung:"), txtBemerkung, r++, 0, 5);
    feld(QStringLiteral("&Datum:"), txtDatum, r, 0);
    feld(QStringLiteral("&Bis:"), txtDatBis, r, 2);
    pg->addWidget(chKeinDatum, r++, 4, 1, 2);
    feld(QStringLiteral("Gäste:"), txtGaeste, r, 0);
    feld(QStringLiteral("Abgerechnet:"), cboAbgerechnet, r++, 2);
    auto* pk = new QHBoxLayout;
    for (QPushButton* b : {CmdNeueDaten, cmdSpeichern, cmdLoeschen, cmdArtikelSpeichern, cmdArtikel}) pk->addWidget(b);
    pg->addLayout(pk, r, 0, 1, 6);

    // ---- address ----
    cboGastNeu = new QComboBox(this);
    cboGastNeu->setObjectName(QStringLiteral("cboGastNeu"));
    cboGastNeu->setEditable(true);
    cboGastNeu->setInsertPolicy(QComboBox::NoInsert);
    cboGastNeu->setModel(adressModell_);
    // Thousands of addresses: the width follows a fixed length, not the longest name.
    cboGastNeu->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboGastNeu->setMinimumContentsLength(24);
    cboGastNeu->installEventFilter(this);
    cboGastNeu->lineEdit()->installEventFilter(this);
    cmdAdressZU = parts::button(QStringLiteral("cmdAdressZU"), QStringLiteral("&Zuordnen"),
                                QStringLiteral("Bereits abgerechnete Posten und Reservierungen werden nicht berücksichtigt."), this);
    cmdAktualisieren = parts::button(QStringLiteral("cmdAktualisieren"), QStringLiteral("Ak&tualisieren"), {}, this);
    cmdADressverw = parts::button(QStringLiteral("cmdADressverw"), QStringLiteral("Adressverwaltung"), {}, this);
    cmdADressverw->setEnabled(u_.shell && u_.shell->programExists(files::join(u_.programmordner, kQubero)));
    auto* adresse = new QGroupBox(this);
    adresse->setObjectName(QStringLiteral("fraAdresse"));
    auto* ag = new QHBoxLayout(adresse);
    ag->addWidget(cboGastNeu, 1);
    ag->addWidget(cmdAdressZU);
    ag->addWidget(cmdAktualisieren);
    ag->addWidget(cmdADressverw);

    // ---- document ----
    zeile(txtRenummer, "txtRenummer");
    txtRenummer->setReadOnly(true);
    zeile(txtReNummer_Eigen, "txtReNummer_Eigen",
          QStringLiteral("Leer: die Nummer wird vergeben. Grün: die Nummer ist frei. Doppelklick schlägt die nächste freie Nummer vor."));
    txtReNummer_Eigen->installEventFilter(this);
    zeile(txtDatumRechnung, "txtDatumRechnung");
    txtDatumRechnung->installEventFilter(this);
    cboZahlart = new QComboBox(this);
    cboZahlart->setObjectName(QStringLiteral("cboZahlart"));
    cboZahlart->setEditable(true);
    zeile(txtReText, "txtReText");
    cboRabattText = new QComboBox(this);
    cboRabattText->setObjectName(QStringLiteral("cboRabattText"));
    cboRabattText->setEditable(true);
    cboRabatt_betrag = new QComboBox(this);
    cboRabatt_betrag->setObjectName(QStringLiteral("cboRabatt_betrag"));
    cboRabatt_betrag->setEditable(true);
    cboRabatt_betrag->setToolTip(QStringLiteral("Ein Betrag, oder mit '%' ein Prozentsatz des Nettobetrags."));
    chAnzahlung = new QCheckBox(QStringLiteral("An&zahlung"), this);
    chAnzahlung->setObjectName(QStringLiteral("chAnzahlung"));
    chAnzahlung->setToolTip(QStringLiteral("Rechte Maustaste oder F2: Vorgabe beim Öffnen"));
    const QStringList modi = {QStringLiteral("vor Reiseantritt"), QStringLiteral("nach Rechnungsdatum"), QStringLiteral("aufgeteilt")};
    auto* berechnung = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        opBerechnung[i] = new QRadioButton(modi[i], this);
        opBerechnung[i]->setObjectName(QStringLiteral("opBerechnung%1").arg(i));
        opBerechnung[i]->setToolTip(chAnzahlung->toolTip());
        berechnung->addButton(opBerechnung[i], i);
    }
    chFruestueckUnterdruecken = new QCheckBox(QStringLiteral("Verpflegung nicht drucken"), this);
    chFruestueckUnterdruecken->setObjectName(QStringLiteral("chFruestueckUnterdruecken"));
    opAnzeigeBuchung = new QRadioButton(QStringLiteral("Nur diese Reservierung"), this);
    opAnzeigeBuchung->setObjectName(QStringLiteral("opAnzeige0"));
    opAnzeigeBlock = new QRadioButton(QStringLiteral("Alle Reservierungen des Blocks"), this);
    opAnzeigeBlock->setObjectName(QStringLiteral("opAnzeige1"));
    for (QRadioButton* o : {opAnzeigeBuchung, opAnzeigeBlock}) o->setToolTip(chAnzahlung->toolTip());
    auto* anzeige = new QButtonGroup(this);
    anzeige->addButton(opAnzeigeBuchung);
    anzeige->addButton(opAnzeigeBlock);
    for (QWidget* w : std::initializer_list<QWidget*>{chAnzahlung, opBerechnung[0], opBerechnung[1], opBerechnung[2], opAnzeigeBuchung,
                                                      opAnzeigeBlock}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        w->installEventFilter(this);
        connect(w, &QWidget::customContextMenuRequested, this, [this, w] { vorgabeFragen(w); });
    }

    auto* beleg = new QGroupBox(this);
    beleg->setObjectName(QStringLiteral("fraBeleg"));
    auto* bf = new QFormLayout(beleg);
    auto* nummern = new QHBoxLayout;
    nummern->addWidget(txtRenummer);
    nummern->addWidget(txtReNummer_Eigen, 2);
    bf->addRow(QStringLiteral("Nummer:"), nummern);
    parts::captionedRow(bf, QStringLiteral("D&atum:"), txtDatumRechnung);
    parts::captionedRow(bf, QStringLiteral("&Zahlart:"), cboZahlart);
    parts::captionedRow(bf, QStringLiteral("Te&xt:"), txtReText);
    auto* rabatt = new QHBoxLayout;
    rabatt->addWidget(cboRabattText, 2);
    rabatt->addWidget(cboRabatt_betrag, 1);
    bf->addRow(QStringLiteral("Rabatt:"), rabatt);
    auto* anz = new QHBoxLayout;
    anz->addWidget(chAnzahlung);
    for (QRadioButton* o : opBerechnung) anz->addWidget(o);
    bf->addRow(anz);
    bf->addRow(chFruestueckUnterdruecken);

    // ---- actions ----
    cmdDrucken = parts::button(QStringLiteral("cmdDrucken"), QStringLiteral("&Drucken"),
                               QStringLiteral("Alle Einträge der Rechnungsadresse außer 'Warten' werden addiert, als abgerechnet "
                                              "gekennzeichnet und gedruckt. Eine vorhandene Rechnung wird nur erneut gedruckt."),
                               this);
    cmdEinzelRechnung = parts::button(QStringLiteral("cmdEinzelRechnung"), QStringLiteral("S&tornieren"), {}, this);
    cmdAngebot = parts::button(QStringLiteral("cmdAngebot"), QStringLiteral("Bes&tätigung"), {}, this);
    cmdBezahlen = parts::button(QStringLiteral("cmdBezahlen"), QStringLiteral("&Bezahlen"), {}, this);
    cmdBezahlen->setAutoFillBackground(true);
    cmdZahlDetails = parts::button(QStringLiteral("cmdZahlDetails"), QStringLiteral("Za&hlungen"), {}, this);
    cmdZahlungStorno = parts::button(QStringLiteral("cmdZahlungStorno"), QStringLiteral("Zahlungen st&ornieren"),
                                     QStringLiteral("Alle Zahlungen, die die gewählte Rechnung betreffen, werden gelöscht."), this);
    cmdBezahlen->setEnabled(u_.fenster && u_.fenster->vorhanden(Ziel::Abrechnen));
    cmdZahlDetails->setEnabled(u_.fenster && u_.fenster->vorhanden(Ziel::Zahlungen));
    lblSummen = new QLabel(this);
    lblSummen->setObjectName(QStringLiteral("lblSummen"));

    auto* aktionen = new QHBoxLayout;
    for (QPushButton* b : {cmdDrucken, cmdAngebot, cmdEinzelRechnung, cmdBezahlen, cmdZahlDetails, cmdZahlungStorno})
        aktionen->addWidget(b);
    aktionen->addStretch();
    aktionen->addWidget(lblSummen);

    auto* anzeigeZeile = new QHBoxLayout;
    anzeigeZeile->addWidget(opAnzeigeBuchung);
    anzeigeZeile->addWidget(opAnzeigeBlock);
    anzeigeZeile->addStretch();

    auto* unten = new QHBoxLayout;
    unten->addWidget(posten, 3);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(adresse);
    rechts->addWidget(beleg);
    unten->addLayout(rechts, 2);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menue_);
    layout->addLayout(anzeigeZeile);
    layout->addWidget(ctrPosten, 1);
    layout->addLayout(unten);
    layout->addLayout(aktionen);
}

void frmRechnungPo::listenFuellen() {
    const bool angebot = logik_.modus() == RechnungPoLogik::Modus::Angebot;
    findChild<QGroupBox*>(QStringLiteral("fraAdresse"))->setTitle(logik_.adressTitel());
    findChild<QGroupBox*>(QStringLiteral("fraBeleg"))->setTitle(logik_.belegTitel());
    // In offer mode the editor makes offers; otherwise invoices and confirmations.
    cmdAngebot->setText(angebot ? QStringLiteral("&Angebot") : QStringLiteral("Bes&tätigung"));
    cmdDrucken->setVisible(!angebot);
    cboArtikel->clear();
    cboArtikel->addItems(logik_.artikelListe());
    cboArtikel->setEditText({});
    cboMwSt->clear();
    for (const auto& w : logik_.mwstListe()) cboMwSt->addItem(w.text, w.id);
    adressModell_->neuLaden();
    cboZahlart->clear();
    cboZahlart->addItems(logik_.zahlarten());
    cboRabattText->clear();
    cboRabattText->addItems(logik_.rabattTexte());
    cboRabattText->setEditText({});
    cboRabatt_betrag->clear();
    cboRabatt_betrag->addItems(logik_.rabattBetraege());
    cboRabatt_betrag->setEditText({});
}

void frmRechnungPo::spaltenZeigen() {
    const QList<bool> s = logik_.spaltenSichtbar();
    for (int i = 0; i < 16; ++i) ctrPosten->setColumnHidden(i, !s.value(i));
    ctrPosten->resizeColumnsToContents();
}

void frmRechnungPo::neuLaden() {
    const int alt = aktuell_;
    geschuetzt(QStringLiteral("Die Rechnungsposten konnten nicht gelesen werden."), [&] { logik_.eintraegeLaden(); });
    modell_->neuLaden();
    ctrPosten->resizeColumnsToContents();
    aktuell_ = -1;
    if (alt >= 0 && alt < logik_.zeilen().size()) zeileWaehlen(alt);
    bezahltFaerben();
}

const PoZeile* frmRechnungPo::zeile() const {
    return aktuell_ >= 0 && aktuell_ < logik_.zeilen().size() ? &logik_.zeilen()[aktuell_] : nullptr;
}

QList<PoZeile> frmRechnungPo::auswahl() const {
    QList<PoZeile> l;
    for (const QModelIndex& i : ctrPosten->selectionModel()->selectedRows())
        if (i.row() < logik_.zeilen().size()) l << logik_.zeilen()[i.row()];
    return l;
}

void frmRechnungPo::zeileWaehlen(int z) {
    if (z < 0 || z >= logik_.zeilen().size()) return;
    aktuell_ = z;
    const QSignalBlocker b(ctrPosten->selectionModel());
    ctrPosten->selectRow(z);
    felderZeigen();
}

void frmRechnungPo::felderZeigen() {
    const PoZeile* z = zeile();
    if (!z) return;
    fuellen_ = true;
    cboArtikel->setEditText(z->artikel);
    txtMenge->setText(QString::number(z->menge).replace(QLatin1Char('.'), QLatin1Char(',')));
    txtPreis->setText(geld::text(z->einzelpreis));
    txtPreisGesamt->setText(geld::text(z->gesamt));
    const int m = cboMwSt->findData(z->mwstSchluessel);
    cboMwSt->setCurrentIndex(z->buchung ? -1 : m);
    txtBemerkung->setText(z->bemerkung);
    txtDatum->setText(z->datum.isValid() ? dates::shortDate(z->datum) : QString());
    txtDatBis->setText(z->bis.isValid() ? dates::shortDate(z->bis) : QString());
    chKeinDatum->setChecked(z->keinDatum);
    txtGaeste->setText(z->gaeste ? QString::number(z->gaeste) : QString());
    cboAbgerechnet->setCurrentText(z->zustand);
    // A booking's nights are edited in the reservation form; here only its state and address.
    for (QWidget* w : std::initializer_list<QWidget*>{cboArtikel, txtMenge, txtPreis, cboMwSt, txtBemerkung, txtDatum, txtDatBis,
                                                      chKeinDatum, txtGaeste})
        w->setEnabled(!z->buchung);
    const auto nr = logik_.dokumentDerZeile(*z);
    txtRenummer->setText(nr ? QString::number(*nr) : QString());
    fuellen_ = false;
    geaendert_ = false;
    bezahltFaerben();
}

void frmRechnungPo::felderLeeren() {
    fuellen_ = true;
    aktuell_ = -1;
    ctrPosten->clearSelection();
    cboArtikel->setEditText({});
    for (QLineEdit* f : {txtMenge, txtPreis, txtPreisGesamt, txtBemerkung, txtDatBis, txtGaeste}) f->clear();
    txtDatum->setText(dates::shortDate(QDate::currentDate()));
    chKeinDatum->setChecked(false);
    cboAbgerechnet->setCurrentText(QStringLiteral("Nein"));
    for (QWidget* w : std::initializer_list<QWidget*>{cboArtikel, txtMenge, txtPreis, cboMwSt, txtBemerkung, txtDatum, txtDatBis,
                                                      chKeinDatum, txtGaeste})
        w->setEnabled(true);
    cboMwSt->setCurrentIndex(cboMwSt->count() > 0 ? 0 : -1);
    fuellen_ = false;
    geaendert_ = false;
    cboArtikel->setFocus();
}

PostenEingabe frmRechnungPo::eingabe() const {
    PostenEingabe e;
    e.artikel = cboArtikel->currentText();
    e.menge = txtMenge->text();
    e.preis = txtPreis->text();
    e.mwstSchluessel = cboMwSt->currentIndex() >= 0 && cboMwSt->currentText() == cboMwSt->itemText(cboMwSt->currentIndex())
                           ? cboMwSt->currentData().toInt()
                           : 0;
    e.bemerkung = txtBemerkung->text();
    e.datum = txtDatum->text();
    e.datumBis = txtDatBis->text();
    e.bisInGebrauch = !txtDatBis->text().trimmed().isEmpty();
    e.keinDatum = chKeinDatum->isChecked();
    e.gaeste = txtGaeste->text();
    return e;
}

bool frmRechnungPo::speichern() {
    const PoZeile* z = zeile();
    if (z && z->buchung) {
        geaendert_ = false;
        return true;
    }
    std::optional<int> id;
    const int adresse = cboGastNeu->currentData().toInt();
    if (!geschuetzt(QStringLiteral("Der Posten konnte nicht gespeichert werden."),
                    [&] { id = logik_.postenSpeichern(z ? z->id : 0, eingabe(), adresse); }) ||
        !id)
        return false;
    geaendert_ = false;
    neuLaden();
    for (int i = 0; i < logik_.zeilen().size(); ++i)
        if (!logik_.zeilen()[i].buchung && logik_.zeilen()[i].id == *id) zeileWaehlen(i);
    return true;
}

bool frmRechnungPo::aenderungenSichern() {
    if (adresseGeaendert_) {
        const Answer a = dialogs_.message(QStringLiteral("Geänderte Rechnungsadresse speichern?"),
                                          QStringLiteral("Rechnungsadresse zuordnen"), Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Cancel) return false;
        adresseGeaendert_ = false;
        if (a == Answer::Yes) {
            QList<PoZeile> rows = auswahl();
            if (rows.isEmpty() && zeile()) rows << *zeile();
            const int id = cboGastNeu->currentData().toInt();
            bool ok = false;
            geschuetzt(QStringLiteral("Die Zuordnung konnte nicht gespeichert werden."), [&] { ok = logik_.adresseZuordnen(rows, id); });
            if (!ok) return false;
            neuLaden();
        }
    }
    if (!geaendert_) return true;
    const Answer a = dialogs_.message(kSpeichernFrage, kSpeichernTitel, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) {
        geaendert_ = false;
        return true;
    }
    return speichern();
}

RechnungPoLogik::Belegdaten frmRechnungPo::belegdaten() const {
    RechnungPoLogik::Belegdaten d;
    d.adressId = cboGastNeu->currentData().toInt();
    d.datum = txtDatumRechnung->text();
    d.nummerEigen = txtReNummer_Eigen->text();
    d.zahlart = cboZahlart->currentText();
    d.reText = txtReText->text();
    d.rabattText = cboRabattText->currentText();
    d.rabattBetrag = cboRabatt_betrag->currentText();
    d.anzahlung = chAnzahlung->isChecked();
    for (int i = 0; i < 3; ++i)
        if (opBerechnung[i]->isChecked()) d.berechnung = i;
    return d;
}

void frmRechnungPo::belegErstellen(Dokumentart art) {
    if (!aenderungenSichern()) return;
    std::optional<int> nr;
    auto ausgabe = [this](int n, Dokumentart a) {
        if (!u_.ausgabe) return false;
        const Ausgedruckt e = u_.ausgabe(n, a, chFruestueckUnterdruecken->isChecked());
        letztesPdf_ = e.pdf;
        if (!e.pdf.isEmpty())
            lblSummen->setText(QStringLiteral("Netto %1   MwSt %2   Brutto %3   Offen %4")
                                   .arg(geld::text(e.netto), geld::text(e.mwst), geld::text(e.brutto), geld::text(e.brutto - e.zahlungen)));
        if (!letztesPdf_.isEmpty() && u_.shell) u_.shell->openDocument(letztesPdf_);
        return !letztesPdf_.isEmpty();
    };
    geschuetzt(QStringLiteral("Das Dokument konnte nicht erstellt werden."), [&] {
        // A row already on a document of this kind is only printed again.
        const PoZeile* z = zeile();
        const auto vorhanden = z ? logik_.dokumentDerZeile(*z) : std::nullopt;
        if (vorhanden && z->zustand != QStringLiteral("Nein"))
            nr = logik_.nochmalDrucken(*z, belegdaten(), ausgabe);
        else
            nr = logik_.drucken(art, belegdaten(), ausgabe);
    });
    if (nr) {
        txtRenummer->setText(QString::number(*nr));
        txtReNummer_Eigen->clear();
    }
    neuLaden();
    nummerFaerben();
}

void frmRechnungPo::nummerFaerben() {
    const QString t = txtReNummer_Eigen->text().trimmed();
    bool frei = false;
    if (!t.isEmpty())
        geschuetzt(QStringLiteral("Die Rechnungsnummern konnten nicht gelesen werden."),
                   [&] { frei = logik_.nummerFrei(t, txtRenummer->text().toInt()); });
    QPalette p = txtReNummer_Eigen->palette();
    p.setColor(QPalette::Base, frei ? QColor(160, 230, 160) : palette().color(QPalette::Base));
    txtReNummer_Eigen->setPalette(p);
    txtReNummer_Eigen->setProperty("frei", frei);
}

void frmRechnungPo::bezahltFaerben() {
    const PoZeile* z = zeile();
    bool bezahlt = false, mitBeleg = false;
    if (z)
        geschuetzt(QStringLiteral("Die Zahlungen konnten nicht gelesen werden."), [&] {
            mitBeleg = logik_.dokumentDerZeile(*z).has_value();
            bezahlt = mitBeleg && logik_.bezahlt(*z);
        });
    QPalette p = cmdBezahlen->palette();
    p.setColor(QPalette::Button, !mitBeleg ? palette().color(QPalette::Button) : bezahlt ? QColor(120, 200, 120) : QColor(230, 110, 110));
    cmdBezahlen->setPalette(p);
    cmdBezahlen->setProperty("bezahlt", bezahlt);
    cmdBezahlen->setEnabled(mitBeleg && u_.fenster && u_.fenster->vorhanden(Ziel::Abrechnen));
}

void frmRechnungPo::vorgabeFragen(QWidget* feld) {
    if (dialogs_.message(QStringLiteral("Soll die aktuelle Einstellung beim Öffnen vorgegeben werden?"), RechnungPoLogik::kVorgabeTitel,
                         Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    geschuetzt(QStringLiteral("Die Vorgabe konnte nicht gespeichert werden."), [&] {
        if (feld == chAnzahlung) logik_.vorgabeAnzahlung(chAnzahlung->isChecked());
        for (int i = 0; i < 3; ++i)
            if (feld == opBerechnung[i]) logik_.vorgabeBerechnung(i);
        if (feld == opAnzeigeBuchung || feld == opAnzeigeBlock) logik_.vorgabeNurBuchung(opAnzeigeBuchung->isChecked());
    });
}

void frmRechnungPo::verbinden() {
    connect(ctrPosten->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& neu) {
        if (!neu.isValid() || neu.row() == aktuell_) return;
        if (!aenderungenSichern()) {
            const QSignalBlocker b(ctrPosten->selectionModel());
            ctrPosten->selectRow(aktuell_);
            return;
        }
        zeileWaehlen(neu.row());
    });
    auto merken = [this] {
        if (!fuellen_) geaendert_ = true;
    };
    for (QLineEdit* f : {txtMenge, txtPreis, txtBemerkung, txtDatum, txtDatBis, txtGaeste})
        connect(f, &QLineEdit::textEdited, this, merken);
    connect(cboMwSt, &QComboBox::currentIndexChanged, this, merken);
    connect(chKeinDatum, &QCheckBox::toggled, this, merken);
    connect(cboArtikel, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (fuellen_) return;
        geaendert_ = true;
        if (logik_.artikelListe().contains(t)) {
            RechnungPoLogik::Artikelvorgabe a;
            geschuetzt(QStringLiteral("Der Artikel konnte nicht gelesen werden."), [&] { a = logik_.artikel(t); });
            txtPreis->setText(geld::text(a.preis));
            const int m = cboMwSt->findData(a.mwstSchluessel);
            if (m >= 0) cboMwSt->setCurrentIndex(m);
            txtBemerkung->setText(a.bemerkung);
            chKeinDatum->setChecked(a.keinDatum);
            if (txtMenge->text().trimmed().isEmpty()) txtMenge->setText(QStringLiteral("1"));
        }
        txtPreisGesamt->setText(RechnungPoLogik::gesamtText(txtMenge->text(), txtPreis->text()));
    });
    auto gesamt = [this] { txtPreisGesamt->setText(RechnungPoLogik::gesamtText(txtMenge->text(), txtPreis->text())); };
    connect(txtMenge, &QLineEdit::textChanged, this, gesamt);
    connect(txtPreis, &QLineEdit::textChanged, this, gesamt);

    connect(cmdSpeichern, &QPushButton::clicked, this, [this] { speichern(); });
    connect(CmdNeueDaten, &QPushButton::clicked, this, [this] {
        if (aenderungenSichern()) felderLeeren();
    });
    connect(cmdLoeschen, &QPushButton::clicked, this, [this] {
        const PoZeile* z = zeile();
        if (!z) {
            dialogs_.message(RechnungPoLogik::kKeineAuswahl);
            return;
        }
        bool weg = false;
        geschuetzt(QStringLiteral("Der Posten konnte nicht gelöscht werden."), [&] { weg = logik_.loeschen(*z); });
        if (weg) {
            aktuell_ = -1;
            neuLaden();
            felderLeeren();
        }
    });
    connect(cmdArtikelSpeichern, &QPushButton::clicked, this, [this] {
        bool ok = false;
        geschuetzt(QStringLiteral("Der Artikel konnte nicht gespeichert werden."), [&] { ok = logik_.artikelSpeichern(eingabe()); });
        if (ok) {
            const QString t = cboArtikel->currentText();
            fuellen_ = true;
            cboArtikel->clear();
            cboArtikel->addItems(logik_.artikelListe());
            cboArtikel->setEditText(t);
            fuellen_ = false;
        }
    });
    connect(cmdArtikel, &QPushButton::clicked, this, [this] {
        frmArtikel::oeffnen(db_, dialogs_, this);
        geschuetzt(QStringLiteral("Die Artikel konnten nicht gelesen werden."),
                   [&] { logik_.laden(logik_.buchungId(), logik_.modus(), QDate::currentDate()); });
        const QString t = cboArtikel->currentText();
        fuellen_ = true;
        cboArtikel->clear();
        cboArtikel->addItems(logik_.artikelListe());
        cboArtikel->setEditText(t);
        fuellen_ = false;
        modell_->neuLaden();
    });
    connect(cboAbgerechnet, &QComboBox::activated, this, [this] {
        const PoZeile* z = zeile();
        if (!z || fuellen_) return;
        bool ok = false;
        geschuetzt(QStringLiteral("Der Status konnte nicht gespeichert werden."),
                   [&] { ok = logik_.zustandSetzen(*z, cboAbgerechnet->currentText()); });
        if (!ok) {
            const QSignalBlocker b(cboAbgerechnet);
            cboAbgerechnet->setCurrentText(z->zustand);
        }
        neuLaden();
    });

    connect(cboGastNeu, &QComboBox::activated, this, [this] {
        const PoZeile* z = zeile();
        adresseGeaendert_ = z && z->zustand != QStringLiteral("Ja") && cboGastNeu->currentData().toInt() != z->adressId;
    });
    connect(cmdAdressZU, &QPushButton::clicked, this, [this] {
        adresseGeaendert_ = false;
        const int id = cboGastNeu->currentData().toInt();
        if (cboGastNeu->currentIndex() < 0 || cboGastNeu->currentText() != cboGastNeu->itemText(cboGastNeu->currentIndex())) {
            dialogs_.message(RechnungPoLogik::kAuswahl);
            return;
        }
        geschuetzt(QStringLiteral("Die Zuordnung konnte nicht gespeichert werden."), [&] { logik_.adresseZuordnen(auswahl(), id); });
        neuLaden();
    });
    connect(cmdAktualisieren, &QPushButton::clicked, this, [this] {
        const int id = cboGastNeu->currentData().toInt();
        geschuetzt(QStringLiteral("Die Adressen konnten nicht gelesen werden."),
                   [&] { logik_.laden(logik_.buchungId(), logik_.modus(), QDate::currentDate()); });
        listenFuellen();
        alleAdressen();
        const int a = cboGastNeu->findData(id);
        if (a >= 0) cboGastNeu->setCurrentIndex(a);
        neuLaden();
    });
    connect(cmdADressverw, &QPushButton::clicked, this, [this] {
        if (!u_.shell->startProgram(files::join(u_.programmordner, kQubero)))
            dialogs_.message(QStringLiteral("Die Adressverwaltung konnte nicht gestartet werden."));
    });

    connect(txtReNummer_Eigen, &QLineEdit::textChanged, this, [this] { nummerFaerben(); });
    connect(cmdDrucken, &QPushButton::clicked, this, [this] { belegErstellen(Dokumentart::RechnungEditor); });
    connect(cmdAngebot, &QPushButton::clicked, this, [this] {
        belegErstellen(logik_.modus() == RechnungPoLogik::Modus::Angebot ? Dokumentart::AngebotEditor : Dokumentart::BestaetigungEditor);
    });
    connect(cmdEinzelRechnung, &QPushButton::clicked, this, [this] {
        const PoZeile* z = zeile();
        if (!z) {
            dialogs_.message(RechnungPoLogik::kKeineAuswahl);
            return;
        }
        geschuetzt(QStringLiteral("Das Dokument konnte nicht storniert werden."), [&] { logik_.stornieren(*z); });
        txtRenummer->clear();
        neuLaden();
    });
    connect(cmdZahlungStorno, &QPushButton::clicked, this, [this] {
        const PoZeile* z = zeile();
        if (!z) {
            dialogs_.message(RechnungPoLogik::kKeineAuswahl);
            return;
        }
        geschuetzt(QStringLiteral("Die Zahlungen konnten nicht gelöscht werden."), [&] { logik_.zahlungenStornieren(*z); });
        bezahltFaerben();
    });
    connect(cmdBezahlen, &QPushButton::clicked, this, [this] {
        const PoZeile* z = zeile();
        if (!z || !u_.fenster) return;
        Aufruf a;
        a.buchungId = z->buchungId;
        geschuetzt(QStringLiteral("Die Rechnung konnte nicht gelesen werden."),
                   [&] { a.nummer = logik_.dokumentDerZeile(*z).value_or(0); });
        if (a.nummer == 0) return;
        u_.fenster->oeffnen(Ziel::Abrechnen, a, this);
        bezahltFaerben();
    });
    connect(cmdZahlDetails, &QPushButton::clicked, this, [this] {
        if (!u_.fenster) return;
        Aufruf a;
        a.buchungId = logik_.buchungId();
        u_.fenster->oeffnen(Ziel::Zahlungen, a, this);
        bezahltFaerben();
    });
    connect(opAnzeigeBuchung, &QRadioButton::toggled, this, [this](bool an) {
        logik_.nurBuchung = an;
        aktuell_ = -1;
        neuLaden();
    });

    connect(mnuTeilen, &QAction::triggered, this, [this] {
        const PoZeile* z = zeile();
        if (!z) {
            dialogs_.message(RechnungPoLogik::kKeineAuswahl);
            return;
        }
        const int b = z->buchungId;
        geschuetzt(QStringLiteral("Die Reservierung konnte nicht geteilt werden."), [&] { logik_.teilen(b); });
        neuLaden();
    });
    connect(mnuKeineTeilung, &QAction::triggered, this, [this] {
        const PoZeile* z = zeile();
        if (!z) {
            dialogs_.message(RechnungPoLogik::kKeineAuswahl);
            return;
        }
        const int b = z->buchungId;
        geschuetzt(QStringLiteral("Die Teilung konnte nicht aufgehoben werden."), [&] { logik_.teilungAufheben(b); });
        neuLaden();
    });
    connect(mnuBezAendern, &QAction::triggered, this, [this] {
        const PoZeile* z = zeile();
        if (!z || !z->buchung) {
            dialogs_.message(QStringLiteral("Wählen Sie zunächst eine Reservierung aus der Liste."));
            return;
        }
        const int b = z->id;
        const QString alt = z->artikel;
        const QString neu = dialogs_.input(QStringLiteral("Bezeichnung der Übernachtung auf der Rechnung (leer: die Vorgabe):"),
                                           QStringLiteral("Bezeichnung ändern"), alt);
        if (neu == alt) return;
        geschuetzt(QStringLiteral("Die Bezeichnung konnte nicht gespeichert werden."), [&] { logik_.nachttextAendern(b, neu); });
        neuLaden();
    });
    connect(mnuStatus, &QAction::triggered, this, [this] {
        geschuetzt(QStringLiteral("Die Status konnten nicht geprüft werden."), [&] { logik_.statusPruefen(); });
        neuLaden();
    });
    connect(mnuSpalten, &QAction::triggered, this, [this] {
        QDialog d(this);
        d.setWindowTitle(QStringLiteral("Spalten"));
        auto* liste = new QListWidget(&d);
        liste->setObjectName(QStringLiteral("lstSpalten"));
        const QList<bool> s = logik_.spaltenSichtbar();
        for (int i = 0; i < 16; ++i) {
            const QString t = RechnungPoLogik::spaltenTitel()[i];
            auto* e = new QListWidgetItem(t.isEmpty() ? QStringLiteral("(Schlüssel %1)").arg(i + 1) : t, liste);
            e->setCheckState(s.value(i) ? Qt::Checked : Qt::Unchecked);
        }
        auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
        connect(knoepfe, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        connect(knoepfe, &QDialogButtonBox::rejected, &d, &QDialog::reject);
        auto* l = new QVBoxLayout(&d);
        l->addWidget(liste);
        l->addWidget(knoepfe);
        if (d.exec() != QDialog::Accepted) return;
        QList<bool> neu;
        for (int i = 0; i < 16; ++i) neu << (liste->item(i)->checkState() == Qt::Checked);
        geschuetzt(QStringLiteral("Die Spalten konnten nicht gespeichert werden."), [&] { logik_.spaltenSpeichern(neu); });
        spaltenZeigen();
    });
    connect(mnuEinstellungen, &QAction::triggered, this, [this] {
        frmRenummer::oeffnen(db_, dialogs_, u_.variablen, this);
        neuLaden();
        nummerFaerben();
    });
    connect(mnuAuswertung, &QAction::triggered, this, [this] {
        if (!u_.shell->startProgram(files::join(u_.programmordner, kYorvak), {QStringLiteral("RechnungInstanz")}))
            dialogs_.message(QStringLiteral("Die Auswertung konnte nicht gestartet werden."));
    });
}

void frmRechnungPo::alleAdressen() {
    if (logik_.alleAdressen()) return;
    const int id = cboGastNeu->currentData().toInt();
    geschuetzt(QStringLiteral("Die Adressen konnten nicht gelesen werden."), [&] { logik_.alleAdressenLaden(); });
    const QSignalBlocker b(cboGastNeu);
    adressModell_->neuLaden();
    cboGastNeu->setCurrentIndex(cboGastNeu->findData(id));
}

bool frmRechnungPo::eventFilter(QObject* watched, QEvent* event) {
    if (cboGastNeu && (watched == cboGastNeu || watched == cboGastNeu->lineEdit()) &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress))
        alleAdressen();
    if (event->type() == QEvent::MouseButtonDblClick && watched == txtReNummer_Eigen) {
        const Dokumentart art =
            logik_.modus() == RechnungPoLogik::Modus::Angebot ? Dokumentart::AngebotEditor : Dokumentart::RechnungEditor;
        QString n;
        geschuetzt(QStringLiteral("Die Rechnungsnummern konnten nicht gelesen werden."),
                   [&] { n = logik_.naechsteNummer(art, txtDatumRechnung->text()); });
        txtReNummer_Eigen->setText(n);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if ((watched == txtDatum || watched == txtDatBis || watched == txtDatumRechnung) &&
            (k->text() == QStringLiteral("+") || k->text() == QStringLiteral("-"))) {
            auto* f = static_cast<QLineEdit*>(watched);
            const QString neu = RechnungPoLogik::datumTaste(f->text(), k->text().at(0));
            if (neu != f->text()) {
                f->setText(neu);
                if (f != txtDatumRechnung) geaendert_ = true;
                return true;
            }
            return k->text() == QStringLiteral("+");
        }
        if (watched == cboArtikel->lineEdit() && k->key() == Qt::Key_F2) {
            const QString t = cboArtikel->currentText();
            bool weg = false;
            geschuetzt(QStringLiteral("Der Artikel konnte nicht gelöscht werden."), [&] { weg = logik_.artikelEntfernen(t); });
            if (weg) {
                fuellen_ = true;
                cboArtikel->clear();
                cboArtikel->addItems(logik_.artikelListe());
                cboArtikel->setEditText({});
                fuellen_ = false;
            }
            return true;
        }
        if (k->key() == Qt::Key_F2 && qobject_cast<QWidget*>(watched) &&
            (watched == chAnzahlung || watched == opAnzeigeBuchung || watched == opAnzeigeBlock || watched == opBerechnung[0] ||
             watched == opBerechnung[1] || watched == opBerechnung[2])) {
            vorgabeFragen(static_cast<QWidget*>(watched));
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && watched == txtDatumRechnung && !txtDatumRechnung->text().trimmed().isEmpty() &&
        !dates::isDate(txtDatumRechnung->text().trimmed())) {
        dialogs_.message(RechnungPoLogik::kDatumPruefen);
    }
    return QDialog::eventFilter(watched, event);
}

void frmRechnungPo::reject() {
    if (aenderungenSichern()) QDialog::reject();
}

}  // namespace tav
