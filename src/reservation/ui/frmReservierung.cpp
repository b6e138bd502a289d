#include "reservation/ui/frmReservierung.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ui/WindowParts.h"
#include "engine/Database.h"
#include "platform/Dates.h"
#include "platform/ui/QtDialogs.h"
#include "reservation/ui/TastenFilter.h"
#include "reservation/ui/frmCollision.h"
#include "reservation/ui/frmWeitere.h"
#include "reservation/ui/frmZimmerauswahl.h"

namespace tav {

namespace {

QColor farbe(quint32 bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

const QColor kGruen = farbe(Belegung::kFarbeGruen);
const QColor kWarnung = farbe(Belegung::kFarbeWarnung);
const QColor kRot(255, 0, 0);

void setzen(QLineEdit* e, const QString& text) {
    if (e->text() != text) e->setText(text);
}

void setzen(QComboBox* c, const QString& text) {
    if (c->currentText() != text) c->setCurrentText(text);
}

void setzen(QCheckBox* c, bool an) {
    if (c->isChecked() != an) c->setChecked(an);
}

// The list of a combo box, kept when it has not changed (so that typing is not disturbed).
void liste(QComboBox* c, const QStringList& eintraege) {
    QStringList jetzt;
    for (int i = 0; i < c->count(); ++i) jetzt << c->itemText(i);
    if (jetzt == eintraege) return;
    const QString text = c->currentText();
    c->clear();
    c->addItems(eintraege);
    if (c->isEditable())
        c->setEditText(text);
    else
        c->setCurrentIndex(c->findText(text));
}

// A button's (or box's) background colour; an invalid colour gives the normal one back.
void hintergrund(QWidget* w, const QColor& c, QPalette::ColorRole rolle = QPalette::Button) {
    if (!c.isValid()) {
        w->setPalette(QPalette());
        return;
    }
    QPalette p = w->palette();
    p.setColor(rolle, c);
    w->setPalette(p);
}

QWidget* zeile(std::initializer_list<QWidget*> widgets, bool dehnen = true) {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget* x : widgets) l->addWidget(x);
    if (dehnen) l->addStretch(1);
    return w;
}

bool istVerlassen(QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    // A message box or a popup taking the focus does not leave the box.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(event)->reason();
    return grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason;
}

}  // namespace

frmReservierung::Anschluesse& frmReservierung::anschluesse() {
    static Anschluesse a;
    return a;
}

frmReservierung::frmReservierung(Database& db, Database* beispielDb, const FormularEinstellungen& einstellungen,
                                 AdressUmgebung umgebung, QWidget* parent, Dialogs* dialogs, KollisionsDialog* kollision)
    : QDialog(parent),
      eigeneDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      eigeneKollision_(kollision ? nullptr : std::make_unique<QtKollisionsDialog>(this)),
      db_(db),
      dialogs_(dialogs ? *dialogs : *eigeneDialogs_) {
    if (eigeneDialogs_) eigeneDialogs_->setDefaultCaption(variablen().titel);
    logik_ = std::make_unique<ReservierungLogik>(db, beispielDb, dialogs_, kollision ? *kollision : *eigeneKollision_,
                                                     variablen().kollision, einstellungen, std::move(umgebung));
    aufbauen();
    verbinden();
    tabReihenfolge();
    listenFuellen();
    new Hilfezeile(this, lblHilfe_);
}

frmReservierung::~frmReservierung() = default;

// ---- entries -------------------------------------------------------------------------------

void frmReservierung::oeffnen(QWidget* parent) {
    Variablen& v = variablen();
    if (!v.db) return;
    frmReservierung form(*v.db, v.beispielDb.get(), FormularEinstellungen::lesen(*v.db, v.beispielDb.get()),
                         AdressUmgebung::ausVariablen(), parent, anschluesse().dialogs);
    if (!form.starten(v.uebergabe)) return;
    form.exec();
}

void frmReservierung::oeffnen(const Uebergabe& uebergabe, QWidget* parent) {
    variablen().uebergabe = uebergabe;
    oeffnen(parent);
}

void frmReservierung::oeffnenBuchung(int buchungId, QWidget* parent) {
    Uebergabe u;
    u.neueBuchung = false;
    u.buchungId = buchungId;
    variablen().uebergabe = u;
    oeffnen(parent);
}

void frmReservierung::oeffnenNeu(int adressId, const QDate& anreise, const QDate& abreise, QWidget* parent) {
    Variablen& v = variablen();
    if (!v.db) return;
    Uebergabe u;
    u.neueBuchung = true;
    u.anreise = anreise;
    u.abreise = abreise;
    u.belegungsart = v.uebergabe.belegungsart;
    v.uebergabe = u;
    frmReservierung form(*v.db, v.beispielDb.get(), FormularEinstellungen::lesen(*v.db, v.beispielDb.get()),
                         AdressUmgebung::ausVariablen(), parent, anschluesse().dialogs);
    form.neueBuchungFuerAdresse(adressId, anreise, abreise, u.belegungsart);
    form.exec();
}

bool frmReservierung::starten(Uebergabe& uebergabe) {
    if (!logik_->starten(uebergabe)) return false;
    anzeigen();
    return true;
}

void frmReservierung::neueBuchungFuerAdresse(int adressId, const QDate& anreise, const QDate& abreise, int belegungsart) {
    logik_->neueBuchung(anreise, abreise, 0, belegungsart, adressId);
    anzeigen();
}

// ---- building --------------------------------------------------------------------------------

void frmReservierung::aufbauen() {
    setObjectName(QStringLiteral("frmReservierung"));
    setWindowTitle(QStringLiteral("Reservierung"));

    const auto feld = [this](const QString& name, const QString& hilfe, int laenge = 0, int breite = 0) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setToolTip(hilfe);
        if (laenge > 0) e->setMaxLength(laenge);
        if (breite > 0) e->setFixedWidth(breite);
        return e;
    };
    const auto auswahl = [this](const QString& name, const QString& hilfe, bool editierbar) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        c->setToolTip(hilfe);
        c->setEditable(editierbar);
        if (editierbar) {
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setCompleter(nullptr);
        }
        c->setMaxVisibleItems(20);
        return c;
    };
    const auto button = [this](const QString& name, const QString& text, const QString& hilfe) {
        return parts::button(name, text, hilfe, this);
    };
    const auto box = [this](const QString& name, const QString& text, const QString& hilfe) {
        auto* c = new QCheckBox(text, this);
        c->setObjectName(name);
        c->setToolTip(hilfe);
        return c;
    };
    const auto form = [](QGroupBox* gruppe) {
        auto* f = new QFormLayout(gruppe);
        f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        f->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        f->setRowWrapPolicy(QFormLayout::DontWrapRows);
        f->setHorizontalSpacing(12);
        return f;
    };
    const auto text = [](const QString& t) { return new QLabel(t); };
    const int datumBreite = fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 16;
    const int zahlBreite = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14;

    // ---- menus ----
    auto* menue = new QMenuBar(this);
    menue->setObjectName(QStringLiteral("mnuLeiste"));
    QMenu* res = menue->addMenu(QStringLiteral("Reser&vierung"));
    mnuWeiterePersonen = res->addAction(QStringLiteral("&Weitere Personen ..."));
    mnuWeiterePersonen->setObjectName(QStringLiteral("mnuWeiterePersonen"));
    mnuWeiterePersonen->setToolTip(QStringLiteral("Weitere Gäste dieser Reservierung erfassen."));
    mnuZimmerauswahl = res->addAction(QStringLiteral("&Zimmerauswahl ..."));
    mnuZimmerauswahl->setObjectName(QStringLiteral("mnuZimmerauswahl"));
    res->addSeparator();
    mnuStatus = res->addAction(QStringLiteral("&Status korrigieren"));
    mnuStatus->setObjectName(QStringLiteral("mnuStatus"));
    mnuStatus->setToolTip(QStringLiteral("Korrigiert den Status alter Reservierungen dieser Adresse und zeigt an, ob bezahlt ist."));
    QMenu* konto = menue->addMenu(QStringLiteral("&Übersicht"));
    mnuRechnungAdr = konto->addAction(QStringLiteral("Übersicht für &Reservierungsadresse"));
    mnuRechnungAdr->setObjectName(QStringLiteral("mnuRechnungAdr"));
    mnuRechnungsadresse = konto->addAction(QStringLiteral("Übersicht für Rechnungs&adresse"));
    mnuRechnungsadresse->setObjectName(QStringLiteral("mnuRechnungsadresse"));
    QMenu* dok = menue->addMenu(QStringLiteral("&Dokumente"));
    mnuvorhAngebot = dok->addAction(QStringLiteral("Gespeichertes &Angebot öffnen"));
    mnuvorhAngebot->setObjectName(QStringLiteral("mnuvorhAngebot"));
    mnuVorhBest = dok->addAction(QStringLiteral("Gespeicherte &Bestätigung öffnen"));
    mnuVorhBest->setObjectName(QStringLiteral("mnuVorhBest"));
    mnuVorhRechnung = dok->addAction(QStringLiteral("Gespeicherte &Rechnung öffnen"));
    mnuVorhRechnung->setObjectName(QStringLiteral("mnuVorhRechnung"));
    dok->addSeparator();
    mnuWeitereDokumente = dok->addMenu(QStringLiteral("&Weitere Dokumente"));
    mnuWeitereDokumente->setObjectName(QStringLiteral("mnuWeitereDokumente"));
    for (int i = 1; i <= 5; ++i) {
        QAction* a = mnuWeitereDokumente->addAction(QStringLiteral("Dokument %1").arg(i));
        a->setObjectName(QStringLiteral("mnuDok_%1").arg(i));
        a->setEnabled(false);
    }
    mnuWeitereDokumente->addSeparator();
    mnuPfade = mnuWeitereDokumente->addAction(QStringLiteral("&Pfade festlegen ..."));
    mnuPfade->setObjectName(QStringLiteral("mnuPfade"));
    // The document output is not part of the program yet.
    for (QAction* a : {mnuvorhAngebot, mnuVorhBest, mnuVorhRechnung, mnuPfade}) a->setEnabled(false);
    mnuWeitereDokumente->setEnabled(false);
    QMenu* fenster = menue->addMenu(QStringLiteral("&Fenster"));
    cmdGroesser = fenster->addAction(QStringLiteral("&Großes Formular"));
    cmdGroesser->setObjectName(QStringLiteral("cmdGroesser"));
    cmdKleiner = fenster->addAction(QStringLiteral("&Kleines Formular"));
    cmdKleiner->setObjectName(QStringLiteral("cmdKleiner"));
    auto* groessen = new QActionGroup(this);
    for (QAction* a : {cmdGroesser, cmdKleiner}) {
        a->setCheckable(true);
        groessen->addAction(a);
    }

    // ---- the guest ----
    auto* gast = new QGroupBox(QStringLiteral("Gast"), this);
    gast->setObjectName(QStringLiteral("fraGast"));
    gastForm_ = form(gast);
    cboGastNeu = auswahl(QStringLiteral("cboGastNeu"),
                       QStringLiteral("Nachname des Gastes: Tippen sucht die Adresse, die Pfeiltasten zeigen die weiteren Treffer, "
                                      "F2 löscht die gewählte Adresse."),
                       true);
    cboGastNeu->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Müller-Lüdenscheidt, Erwin, 58507 Lüdenscheid")));
    fldVorname = feld(QStringLiteral("fldVorname"), QStringLiteral("Vorname des Gastes"));
    cboAnrede = auswahl(QStringLiteral("cboAnrede"),
                      QStringLiteral("Anrede: die Eingabetaste nimmt eine neue Anrede in die Liste auf, F2 entfernt sie."), true);
    fldFirma = feld(QStringLiteral("fldFirma"), QStringLiteral("Firma des Gastes"));
    fldStrasse = feld(QStringLiteral("fldStrasse"), QStringLiteral("Straße und Hausnummer"));
    fldPLZ = feld(QStringLiteral("fldPLZ"), QStringLiteral("Postleitzahl: beim Verlassen werden die passenden Orte gesucht."), 0,
                  zahlBreite + 14);
    fldStadt = auswahl(QStringLiteral("fldStadt"), QStringLiteral("Ort"), true);
    cboLand = auswahl(QStringLiteral("cboLand"),
                    QStringLiteral("Herkunftsland: die Eingabetaste nimmt ein neues Land in die Liste auf, F2 entfernt es."), true);
    fldTelefon = feld(QStringLiteral("fldTelefon"), QStringLiteral("Telefonnummer"));
    fldFax = feld(QStringLiteral("fldFax"), QStringLiteral("Faxnummer"));
    fldEmail = feld(QStringLiteral("fldEmail"), QStringLiteral("E-Mail-Adresse"));
    fldBemerkAdr = feld(QStringLiteral("fldBemerkAdr"), QStringLiteral("Bemerkungen zur Adresse"));
    chStammkunde = box(QStringLiteral("chStammkunde"), QStringLiteral("Stammkunde"),
                       QStringLiteral("Stammkunde. F2 oder die rechte Maustaste legt die Vorgabe für neue Adressen fest."));
    cmdNeuAdress = button(QStringLiteral("cmdNeuAdress"), QStringLiteral("Neue Adresse"),
                         QStringLiteral("Leert die Adressfelder für eine neue Adresse."));
    cmdEditAdress = button(QStringLiteral("cmdEditAdress"), QStringLiteral("Adresse ändern"),
                          QStringLiteral("Gibt die Felder der gewählten Adresse zum Ändern frei."));
    cmdAdresseSpeichern = button(QStringLiteral("cmdAdresseSpeichern"), QStringLiteral("Adresse speichern"),
                                QStringLiteral("Speichert die Adresse, ohne die Reservierung zu speichern."));
    cboAdrRechnung = auswahl(QStringLiteral("cboAdrRechnung"),
                           QStringLiteral("Rechnungsadresse, wenn sie nicht die Adresse des Gastes ist. Die rechte Maustaste übernimmt "
                                          "sie auch als Adresse des Gastes."),
                           true);
    auto* lblNachname = new QLabel(QStringLiteral("&Nachname"));
    lblNachname->setBuddy(cboGastNeu);
    gastForm_->addRow(lblNachname, cboGastNeu);
    gastForm_->addRow(QStringLiteral("Vorname"), fldVorname);
    gastForm_->addRow(QStringLiteral("Anrede"), cboAnrede);
    gastForm_->addRow(QStringLiteral("Firma"), fldFirma);
    gastForm_->addRow(QStringLiteral("Straße"), fldStrasse);
    auto* plzOrt = new QWidget;
    {
        auto* l = new QHBoxLayout(plzOrt);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(fldPLZ);
        l->addWidget(fldStadt, 1);
    }
    gastForm_->addRow(QStringLiteral("PLZ / Ort"), plzOrt);
    gastForm_->addRow(QStringLiteral("Land"), cboLand);
    auto* telefonFax = new QWidget;
    {
        auto* l = new QHBoxLayout(telefonFax);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(fldTelefon, 1);
        l->addWidget(text(QStringLiteral("Fax")));
        l->addWidget(fldFax, 1);
    }
    gastForm_->addRow(QStringLiteral("Telefon"), telefonFax);
    gastForm_->addRow(QStringLiteral("E-Mail"), fldEmail);
    gastForm_->addRow(QStringLiteral("Bemerkungen"), fldBemerkAdr);
    gastForm_->addRow(QString(), chStammkunde);
    adressKnoepfe_ = zeile({cmdNeuAdress, cmdEditAdress, cmdAdresseSpeichern});
    gastForm_->addRow(QString(), adressKnoepfe_);
    gastForm_->addRow(QStringLiteral("Rechnung an"), cboAdrRechnung);

    // ---- the stay ----
    auto* aufenthalt = new QGroupBox(QStringLiteral("Aufenthalt"), this);
    aufenthalt->setObjectName(QStringLiteral("fraAufenthalt"));
    aufenthaltForm_ = form(aufenthalt);
    cboZimmer = auswahl(QStringLiteral("cboZimmer"), QStringLiteral("Zimmer der Reservierung"), false);
    cboZimmer->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Ferienwohnung 12")) + 30);
    optAlleZimmer = new QRadioButton(QStringLiteral("alle"), this);
    optAlleZimmer->setObjectName(QStringLiteral("OptZiAuswahl1_0"));
    optFreieZimmer = new QRadioButton(QStringLiteral("freie"), this);
    optFreieZimmer->setObjectName(QStringLiteral("OptZiAuswahl1_1"));
    const QString optHilfe = QStringLiteral("Die Zimmerliste zeigt alle Zimmer oder nur die im Zeitraum freien. F2 oder die rechte "
                                            "Maustaste legt die Vorgabe beim Öffnen fest.");
    optAlleZimmer->setToolTip(optHilfe);
    optFreieZimmer->setToolTip(optHilfe);
    auto* optGruppe = new QButtonGroup(this);
    optGruppe->addButton(optAlleZimmer);
    optGruppe->addButton(optFreieZimmer);
    fldVon = feld(QStringLiteral("fldVon"),
                  QStringLiteral("Anreisedatum (TT.MM.JJJJ). + und - verschieben das Datum um einen Tag."), 10, datumBreite);
    fldBis = feld(QStringLiteral("fldBis"),
                  QStringLiteral("Abreisedatum (TT.MM.JJJJ). + und - verschieben das Datum um einen Tag."), 10, datumBreite);
    fldResTage = feld(QStringLiteral("fldResTage"), QStringLiteral("Anzahl der Übernachtungen"), 0, zahlBreite);
    fldResTage->setReadOnly(true);
    fldResTage->setFocusPolicy(Qt::NoFocus);
    lbWarnung = new QFrame(this);
    lbWarnung->setObjectName(QStringLiteral("lbWarnung"));
    lbWarnung->setFrameShape(QFrame::StyledPanel);
    lbWarnung->setAutoFillBackground(true);
    lbWarnungSchrift = new QLabel(QStringLiteral("Das Zimmer ist in diesem Zeitraum bereits belegt."), lbWarnung);
    lbWarnungSchrift->setObjectName(QStringLiteral("lbWarnungSchrift"));
    lbWarnung->setToolTip(QStringLiteral("Wird rot, wenn das Zimmer im angegebenen Zeitraum bereits reserviert ist."));
    {
        auto* l = new QHBoxLayout(lbWarnung);
        l->setContentsMargins(6, 2, 6, 2);
        l->addWidget(lbWarnungSchrift);
    }
    cboArt = auswahl(QStringLiteral("cboArt"), QStringLiteral("Art der Reservierung; 'Angebot' macht sie zum Angebot."), false);
    fldAnzahlGäste = feld(QStringLiteral("fldAnzahlGäste"), QStringLiteral("Anzahl der Gäste einschließlich der Kinder"), 4, zahlBreite);
    txtAnz_Kinder = feld(QStringLiteral("txtAnz_Kinder"), QStringLiteral("Anzahl der Kinder unter den Gästen"), 4, zahlBreite);
    txtAlter_Kinder = feld(QStringLiteral("txtAlter_Kinder"), QStringLiteral("Alter der Kinder (nur zur Information)"), 50);
    chFrühstück = box(QStringLiteral("chFrühstück"), QStringLiteral("Frühstück"), QStringLiteral("Mit Frühstück"));
    chMittag = box(QStringLiteral("chMittag"), QStringLiteral("Mittagessen"), QStringLiteral("Mit Mittagessen"));
    chAbendessen = box(QStringLiteral("chAbendessen"), QStringLiteral("Abendessen"), QStringLiteral("Mit Abendessen"));
    const FormularEinstellungen& e = logik_->einstellungen();
    lblWäsche1 = new QLabel(e.waesche1Name, this);
    lblWäsche1->setObjectName(QStringLiteral("lblWäsche1"));
    lblWäsche2 = new QLabel(e.waesche2Name, this);
    lblWäsche2->setObjectName(QStringLiteral("lblWäsche2"));
    fldWäsche1 = feld(QStringLiteral("fldWäsche1"), QStringLiteral("Tage bis zum nächsten Wechsel: ") + e.waesche1Name, 4, zahlBreite);
    fldWäsche2 = feld(QStringLiteral("fldWäsche2"), QStringLiteral("Tage bis zum nächsten Wechsel: ") + e.waesche2Name, 4, zahlBreite);
    fldKürzel = feld(QStringLiteral("fldKürzel"),
                     QStringLiteral("Kurzinfo: der eindeutige Kurzname der Reservierung im Belegungsplan (höchstens 17 Zeichen)."),
                     ReservierungLogik::kKuerzelLaenge);
    fldKürzel->setAutoFillBackground(true);
    fldKürzel->setContextMenuPolicy(Qt::NoContextMenu);
    fldKürzel->setAcceptDrops(false);
    fldInfo = new QPlainTextEdit(this);
    fldInfo->setObjectName(QStringLiteral("fldInfo"));
    fldInfo->setToolTip(QStringLiteral("Bemerkungen zur Reservierung (höchstens 250 Zeichen)"));
    fldInfo->setTabChangesFocus(true);
    fldInfo->setFixedHeight(fontMetrics().lineSpacing() * 3 + 12);
    txtResDatum = feld(QStringLiteral("txtResDatum"), QStringLiteral("Datum, an dem die Reservierung angelegt wurde"), 10, datumBreite);
    txtBeNummer = feld(QStringLiteral("txtBeNummer"), QStringLiteral("Laufende Reservierungsnummer"), 0, zahlBreite + 10);
    txtBeNummer->setReadOnly(true);
    txtBeNummer->setFocusPolicy(Qt::NoFocus);
    txtBeNummer_eigen = feld(QStringLiteral("txtBeNummer_eigen"),
                             QStringLiteral("Reservierungsnummer für Ausdrucke. Ein leeres Feld oder ein Doppelklick vergibt die "
                                            "nächste Nummer."),
                             50);
    cboZahlart = auswahl(QStringLiteral("cboZahlart"),
                       QStringLiteral("Zahlart: die Eingabetaste nimmt eine neue Zahlart in die Liste auf, F2 entfernt sie."), true);
    cboZahlart->lineEdit()->setMaxLength(50);

    auto* lblZimmer = new QLabel(QStringLiteral("Zi&mmer"));
    lblZimmer->setBuddy(cboZimmer);
    aufenthaltForm_->addRow(lblZimmer, zeile({cboZimmer, optAlleZimmer, optFreieZimmer}));
    auto* lblZeitraum = new QLabel(QStringLiteral("&Zeitraum"));
    lblZeitraum->setBuddy(fldVon);
    aufenthaltForm_->addRow(lblZeitraum, zeile({fldVon, text(QStringLiteral("bis")), fldBis, fldResTage, text(QStringLiteral("Nächte"))}));
    aufenthaltForm_->addRow(QString(), lbWarnung);
    lblArt_ = new QLabel(QStringLiteral("&Belegungsart"));
    lblArt_->setBuddy(cboArt);
    aufenthaltForm_->addRow(lblArt_, cboArt);
    auto* lblGaeste = new QLabel(QStringLiteral("&Gästezahl"));
    lblGaeste->setBuddy(fldAnzahlGäste);
    aufenthaltForm_->addRow(lblGaeste, zeile({fldAnzahlGäste, text(QStringLiteral("davon Kinder ")), txtAnz_Kinder}));
    aufenthaltForm_->addRow(QStringLiteral("Alter der Kinder"), txtAlter_Kinder);
    aufenthaltForm_->addRow(QStringLiteral("Verpflegung"), zeile({chFrühstück, chMittag, chAbendessen}));
    aufenthaltForm_->addRow(QStringLiteral("Wäschewechsel"), zeile({lblWäsche1, fldWäsche1, lblWäsche2, fldWäsche2}));
    auto* lblKuerzel = new QLabel(QStringLiteral("&Kurzinfo"));
    lblKuerzel->setBuddy(fldKürzel);
    aufenthaltForm_->addRow(lblKuerzel, fldKürzel);
    aufenthaltForm_->addRow(QStringLiteral("Bemerkungen"), fldInfo);
    aufenthaltForm_->addRow(QStringLiteral("Erstellt am"), txtResDatum);
    aufenthaltForm_->addRow(QStringLiteral("Reservierungsnr."), zeile({txtBeNummer, txtBeNummer_eigen}, false));
    aufenthaltForm_->addRow(QStringLiteral("Zahlart"), cboZahlart);

    // ---- prices ----
    auto* preise = new QGroupBox(QStringLiteral("Preis"), this);
    preise->setObjectName(QStringLiteral("fraPreis"));
    preisForm_ = form(preise);
    cboTarif = auswahl(QStringLiteral("cboTarif"),
                     QStringLiteral("Preis pro Nacht: die Eingabetaste nimmt den Preis in die Liste auf, F2 entfernt ihn."), true);
    cboTarif->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.000,00")) + 40);
    fldPreis = feld(QStringLiteral("fldPreis"),
                    QStringLiteral("Gesamtpreis des Aufenthalts; ein eingetragener Preis wird als Pauschalpreis gespeichert."));
    chFix = box(QStringLiteral("chFix"), QStringLiteral("Preis fest"),
                QStringLiteral("Ein Wechsel des Zimmers oder der Zimmerpreise lässt den Preis dieser Reservierung unverändert."));
    cmdSaisonpreis = button(QStringLiteral("cmdSaisonpreis"), QStringLiteral("Saison&preis"),
                           QStringLiteral("Berechnet den Preis mit Hilfe der hinterlegten Saisonzeiten (Reservierungsübersicht - "
                                          "Saisonzeiten) und Saisonpreise (Reservierungsübersicht - Einstellungen - Zimmer)."));
    auto* lblTarif = new QLabel(QStringLiteral("Preis pro Nach&t"));
    lblTarif->setBuddy(cboTarif);
    preisForm_->addRow(lblTarif, cboTarif);
    auto* lblPreis = new QLabel(QStringLiteral("Gesamtpre&is"));
    lblPreis->setBuddy(fldPreis);
    preisForm_->addRow(lblPreis, fldPreis);
    preisForm_->addRow(QString(), zeile({chFix, cmdSaisonpreis}));

    // ---- status ----
    auto* status = new QGroupBox(QStringLiteral("Status"), this);
    status->setObjectName(QStringLiteral("fraStatus"));
    statusForm_ = form(status);
    lbChecked = button(QStringLiteral("lbChecked"), Belegung::checkedBeschriftung(false),
                      QStringLiteral("Checkt den Gast mit dem Datum daneben ein oder aus."));
    lbChecked->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Checked out")) + 30);
    fldCheckDatum = feld(QStringLiteral("fldCheckDatum"), QStringLiteral("Datum für das Ein- oder Auschecken"), 10, datumBreite);
    cmdHeute = button(QStringLiteral("cmdHeute"), QStringLiteral("&Heute"),
                     QStringLiteral("Checkt den Gast mit dem heutigen Datum ein oder aus."));
    cmdAnmeldung = button(QStringLiteral("cmdAnmeldung"), QStringLiteral("Anmel&dung"),
                         QStringLiteral("Druckt den Anmeldeschein und checkt den Gast ein."));
    cmdAbgerechnet = button(QStringLiteral("cmdAbgerechnet"), Belegung::abgerechnetBeschriftung(0),
                           QStringLiteral("Zeigt, ob die Reservierung abgerechnet ist."));
    cmdBezahlt = button(QStringLiteral("cmdBezahlt"), QStringLiteral("Nicht Bezahlt"),
                       QStringLiteral("Grün, wenn die Reservierung und ihre Zusatzposten abgerechnet und bezahlt sind."));
    cmdBlockbuchung = button(QStringLiteral("cmdBlockbuchung"), QStringLiteral("Blockbuchung"),
                            QStringLiteral("Markiert, wenn die Reservierung zu einer Blockbuchung gehört."));
    cmdBlockbuchung->setCheckable(true);
    statusForm_->addRow(QStringLiteral("Gast"), zeile({lbChecked, fldCheckDatum, cmdHeute}));
    statusForm_->addRow(QStringLiteral("Abrechnung"), zeile({cmdAbgerechnet, cmdBezahlt}));
    statusForm_->addRow(QString(), zeile({cmdAnmeldung, cmdBlockbuchung}));

    // ---- the waiting bookings of a day ----
    lblWarteposition = new QLabel(this);
    lblWarteposition->setObjectName(QStringLiteral("lblWarteposition"));
    QFont fett = lblWarteposition->font();
    fett.setBold(true);
    lblWarteposition->setFont(fett);
    cmdErster = button(QStringLiteral("cmdErster"), QStringLiteral("|<"), QStringLiteral("Erste vorläufige Reservierung dieses Tages"));
    cmdVoriger = button(QStringLiteral("cmdVoriger"), QStringLiteral("<"), QStringLiteral("Vorige vorläufige Reservierung"));
    cmdNächster = button(QStringLiteral("cmdNächster"), QStringLiteral(">"), QStringLiteral("Nächste vorläufige Reservierung"));
    cmdLetzter = button(QStringLiteral("cmdLetzter"), QStringLiteral(">|"), QStringLiteral("Letzte vorläufige Reservierung dieses Tages"));
    warteZeile_ = new QWidget(this);
    {
        auto* l = new QHBoxLayout(warteZeile_);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(lblWarteposition, 1);
        for (QPushButton* b : {cmdErster, cmdVoriger, cmdNächster, cmdLetzter}) {
            b->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral(">|")) + 30);
            l->addWidget(b);
        }
    }

    // ---- buttons ----
    cmdReservieren = button(QStringLiteral("cmdReservieren"), QStringLiteral("&Speichern"), QStringLiteral("Speichert die Reservierung."));
    cmdZu = button(QStringLiteral("cmdZu"), QStringLiteral("Speichern und schli&eßen"),
                  QStringLiteral("Speichert die Reservierung und schließt das Formular."));
    cmdWarten = button(QStringLiteral("cmdWarten"), QStringLiteral("&Warteposition"),
                      QStringLiteral("Speichert die Reservierung in der Warteposition (vorläufige Reservierung)."));
    cmdLöschen = button(QStringLiteral("cmdLöschen"), QStringLiteral("&Löschen"), QStringLiteral("Löscht die Reservierung endgültig."));
    cmdBestVorschau = button(QStringLiteral("cmdBestVorschau"), QStringLiteral("Bestätigung (ein&f.)"),
                            QStringLiteral("Speichert und öffnet das einfache Angebot oder die Bestätigung."));
    cmdRechnung = button(QStringLiteral("cmdRechnung"), QStringLiteral("Bestätigung/ &Rechnung"),
                        QStringLiteral("Öffnet die Übersicht der Rechnungen, Angebote und Bestätigungen."));
    cmdZahlDetails = button(QStringLiteral("cmdZahlDetails"), QStringLiteral("Zahl&ungen"),
                           QStringLiteral("Öffnet Rechnungen und Zahlungen dieser Reservierung."));
    cmdSchliessen = button(QStringLiteral("cmdSchliessen"), QStringLiteral("Schließen"),
                          QStringLiteral("Schließt das Formular; ungespeicherte Änderungen werden erfragt."));
    cmdBestVorschau->setEnabled(false);  // the document output is not part of the program yet
    cmdAnmeldung->setEnabled(false);
    cmdBlockbuchung->setEnabled(false);
    cmdAbgerechnet->setEnabled(false);
    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {cmdReservieren, cmdZu, cmdWarten, cmdLöschen}) knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    for (QPushButton* b : {cmdBestVorschau, cmdRechnung, cmdZahlDetails, cmdSchliessen}) knoepfe->addWidget(b);

    lblHilfe_ = new QLabel(this);
    lblHilfe_->setObjectName(QStringLiteral("lblHilfe"));
    lblHilfe_->setWordWrap(true);
    lblHilfe_->setFrameShape(QFrame::StyledPanel);
    lblHilfe_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHilfe_->setMinimumHeight(2 * fontMetrics().lineSpacing() + 6);
    lblHilfe_->setText(QStringLiteral("Zeigen Sie mit der Maus auf ein Feld, um hier eine Erklärung zu sehen."));

    auto* raster = new QGridLayout;
    raster->addWidget(gast, 0, 0);
    raster->addWidget(aufenthalt, 0, 1);
    raster->addWidget(preise, 1, 0);
    raster->addWidget(status, 1, 1);
    raster->setColumnStretch(0, 1);
    raster->setColumnStretch(1, 1);

    // The labels of the two groups of a column share one width, so that their boxes line up.
    for (const auto& spalte : {std::pair{gastForm_, preisForm_}, std::pair{aufenthaltForm_, statusForm_}}) {
        QList<QWidget*> labels;
        for (QFormLayout* f : {spalte.first, spalte.second})
            for (int r = 0; r < f->rowCount(); ++r)
                if (QLayoutItem* item = f->itemAt(r, QFormLayout::LabelRole); item && item->widget()) labels << item->widget();
        int breite = 0;
        for (QWidget* l : labels) breite = qMax(breite, l->sizeHint().width());
        for (QWidget* l : labels) l->setMinimumWidth(breite);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menue);
    layout->addWidget(warteZeile_);
    layout->addLayout(raster);
    layout->addWidget(lblHilfe_);
    layout->addLayout(knoepfe);
}

