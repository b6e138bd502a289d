#include "plan/ui/Planbereich.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/Database.h"
#include "plan/Hauptbefehle.h"
#include "platform/Dialogs.h"
#include "store/Datenbankfehler.h"
#include "store/Zimmerliste.h"

namespace tav {

namespace {

constexpr int kTimerMs = 60000;
const QString kBelegungLesen = QStringLiteral("Die Belegung konnte nicht gelesen werden.");
// Everything of the main window that is not a plan row: caption, menu bar, navigation, the
// chart headers, status fields, help line and buttons.
constexpr int kFesteHoehe = 330;

struct Navigation {
    const char* name;
    const char* text;
    const char* hilfe;
    PlanModel::Schritt schritt;
};

const Navigation kNavigation[] = {
    {"cmdPrev3Months", "-3 Monate", "Verschiebt das Zeitfenster um 3 Monate zurück", PlanModel::Schritt::DreiMonateZurueck},
    {"cmdPrevMonth", "-1 Monat", "Verschiebt das Zeitfenster um 1 Monat zurück", PlanModel::Schritt::MonatZurueck},
    {"cmdPrevWeek", "-1 Woche", "Verschiebt das Zeitfenster um 1 Woche zurück", PlanModel::Schritt::WocheZurueck},
    {"cmdPrevDay", "-1 Tag", "Verschiebt das Zeitfenster um 1 Tag zurück", PlanModel::Schritt::TagZurueck},
    {"cmdHeute", "Heute", "Setzt Beginn des Zeitfensters auf das heutige Datum.", PlanModel::Schritt::Heute},
    {"cmdNextDay", "+1 Tag", "Verschiebt das Zeitfenster um 1 Tag vor", PlanModel::Schritt::TagVor},
    {"cmdNextWeek", "+1 Woche", "Verschiebt das Zeitfenster um 1 Woche vor", PlanModel::Schritt::WocheVor},
    {"cmdNextMonth", "+1 Monat", "Verschiebt das Zeitfenster um 1 Monat vor", PlanModel::Schritt::MonatVor},
    {"cmdNext3Months", "+3 Monate", "Verschiebt das Zeitfenster um 3 Monate vor", PlanModel::Schritt::DreiMonateVor},
};

QLineEdit* statusFeld(const char* name, int breite, QWidget* parent) {
    auto* f = new QLineEdit(parent);
    f->setObjectName(QString::fromUtf8(name));
    f->setReadOnly(true);
    // The status fields never take the keyboard: a typed character belongs to the plan.
    f->setFocusPolicy(Qt::NoFocus);
    f->setFixedWidth(breite);
    return f;
}

QString seitenName(EinstellungsSeite seite) {
    switch (seite) {
        case EinstellungsSeite::Farben: return QStringLiteral("Farben");
        case EinstellungsSeite::Zimmer: return QStringLiteral("Zimmer");
        case EinstellungsSeite::ZusatzspaltenEinrichten: return QStringLiteral("ZusatzspaltenEinrichten");
        case EinstellungsSeite::ZusatzspaltenZuordnen: return QStringLiteral("ZusatzspaltenZuordnen");
        case EinstellungsSeite::Allgemein: break;
    }
    return QStringLiteral("Allgemein");
}

// The caption of a menu item without its access key, to name it in a message.
QString ohneKuerzel(QString text) { return text.remove(QLatin1Char('&')); }

QIcon farbFeld(QColor c) {
    QPixmap pm(14, 14);
    pm.fill(c);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

}  // namespace

int Planbereich::passendeZeilen(int gewuenscht, int zeilenHoeheTwips, int bildschirmHoehe) {
    const int zeile = qMax(1, PlanGeometrie::px(zeilenHoeheTwips));
    // V rooms and the waiting row must fit.
    const int passend = (bildschirmHoehe - kFesteHoehe) / zeile - 1;
    return qMax(1, qMin(gewuenscht, passend));
}

Planbereich::Planbereich(Database& db, Dialogs& dialogs, Fenster& fenster, const Zimmerliste& rooms, PlanEinstellungen einstellungen,
                         int zusatzspalten, QWidget* parent)
    : QWidget(parent),
      db_(db),
      dialogs_(dialogs),
      fenster_(fenster),
      buchungsMenue_(db, dialogs, fenster),
      ueberschriften_(db, dialogs),
      zusatzspalten_(zusatzspalten) {
    setObjectName(QStringLiteral("PlanWidget"));
    if (const QScreen* s = QGuiApplication::primaryScreen())
        einstellungen.sichtbareZeilen =
            passendeZeilen(einstellungen.sichtbareZeilen, einstellungen.zeilenHoehe, s->availableGeometry().height());
    model_ = std::make_unique<PlanModel>(db, dialogs, rooms, std::move(einstellungen));
    aufbauen();
    geschuetzt(kBelegungLesen, [this] { model_->zeigeFenster(model_->start()); });
    aktualisiereZustand();

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("TimerAktualisieren"));
    timer_->setInterval(kTimerMs);
    connect(timer_, &QTimer::timeout, this, &Planbereich::timerTick);
    timer_->start();
}

Planbereich::~Planbereich() = default;

template <typename F>
bool Planbereich::geschuetzt(const QString& was, F&& tun) {
    // The wait cursor of a reload must not stay over the message box.
    const bool warten = QApplication::overrideCursor() != nullptr;
    try {
        std::forward<F>(tun)();
        return true;
    } catch (const DatabaseError& fehler) {
        if (warten) QApplication::restoreOverrideCursor();
        dialogs_.message(datenbankFehlertext(was, fehler), {}, Buttons::Ok, Icon::Exclamation);
        if (warten) QApplication::setOverrideCursor(Qt::WaitCursor);
        view_->update();
        return false;
    }
}

void Planbereich::oeffne(Ziel ziel, const Aufruf& a) {
    if (!vorhanden(ziel)) return;
    fenster_.oeffnen(ziel, a, this);
    neuLaden();
    view_->statusErneuern();
}

void Planbereich::buchungOeffnen(const Uebergabe& u) { oeffne(Ziel::Reservierung, aufrufAus(u)); }

void Planbereich::hilfe(QWidget* w, const QString& text) {
    w->setProperty("hilfe", text);
    w->installEventFilter(this);
}

void Planbereich::aufbauen() {
    const PlanEinstellungen& e = model_->einstellungen();
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(6, 6, 6, 6);
    haupt->setSpacing(4);

    // Navigation; a right click on any of the buttons asks for the start date.
    auto* nav = new QHBoxLayout;
    nav->setSpacing(3);
    for (const Navigation& n : kNavigation) {
        auto* b = new QPushButton(QString::fromUtf8(n.text), this);
        b->setObjectName(QString::fromUtf8(n.name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        const PlanModel::Schritt schritt = n.schritt;
        connect(b, &QPushButton::clicked, this, [this, schritt] { navigiere(schritt); });
        hilfe(b, QString::fromUtf8(n.hilfe));
        nav->addWidget(b);
        navigation_ << b;
    }
    nav->addSpacing(12);
    lbWarnung_ = new QLabel(QStringLiteral("Sie sehen zur Zeit die Beispieldaten"), this);
    lbWarnung_->setObjectName(QStringLiteral("lbWarnung"));
    lbWarnung_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lbWarnung_->setVisible(e.beispieldaten);
    nav->addWidget(lbWarnung_);
    nav->addStretch(1);
    haupt->addLayout(nav);

    // Chart, room scroll bar and legend.
    auto* mitte = new QHBoxLayout;
    mitte->setSpacing(4);
    view_ = new Plantafel(*model_, zusatzspalten_, this);
    mitte->addWidget(view_, 1, Qt::AlignTop);

    auto* scroll = new QVBoxLayout;
    scroll->setSpacing(0);
    scroll->setContentsMargins(0, view_->geometrie().oben, 0, 0);
    cmdErster_ = new QToolButton(this);
    cmdErster_->setObjectName(QStringLiteral("cmdErster"));
    cmdErster_->setArrowType(Qt::UpArrow);
    cmdErster_->setToolTip(QStringLiteral("Erstes Zimmer"));
    cmdLetzter_ = new QToolButton(this);
    cmdLetzter_->setObjectName(QStringLiteral("cmdLetzter"));
    cmdLetzter_->setArrowType(Qt::DownArrow);
    cmdLetzter_->setToolTip(QStringLiteral("Letztes Zimmer"));
    vScroll_ = new QScrollBar(Qt::Vertical, this);
    vScroll_->setObjectName(QStringLiteral("VScroll1"));
    vScroll_->setRange(0, (e.raeume + 1) * e.zeilenHoehe);
    vScroll_->setSingleStep(e.zeilenHoehe);
    vScroll_->setPageStep(model_->sichtbareZeilen() * e.zeilenHoehe);
    vScroll_->setFixedHeight(view_->geometrie().hoehe() - 2 * cmdErster_->sizeHint().height());
    connect(vScroll_, &QScrollBar::valueChanged, this, &Planbereich::scrollen);
    connect(cmdErster_, &QToolButton::clicked, this, [this] { vScroll_->setValue(vScroll_->minimum()); });
    connect(cmdLetzter_, &QToolButton::clicked, this, [this] { vScroll_->setValue(vScroll_->maximum()); });
    scroll->addWidget(cmdErster_);
    scroll->addWidget(vScroll_);
    scroll->addWidget(cmdLetzter_);
    scroll->addStretch(1);
    mitte->addLayout(scroll);

    fraBelegungsart_ = new QGroupBox(this);
    fraBelegungsart_->setObjectName(QStringLiteral("fraBelegungsart"));
    auto* legende = new QVBoxLayout(fraBelegungsart_);
    legende->setSpacing(2);
    lstUeberschrift1_ = new QComboBox(fraBelegungsart_);
    lstUeberschrift1_->setObjectName(QStringLiteral("lstÜberschrift1"));
    legende->addWidget(lstUeberschrift1_);
    optBelArt_ = new QButtonGroup(this);
    optBelArt_->setObjectName(QStringLiteral("optBelArt"));
    for (const auto& eintrag : model_->legende()) {
        auto* o = new QRadioButton(eintrag.name, fraBelegungsart_);
        o->setObjectName(QStringLiteral("optBelArt_%1").arg(eintrag.eintrag));
        o->setIcon(farbFeld(Plantafel::farbe(eintrag.farbe, palette())));
        o->setFocusPolicy(Qt::NoFocus);
        optBelArt_->addButton(o, eintrag.eintrag);
        legende->addWidget(o);
        o->installEventFilter(this);
    }
    // Entry i stands for booking kind i - 1.
    connect(optBelArt_, &QButtonGroup::idClicked, this, [this](int eintrag) { model_->setBelegungsart(eintrag - 1); });
    legende->addStretch(1);
    fraBelegungsart_->installEventFilter(this);
    lstUeberschrift1_->installEventFilter(this);
    view_->zimmerUeberschrift()->installEventFilter(this);
    mitte->addWidget(fraBelegungsart_, 0, Qt::AlignTop);
    haupt->addLayout(mitte);
    ueberschriftenFuellen();
    const auto setzen = [this](int nummer, const QString& t) {
        geschuetzt(QStringLiteral("Die Überschrift konnte nicht gespeichert werden."), [&] { ueberschriften_.setzen(nummer, t); });
        ueberschriftenFuellen();
    };
    connect(lstUeberschrift1_, &QComboBox::textActivated, this, [setzen](const QString& t) { setzen(1, t); });
    connect(view_->zimmerUeberschrift(), &QComboBox::textActivated, this, [setzen](const QString& t) { setzen(2, t); });

    // Status fields that follow the mouse, the paid indicator and the help line.
    auto* status = new QHBoxLayout;
    status->setSpacing(4);
    fldZimmer_ = statusFeld("fldZimmer", 80, this);
    fldTag_ = statusFeld("fldTag", 36, this);
    fldDatum_ = statusFeld("fldDatum", 72, this);
    fldWochentag_ = statusFeld("fldWochentag", 36, this);
    txtFeiertag_ = statusFeld("txtFeiertag", 160, this);
    const QList<QPair<QString, QLineEdit*>> felder = {{QStringLiteral("Zimmer:"), fldZimmer_},
                                                      {QStringLiteral("Tag:"), fldTag_},
                                                      {QStringLiteral("Datum:"), fldDatum_},
                                                      {QStringLiteral("Wochentag:"), fldWochentag_},
                                                      {QStringLiteral("Feiertag:"), txtFeiertag_}};
    for (const auto& [text, feld] : felder) {
        feld->installEventFilter(this);
        auto* l = new QLabel(text, this);
        l->setBuddy(feld);
        status->addWidget(l);
        status->addWidget(feld);
        status->addSpacing(6);
    }
    cmdBezahlt_ = new QLabel(this);
    cmdBezahlt_->setObjectName(QStringLiteral("cmdBezahlt"));
    cmdBezahlt_->setFixedSize(70, fldZimmer_->sizeHint().height());
    cmdBezahlt_->setAlignment(Qt::AlignCenter);
    cmdBezahlt_->setFrameShape(QFrame::Panel);
    cmdBezahlt_->setFrameShadow(QFrame::Sunken);
    cmdBezahlt_->setAutoFillBackground(true);
    status->addWidget(cmdBezahlt_);
    status->addStretch(1);
    haupt->addLayout(status);

    lblHilfe_ = new QLabel(this);
    lblHilfe_->setObjectName(QStringLiteral("lblHilfe"));
    lblHilfe_->setFrameShape(QFrame::StyledPanel);
    lblHilfe_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHilfe_->setWordWrap(true);
    lblHilfe_->setFixedHeight(2 * fontMetrics().lineSpacing() + 8);
    haupt->addWidget(lblHilfe_);

    auto* knoepfe = new QHBoxLayout;
    cmdReservierung_ = new QPushButton(QStringLiteral("&Neu"), this);
    cmdReservierung_->setObjectName(QStringLiteral("cmdReservierung"));
    cmdAktualisieren_ = new QPushButton(QStringLiteral("&Aktualisieren"), this);
    cmdAktualisieren_->setObjectName(QStringLiteral("cmdAktualisieren"));
    hilfe(cmdAktualisieren_, QStringLiteral("Liest die Reservierungsdaten neu ein."));
    cmdDrucken_ = new QPushButton(QStringLiteral("Tavomera dr&ucken"), this);
    cmdDrucken_->setObjectName(QStringLiteral("cmdDrucken"));
    cmdSchliessen_ = new QPushButton(QStringLiteral("&Schließen"), this);
    cmdSchliessen_->setObjectName(QStringLiteral("cmdSchliessen"));
    hilfe(cmdSchliessen_, QStringLiteral("Beendet das Programm."));
    for (QPushButton* b : {cmdReservierung_, cmdAktualisieren_, cmdDrucken_, cmdSchliessen_}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(cmdReservierung_, &QPushButton::clicked, this, &Planbereich::neueReservierungOhneZimmer);
    connect(cmdAktualisieren_, &QPushButton::clicked, this, &Planbereich::neuLaden);
    connect(cmdDrucken_, &QPushButton::clicked, this, &Planbereich::drucken);
    connect(cmdSchliessen_, &QPushButton::clicked, this, &Planbereich::beendenAngefordert);
    knoepfe->addWidget(cmdReservierung_);
    knoepfe->addWidget(cmdAktualisieren_);
    knoepfe->addStretch(1);
    knoepfe->addWidget(cmdDrucken_);
    knoepfe->addWidget(cmdSchliessen_);
    haupt->addLayout(knoepfe);
    haupt->addStretch(1);

    connect(view_, &Plantafel::mausStatus, this, &Planbereich::zeigeStatus);
    zeigeStatus(model_->statusBeimLaden());
    connect(view_, &Plantafel::neueReservierung, this, [this](const Uebergabe& u) {
        if (vorhanden(Ziel::Reservierung))
            buchungOeffnen(u);
        else
            neuLaden();
    });
    connect(view_, &Plantafel::datenbankFehler, this, [this](const QString& text) {
        dialogs_.message(text, {}, Buttons::Ok, Icon::Exclamation);
        view_->update();
    });
    connect(view_, &Plantafel::buchungKontext, this, &Planbereich::buchungsMenue);
    connect(view_, &Plantafel::bereichKontext, this, &Planbereich::bereichsMenue);
    view_->setFocus();
}

void Planbereich::ueberschriftenFuellen() {
    const auto fuellen = [](QComboBox* box, const QStringList& auswahl, const QString& aktuell) {
        const QSignalBlocker sperre(box);
        box->clear();
        box->addItems(auswahl);
        if (!auswahl.contains(aktuell)) box->insertItem(0, aktuell);
        box->setCurrentText(aktuell);
    };
    QString eins, zwei;
    geschuetzt(QStringLiteral("Die Überschriften konnten nicht gelesen werden."), [&] {
        eins = ueberschriften_.lesen(1);
        zwei = ueberschriften_.lesen(2);
    });
    fuellen(lstUeberschrift1_, PlanUeberschriften::auswahl(1), eins);
    fuellen(view_->zimmerUeberschrift(), PlanUeberschriften::auswahl(2), zwei);
}

void Planbereich::aktualisiereZustand() { cmdReservierung_->setEnabled(vorhanden(Ziel::Reservierung)); }

// ---- showing ------------------------------------------------------------------------------

void Planbereich::neuLaden() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    geschuetzt(kBelegungLesen, [this] { model_->neuLaden(); });
    QApplication::restoreOverrideCursor();
    view_->update();
}

void Planbereich::zeigeAb(QDate start) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // A failed read keeps the window that was shown.
    geschuetzt(kBelegungLesen, [this, start] { model_->zeigeFenster(start); });
    QApplication::restoreOverrideCursor();
    view_->update();
}

void Planbereich::navigiere(PlanModel::Schritt schritt) { zeigeAb(PlanModel::verschiebe(model_->start(), schritt)); }

void Planbereich::anfangsdatumAbfragen() {
    if (const auto d = Hauptbefehle::anfangsdatumAbfragen(dialogs_, model_->start())) zeigeAb(*d);
}

void Planbereich::scrollen(int wert) {
    geschuetzt(kBelegungLesen, [this, wert] { model_->setErstesZimmer(wert / model_->einstellungen().zeilenHoehe + 1); });
    view_->update();
}

void Planbereich::timerTick() {
    if (!model_->timerTick()) return;
    // Nobody may be at the desk: a failed refresh shows no box, it says so in the help line and
    // the next tick tries again.
    try {
        model_->neuLaden();
    } catch (const DatabaseError& fehler) {
        lblHilfe_->setText(datenbankFehlertext(kBelegungLesen, fehler));
    }
    view_->update();
}

void Planbereich::zeigeStatus(const MausStatus& s) {
    if (s.aktualisiert) view_->update();
    fldZimmer_->setText(s.zimmerText);
    fldTag_->setText(s.spalteText);
    fldDatum_->setText(s.datum);
    fldWochentag_->setText(s.wochentag);
    txtFeiertag_->setText(s.feiertag);
    lblHilfe_->setText(s.hilfe);
    QPalette p = palette();
    switch (s.bezahlt) {
        case Zahlstatus::KeineBuchung: cmdBezahlt_->setText(QString()); break;
        case Zahlstatus::Offen:
            cmdBezahlt_->setText(QStringLiteral("Offen"));
            p.setColor(QPalette::Window, QColor(230, 60, 60));
            p.setColor(QPalette::WindowText, Qt::white);
            break;
        case Zahlstatus::Bezahlt:
            cmdBezahlt_->setText(QStringLiteral("Bezahlt"));
            p.setColor(QPalette::Window, QColor(40, 170, 60));
            p.setColor(QPalette::WindowText, Qt::white);
            break;
    }
    cmdBezahlt_->setPalette(p);
}

void Planbereich::neueReservierungOhneZimmer() {
    if (vorhanden(Ziel::Reservierung)) buchungOeffnen(model_->neueReservierungOhneZimmer());
}

// ---- printing ------------------------------------------------------------------------------

QPixmap Planbereich::druckBild() {
    QList<PlanModel::DruckBeschriftung> beschriftungen;
    geschuetzt(QStringLiteral("Die Kürzel für den Ausdruck konnten nicht gelesen werden."),
               [&] { beschriftungen = model_->druckBeschriftungen(); });
    view_->setDruckBeschriftungen(beschriftungen);
    const QPixmap bild = grab();
    view_->setDruckBeschriftungen({});
    return bild;
}

void Planbereich::drucken() {
    const QPixmap bild = druckBild();
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&drucker, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter p(&drucker);
    const QRect seite = p.viewport();
    QSize groesse = bild.size();
    groesse.scale(seite.size(), Qt::KeepAspectRatio);
    p.setViewport(seite.x(), seite.y(), groesse.width(), groesse.height());
    p.setWindow(bild.rect());
    p.drawPixmap(0, 0, bild);
}

// ---- context menus --------------------------------------------------------------------------

QMenu* Planbereich::erstelleBuchungsMenue(const KontextBuchung& k, QWidget* parent) {
    auto* m = new QMenu(parent);
    m->setObjectName(QStringLiteral("mnuKontRes"));
    const auto eintrag = [&](const char* name, const QString& text, bool an, auto&& tun) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromUtf8(name));
        a->setEnabled(an);
        connect(a, &QAction::triggered, this,
                [this, text, tun] { geschuetzt(QStringLiteral("\"%1\" konnte nicht ausgeführt werden.").arg(ohneKuerzel(text)), tun); });
        return a;
    };
    eintrag("mnKontuRes_Oeffnen", QStringLiteral("&Reservierung öffnen"), vorhanden(Ziel::Reservierung),
            [this, k] { buchungOeffnen(model_->oeffnen(k)); });
    m->addSeparator();
    eintrag("mnuKontCheckIn", QStringLiteral("Check &in"), true, [this, k] {
        if (buchungsMenue_.checkIn(k.buchungId)) neuLaden();
    });
    eintrag("mnuKontCheck_aus", QStringLiteral("Check &out"), true, [this, k] {
        const auto r = buchungsMenue_.checkOut(k.buchungId);
        if (r == BuchungsMenue::CheckOut::Abgelehnt) return;
        Aufruf a;
        a.buchungId = k.buchungId;
        if (r == BuchungsMenue::CheckOut::RechnungSchreiben)
            oeffne(Ziel::Rechnungen, a);
        else
            neuLaden();
    });
    m->addSeparator();
    Aufruf buchung;
    buchung.buchungId = k.buchungId;
    eintrag("mnuKontRechnung", BuchungsMenue::rechnungsText(k.angebot), vorhanden(Ziel::Rechnungen),
            [this, buchung] { oeffne(Ziel::Rechnungen, buchung); });
    eintrag("mnuKontZahlungen", QStringLiteral("&Zahlungen"), vorhanden(Ziel::Zahlungen),
            [this, buchung] { oeffne(Ziel::Zahlungen, buchung); });
    const auto konto = [this](int adressId) {
        Aufruf a;
        a.adressId = adressId;
        oeffne(Ziel::Adresskonto, a);
    };
    eintrag("mnuKontResAdresse", QStringLiteral("Übersicht für Reservierungsadresse"), vorhanden(Ziel::Adresskonto) && k.gastId != 0,
            [konto, k] { konto(k.gastId); });
    eintrag("mnuKontAdrRechnung", QStringLiteral("Übersicht für Rechnungs&adresse"),
            vorhanden(Ziel::Adresskonto) && k.rechnungsAdresseId != 0, [konto, k] { konto(k.rechnungsAdresseId); });
    eintrag("mnuKontStatus", QStringLiteral("&Status anzeigen"), true, [this, k] { buchungsMenue_.statusAnzeigen(k.buchungId); });
    m->addSeparator();
    eintrag("mnuAbbrechenKont", QStringLiteral("A&bbrechen"), true, [m] { m->close(); });
    return m;
}

