#include "lists/ui/frmSuchen.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <QFileInfo>
#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/ui/QtDialogs.h"
#include "reservation/AdressLogik.h"
#include "store/Adressprogramm.h"
#include "store/Datenbankfehler.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "store/WeitereDokumente.h"

#include "platform/Files.h"
#include "platform/MailMerge.h"
#include "platform/ui/DocumentPrinter.h"

namespace tav {

namespace {

constexpr int kTwipsProPixel = 15;

// The small window "Daten laden" shown while the list loads.
class frmMaskeAufbauen : public QWidget {
public:
    explicit frmMaskeAufbauen(QWidget* parent) : QWidget(parent, Qt::Dialog) {
        setObjectName(QStringLiteral("frmMaskeAufbauen"));
        setWindowTitle(QStringLiteral("Initialisierung"));
        auto* l = new QVBoxLayout(this);
        l->addWidget(new QLabel(QStringLiteral("Daten laden")));
        setWindowModality(Qt::ApplicationModal);
    }
};

}  // namespace

bool listeDrucken(const QString& vorlage, const QString& datendatei, Dialogs& dialogs, QWidget* eltern) {
    const QString basis = files::join(QFileInfo(datendatei).absolutePath(), QFileInfo(vorlage).completeBaseName());
    const MergeResult r = mailMerge(vorlage, datendatei, basis + QStringLiteral(".htm"), basis + QStringLiteral(".pdf"));
    if (!r.ok) {
        dialogs.message(r.message, {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    QString fehler;
    if (DocumentPrinter::print(r.document, r.copies, eltern, &fehler)) return true;
    if (!fehler.isEmpty()) dialogs.message(fehler, {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

template <typename F>
bool frmSuchen::geschuetzt(const QString& was, F&& tun) {
    return datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
}

frmSuchen::frmSuchen(Database& db, Dialogs& dialogs, Fenster& fenster, Shell& shell, const Aufruf& aufruf, QWidget* parent)
    : QDialog(parent),
      db_(db),
      dialogs_(dialogs),
      fenster_(fenster),
      shell_(shell),
      aufruf_(aufruf),
      logik_(db, dialogs),
      einstellungen_(std::make_unique<SettingsStore>()) {
    setObjectName(QStringLiteral("frmSuchen"));
    setWindowTitle(QStringLiteral("Daten suchen"));
    abfrage_.filter = QStringList(listen::kSpalten, QString());
    modell_ = new BuchungslisteModell([this](const QList<int>& ids) { return logik_.zeilen(ids); }, this);
    connect(
        modell_, &BuchungslisteModell::lesefehler, this, [this](const QString& m) { lblStatus_->setText(m); }, Qt::QueuedConnection);
    dokumente_ = std::make_unique<WeitereDokumente>(db_, *einstellungen_, dialogs_, shell_, WeitereDokumente::Menue::Buchungsliste);
    aufbauen();
    menuesAufbauen();
}

frmSuchen::~frmSuchen() = default;

void frmSuchen::oeffnen(Database& db, Dialogs& dialogs, Fenster& fenster, const Aufruf& aufruf, QWidget* parent) {
    SystemShell shell;
    frmSuchen f(db, dialogs, fenster, shell, aufruf, parent);
    {
        frmMaskeAufbauen laden(parent);
        laden.show();
        QApplication::processEvents();
        if (!f.laden()) return;
    }
    f.exec();
}

// ---- building ----------------------------------------------------------------------------------

void frmSuchen::aufbauen() {
    auto* oben = new QHBoxLayout;
    auto* lblAnzeige = new QLabel(QStringLiteral("Abreisedatum nicht mehr als:"));
    cboAnzeige = new QComboBox;
    cboAnzeige->setObjectName(QStringLiteral("cboAnzeige"));
    cboAnzeige->addItems(SuchenLogik::zeitraeume());
    lblAnzeige->setBuddy(cboAnzeige);
    cmdVorgabe = new QPushButton(QStringLiteral("als &Vorgabe speichern"));
    cmdVorgabe->setObjectName(QStringLiteral("cmdVorgabe"));
    cmdFilter = new QPushButton(QStringLiteral("&Filter ausführen"));
    cmdFilter->setObjectName(QStringLiteral("cmdFilter"));
    cmdFilter->setToolTip(QStringLiteral("Filter ausführen auch mit der Return Taste"));
    cmdAktualisieren = new QPushButton(QStringLiteral("A&ktua- lisieren"));
    cmdAktualisieren->setObjectName(QStringLiteral("cmdAktualisieren"));
    cmdSchliessen = new QPushButton(QStringLiteral("S&chließen"));
    cmdSchliessen->setObjectName(QStringLiteral("cmdSchliessen"));
    oben->addWidget(lblAnzeige);
    oben->addWidget(cboAnzeige);
    oben->addWidget(new QLabel(QStringLiteral("in der Vergangenheit")));
    oben->addWidget(cmdVorgabe);
    oben->addStretch();
    oben->addWidget(cmdFilter);
    oben->addWidget(cmdAktualisieren);
    oben->addWidget(cmdSchliessen);

    auto* hinweis =
        new QLabel(QStringLiteral("Filtern durch Auswahl der Spalte und Eingabe von Buchstaben/Zahlen und Bestätigen mit der "
                                  "'Return' Taste. Fehlende Buchstaben oder Zahlen können durch '%' ersetzt werden."));
    hinweis->setObjectName(QStringLiteral("lblHinweis"));
    hinweis->setWordWrap(true);
    hinweis->setStyleSheet(QStringLiteral("background: #fffbe0; padding: 3px;"));

    MSFlexSuchen = new QTableView;
    MSFlexSuchen->setObjectName(QStringLiteral("MSFlexSuchen"));
    MSFlexSuchen->setModel(modell_);
    MSFlexSuchen->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexSuchen->setSelectionBehavior(QAbstractItemView::SelectItems);
    MSFlexSuchen->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    MSFlexSuchen->verticalHeader()->setFixedWidth(800 / kTwipsProPixel);
    MSFlexSuchen->verticalHeader()->setDefaultSectionSize(20);
    MSFlexSuchen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFlexSuchen->horizontalHeader()->setSectionsClickable(true);
    MSFlexSuchen->setStyleSheet(QStringLiteral("QTableView { selection-background-color: #2f6fb0; selection-color: white; }"));
    MSFlexSuchen->setContextMenuPolicy(Qt::CustomContextMenu);
    MSFlexSuchen->setToolTip(hinweis->text());

    lblStatus_ = new QLabel;
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setWordWrap(true);

    menue = new QMenuBar;
    menue->setObjectName(QStringLiteral("menue"));
    auto* l = new QVBoxLayout(this);
    l->setMenuBar(menue);
    l->addLayout(oben);
    l->addWidget(hinweis);
    l->addWidget(MSFlexSuchen, 1);
    l->addWidget(lblStatus_);
    resize(1200, 640);

    connect(cmdFilter, &QPushButton::clicked, this, &frmSuchen::filterAusfuehren);
    connect(cmdAktualisieren, &QPushButton::clicked, this, &frmSuchen::aktualisieren);
    connect(cmdSchliessen, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdVorgabe, &QPushButton::clicked, this, [this] {
        geschuetzt(QStringLiteral("Die Vorgabe konnte nicht gespeichert werden."),
                   [&] { logik_.zeitraumSpeichern(cboAnzeige->currentIndex()); });
    });
    connect(cboAnzeige, &QComboBox::activated, this, [this](int i) {
        abfrage_.zeitraum = i;
        abfragen(false);
    });
    connect(MSFlexSuchen->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int spalte) {
        const bool absteigend = abfrage_.sortSpalte == spalte + 1 ? !abfrage_.absteigend : false;
        sortieren(spalte + 1, absteigend);
    });
    // Return in the filter row runs the filter.
    connect(MSFlexSuchen->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache) filterAusfuehren();
            });
    connect(MSFlexSuchen, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& p) { kontext->popup(MSFlexSuchen->viewport()->mapToGlobal(p)); });
    connect(MSFlexSuchen, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.row() > 0 && fenster_.vorhanden(Ziel::Reservierung)) findChild<QAction*>(QStringLiteral("mnuResOeffnen"))->trigger();
    });
}

QAction* frmSuchen::eintrag(QMenu* m, const char* name, const QString& text, std::function<void()> tun) {
    QAction* a = m->addAction(text);
    a->setObjectName(QString::fromUtf8(name));
    connect(a, &QAction::triggered, this, [tun = std::move(tun)] { tun(); });
    return a;
}

void frmSuchen::menuesAufbauen() {
    const QString ordner = variablen().programmordner;
    Adressprogramm adressprogramm(shell_, dialogs_, ordner);

    QMenu* datei = menue->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mnuDatei"));
    const auto oeffneReservierung = [this] {
        const Listenzeile* z = aktuelleZeile();
        if (!z) return;
        Aufruf a;
        a.buchungId = z->id;
        fenster_.oeffnen(Ziel::Reservierung, a, this);
        aktualisieren();
    };
    const auto uebersicht = [this](bool reservierungsadresse) {
        const Listenzeile* z = aktuelleZeile();
        if (!z) return;
        Aufruf a;
        a.adressId = reservierungsadresse ? z->gastId : z->rechnungsadresseId;
        if (a.adressId == 0) return;
        fenster_.oeffnen(Ziel::Adresskonto, a, this);
        aktualisieren();
    };
    eintrag(datei, "mnuDatenAnzeigen", QStringLiteral("Daten &anzeigen"), oeffneReservierung)
        ->setEnabled(fenster_.vorhanden(Ziel::Reservierung));
    eintrag(datei, "mnuUebersicht", QStringLiteral("&Übersicht für Reservierungsadresse"), [uebersicht] {
        uebersicht(true);
    })->setEnabled(fenster_.vorhanden(Ziel::Adresskonto));
    eintrag(datei, "mnuUebersichtRechnung", QStringLiteral("Übersicht für &Rechnungsadresse"), [uebersicht] {
        uebersicht(false);
    })->setEnabled(fenster_.vorhanden(Ziel::Adresskonto));
    eintrag(datei, "mnuAdressverwaltung", QStringLiteral("A&dressverwaltung"), [this, ordner] {
        Adressprogramm(shell_, dialogs_, ordner).oeffnen();
    })->setEnabled(adressprogramm.vorhanden());
    datei->addSeparator();
    const auto pflege = [this](bool (SuchenLogik::*befehl)()) {
        bool gelaufen = false;
        if (geschuetzt(QStringLiteral("Die Daten konnten nicht geändert werden."), [&] { gelaufen = (logik_.*befehl)(); }) && gelaufen)
            aktualisieren();
    };
    eintrag(datei, "mnuAuschecken", QStringLiteral("Gäste mit Reservierungen in der &Vergangenheit auschecken"),
            [pflege] { pflege(&SuchenLogik::gaesteAuschecken); });
    eintrag(datei, "mnuAbrechnen", QStringLiteral("Status alter &Reservierungen auf 'Abgerechnet' setzen"),
            [pflege] { pflege(&SuchenLogik::alteAbrechnen); });
    eintrag(datei, "mnuZuruecksetzen", QStringLiteral("Status alter Reservierungen in den &ursprünglichen Zustand setzen"),
            [pflege] { pflege(&SuchenLogik::statusZuruecksetzen); });
    datei->addSeparator();
    eintrag(datei, "mnuSchliessen", QStringLiteral("S&chließen"), [this] { accept(); });

    QMenu* bearbeiten = menue->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("mnuBearbeiten"));
    const auto filterWeg = [this] { alleFilterEntfernen(); };
    const auto ueberschrift = [this] {
        const int n = aktuelleSpalte();
        bool geaendert = false;
        geschuetzt(QStringLiteral("Die Überschrift konnte nicht gespeichert werden."),
                   [&] { geaendert = logik_.beschriftungAendern(n + 1, modell_->beschriftungen().value(n)); });
        if (geaendert)
            geschuetzt(QStringLiteral("Die Überschriften konnten nicht gelesen werden."), [&] {
                modell_->setBeschriftungen(logik_.beschriftungen(modell_->beschriftungen().value(5), modell_->beschriftungen().value(16)));
            });
    };
    const auto ausblenden = [this] { MSFlexSuchen->setColumnHidden(aktuelleSpalte(), true); };
    const auto einblenden = [this] {
        QList<int> b = gespeicherteBreiten_;
        for (int& x : b)
            if (x == 0) x = listen::kVorgabeBreite;
        breitenAnwenden(b);
    };
    const auto layoutSpeichern = [this] {
        const QList<int> b = aktuelleBreiten();
        if (geschuetzt(QStringLiteral("Das Layout konnte nicht gespeichert werden."), [&] { logik_.breitenSpeichern(b); }))
            gespeicherteBreiten_ = b;
    };
    eintrag(bearbeiten, "mnuFilterEntfernen", QStringLiteral("Alle &Filter entfernen"), filterWeg);
    eintrag(bearbeiten, "mnuUeberschriften", QStringLiteral("&Überschriften ändern"), ueberschrift);
    eintrag(bearbeiten, "mnuAusblenden", QStringLiteral("&Spalten ausblenden"), ausblenden);
    eintrag(bearbeiten, "mnuEinblenden", QStringLiteral("&Alle Spalten einblenden"), einblenden);
    eintrag(bearbeiten, "mnuLayout", QStringLiteral("&Layout speichern"), layoutSpeichern);
    bearbeiten->addSeparator();
    eintrag(bearbeiten, "mnuSortAZ", QStringLiteral("Sortieren &A - Z"), [this] { sortieren(aktuelleSpalte() + 1, false); });
    eintrag(bearbeiten, "mnuSortZA", QStringLiteral("Sortieren &Z - A"), [this] { sortieren(aktuelleSpalte() + 1, true); });
    bearbeiten->addSeparator();
    eintrag(bearbeiten, "mnuGaesteImHaus", QStringLiteral("&Alle Gäste im Haus"), [this] { auswahl(Auswahl::AlleMitChecked); });
    eintrag(bearbeiten, "mnuAnreise", QStringLiteral("A&nreise"), [this] { auswahl(Auswahl::Anreise); });
    eintrag(bearbeiten, "mnuAbreise", QStringLiteral("A&breise"), [this] { auswahl(Auswahl::Abreise); });
    eintrag(bearbeiten, "mnuKundennummer", QStringLiteral("Nach &Kundennummer suchen"), [this] { auswahl(Auswahl::Kundennummer); });
    eintrag(bearbeiten, "mnuOffene", QStringLiteral("Nicht abgerechnete Reser&vierungen"), [this] { auswahl(Auswahl::Offene); });
    eintrag(bearbeiten, "mnuResOeffnen", QStringLiteral("&Reservierung öffnen"), oeffneReservierung)
        ->setEnabled(fenster_.vorhanden(Ziel::Reservierung));