void frmReservierung::tabReihenfolge() {
    const QList<QWidget*> reihe = {cboGastNeu,    fldVorname,     cboAnrede,       fldFirma,      fldStrasse,     fldPLZ,
                                   fldStadt,      cboLand,        fldTelefon,      fldFax,        fldEmail,       fldBemerkAdr,
                                   chStammkunde,  cmdNeuAdress,   cmdEditAdress,   cmdAdresseSpeichern, cboAdrRechnung,
                                   cboZimmer,     optAlleZimmer,  optFreieZimmer,  fldVon,        fldBis,         cboArt,
                                   fldAnzahlGäste, txtAnz_Kinder, txtAlter_Kinder, chFrühstück,   chMittag,       chAbendessen,
                                   fldWäsche1,    fldWäsche2,     fldKürzel,       fldInfo,       txtResDatum,    txtBeNummer_eigen,
                                   cboZahlart,    cboTarif,       fldPreis,        chFix,         cmdSaisonpreis, lbChecked,
                                   fldCheckDatum, cmdHeute,       cmdAbgerechnet,  cmdBezahlt,    cmdAnmeldung,   cmdBlockbuchung,
                                   cmdReservieren, cmdZu,         cmdWarten,       cmdLöschen,    cmdBestVorschau, cmdRechnung,
                                   cmdZahlDetails, cmdSchliessen, cmdErster,       cmdVoriger,    cmdNächster,    cmdLetzter};
    for (int i = 1; i < reihe.size(); ++i) setTabOrder(reihe[i - 1], reihe[i]);
}