void Planbereich::einstellungen(EinstellungsSeite seite) {
    if (!vorhanden(Ziel::Einstellungen)) return;
    Hauptbefehle::einstellungenHinweis(dialogs_);
    Aufruf a;
    a.text = seitenName(seite);
    oeffne(Ziel::Einstellungen, a);
    emit einstellungenGeschlossen();
}

QMenu* Planbereich::erstelleBereichsMenue(Plantafel::Bereich bereich, QWidget* parent) {
    auto* m = new QMenu(parent);
    const bool einst = vorhanden(Ziel::Einstellungen);
    const auto eintrag = [&](const char* name, const QString& text, bool an, auto&& tun) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromUtf8(name));
        a->setEnabled(an);
        connect(a, &QAction::triggered, this,
                [this, text, tun] { geschuetzt(QStringLiteral("\"%1\" konnte nicht ausgeführt werden.").arg(ohneKuerzel(text)), tun); });
    };
    switch (bereich) {
        case Plantafel::Bereich::Zimmer:
            m->setObjectName(QStringLiteral("mnuKontextZimmer"));
            eintrag("mnuKontextZimmerEinstellungen", QStringLiteral("&Einstellungen ändern"), einst,
                    [this] { einstellungen(EinstellungsSeite::Zimmer); });
            break;
        case Plantafel::Bereich::Zusatzspalten:
            m->setObjectName(QStringLiteral("mnuKontextZusa"));
            eintrag("mnuKontextZusaEinrichten", QStringLiteral("Zusatzspalten &einrichten"), einst,
                    [this] { einstellungen(EinstellungsSeite::ZusatzspaltenEinrichten); });
            eintrag("mnuKontextZusaZuordnen", QStringLiteral("Zusatzspalten &zuordnen"), einst,
                    [this] { einstellungen(EinstellungsSeite::ZusatzspaltenZuordnen); });
            break;
        case Plantafel::Bereich::Datum:
            m->setObjectName(QStringLiteral("mnuKontextDatum"));
            eintrag("mnuKontextDatumAb", QStringLiteral("Daten &anzeigen ab:"), true, [this] { anfangsdatumAbfragen(); });
            break;
        case Plantafel::Bereich::Hintergrund:
        case Plantafel::Bereich::Zellen:
            m->setObjectName(QStringLiteral("mnuKontext2"));
            eintrag("mnuKontext2Suchen", QStringLiteral("Daten &suchen"), vorhanden(Ziel::Buchungsliste),
                    [this] { oeffne(Ziel::Buchungsliste, {}); });
            eintrag("mnuKontext2Reservierung", QStringLiteral("neue &Reservierung"), vorhanden(Ziel::Reservierung),
                    [this] { neueReservierungOhneZimmer(); });
            eintrag("mnuKontext2Einstellungen", QStringLiteral("&Einstellungen"), einst,
                    [this] { einstellungen(EinstellungsSeite::Allgemein); });
            break;
        case Plantafel::Bereich::Nichts: break;
    }
    return m;
}

