#include "payment/ui/frmZahlungAdr.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/Database.h"
#include "payment/ui/Spaltenbreiten.h"
#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"
#include "store/Fenster.h"

namespace tav {

namespace {

const QString kFormular = QStringLiteral("frmZahlungAdr");

QLineEdit* summenfeld(const char* name, const QString& hilfe, QWidget* parent) {
    auto* e = new QLineEdit(QStringLiteral("0,00"), parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(130);
    e->setToolTip(hilfe);
    return e;
}

QSet<int> rechts(const QStringList& spalten) {
    QSet<int> r;
    for (int i = 0; i < spalten.size(); ++i)
        if (QStringList{QStringLiteral("Gästezahl"), QStringLiteral("Menge"), QStringLiteral("Einzelpreis"), QStringLiteral("Gesamtpreis"),
                        QStringLiteral("Datum"), QStringLiteral("Summe"), QStringLiteral("Zahlbetrag")}
                .contains(spalten[i]))
            r << i;
    return r;
}

}  // namespace

frmZahlungAdr::frmZahlungAdr(Database& db, Dialogs& dialogs, Fenster& fenster, int adresse, QWidget* parent)
    : QDialog(parent),
      db_(db),
      dialogs_(dialogs),
      fenster_(fenster),
      logik_(db, dialogs, adresse),
      belegungen_(AdressKonto::spaltenReservierungen(), rechts(AdressKonto::spaltenReservierungen())),
      rechnungen_(AdressKonto::spaltenRechnungen(), rechts(AdressKonto::spaltenRechnungen())),
      zahlungenMit_(AdressKonto::spaltenZahlungenMit(), rechts(AdressKonto::spaltenZahlungenMit())),
      zahlungenOhne_(AdressKonto::spaltenZahlungenOhne(), rechts(AdressKonto::spaltenZahlungenOhne())),
      offene_(AdressKonto::spaltenOffen(), rechts(AdressKonto::spaltenOffen())) {
    setObjectName(kFormular);
    setWindowTitle(QStringLiteral("Reservierungen, Rechnungen, Zahlungen, nicht abgerechnete Posten"));
    setModal(true);

    // ---- menus ----
    auto* leiste = new QMenuBar(this);
    QMenu* datei = leiste->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mnuDatei"));
    mnuSchliessen = datei->addAction(QStringLiteral("Schli&eßen"));
    mnuSchliessen->setObjectName(QStringLiteral("mnuSchliessen"));
    QMenu* bearbeiten = leiste->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("mnuBearbeiten"));
    mnuReservierung = new QAction(QStringLiteral("&Reservierung öffnen"), this);
    mnuReservierung->setObjectName(QStringLiteral("mnuReservierung"));
    mnuRechnung = new QAction(QStringLiteral("R&echnungsübersicht öffnen"), this);
    mnuRechnung->setObjectName(QStringLiteral("mnuRechnung"));
    mnuZahlung = new QAction(QStringLiteral("&Zahungsübersicht öffnen"), this);
    mnuZahlung->setObjectName(QStringLiteral("mnuZahlung"));
    mnuStatus = new QAction(QStringLiteral("&Status Abgerechnet für alte Reservierungen ändern"), this);
    mnuStatus->setObjectName(QStringLiteral("mnuStatus"));
    kontext_ = new QMenu(this);
    kontext_->setObjectName(QStringLiteral("mnuKontext"));
    for (QMenu* m : {bearbeiten, kontext_}) {
        m->addAction(mnuReservierung);
        m->addAction(mnuRechnung);
        m->addAction(mnuZahlung);
        m->addSeparator();
        m->addAction(mnuStatus);
    }

    lblUeberschrift = new QLabel(this);
    lblUeberschrift->setObjectName(QStringLiteral("lblUeberschrift"));
    QFont fett = lblUeberschrift->font();
    fett.setBold(true);
    lblUeberschrift->setFont(fett);

    const auto grid = [this](const char* name, AdressKontoModell* modell) {
        QTableView* g = parts::resultGrid(QString::fromUtf8(name), modell);
        g->setParent(this);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        g->horizontalHeader()->setSectionsClickable(true);
        connect(g->horizontalHeader(), &QHeaderView::sectionClicked, modell, &AdressKontoModell::kopfGeklickt);
        connect(g, &QTableView::doubleClicked, this, [this, g] { doppelklick(g); });
        connect(g, &QWidget::customContextMenuRequested, this, [this, g](const QPoint& p) {
            g->setFocus();
            menueAktualisieren();
            kontext_->popup(g->viewport()->mapToGlobal(p));
        });
        return g;
    };
    ctrFlexBelegung = grid("ctrFlexBelegung", &belegungen_);
    ctrFlexRechnungen = grid("ctrFlexRechnungen", &rechnungen_);
    ctrflexZahlung = grid("ctrflexZahlung", &zahlungenMit_);
    ctrFlexZahlungOhne = grid("ctrFlexZahlungOhne", &zahlungenOhne_);
    flexOffene = grid("flexOffene", &offene_);
    for (QTableView* g : {ctrFlexBelegung, ctrFlexRechnungen, ctrflexZahlung, ctrFlexZahlungOhne, flexOffene})
        connect(g->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &frmZahlungAdr::menueAktualisieren);