// ---- wiring ----------------------------------------------------------------------------------

void frmReservierung::verbinden() {
    // Keys each box accepts.
    for (QLineEdit* e : {fldAnzahlGäste, txtAnz_Kinder, fldWäsche1, fldWäsche2})
        new TastenFilter(e, [](QChar c, const QString&) { return ReservierungLogik::nurZiffern(c); });
    new TastenFilter(fldKürzel, &ReservierungLogik::kuerzelZeichenErlaubt);
    for (QLineEdit* e : {fldCheckDatum, txtResDatum})
        new TastenFilter(e, [](QChar c, const QString&) { return ReservierungLogik::datumZeichenErlaubt(c); });

    for (QObject* o : std::initializer_list<QObject*>{
             fldVon, fldBis, fldCheckDatum, txtResDatum, fldAnzahlGäste, fldWäsche1, fldWäsche2, fldInfo, cboTarif, fldPreis,
             fldKürzel, txtBeNummer_eigen, cboGastNeu, cboAdrRechnung, cboLand, cboAnrede, cboZahlart, fldPLZ, fldStadt,
             fldVorname, fldFirma, fldStrasse, fldTelefon, fldFax, fldEmail, fldBemerkAdr, optAlleZimmer, optFreieZimmer,
             chStammkunde})
        o->installEventFilter(this);

    // ---- the booking part: every edit marks the booking changed ----
    const auto bearbeitet = [this] {
        if (!fuellen_) ausfuehren([this] { logik_->geaendert(); });
    };
    for (QLineEdit* e : {txtAnz_Kinder, txtAlter_Kinder, fldAnzahlGäste, fldWäsche1, fldWäsche2, fldPreis, txtResDatum,
                         fldCheckDatum, txtBeNummer_eigen})
        connect(e, &QLineEdit::textEdited, this, bearbeitet);
    connect(fldInfo, &QPlainTextEdit::textChanged, this, bearbeitet);
    connect(cboZahlart, &QComboBox::currentTextChanged, this, bearbeitet);
    connect(cboTarif, &QComboBox::editTextChanged, this, bearbeitet);
    for (QCheckBox* c : {chFrühstück, chMittag, chAbendessen})
        connect(c, &QCheckBox::toggled, this, bearbeitet);
    connect(cboTarif, &QComboBox::activated, this, [this] {
        if (!fuellen_) ausfuehren([this] { logik_->tarifVerlassen(); });
    });
    connect(chFix, &QCheckBox::toggled, this, [this](bool an) {
        if (!fuellen_) ausfuehren([this, an] { logik_->fixGeaendert(an); });
    });
    connect(fldVon, &QLineEdit::textEdited, this, [this] { ausfuehren([this] { logik_->datumGeaendert(); }); });
    connect(fldBis, &QLineEdit::textEdited, this, [this] { ausfuehren([this] { logik_->datumGeaendert(); }); });
    connect(fldKürzel, &QLineEdit::textEdited, this, [this] { ausfuehren([this] { logik_->kuerzelGeaendert(); }); });
    connect(cboArt, &QComboBox::activated, this, [this](int i) { ausfuehren([this, i] { logik_->artGewaehlt(i); }); });
    connect(cboZimmer, &QComboBox::activated, this, [this] {
        const QString label = cboZimmer->currentText();
        ausfuehren([this, label] { logik_->zimmerGewaehlt(label); });
    });
    connect(optAlleZimmer, &QRadioButton::clicked, this, [this] { ausfuehren([this] { logik_->setFreieZimmer(false); }); });
    connect(optFreieZimmer, &QRadioButton::clicked, this, [this] { ausfuehren([this] { logik_->setFreieZimmer(true); }); });

    // ---- the guest address ----
    AdressLogik& adresse = logik_->adresse();
    connect(&adresse, &AdressLogik::felderGeaendert, this, [this] {
        if (!fuellen_) adresseAnzeigen();
    });
    connect(&adresse, &AdressLogik::adressenGeaendert, this, [this] { adresslistenFuellen(); });
    connect(&adresse, &AdressLogik::laenderGeaendert, this, [this] {
        fuellen_ = true;
        QStringList namen;
        for (const ListenEintrag& l : logik_->adresse().laender()) namen << l.text;
        liste(cboLand, namen);
        fuellen_ = false;
    });
    connect(cboGastNeu->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        gastTippen_ = true;
        ausfuehren([this, t] {
            logik_->adresse().tippen(t);
            logik_->geaendert();
        });
        gastTippen_ = false;
    });
    connect(cboGastNeu, &QComboBox::activated, this, [this](int i) {
        const int id = cboGastNeu->itemData(i).toInt();
        ausfuehren([this, id] {
            logik_->adresse().laden(id);
            logik_->geaendert();
        });
    });
    connect(cboAdrRechnung->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        rechnungTippen_ = true;
        ausfuehren([this, t] {
            logik_->adresse().rechnungsadresseTippen(t);
            logik_->geaendert();
        });
        rechnungTippen_ = false;
    });
    connect(cboAdrRechnung, &QComboBox::activated, this, [this](int i) {
        const int id = cboAdrRechnung->itemData(i).toInt();
        ausfuehren([this, id] {
            logik_->adresse().setRechnungsadresse(id);
            logik_->geaendert();
        });
    });
    const QList<QPair<QLineEdit*, AdressFeld>> adressfelder = {
        {fldVorname, AdressFeld::Vorname}, {fldFirma, AdressFeld::Firma},     {fldStrasse, AdressFeld::Strasse},
        {fldPLZ, AdressFeld::Plz},         {fldTelefon, AdressFeld::Telefon}, {fldFax, AdressFeld::Fax},
        {fldEmail, AdressFeld::Email},     {fldBemerkAdr, AdressFeld::Bemerkung}};
    for (const auto& [e, f] : adressfelder) {
        const AdressFeld feld = f;
        connect(e, &QLineEdit::textEdited, this, [this, feld](const QString& t) { logik_->adresse().setFeld(feld, t); });
    }
    const QList<QPair<QComboBox*, AdressFeld>> adresslisten = {
        {cboAnrede, AdressFeld::Anrede}, {fldStadt, AdressFeld::Ort}, {cboLand, AdressFeld::Land}};
    for (const auto& [c, f] : adresslisten) {
        const AdressFeld feld = f;
        connect(c, &QComboBox::currentTextChanged, this, [this, feld](const QString& t) {
            if (fuellen_) return;
            logik_->adresse().setFeld(feld, t);
            if (feld == AdressFeld::Ort) logik_->adresse().ortGewaehlt(t);
        });
    }
    connect(chStammkunde, &QCheckBox::toggled, this, [this](bool an) {
        if (fuellen_) return;
        // A locked address keeps its mark; the box stays usable for F2 and the right mouse button.
        if (logik_->adresse().felderGesperrt())
            adresseAnzeigen();
        else
            logik_->adresse().setStammkunde(an);
    });
    connect(cmdNeuAdress, &QPushButton::clicked, this, [this] {
        ausfuehren([this] {
            logik_->adresse().cmdNeuAdress();
            logik_->geaendert();
        });
        cboGastNeu->setFocus();
    });
    connect(cmdEditAdress, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->adresse().cmdEditAdress(); }); });
    connect(cmdAdresseSpeichern, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->adresse().AdressSpeichern(); }); });

    // ---- prices and status ----
    connect(cmdSaisonpreis, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->saisonpreisKlick(); }); });
    connect(lbChecked, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->checkedKlick(); }); });
    connect(cmdHeute, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->heuteKlick(); }); });
    connect(cmdBezahlt, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->bezahltKlick(); }); });

    // ---- saving ----
    connect(cmdReservieren, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->speichern(); }); });
    connect(cmdZu, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->zu(); }); });
    connect(cmdWarten, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->warten(); }); });
    connect(cmdLöschen, &QPushButton::clicked, this, [this] { ausfuehren([this] { logik_->loeschen(); }); });
    connect(cmdSchliessen, &QPushButton::clicked, this, &frmReservierung::reject);

    // ---- the waiting position ----
    const QList<QPair<QPushButton*, Blaettern>> blaettern = {{cmdErster, Blaettern::Erster},
                                                              {cmdVoriger, Blaettern::Voriger},
                                                              {cmdNächster, Blaettern::Naechster},
                                                              {cmdLetzter, Blaettern::Letzter}};
    for (const auto& [b, r] : blaettern) {
        const Blaettern richtung = r;
        connect(b, &QPushButton::clicked, this, [this, richtung] { ausfuehren([this, richtung] { logik_->blaettern(richtung); }); });
    }

    // ---- windows of other parts ----
    connect(cmdRechnung, &QPushButton::clicked, this, [this] {
        if (!anschluesse().rechnungen) return;
        uebernehmen();
        if (logik_->felder().istNeu() || logik_->hatAenderungen()) {
            if (!logik_->speichern()) {
                anzeigen();
                return;
            }
        }
        anzeigen();
        anschluesse().rechnungen(logik_->felder().id, this);
        ausfuehren([this] { logik_->laden(logik_->felder().id); });
    });
    connect(cmdZahlDetails, &QPushButton::clicked, this, [this] {
        if (!anschluesse().zahlungen || !logik_->zahlDetailsMoeglich()) return;
        anschluesse().zahlungen(logik_->felder().id, this);
        anzeigen();
    });
    for (QAction* a : {mnuRechnungAdr, mnuRechnungsadresse}) {
        const bool rechnung = a == mnuRechnungsadresse;
        connect(a, &QAction::triggered, this, [this, rechnung] {
            if (!anschluesse().konto) return;
            uebernehmen();
            if (const int id = logik_->kontoAdresse(rechnung)) anschluesse().konto(id, this);
            anzeigen();
        });
    }
    connect(mnuStatus, &QAction::triggered, this, [this] { ausfuehren([this] { logik_->statusKorrektur(); }); });
    connect(mnuWeiterePersonen, &QAction::triggered, this, [this] {
        uebernehmen();
        const bool weiter = logik_->weiterePersonenVorbereiten();
        anzeigen();
        if (!weiter) return;
        frmWeitere weitere(db_, dialogs_, logik_->felder().id, this);
        weitere.exec();
        adresslistenFuellen();
    });
    connect(mnuZimmerauswahl, &QAction::triggered, this, [this] {
        if (const auto freie = frmZimmerauswahl::waehlen(logik_->freieZimmer(), this))
            ausfuehren([this, f = *freie] { logik_->setFreieZimmer(f); });
    });
    connect(cmdGroesser, &QAction::triggered, this, [this] { ausfuehren([this] { logik_->setGroesse(Groesse::Gross); }); });
    connect(cmdKleiner, &QAction::triggered, this, [this] { ausfuehren([this] { logik_->setGroesse(Groesse::Klein); }); });
}