    QMenu* drucken = menue->addMenu(QStringLiteral("Dr&ucken"));
    drucken->setObjectName(QStringLiteral("mnuDrucken"));
    const auto druckEintrag = [&](const char* name, const QString& text, Tagesliste l) {
        eintrag(drucken, name, text, [this, l] { liste(l, true); });
    };
    druckEintrag("mnuDruckFruehstueck", QStringLiteral("&Frühstücksliste"), Tagesliste::Fruehstueck);
    druckEintrag("mnuDruckMittag", QStringLiteral("&Liste für Mittagessen"), Tagesliste::Mittag);
    druckEintrag("mnuDruckAbendessen", QStringLiteral("Liste für &Abendessen"), Tagesliste::Abendessen);
    eintrag(drucken, "mnuVorgabeDatum", QStringLiteral("&Vorgabedatum für Essenslisten"), [this] { vorgabeDatum(); });
    druckEintrag("mnuDruckGaeste", QStringLiteral("alle &Gäste im Haus"), Tagesliste::GaesteImHaus);
    druckEintrag("mnuDruckAnreise", QStringLiteral("&Anreisedaten"), Tagesliste::Anreise);
    druckEintrag("mnuDruckAbreise", QStringLiteral("A&breisedaten"), Tagesliste::Abreise);
    druckEintrag("mnuDruckWaesche", QStringLiteral("&Wäschelisten"), Tagesliste::Waesche);
    druckEintrag("mnuDruckTagesliste", QStringLiteral("&Tagesliste"), Tagesliste::Tagesliste);
    druckEintrag("mnuDruckBelegung", QStringLiteral("B&elegungsdaten (mit Filter)"), Tagesliste::Belegungsdaten);
    eintrag(drucken, "mnuHardcopy", QStringLiteral("Sichtbaren Bereich des Bildschirms &drucken"), [this] { bildschirmDrucken(); });