void Planbereich::buchungsMenue(const KontextBuchung& k, QPoint pos) {
    QMenu* m = erstelleBuchungsMenue(k, this);
    m->exec(pos);
    m->deleteLater();
    view_->update();
}

void Planbereich::bereichsMenue(Plantafel::Bereich b, QPoint pos) {
    QMenu* m = erstelleBereichsMenue(b, this);
    if (!m->isEmpty()) m->exec(pos);
    m->deleteLater();
}

// ---- keyboard, help line, right clicks on controls -------------------------------------

void Planbereich::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // A typed character starts the quick address search with it.
        Aufruf a;
        a.text = t;
        oeffne(Ziel::Adresssuche, a);
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Planbereich::mouseReleaseEvent(QMouseEvent* e) {
    // The window's own background, between the controls.
    if (e->button() == Qt::RightButton) {
        bereichsMenue(Plantafel::Bereich::Hintergrund, e->globalPosition().toPoint());
        return;
    }
    QWidget::mouseReleaseEvent(e);
}

bool Planbereich::eventFilter(QObject* watched, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w) return QWidget::eventFilter(watched, e);
    // The status fields swallow every key.
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && qobject_cast<QLineEdit*>(w)) return true;
    const bool legende = w == fraBelegungsart_ || w->parentWidget() == fraBelegungsart_;
    if (e->type() == QEvent::Enter) {
        if (legende)
            lblHilfe_->setText(PlanUeberschriften::legendenHilfe(lstUeberschrift1_->currentText()));
        else if (w->property("hilfe").isValid())
            lblHilfe_->setText(w->property("hilfe").toString());
    } else if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
        const QPoint pos = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        if (auto* b = qobject_cast<QPushButton*>(w); b && navigation_.contains(b)) {
            anfangsdatumAbfragen();
            return true;
        }
        if (w == lstUeberschrift1_ || w == view_->zimmerUeberschrift()) {
            bool neu = false;
            geschuetzt(QStringLiteral("Die Überschrift konnte nicht gespeichert werden."),
                       [&] { neu = ueberschriften_.neueBezeichnung(w == lstUeberschrift1_ ? 1 : 2).has_value(); });
            if (neu) ueberschriftenFuellen();
            return true;
        }
        if (legende) {
            auto* m = new QMenu(this);
            m->setObjectName(QStringLiteral("mnuBelegart"));
            QAction* a = m->addAction(QStringLiteral("&Einstellungen ändern"));
            a->setObjectName(QStringLiteral("KONTEXTBelArt"));
            a->setEnabled(vorhanden(Ziel::Einstellungen));
            connect(a, &QAction::triggered, this, [this] { einstellungen(EinstellungsSeite::Farben); });
            m->exec(pos);
            m->deleteLater();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace tav