// ---- showing ---------------------------------------------------------------------------------

void frmReservierung::listenFuellen() {
    fuellen_ = true;
    cboArt->clear();
    cboArt->addItems(logik_->artNamen());
    QStringList laender;
    for (const ListenEintrag& l : logik_->adresse().laender()) laender << l.text;
    liste(cboLand, laender);
    liste(cboAnrede, logik_->adresse().anreden());
    liste(cboZahlart, logik_->zahlarten());
    liste(cboTarif, logik_->tarifliste().fuellen());
    fuellen_ = false;
    adresslistenFuellen();
}

void frmReservierung::adresslistenFuellen() {
    const bool vorher = fuellen_;
    fuellen_ = true;
    const QList<AdressEintrag> adressen = AdressLogik::adressListe(db_);
    for (QComboBox* c : {cboGastNeu, cboAdrRechnung}) {
        const QString text = c->currentText();
        c->clear();
        for (const AdressEintrag& a : adressen) c->addItem(a.text, a.id);
        c->setEditText(text);
    }
    fuellen_ = vorher;
    adresseAnzeigen();
}

void frmReservierung::zimmerlisteFuellen() {
    QStringList labels{QString()};
    labels << logik_->zimmerLabels();
    const QString zimmer = logik_->felder().zimmer.trimmed();
    // A booking whose room is not offered (the waiting row's room) still shows it.
    if (!zimmer.isEmpty() && !labels.contains(zimmer)) labels << zimmer;
    liste(cboZimmer, labels);
    cboZimmer->setCurrentIndex(qMax(0, cboZimmer->findText(zimmer)));
}