    QMenu* exportieren = menue->addMenu(QStringLiteral("Daten &exportieren (allgdat.doc)"));
    exportieren->setObjectName(QStringLiteral("mnuExport"));
    const auto exportEintrag = [&](const char* name, const QString& text, Tagesliste l) {
        eintrag(exportieren, name, text, [this, l] { liste(l, false); });
    };
    exportEintrag("mnuExportFruehstueck", QStringLiteral("&Frühstücksliste"), Tagesliste::Fruehstueck);
    exportEintrag("mnuExportGaeste", QStringLiteral("alle &Gäste im Haus"), Tagesliste::GaesteImHaus);
    exportEintrag("mnuExportAnreise", QStringLiteral("&Anreisedaten"), Tagesliste::Anreise);
    exportEintrag("mnuExportAbreise", QStringLiteral("A&breisedaten"), Tagesliste::Abreise);
    exportEintrag("mnuExportWaesche", QStringLiteral("&Wäscheliste"), Tagesliste::Waesche);
    exportEintrag("mnuExportTagesliste", QStringLiteral("&Tagesliste"), Tagesliste::Tagesliste);
    exportEintrag("mnuExportBelegung", QStringLiteral("B&elegungsdaten (mit Filter)"), Tagesliste::Belegungsdaten);