    txtSumBelegungen =
        summenfeld("txtSumBelegungen", QStringLiteral("Berechnet die Summe der Zimmerpreise. Angebote werden nicht berücksichtigt."), this);
    txtSumRechnung = summenfeld("txtSumRechnung", QStringLiteral("Summe der Rechnungen"), this);
    txtSumZahlRechnung = summenfeld("txtSumZahlRechnung", QStringLiteral("Summe der Zahlungen auf diese Rechnungen"), this);
    txtDiffRechZahl = summenfeld("txtDiffRechZahl", QStringLiteral("Rechnungen abzüglich Zahlungen"), this);
    txtSumZahlungRechnung = summenfeld("txtSumZahlungRechnung", QStringLiteral("Summe der Zahlungen für Rechnungen"), this);
    txtSumZahlungOhne = summenfeld("txtSumZahlungOhne", QStringLiteral("Summe der Zahlungen ohne Rechnungen"), this);
    txtSumOffenPosten = summenfeld("txtSumOffenPosten", QStringLiteral("Summe der nicht abgerechneten Posten"), this);

    const auto summenZeile = [](QWidget* feld, const QString& text) {
        auto* l = new QHBoxLayout;
        l->addStretch();
        l->addWidget(new QLabel(text));
        l->addWidget(feld);
        return l;
    };
    tabKonto = new QTabWidget(this);
    tabKonto->setObjectName(QStringLiteral("tabKonto"));
    {
        auto* seite = new QWidget;
        auto* l = new QVBoxLayout(seite);
        l->addWidget(ctrFlexBelegung);
        l->addLayout(summenZeile(txtSumBelegungen, QStringLiteral("Summe:")));
        tabKonto->addTab(seite, QStringLiteral("Reservierungen"));
    }
    {
        auto* seite = new QWidget;
        auto* l = new QVBoxLayout(seite);
        l->addWidget(ctrFlexRechnungen);
        auto* summen = new QGroupBox(QStringLiteral("Summen"));
        auto* f = new QHBoxLayout(summen);
        for (const auto& [feld, text] : {std::pair<QLineEdit*, QString>{txtSumRechnung, QStringLiteral("Rechnungen")},
                                         {txtSumZahlRechnung, QStringLiteral("Zahlungen")},
                                         {txtDiffRechZahl, QStringLiteral("Differenz")}}) {
            f->addWidget(new QLabel(text));
            f->addWidget(feld);
        }
        l->addWidget(summen);
        tabKonto->addTab(seite, QStringLiteral("Rechnungen"));
    }
    {
        auto* seite = new QWidget;
        auto* l = new QVBoxLayout(seite);
        l->addWidget(new QLabel(QStringLiteral("Zahlungen für Rechnungen")));
        l->addWidget(ctrflexZahlung);
        l->addLayout(summenZeile(txtSumZahlungRechnung, QStringLiteral("Summe:")));
        l->addWidget(new QLabel(QStringLiteral("Zahlungen ohne Rechnungen")));
        l->addWidget(ctrFlexZahlungOhne);
        l->addLayout(summenZeile(txtSumZahlungOhne, QStringLiteral("Summe:")));
        tabKonto->addTab(seite, QStringLiteral("Zahlungen"));
    }
    {
        auto* seite = new QWidget;
        auto* l = new QVBoxLayout(seite);
        l->addWidget(new QLabel(QStringLiteral("offene Posten")));
        l->addWidget(flexOffene);
        l->addLayout(summenZeile(txtSumOffenPosten, QStringLiteral("Summe:")));
        tabKonto->addTab(seite, QStringLiteral("nicht abgerechnete Posten"));
    }

    chWeitere = new QCheckBox(QStringLiteral("Weitere Personen berücksichtigen"), this);
    chWeitere->setObjectName(QStringLiteral("chWeitere"));
    chWeitere->setToolTip(QStringLiteral("Zeigt auch die Reservierungen, bei denen die Adresse als weitere Person eingetragen ist."));
    cmdVorgabe = parts::button(QStringLiteral("cmdVorgabe"), QStringLiteral("als &Vorgabe speichern"),
                               QStringLiteral("Speichert die Einstellung für das nächste Öffnen."), this);
    cmdSchliessen =
        parts::button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schli&eßen"), QStringLiteral("Schließt das Fenster."), this);
    lblHilfe_ = parts::helpLine();