void frmReservierung::adresseAnzeigen() {
    const bool vorher = fuellen_;
    fuellen_ = true;
    const AdressLogik& a = logik_->adresse();
    const AdressFelder& f = a.felder();
    // While the user types in the guest box, the box keeps what is typed.
    if (!gastTippen_) setzen(cboGastNeu, f.nachname);
    setzen(fldVorname, f.vorname);
    setzen(cboAnrede, f.anrede);
    setzen(fldFirma, f.firma);
    setzen(fldStrasse, f.strasse);
    setzen(fldPLZ, f.plz);
    setzen(fldStadt, f.ort);
    setzen(cboLand, f.land);
    setzen(fldTelefon, f.telefon);
    setzen(fldFax, f.fax);
    setzen(fldEmail, f.email);
    setzen(fldBemerkAdr, f.bemerkung);
    setzen(chStammkunde, f.stammkunde);
    const bool gesperrt = a.felderGesperrt();
    // Locked fields look like it: the background of the window instead of the white of an input box.
    const QColor gesperrtFarbe = gesperrt ? palette().color(QPalette::Window) : QColor();
    for (QLineEdit* e : {fldVorname, fldFirma, fldStrasse, fldPLZ, fldTelefon, fldFax, fldEmail, fldBemerkAdr}) {
        e->setReadOnly(gesperrt);
        hintergrund(e, gesperrtFarbe, QPalette::Base);
    }
    for (QComboBox* c : {cboAnrede, fldStadt, cboLand}) {
        c->lineEdit()->setReadOnly(gesperrt);
        hintergrund(c->lineEdit(), gesperrtFarbe, QPalette::Base);
    }
    cmdAdresseSpeichern->setEnabled(!gesperrt || f.geaendert);
    // The invoice-address box shows the chosen address, or nothing; not while the user types in it.
    if (!rechnungTippen_) {
        const int rechnung = a.rechnungsadresseId();
        const int index = rechnung == 0 ? -1 : cboAdrRechnung->findData(rechnung);
        if (index < 0)
            setzen(cboAdrRechnung, QString());
        else if (cboAdrRechnung->currentIndex() != index || cboAdrRechnung->currentText() != cboAdrRechnung->itemText(index)) {
            cboAdrRechnung->setCurrentIndex(index);
            cboAdrRechnung->setEditText(cboAdrRechnung->itemText(index));
        }
    }
    fuellen_ = vorher;
}