    mnuWeitereDokumente_ = menue->addMenu(QStringLiteral("&Weitere Dokumente"));
    mnuWeitereDokumente_->setObjectName(QStringLiteral("mnuWeitereDokumente"));
    for (int n = 1; n <= WeitereDokumente::kAnzahl; ++n) {
        eintrag(mnuWeitereDokumente_, QStringLiteral("mnuDok_%1").arg(n).toUtf8().constData(), QStringLiteral("Dokument %1").arg(n),
                [this, n, ordner] {
                    const Listenzeile* z = aktuelleZeile();
                    const int gast = z ? z->gastId : 0;
                    dokumente_->oeffnen(n, [this, gast, ordner](const QString&) {
                        // The booking list writes the address into the program folder.
                        return AdressLogik(db_, dialogs_, AdressUmgebung::ausVariablen()).Adress_Export(gast, ordner);
                    });
                });
    }
    mnuWeitereDokumente_->addSeparator();
    eintrag(mnuWeitereDokumente_, "mnuPfade", QStringLiteral("&Pfade festlegen"), [this] {
        if (dokumente_->pfadeFestlegen()) weitereDokumenteAuffrischen();
    });
    weitereDokumenteAuffrischen();

    kontext = new QMenu(this);
    kontext->setObjectName(QStringLiteral("kontext"));
    eintrag(kontext, "kontextFilterEntfernen", QStringLiteral("alle &Filter entfernen"), filterWeg);
    eintrag(kontext, "kontextUeberschriften", QStringLiteral("&Überschriften ändern"), ueberschrift);
    eintrag(kontext, "kontextAusblenden", QStringLiteral("S&palte ausblenden"), ausblenden);
    eintrag(kontext, "kontextEinblenden", QStringLiteral("alle Spalten &einblenden"), einblenden);
    eintrag(kontext, "kontextLayout", QStringLiteral("&Layout speichern"), layoutSpeichern);
    kontext->addSeparator();
    eintrag(kontext, "kontextResOeffnen", QStringLiteral("&Reservierung öffnen"), oeffneReservierung)
        ->setEnabled(fenster_.vorhanden(Ziel::Reservierung));
    eintrag(kontext, "kontextUebersicht", QStringLiteral("&Übersicht für Reservierungsadresse"), [uebersicht] {
        uebersicht(true);
    })->setEnabled(fenster_.vorhanden(Ziel::Adresskonto));
}