    auto* unten = new QHBoxLayout;
    unten->addWidget(chWeitere);
    unten->addWidget(cmdVorgabe);
    unten->addStretch();
    unten->addWidget(cmdSchliessen);
    auto* haupt = new QVBoxLayout(this);
    haupt->setMenuBar(leiste);
    haupt->addWidget(lblUeberschrift);
    haupt->addWidget(tabKonto, 1);
    haupt->addLayout(unten);
    haupt->addWidget(lblHilfe_);
    resize(1100, 620);

    // ---- signals ----
    connect(mnuSchliessen, &QAction::triggered, this, &QDialog::reject);
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::reject);
    connect(mnuReservierung, &QAction::triggered, this, [this] { ausfuehren(ZahlungAdrLogik::Eintrag::Reservierung); });
    connect(mnuRechnung, &QAction::triggered, this, [this] { ausfuehren(ZahlungAdrLogik::Eintrag::Rechnungsuebersicht); });
    connect(mnuZahlung, &QAction::triggered, this, [this] { ausfuehren(ZahlungAdrLogik::Eintrag::Zahlungsuebersicht); });
    connect(mnuStatus, &QAction::triggered, this, [this] { ausfuehren(ZahlungAdrLogik::Eintrag::StatusAbgerechnet); });
    connect(chWeitere, &QCheckBox::toggled, this, [this](bool an) {
        if (tabWechsel_) return;
        geschuetzt(QStringLiteral("Die Reservierungen konnten nicht gelesen werden."), [&] { logik_.setWeitere(an); });
        anzeigen();
    });
    connect(cmdVorgabe, &QPushButton::clicked, this,
            [this] { geschuetzt(QStringLiteral("Die Vorgabe konnte nicht gespeichert werden."), [&] { logik_.vorgabeSpeichern(); }); });
    connect(tabKonto, &QTabWidget::currentChanged, this, [this](int neu) {
        if (tabWechsel_) return;
        bool ok = false;
        geschuetzt(QStringLiteral("Die Registerkarte konnte nicht gefüllt werden."), [&] { ok = logik_.tabWechseln(neu); });
        if (!ok) {
            const QSignalBlocker sperre(tabKonto);
            tabKonto->setCurrentIndex(logik_.tab());
        }
        anzeigen();
    });
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->toolTip().isEmpty()) w->setStatusTip(w->toolTip());

    for (QTableView* g : {ctrFlexBelegung, ctrFlexRechnungen, ctrflexZahlung, ctrFlexZahlungOhne, flexOffene}) {
        // Without stored widths every column shows its head and a text like "noch zu zahlen:".
        g->resizeColumnsToContents();
        for (int c = 0; c < g->model()->columnCount(); ++c) g->setColumnWidth(c, std::max(g->columnWidth(c), 135));
        spaltenbreiten::laden(db_, kFormular, g);
    }
    {
        const QSignalBlocker sperre(chWeitere);
        chWeitere->setChecked(logik_.weitere());
    }
    anzeigen();
}

template <typename F>
bool frmZahlungAdr::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

void frmZahlungAdr::oeffnen(Database& db, Dialogs& dialogs, Fenster& fenster, int adresse, QWidget* parent) {
    std::unique_ptr<frmZahlungAdr> f;
    if (!datenbankGeschuetzt(dialogs, QStringLiteral("Das Konto der Adresse konnte nicht geöffnet werden."),
                             [&] { f = std::make_unique<frmZahlungAdr>(db, dialogs, fenster, adresse, parent); }))
        return;
    f->exec();
}

void frmZahlungAdr::anzeigen() {
    lblUeberschrift->setText(logik_.ueberschrift());
    belegungen_.setZeilen(logik_.reservierungen());
    rechnungen_.setZeilen(logik_.rechnungen().zeilen);
    zahlungenMit_.setZeilen(logik_.zahlungenMit());
    zahlungenOhne_.setZeilen(logik_.zahlungenOhne());
    offene_.setZeilen(logik_.offen());
    txtSumBelegungen->setText(logik_.summeBelegungen());
    txtSumRechnung->setText(logik_.summeRechnung());
    txtSumZahlRechnung->setText(logik_.summeZahlRechnung());
    txtDiffRechZahl->setText(logik_.differenz());
    txtSumZahlungRechnung->setText(logik_.summeZahlungRechnung());
    txtSumZahlungOhne->setText(logik_.summeZahlungOhne());
    txtSumOffenPosten->setText(logik_.summeOffen());
    {
        const QSignalBlocker sperre(tabKonto);
        tabKonto->setCurrentIndex(logik_.tab());
    }
    menueAktualisieren();
}