void frmReservierung::anzeigen() {
    fuellen_ = true;
    ReservierungLogik& l = *logik_;
    const ReservierungsFelder& f = l.felder();

    zimmerlisteFuellen();
    {
        const QSignalBlocker sperre(optAlleZimmer);
        optAlleZimmer->setChecked(!l.freieZimmer());
        optFreieZimmer->setChecked(l.freieZimmer());
    }
    setzen(fldVon, f.von);
    setzen(fldBis, f.bis);
    setzen(fldResTage, f.naechte);
    lbWarnung->setEnabled(f.warnung);
    lbWarnungSchrift->setEnabled(f.warnung);
    hintergrund(lbWarnung, f.warnung ? kRot : QColor(), QPalette::Window);
    hintergrund(lbWarnungSchrift, f.warnung ? QColor(Qt::white) : QColor(), QPalette::WindowText);
    if (cboArt->currentIndex() != f.artIndex) cboArt->setCurrentIndex(f.artIndex);
    lblArt_->setText(QStringLiteral("&") + f.artBeschriftung);
    setzen(fldAnzahlGäste, f.gaeste);
    setzen(txtAnz_Kinder, f.kinder);
    setzen(txtAlter_Kinder, f.alterKinder);
    setzen(chFrühstück, f.fruehstueck);
    setzen(chMittag, f.mittag);
    setzen(chAbendessen, f.abendessen);
    setzen(fldWäsche1, f.waesche1);
    setzen(fldWäsche2, f.waesche2);
    setzen(fldKürzel, f.kuerzel);
    switch (l.kuerzelFarbe()) {
        case KuerzelFarbe::Normal: hintergrund(fldKürzel, QColor(), QPalette::Base); break;
        case KuerzelFarbe::Warnung: hintergrund(fldKürzel, kWarnung, QPalette::Base); break;
        case KuerzelFarbe::Gruen: hintergrund(fldKürzel, kGruen, QPalette::Base); break;
    }
    if (fldInfo->toPlainText() != f.info) fldInfo->setPlainText(f.info);
    setzen(txtResDatum, f.erstelltAm);
    setzen(txtBeNummer, f.belegNummer);
    setzen(txtBeNummer_eigen, f.belegNummerEigen);
    setzen(cboZahlart, f.zahlart);
    setzen(cboTarif, f.tarif);
    setzen(fldPreis, f.preis);
    setzen(chFix, f.fix);
    hintergrund(cmdSaisonpreis, l.saisonpreis() ? kGruen : QColor());

    lbChecked->setText(Belegung::checkedBeschriftung(f.eingecheckt));
    hintergrund(lbChecked, farbe(Belegung::checkedFarbe(f.eingecheckt)));
    hintergrund(cmdHeute, farbe(Belegung::checkedFarbe(f.eingecheckt)));
    setzen(fldCheckDatum, f.checkDatum);
    cmdAbgerechnet->setText(Belegung::abgerechnetBeschriftung(f.abgerechnet));
    const bool bezahlt = l.bezahlt();
    cmdBezahlt->setText(l.bezahltText());
    hintergrund(cmdBezahlt, bezahlt ? kGruen : QColor());
    cmdBlockbuchung->setChecked(f.blockbuchung);

    cmdBestVorschau->setText(l.bestVorschauBeschriftung());
    cmdRechnung->setText(l.rechnungBeschriftung());
    cmdWarten->setEnabled(f.cmdWartenEnabled);
    cmdLöschen->setEnabled(!f.istNeu() && f.cmdLoeschenEnabled);
    cmdRechnung->setEnabled(static_cast<bool>(anschluesse().rechnungen));
    cmdZahlDetails->setEnabled(static_cast<bool>(anschluesse().zahlungen));
    cmdBezahlt->setEnabled(static_cast<bool>(anschluesse().rechnungen));
    mnuRechnungAdr->setEnabled(static_cast<bool>(anschluesse().konto));
    mnuRechnungsadresse->setEnabled(static_cast<bool>(anschluesse().konto));

    warteZeile_->setVisible(l.imBlaettern());
    if (l.imBlaettern()) {
        lblWarteposition->setText(l.warteTitel());
        cmdErster->setEnabled(l.kannBlaettern(Blaettern::Erster));
        cmdVoriger->setEnabled(l.kannBlaettern(Blaettern::Voriger));
        cmdNächster->setEnabled(l.kannBlaettern(Blaettern::Naechster));
        cmdLetzter->setEnabled(l.kannBlaettern(Blaettern::Letzter));
    }
    setWindowTitle(f.istNeu() ? QStringLiteral("Neue Reservierung")
                              : QStringLiteral("Reservierung ") + f.kuerzel.trimmed());
    if (!f.istNeu()) variablen().letzteReservierung = f.id;
    fuellen_ = false;

    adresseAnzeigen();
    groesseAnwenden();
}