void frmSuchen::weitereDokumenteAuffrischen() {
    QList<WeitereDokumente::Eintrag> eintraege;
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die weiteren Dokumente konnten nicht gelesen werden."),
                        [&] { eintraege = dokumente_->eintraege(); });
    for (int n = 1; n <= WeitereDokumente::kAnzahl; ++n) {
        QAction* a = mnuWeitereDokumente_->findChild<QAction*>(QStringLiteral("mnuDok_%1").arg(n));
        if (!a) continue;
        const bool da = n - 1 < eintraege.size();
        // An ampersand of the name is shown, not taken as a shortcut.
        if (da && !eintraege[n - 1].name.isEmpty())
            a->setText(QString(eintraege[n - 1].name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        a->setEnabled(da && eintraege[n - 1].moeglich());
    }
}

// ---- loading and the query -----------------------------------------------------------------

bool frmSuchen::laden() {
    return geschuetzt(QStringLiteral("Die Buchungsliste konnte nicht geladen werden."), [&] {
        logik_.abgTempNeuBerechnen();
        const auto row = Parameter(db_).read(QStringLiteral("Beschriftungen"));
        const QString zimmer = row ? row->text(2, QStringLiteral("Zimmer")) : QStringLiteral("Zimmer");
        modell_->setBeschriftungen(
            logik_.beschriftungen(zimmer.isEmpty() ? QStringLiteral("Zimmer") : zimmer, QStringLiteral("Belegungsart")));
        abfrage_.zeitraum = logik_.gespeicherterZeitraum();
        cboAnzeige->setCurrentIndex(abfrage_.zeitraum);
        gespeicherteBreiten_ = logik_.breiten();
        breitenAnwenden(gespeicherteBreiten_);
        if (aufruf_.anreise.isValid()) {
            abfrage_.auswahl = Auswahl::Abreise;
            abfrage_.tag = aufruf_.anreise;
        }
        QStringList hinweise;
        const QList<int> ids = logik_.ids(abfrage_, modell_->beschriftungen(), Clock::current().today(), &hinweise);
        modell_->setzen(ids);
        lblStatus_->setText(status());
        if (ids.isEmpty()) dialogs_.message(SuchenLogik::kKeineDaten, {}, Buttons::Ok, Icon::Information);
    });
}

QString frmSuchen::status() const { return QStringLiteral("%1 Datensätze").arg(modell_->anzahl()); }

bool frmSuchen::abfragen(bool meldungWennLeer) {
    QList<int> ids;
    QStringList hinweise;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool gelesen = geschuetzt(QStringLiteral("Die Buchungsliste konnte nicht gelesen werden."),
                                    [&] { ids = logik_.ids(abfrage_, modell_->beschriftungen(), Clock::current().today(), &hinweise); });
    QApplication::restoreOverrideCursor();
    if (!gelesen) return false;
    if (ids.isEmpty() && meldungWennLeer) {
        dialogs_.message(SuchenLogik::kKeineDaten, {}, Buttons::Ok, Icon::Information);
        return false;
    }
    modell_->setzen(ids);
    lblStatus_->setText(hinweise.isEmpty() ? status() : status() + QStringLiteral(" – ") + hinweise.join(QLatin1Char(' ')));
    return true;
}

void frmSuchen::filterAusfuehren() {
    const QStringList alt = abfrage_.filter;
    abfrage_.filter = modell_->filter();
    if (!abfragen(true)) {
        abfrage_.filter = alt;
        modell_->setFilter(alt);
    }
}

void frmSuchen::alleFilterEntfernen() {
    abfrage_.filter = QStringList(listen::kSpalten, QString());
    abfrage_.auswahl = Auswahl::Alle;
    modell_->setFilter(abfrage_.filter);
    abfragen(false);
}

void frmSuchen::aktualisieren() {
    if (!abfragen(false)) return;
    if (modell_->anzahl() == 0 && logik_.leerAlleFilterEntfernen()) alleFilterEntfernen();
}

void frmSuchen::sortieren(int spalte, bool absteigend) {
    if (spalte < 1 || spalte > listen::kSpalten) return;
    const int altSpalte = abfrage_.sortSpalte;
    const bool altRichtung = abfrage_.absteigend;
    abfrage_.sortSpalte = spalte;
    abfrage_.absteigend = absteigend;
    if (!abfragen(false)) {
        abfrage_.sortSpalte = altSpalte;
        abfrage_.absteigend = altRichtung;
        return;
    }
    MSFlexSuchen->horizontalHeader()->setSortIndicatorShown(true);
    MSFlexSuchen->horizontalHeader()->setSortIndicator(spalte - 1, absteigend ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void frmSuchen::auswahl(Auswahl a) {
    const Listenabfrage alt = abfrage_;
    bool weiter = false;
    geschuetzt(QStringLiteral("Die Auswahl konnte nicht ausgeführt werden."), [&] {
        switch (a) {
            case Auswahl::Anreise:
            case Auswahl::Abreise:
                if (const auto d = logik_.tagAbfragen(a == Auswahl::Abreise)) {
                    abfrage_.tag = *d;
                    weiter = true;
                }
                break;
            case Auswahl::Kundennummer:
                if (const auto k = logik_.kundennummerAbfragen()) {
                    abfrage_.kundennummer = *k;
                    weiter = true;
                }
                break;
            case Auswahl::Offene: weiter = logik_.offeneBestaetigen(); break;
            default: weiter = true; break;
        }
    });
    if (!weiter) return;
    abfrage_.auswahl = a;
    if (!abfragen(true)) abfrage_ = alt;
}

// ---- columns -------------------------------------------------------------------------------

void frmSuchen::breitenAnwenden(const QList<int>& breiten) {
    for (int i = 0; i < listen::kSpalten; ++i) {
        const int b = breiten.value(i, listen::kVorgabeBreite);
        MSFlexSuchen->setColumnHidden(i, b == 0);
        if (b > 0) MSFlexSuchen->setColumnWidth(i, std::max(1, b / kTwipsProPixel));
    }
}

QList<int> frmSuchen::aktuelleBreiten() const {
    QList<int> b;
    for (int i = 0; i < listen::kSpalten; ++i) b << (MSFlexSuchen->isColumnHidden(i) ? 0 : MSFlexSuchen->columnWidth(i) * kTwipsProPixel);
    return b;
}

int frmSuchen::aktuelleSpalte() const {
    const QModelIndex i = MSFlexSuchen->currentIndex();
    return i.isValid() ? i.column() : 0;
}

const Listenzeile* frmSuchen::aktuelleZeile() const {
    const QModelIndex i = MSFlexSuchen->currentIndex();
    return i.isValid() ? modell_->zeile(i.row()) : nullptr;
}

// ---- the lists -------------------------------------------------------------------------------

void frmSuchen::liste(Tagesliste l, bool drucken) {
    Variablen& v = variablen();
    Listeneinstellungen e;
    e.zimmer = modell_->beschriftungen().value(5, e.zimmer);
    e.art = modell_->beschriftungen().value(16, e.art);
    if (v.waesche.size() > 2) {
        e.waesche1 = v.waesche[0];
        e.waesche2 = v.waesche[2];
    }
    e.vorgabeMorgen = v.vorgabeDatum != 0;
    Tageslisten listen(db_, dialogs_, e);
    std::optional<Listenergebnis> ergebnis;
    const QDate heute = Clock::current().today();
    if (!geschuetzt(QStringLiteral("Die Liste konnte nicht erstellt werden."), [&] {
            if (l == Tagesliste::Belegungsdaten) {
                QStringList gesetzt;
                for (int i = 0; i < listen::kSpalten; ++i)
                    if (!abfrage_.filter.value(i).trimmed().isEmpty())
                        gesetzt << modell_->beschriftungen().value(i) + QStringLiteral(": ") + abfrage_.filter.value(i);
                ergebnis = listen.ausBuchungsliste(l, modell_->ids(), heute, heute, gesetzt.join(QStringLiteral(", ")));
            } else {
                ergebnis = listen.abfragenUndErstellen(l, heute);
            }
        }))
        return;
    if (!ergebnis) return;
    listen.ausgeben(*ergebnis, drucken, v.programmordner,
                    [this](const QString& vorlage, const QString& datei) { return listeDrucken(vorlage, datei, dialogs_, this); });
}

void frmSuchen::vorgabeDatum() {
    QDialog d(this);
    d.setObjectName(QStringLiteral("frmVorgabeDatum"));
    d.setWindowTitle(QStringLiteral("Vorgabedatum für Essenslisten"));
    auto* heute = new QRadioButton(QStringLiteral("&heute"));
    heute->setObjectName(QStringLiteral("optHeute"));
    auto* morgen = new QRadioButton(QStringLiteral("&morgen"));
    morgen->setObjectName(QStringLiteral("optMorgen"));
    (variablen().vorgabeDatum != 0 ? morgen : heute)->setChecked(true);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* l = new QVBoxLayout(&d);
    l->addWidget(new QLabel(QStringLiteral("Die Essenslisten schlagen folgenden Tag vor:")));
    l->addWidget(heute);
    l->addWidget(morgen);
    l->addWidget(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    if (d.exec() != QDialog::Accepted) return;
    const int wert = morgen->isChecked() ? 1 : 0;
    if (geschuetzt(QStringLiteral("Das Vorgabedatum konnte nicht gespeichert werden."),
                   [&] { Parameter(db_).write(QStringLiteral("VorgabeDatum"), {qMakePair(1, QVariant(QString::number(wert)))}); }))
        variablen().vorgabeDatum = wert;
}

void frmSuchen::bildschirmDrucken() {
    const QPixmap bild = grab();
    QPrinter drucker;
    QPrintDialog dialog(&drucker, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter p(&drucker);
    const QRect ziel = p.viewport();
    const QSize groesse = bild.size().scaled(ziel.size(), Qt::KeepAspectRatio);
    p.setViewport(ziel.x(), ziel.y(), groesse.width(), groesse.height());
    p.setWindow(bild.rect());
    p.drawPixmap(0, 0, bild);
}

}  // namespace tav