QTableView* frmZahlungAdr::aktivesGrid() const {
    switch (logik_.tab()) {
        case ZahlungAdrLogik::Reservierungen: return ctrFlexBelegung;
        case ZahlungAdrLogik::Rechnungen: return ctrFlexRechnungen;
        case ZahlungAdrLogik::Zahlungen: return ctrFlexZahlungOhne->hasFocus() ? ctrFlexZahlungOhne : ctrflexZahlung;
        default: return flexOffene;
    }
}

const KontoZeile* frmZahlungAdr::gewaehlt() const {
    QTableView* g = aktivesGrid();
    const QModelIndex i = g->currentIndex();
    if (!i.isValid()) return nullptr;
    return static_cast<AdressKontoModell*>(g->model())->zeile(i.row());
}

void frmZahlungAdr::menueAktualisieren() {
    const KontoZeile* z = gewaehlt();
    using E = ZahlungAdrLogik::Eintrag;
    mnuReservierung->setEnabled(fenster_.vorhanden(Ziel::Reservierung) && logik_.moeglich(E::Reservierung, z));
    const bool rechnungDa =
        logik_.tab() == ZahlungAdrLogik::Rechnungen ? fenster_.vorhanden(Ziel::RechnungOeffnen) : fenster_.vorhanden(Ziel::Rechnungen);
    mnuRechnung->setEnabled(rechnungDa && logik_.moeglich(E::Rechnungsuebersicht, z));
    mnuZahlung->setEnabled(fenster_.vorhanden(Ziel::Zahlungen) && logik_.moeglich(E::Zahlungsuebersicht, z));
    mnuStatus->setEnabled(logik_.moeglich(E::StatusAbgerechnet, z));
}

void frmZahlungAdr::doppelklick(QTableView* grid) {
    grid->setFocus();
    using E = ZahlungAdrLogik::Eintrag;
    switch (logik_.tab()) {
        case ZahlungAdrLogik::Reservierungen: ausfuehren(E::Reservierung); return;
        case ZahlungAdrLogik::Rechnungen: ausfuehren(E::Rechnungsuebersicht); return;
        case ZahlungAdrLogik::Zahlungen: ausfuehren(E::Zahlungsuebersicht); return;
        default: ausfuehren(E::Rechnungsuebersicht); return;
    }
}

void frmZahlungAdr::ausfuehren(ZahlungAdrLogik::Eintrag e) {
    menueAktualisieren();
    const KontoZeile* z = gewaehlt();
    using E = ZahlungAdrLogik::Eintrag;
    QAction* eintrag = e == E::Reservierung          ? mnuReservierung
                       : e == E::Rechnungsuebersicht ? mnuRechnung
                       : e == E::Zahlungsuebersicht  ? mnuZahlung
                                                     : mnuStatus;
    if (!eintrag->isEnabled()) return;
    Aufruf a;
    const int tab = logik_.tab();
    switch (e) {
        case E::Reservierung:
            a.buchungId = z->buchung;
            fenster_.oeffnen(Ziel::Reservierung, a, this);
            break;
        case E::Rechnungsuebersicht:
            if (tab == ZahlungAdrLogik::Rechnungen) {
                a.nummer = z->rechnung;
                fenster_.oeffnen(Ziel::RechnungOeffnen, a, this);
            } else {
                a.buchungId = z->buchung;
                fenster_.oeffnen(Ziel::Rechnungen, a, this);
            }
            break;
        case E::Zahlungsuebersicht:
            // The payments window of the row's booking (with its block's members), or of the document.
            a.buchungId = tab == ZahlungAdrLogik::Zahlungen ? z->buchung : 0;
            a.nummer = a.buchungId == 0 ? z->rechnung : 0;
            fenster_.oeffnen(Ziel::Zahlungen, a, this);
            break;
        case E::StatusAbgerechnet:
            geschuetzt(QStringLiteral("Der Status konnte nicht geändert werden."), [&] { logik_.statusKorrektur(); });
            break;
    }
    // The window that was open may have changed what this one shows.
    geschuetzt(QStringLiteral("Die Registerkarte konnte nicht gefüllt werden."), [&] {
        logik_.fuellen(tab);
        if (tab != ZahlungAdrLogik::Offen) logik_.fuellen(ZahlungAdrLogik::Offen);
    });
    anzeigen();
}

void frmZahlungAdr::done(int r) {
    for (QTableView* g : {ctrFlexBelegung, ctrFlexRechnungen, ctrflexZahlung, ctrFlexZahlungOhne, flexOffene})
        spaltenbreiten::speichern(db_, kFormular, g);
    QDialog::done(r);
}

}  // namespace tav