void frmReservierung::groesseAnwenden() {
    const Groesse g = logik_->angezeigteGroesse();
    {
        const QSignalBlocker a(cmdGroesser), b(cmdKleiner);
        cmdGroesser->setChecked(logik_->groesse() == Groesse::Gross);
        cmdKleiner->setChecked(logik_->groesse() == Groesse::Klein);
    }
    if (groesseGesetzt_ && g == gezeigteGroesse_) return;
    groesseGesetzt_ = true;
    gezeigteGroesse_ = g;
    const bool gross = g == Groesse::Gross;
    // The small form keeps what a booking needs: guest, room, dates, kind, guests, short name,
    // price, status, save and close.
    for (QWidget* w : {static_cast<QWidget*>(fldVorname), static_cast<QWidget*>(cboAnrede), static_cast<QWidget*>(fldFirma),
                       static_cast<QWidget*>(fldStrasse), fldPLZ->parentWidget(), static_cast<QWidget*>(cboLand),
                       fldTelefon->parentWidget(), static_cast<QWidget*>(fldEmail), static_cast<QWidget*>(fldBemerkAdr),
                       static_cast<QWidget*>(chStammkunde), adressKnoepfe_, static_cast<QWidget*>(cboAdrRechnung)})
        gastForm_->setRowVisible(w, gross);
    for (QWidget* w : {static_cast<QWidget*>(txtAlter_Kinder), chFrühstück->parentWidget(), fldWäsche1->parentWidget(),
                       static_cast<QWidget*>(fldInfo), static_cast<QWidget*>(txtResDatum), txtBeNummer->parentWidget(),
                       static_cast<QWidget*>(cboZahlart)})
        aufenthaltForm_->setRowVisible(w, gross);
    preisForm_->setRowVisible(chFix->parentWidget(), gross);
    statusForm_->setRowVisible(cmdAbgerechnet->parentWidget(), gross);
    statusForm_->setRowVisible(cmdAnmeldung->parentWidget(), gross);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdWarten, cmdLöschen, cmdBestVorschau, cmdRechnung, cmdZahlDetails, lblHilfe_,
                                                      txtAnz_Kinder, optAlleZimmer, optFreieZimmer})
        w->setVisible(gross);
    // "davon Kinder " belongs to its box.
    if (auto* zeileGaeste = fldAnzahlGäste->parentWidget())
        for (QLabel* lbl : zeileGaeste->findChildren<QLabel*>()) lbl->setVisible(gross);
    QTimer::singleShot(0, this, [this] {
        setMinimumSize(0, 0);
        adjustSize();
        resize(sizeHint());
    });
    setMinimumSize(0, 0);
    adjustSize();
    resize(sizeHint());
}

void frmReservierung::fokusSetzen() {
    ReservierungsFelder& f = logik_->felder();
    QWidget* ziel = nullptr;
    switch (f.fokus) {
        case Fokus::Keiner: break;
        case Fokus::GastName: ziel = cboGastNeu; break;
        case Fokus::Kuerzel: ziel = fldKürzel; break;
        case Fokus::Zimmer: ziel = cboZimmer; break;
        case Fokus::Von: ziel = fldVon; break;
        case Fokus::Bis: ziel = fldBis; break;
        case Fokus::Land: ziel = cboLand; break;
        case Fokus::CheckDatum: ziel = fldCheckDatum; break;
    }
    f.fokus = Fokus::Keiner;
    if (ziel && ziel->isVisible()) ziel->setFocus(Qt::OtherFocusReason);
}

// ---- running operations ------------------------------------------------------------------------

void frmReservierung::uebernehmen() {
    ReservierungsFelder& f = logik_->felder();
    f.gastName = cboGastNeu->currentText();
    f.kuerzel = fldKürzel->text();
    f.von = fldVon->text();
    f.bis = fldBis->text();
    f.gaeste = fldAnzahlGäste->text();
    f.kinder = txtAnz_Kinder->text();
    f.alterKinder = txtAlter_Kinder->text();
    f.fruehstueck = chFrühstück->isChecked();
    f.mittag = chMittag->isChecked();
    f.abendessen = chAbendessen->isChecked();
    f.waesche1 = fldWäsche1->text();
    f.waesche2 = fldWäsche2->text();
    f.tarif = cboTarif->currentText();
    f.preis = fldPreis->text();
    f.fix = chFix->isChecked();
    f.info = fldInfo->toPlainText();
    f.belegNummerEigen = txtBeNummer_eigen->text();
    f.erstelltAm = txtResDatum->text();
    f.checkDatum = fldCheckDatum->text();
    f.zahlart = cboZahlart->currentText();
    f.artBeschriftung = lblArt_->text().remove(QLatin1Char('&'));
}

void frmReservierung::ausfuehren(const std::function<void()>& was) {
    if (fuellen_) return;
    uebernehmen();
    was();
    anzeigen();
    fokusSetzen();
    folgefensterOeffnen();
    schliessenWennVerlangt();
}

void frmReservierung::folgefensterOeffnen() {
    ReservierungsFelder& f = logik_->felder();
    const Folgefenster ziel = f.folgefenster;
    f.folgefenster = Folgefenster::Keines;
    if (ziel == Folgefenster::Rechnungsuebersicht && anschluesse().rechnungen) anschluesse().rechnungen(f.id, this);
    if (ziel == Folgefenster::Zahlungen && anschluesse().zahlungen) anschluesse().zahlungen(f.id, this);
}

void frmReservierung::schliessenWennVerlangt() {
    ReservierungsFelder& f = logik_->felder();
    if (!f.schliessen) return;
    f.schliessen = false;
    // Saved and closed, deleted, or discarded in the collision dialog: nothing left to ask.
    QDialog::done(f.id != 0 && f.geaendert != QLatin1String("Ja") ? QDialog::Accepted : QDialog::Rejected);
}

void frmReservierung::reject() {
    uebernehmen();
    const bool zu = logik_->aenderungenKlaeren();
    if (!zu) {
        anzeigen();
        fokusSetzen();
        return;
    }
    QDialog::reject();
}

// ---- keys and leaving boxes --------------------------------------------------------------------

void frmReservierung::zurueck(QWidget* feld) {
    QTimer::singleShot(0, feld, [this, feld] {
        zurueckLaeuft_ = true;
        feld->setFocus(Qt::OtherFocusReason);
        zurueckLaeuft_ = false;
    });
}

bool frmReservierung::tasteFiltern(QObject* watched, QKeyEvent* key) {
    const QString text = key->text();
    const QChar zeichen = text.size() == 1 ? text.at(0) : QChar();
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool f2 = key->key() == Qt::Key_F2;

    if (watched == fldVon || watched == fldBis) {
        if (key->modifiers() & Qt::ControlModifier) return false;
        const bool von = watched == fldVon;
        if (zeichen == QLatin1Char('+') || zeichen == QLatin1Char('-')) {
            ausfuehren([this, von, zeichen] { logik_->datumTaste(von, zeichen); });
            return true;
        }
        if (key->key() == Qt::Key_Backspace) return false;
        return zeichen.isPrint() && !ReservierungLogik::datumZeichenErlaubt(zeichen);
    }
    if (watched == fldKürzel) {
        // No blank at the start, wherever the cursor stands; nothing pasted.
        if (zeichen == QLatin1Char(' ') && fldKürzel->cursorPosition() == 0) return true;
        return key->matches(QKeySequence::Paste);
    }
    if (watched == cboTarif) {
        if (enter) {
            ausfuehren([this] {
                if (logik_->tarifEnter()) liste(cboTarif, logik_->tarifliste().fuellen());
            });
            return true;
        }
        if (f2) {
            ausfuehren([this] {
                if (logik_->tarifEntfernen()) {
                    fuellen_ = true;
                    liste(cboTarif, logik_->tarifliste().fuellen());
                    fuellen_ = false;
                }
            });
            return true;
        }
        if (key->modifiers() & Qt::ControlModifier) return false;
        if (key->key() == Qt::Key_Backspace) return false;
        return zeichen.isPrint() && !Tarifliste::tasteErlaubt(zeichen, cboTarif->currentText());
    }
    if (watched == cboGastNeu) {
        if (!text.isEmpty() && !AdressLogik::tasteErlaubt(zeichen)) return true;
        if (f2) {
            ausfuehren([this] { logik_->adresse().adresseLoeschen(logik_->adresse().gastId()); });
            return true;
        }
        // While an address is shown, the arrow keys step through the hits of the search.
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && !cboGastNeu->view()->isVisible() &&
            logik_->adresse().felderGesperrt()) {
            const bool weiter = key->key() == Qt::Key_Down;
            ausfuehren([this, weiter] {
                const int id = weiter ? logik_->adresse().naechsterTreffer() : logik_->adresse().vorigerTreffer();
                if (id != 0) logik_->geaendert();
            });
            return true;
        }
        if (enter) return true;
        return false;
    }
    if (watched == cboAdrRechnung) {
        if (key->key() == Qt::Key_Right && !cboAdrRechnung->view()->isVisible()) {
            cboAdrRechnung->showPopup();
            return true;
        }
        if (key->key() == Qt::Key_Left && cboAdrRechnung->view()->isVisible()) {
            cboAdrRechnung->hidePopup();
            return true;
        }
        return enter;
    }
    if (watched == cboLand) {
        if (enter) {
            ausfuehren([this] { logik_->adresse().landEnter(cboLand->currentText()); });
            return true;
        }
        if (f2) {
            const QString land = cboLand->currentText().trimmed();
            int id = 0;
            for (const ListenEintrag& l : logik_->adresse().laender())
                if (l.text == land) id = l.id;
            ausfuehren([this, id] { logik_->adresse().landEntfernen(id); });
            return true;
        }
        return false;
    }
    if (watched == cboAnrede) {
        if (enter) {
            ausfuehren([this] {
                logik_->adresse().anredeEnter(cboAnrede->currentText());
                fuellen_ = true;
                liste(cboAnrede, logik_->adresse().anreden());
                fuellen_ = false;
            });
            return true;
        }
        if (f2) {
            ausfuehren([this] {
                if (logik_->adresse().anredeEntfernen(cboAnrede->currentText())) {
                    fuellen_ = true;
                    liste(cboAnrede, logik_->adresse().anreden());
                    fuellen_ = false;
                }
            });
            return true;
        }
        return false;
    }
    if (watched == cboZahlart) {
        if (enter || f2) {
            const QString zahlart = cboZahlart->currentText();
            ausfuehren([this, enter, zahlart] {
                const bool neu = enter ? logik_->zahlartEnter(zahlart) : logik_->zahlartEntfernen(zahlart);
                if (!neu) return;
                fuellen_ = true;
                liste(cboZahlart, logik_->zahlarten());
                fuellen_ = false;
                if (!enter) logik_->felder().zahlart.clear();
            });
            return true;
        }
        return false;
    }
    if (watched == optAlleZimmer || watched == optFreieZimmer) {
        if (!f2) return false;
        ausfuehren([this] { logik_->zimmerauswahlVorgabe(); });
        return true;
    }
    if (watched == chStammkunde) {
        if (!f2) return false;
        ausfuehren([this] { logik_->stammkundenVorgabe(); });
        return true;
    }
    return false;
}

bool frmReservierung::feldVerlassen(QObject* watched) {
    ReservierungLogik& l = *logik_;
    uebernehmen();
    bool ok = true;
    QWidget* feld = qobject_cast<QWidget*>(watched);
    if (watched == fldVon || watched == fldBis) {
        ok = l.datumVerlassen(watched == fldVon);
    } else if (watched == fldCheckDatum) {
        ok = l.checkDatumVerlassen();
    } else if (watched == txtResDatum) {
        ok = l.resDatumVerlassen();
    } else if (watched == fldAnzahlGäste) {
        ok = l.zahlVerlassen(ZahlFeld::Gaeste);
    } else if (watched == fldWäsche1) {
        ok = l.zahlVerlassen(ZahlFeld::Waesche1);
    } else if (watched == fldWäsche2) {
        ok = l.zahlVerlassen(ZahlFeld::Waesche2);
    } else if (watched == fldInfo) {
        ok = l.infoVerlassen();
    } else if (watched == cboTarif) {
        if (cboTarif->lineEdit()->isModified()) l.tarifVerlassen();
        cboTarif->lineEdit()->setModified(false);
    } else if (watched == fldPreis) {
        if (fldPreis->isModified()) l.preisVerlassen();
        fldPreis->setModified(false);
    } else if (watched == txtBeNummer_eigen) {
        l.belegNummerVerlassen();
    } else if (watched == fldPLZ) {
        l.adresse().feldVerlassen(AdressFeld::Plz);
        const QList<PlzOrt> orte = l.adresse().plzVerlassen();
        if (orte.size() > 1) {
            QStringList namen;
            for (const PlzOrt& o : orte) namen << o.ort;
            fuellen_ = true;
            liste(fldStadt, namen);
            fuellen_ = false;
        }
    } else if (watched == cboGastNeu) {
        gastTippen_ = false;
    } else if (watched == cboAdrRechnung) {
        // The box shows the chosen invoice address, or nothing.
    } else {
        const QList<QPair<QObject*, AdressFeld>> felder = {
            {fldVorname, AdressFeld::Vorname}, {fldFirma, AdressFeld::Firma},   {fldStrasse, AdressFeld::Strasse},
            {fldTelefon, AdressFeld::Telefon}, {fldFax, AdressFeld::Fax},       {fldEmail, AdressFeld::Email},
            {fldBemerkAdr, AdressFeld::Bemerkung}, {cboAnrede, AdressFeld::Anrede}, {fldStadt, AdressFeld::Ort}};
        for (const auto& [w, f] : felder)
            if (w == watched) l.adresse().feldVerlassen(f);
    }
    // The refused box gets the focus back here; a focus request left in the logic would pull it
    // back again at the next operation.
    l.felder().fokus = Fokus::Keiner;
    anzeigen();
    if (!ok && feld) zurueck(feld);
    return ok;
}

bool frmReservierung::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (tasteFiltern(watched, static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::FocusOut:
            if (istVerlassen(event) && !fuellen_ && !pruefen_ && !zurueckLaeuft_) {
                pruefen_ = true;
                feldVerlassen(watched);
                pruefen_ = false;
            }
            break;
        case QEvent::MouseButtonPress: {
            const auto* maus = static_cast<QMouseEvent*>(event);
            if (maus->button() != Qt::RightButton) break;
            if (watched == optAlleZimmer || watched == optFreieZimmer) {
                ausfuehren([this] { logik_->zimmerauswahlVorgabe(); });
                return true;
            }
            if (watched == chStammkunde) {
                ausfuehren([this] { logik_->stammkundenVorgabe(); });
                return true;
            }
            if (watched == cboAdrRechnung) {
                ausfuehren([this] {
                    if (logik_->adresse().rechnungsadresseAlsGast()) logik_->geaendert();
                });
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (watched == txtBeNummer_eigen) {
                ausfuehren([this] { logik_->belegNummerVergeben(); });
                return true;
            }
            break;
        default: break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tav
