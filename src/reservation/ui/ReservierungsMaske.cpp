#include "reservation/ui/ReservierungsMaske.h"

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ui/WindowParts.h"
#include "reservation/Belegung.h"
#include "reservation/ReservierungLogik.h"

namespace tav {

using namespace Qt::StringLiterals;
using M = ReservierungsMaske;

namespace {

// The fixed widths of the short boxes, measured in the window's font.
enum class Breite { Frei, Datum, Zahl, Plz, Nummer };

struct Eingabe {
    QLineEdit* M::*ziel;
    QString name;
    QString hilfe;
    int laenge = 0;  // at most so many characters; 0: no limit
    Breite breite = Breite::Frei;
};

struct Auswahl {
    QComboBox* M::*ziel;
    QString name;
    QString hilfe;
    bool editierbar;
};

struct Haken {
    QCheckBox* M::*ziel;
    QString name;
    QString text;
    QString hilfe;
};

struct Knopf {
    QPushButton* M::*ziel;
    QString name;
    QString text;
    QString hilfe;
};

struct Eintrag {
    QAction* M::*ziel;
    QString name;
    QString text;
    QString hilfe;
};

// A row of a group: its caption ("&" marks the accelerator), its box or line, and in a line the
// box the accelerator reaches.
struct Formzeile {
    QString beschriftung;
    QWidget* feld;
    QWidget* buddy = nullptr;
};

// One widget of a line with its share of the width.
struct Teil {
    QWidget* widget;
    int dehnung = 0;
};

// Several widgets side by side; dehnen: a stretch after them keeps them at their size.
QWidget* zeile(std::initializer_list<Teil> teile, bool dehnen = true) {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (const Teil& t : teile) l->addWidget(t.widget, t.dehnung);
    if (dehnen) l->addStretch(1);
    return w;
}

QLabel* text(const QString& t) { return new QLabel(t); }

QFormLayout* gruppe(QDialog& fenster, const QString& titel, const QString& name, std::initializer_list<Formzeile> zeilen) {
    auto* g = new QGroupBox(titel, &fenster);
    g->setObjectName(name);
    auto* f = new QFormLayout(g);
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    f->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    f->setRowWrapPolicy(QFormLayout::DontWrapRows);
    f->setHorizontalSpacing(12);
    // A caption becomes the buddy of its box, so that its accelerator reaches the box.
    for (const Formzeile& z : zeilen) {
        f->addRow(z.beschriftung, z.feld);
        if (z.buddy) qobject_cast<QLabel*>(f->labelForField(z.feld))->setBuddy(z.buddy);
    }
    return f;
}

}  // namespace

void ReservierungsMaske::aufbauen(QDialog& fenster, const FormularEinstellungen& e) {
    fenster.setObjectName(u"frmReservierung"_s);
    fenster.setWindowTitle(u"Reservierung"_s);
    const QFontMetrics fm = fenster.fontMetrics();
    const int zahlBreite = fm.horizontalAdvance(u"00000"_s) + 14;
    const auto breite = [&](Breite b) {
        switch (b) {
            case Breite::Frei: break;
            case Breite::Datum: return fm.horizontalAdvance(u"00.00.00000"_s) + 16;
            case Breite::Zahl: return zahlBreite;
            case Breite::Plz: return zahlBreite + 14;
            case Breite::Nummer: return zahlBreite + 10;
        }
        return 0;
    };

    // ---- menus ----
    const Eintrag eintraege[] = {
        {&M::mnuWeiterePersonen, u"mnuWeiterePersonen"_s, u"&Weitere Personen ..."_s, u"Weitere Gäste dieser Reservierung erfassen."_s},
        {&M::mnuZimmerauswahl, u"mnuZimmerauswahl"_s, u"&Zimmerauswahl ..."_s, {}},
        {&M::mnuStatus, u"mnuStatus"_s, u"&Status korrigieren"_s,
         u"Korrigiert den Status alter Reservierungen dieser Adresse und zeigt an, ob bezahlt ist."_s},
        {&M::mnuRechnungAdr, u"mnuRechnungAdr"_s, u"Übersicht für &Reservierungsadresse"_s, {}},
        {&M::mnuRechnungsadresse, u"mnuRechnungsadresse"_s, u"Übersicht für Rechnungs&adresse"_s, {}},
        {&M::mnuvorhAngebot, u"mnuvorhAngebot"_s, u"Gespeichertes &Angebot öffnen"_s, {}},
        {&M::mnuVorhBest, u"mnuVorhBest"_s, u"Gespeicherte &Bestätigung öffnen"_s, {}},
        {&M::mnuVorhRechnung, u"mnuVorhRechnung"_s, u"Gespeicherte &Rechnung öffnen"_s, {}},
        {&M::mnuRechnungEinfach, u"mnuRechnungEinfach"_s, u"Rechnung (ein&f.)"_s,
         u"Speichert und schreibt die einfache Rechnung dieser Reservierung mit den Posten beim Auschecken."_s},
        {&M::mnuPfade, u"mnuPfade"_s, u"&Pfade festlegen ..."_s, {}},
        {&M::cmdGroesser, u"cmdGroesser"_s, u"&Großes Formular"_s, {}},
        {&M::cmdKleiner, u"cmdKleiner"_s, u"&Kleines Formular"_s, {}},
    };
    for (const Eintrag& z : eintraege) {
        auto* a = new QAction(z.text, &fenster);
        a->setObjectName(z.name);
        if (!z.hilfe.isEmpty()) a->setToolTip(z.hilfe);
        this->*z.ziel = a;
    }
    auto* menue = new QMenuBar(&fenster);
    menue->setObjectName(u"mnuLeiste"_s);
    QMenu* res = menue->addMenu(u"Reser&vierung"_s);
    res->addActions({mnuWeiterePersonen, mnuZimmerauswahl});
    res->addSeparator();
    res->addAction(mnuStatus);
    menue->addMenu(u"&Übersicht"_s)->addActions({mnuRechnungAdr, mnuRechnungsadresse});
    QMenu* dok = menue->addMenu(u"&Dokumente"_s);
    dok->addAction(mnuRechnungEinfach);
    dok->addSeparator();
    dok->addActions({mnuvorhAngebot, mnuVorhBest, mnuVorhRechnung});
    dok->addSeparator();
    mnuWeitereDokumente = dok->addMenu(u"&Weitere Dokumente"_s);
    mnuWeitereDokumente->setObjectName(u"mnuWeitereDokumente"_s);
    for (int i = 1; i <= 5; ++i) {
        QAction* a = mnuWeitereDokumente->addAction(u"Dokument %1"_s.arg(i));
        a->setObjectName(u"mnuDok_%1"_s.arg(i));
        a->setEnabled(false);
    }
    mnuWeitereDokumente->addSeparator();
    mnuWeitereDokumente->addAction(mnuPfade);
    menue->addMenu(u"&Fenster"_s)->addActions({cmdGroesser, cmdKleiner});
    auto* groessen = new QActionGroup(&fenster);
    for (QAction* a : {cmdGroesser, cmdKleiner}) {
        a->setCheckable(true);
        groessen->addAction(a);
    }

    // ---- the boxes ----
    const QString wechsel = u"Tage bis zum nächsten Wechsel: "_s;
    const Eingabe eingaben[] = {
        {&M::fldVorname, u"fldVorname"_s, u"Vorname des Gastes"_s},
        {&M::fldFirma, u"fldFirma"_s, u"Firma des Gastes"_s},
        {&M::fldStrasse, u"fldStrasse"_s, u"Straße und Hausnummer"_s},
        {&M::fldPLZ, u"fldPLZ"_s, u"Postleitzahl: beim Verlassen werden die passenden Orte gesucht."_s, 0, Breite::Plz},
        {&M::fldTelefon, u"fldTelefon"_s, u"Telefonnummer"_s},
        {&M::fldFax, u"fldFax"_s, u"Faxnummer"_s},
        {&M::fldEmail, u"fldEmail"_s, u"E-Mail-Adresse"_s},
        {&M::fldBemerkAdr, u"fldBemerkAdr"_s, u"Bemerkungen zur Adresse"_s},
        {&M::fldVon, u"fldVon"_s, u"Anreisedatum (TT.MM.JJJJ). + und - verschieben das Datum um einen Tag."_s, 10, Breite::Datum},
        {&M::fldBis, u"fldBis"_s, u"Abreisedatum (TT.MM.JJJJ). + und - verschieben das Datum um einen Tag."_s, 10, Breite::Datum},
        {&M::fldResTage, u"fldResTage"_s, u"Anzahl der Übernachtungen"_s, 0, Breite::Zahl},
        {&M::fldAnzahlGäste, u"fldAnzahlGäste"_s, u"Anzahl der Gäste einschließlich der Kinder"_s, 4, Breite::Zahl},
        {&M::txtAnz_Kinder, u"txtAnz_Kinder"_s, u"Anzahl der Kinder unter den Gästen"_s, 4, Breite::Zahl},
        {&M::txtAlter_Kinder, u"txtAlter_Kinder"_s, u"Alter der Kinder (nur zur Information)"_s, 50},
        {&M::fldWäsche1, u"fldWäsche1"_s, wechsel + e.waesche1Name, 4, Breite::Zahl},
        {&M::fldWäsche2, u"fldWäsche2"_s, wechsel + e.waesche2Name, 4, Breite::Zahl},
        {&M::fldKürzel, u"fldKürzel"_s, u"Kurzinfo: der eindeutige Kurzname der Reservierung im Belegungsplan (höchstens 17 Zeichen)."_s,
         ReservierungLogik::kKuerzelLaenge},
        {&M::txtResDatum, u"txtResDatum"_s, u"Datum, an dem die Reservierung angelegt wurde"_s, 10, Breite::Datum},
        {&M::txtBeNummer, u"txtBeNummer"_s, u"Laufende Reservierungsnummer"_s, 0, Breite::Nummer},
        {&M::txtBeNummer_eigen, u"txtBeNummer_eigen"_s,
         u"Reservierungsnummer für Ausdrucke. Ein leeres Feld oder ein Doppelklick vergibt die nächste Nummer."_s, 50},
        {&M::fldPreis, u"fldPreis"_s, u"Gesamtpreis des Aufenthalts; ein eingetragener Preis wird als Pauschalpreis gespeichert."_s},
        {&M::fldCheckDatum, u"fldCheckDatum"_s, u"Datum für das Ein- oder Auschecken"_s, 10, Breite::Datum},
    };
    for (const Eingabe& z : eingaben) {
        auto* f = new QLineEdit(&fenster);
        f->setObjectName(z.name);
        f->setToolTip(z.hilfe);
        if (z.laenge > 0) f->setMaxLength(z.laenge);
        if (const int b = breite(z.breite); b > 0) f->setFixedWidth(b);
        this->*z.ziel = f;
    }
    const Auswahl auswahlen[] = {
        {&M::cboGastNeu, u"cboGastNeu"_s,
         u"Nachname des Gastes: Tippen sucht die Adresse, die Pfeiltasten zeigen die weiteren Treffer, F2 löscht die gewählte "
         u"Adresse."_s,
         true},
        {&M::cboAnrede, u"cboAnrede"_s, u"Anrede: die Eingabetaste nimmt eine neue Anrede in die Liste auf, F2 entfernt sie."_s, true},
        {&M::fldStadt, u"fldStadt"_s, u"Ort"_s, true},
        {&M::cboLand, u"cboLand"_s, u"Herkunftsland: die Eingabetaste nimmt ein neues Land in die Liste auf, F2 entfernt es."_s, true},
        {&M::cboAdrRechnung, u"cboAdrRechnung"_s,
         u"Rechnungsadresse, wenn sie nicht die Adresse des Gastes ist. Die rechte Maustaste übernimmt sie auch als Adresse des "
         u"Gastes."_s,
         true},
        {&M::cboZimmer, u"cboZimmer"_s, u"Zimmer der Reservierung"_s, false},
        {&M::cboArt, u"cboArt"_s, u"Art der Reservierung; 'Angebot' macht sie zum Angebot."_s, false},
        {&M::cboZahlart, u"cboZahlart"_s, u"Zahlart: die Eingabetaste nimmt eine neue Zahlart in die Liste auf, F2 entfernt sie."_s, true},
        {&M::cboTarif, u"cboTarif"_s, u"Preis pro Nacht: die Eingabetaste nimmt den Preis in die Liste auf, F2 entfernt ihn."_s, true},
    };
    for (const Auswahl& z : auswahlen) {
        auto* c = new QComboBox(&fenster);
        c->setObjectName(z.name);
        c->setToolTip(z.hilfe);
        c->setEditable(z.editierbar);
        if (z.editierbar) {
            // The logic searches and completes; the box neither inserts nor completes by itself.
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setCompleter(nullptr);
        }
        c->setMaxVisibleItems(20);
        this->*z.ziel = c;
    }
    const Haken haken[] = {
        {&M::chStammkunde, u"chStammkunde"_s, u"Stammkunde"_s,
         u"Stammkunde. F2 oder die rechte Maustaste legt die Vorgabe für neue Adressen fest."_s},
        {&M::chFrühstück, u"chFrühstück"_s, u"Frühstück"_s, u"Mit Frühstück"_s},
        {&M::chMittag, u"chMittag"_s, u"Mittagessen"_s, u"Mit Mittagessen"_s},
        {&M::chAbendessen, u"chAbendessen"_s, u"Abendessen"_s, u"Mit Abendessen"_s},
        {&M::chFix, u"chFix"_s, u"Preis fest"_s,
         u"Ein Wechsel des Zimmers oder der Zimmerpreise lässt den Preis dieser Reservierung unverändert."_s},
    };
    for (const Haken& z : haken) {
        auto* c = new QCheckBox(z.text, &fenster);
        c->setObjectName(z.name);
        c->setToolTip(z.hilfe);
        this->*z.ziel = c;
    }
    const Knopf knoepfe[] = {
        {&M::cmdNeuAdress, u"cmdNeuAdress"_s, u"Neue Adresse"_s, u"Leert die Adressfelder für eine neue Adresse."_s},
        {&M::cmdEditAdress, u"cmdEditAdress"_s, u"Adresse ändern"_s, u"Gibt die Felder der gewählten Adresse zum Ändern frei."_s},
        {&M::cmdAdresseSpeichern, u"cmdAdresseSpeichern"_s, u"Adresse speichern"_s,
         u"Speichert die Adresse, ohne die Reservierung zu speichern."_s},
        {&M::cmdSaisonpreis, u"cmdSaisonpreis"_s, u"Saison&preis"_s,
         u"Berechnet den Preis mit Hilfe der hinterlegten Saisonzeiten (Reservierungsübersicht - Saisonzeiten) und Saisonpreise "
         u"(Reservierungsübersicht - Einstellungen - Zimmer)."_s},
        {&M::lbChecked, u"lbChecked"_s, Belegung::checkedBeschriftung(false), u"Checkt den Gast mit dem Datum daneben ein oder aus."_s},
        {&M::cmdHeute, u"cmdHeute"_s, u"&Heute"_s, u"Checkt den Gast mit dem heutigen Datum ein oder aus."_s},
        {&M::cmdAnmeldung, u"cmdAnmeldung"_s, u"Anmel&dung"_s, u"Druckt den Anmeldeschein und checkt den Gast ein."_s},
        {&M::cmdAbgerechnet, u"cmdAbgerechnet"_s, Belegung::abgerechnetBeschriftung(0), u"Zeigt, ob die Reservierung abgerechnet ist."_s},
        {&M::cmdBezahlt, u"cmdBezahlt"_s, u"Nicht Bezahlt"_s,
         u"Grün, wenn die Reservierung und ihre Zusatzposten abgerechnet und bezahlt sind."_s},
        {&M::cmdBlockbuchung, u"cmdBlockbuchung"_s, u"Blockbuchung"_s,
         u"Legt eine neue Blockbuchung an bzw. öffnet eine bestehende Blockbuchung."_s},
        {&M::cmdErster, u"cmdErster"_s, u"|<"_s, u"Erste vorläufige Reservierung dieses Tages"_s},
        {&M::cmdVoriger, u"cmdVoriger"_s, u"<"_s, u"Vorige vorläufige Reservierung"_s},
        {&M::cmdNächster, u"cmdNächster"_s, u">"_s, u"Nächste vorläufige Reservierung"_s},
        {&M::cmdLetzter, u"cmdLetzter"_s, u">|"_s, u"Letzte vorläufige Reservierung dieses Tages"_s},
        {&M::cmdReservieren, u"cmdReservieren"_s, u"&Speichern"_s, u"Speichert die Reservierung."_s},
        {&M::cmdZu, u"cmdZu"_s, u"Speichern und schli&eßen"_s, u"Speichert die Reservierung und schließt das Formular."_s},
        {&M::cmdWarten, u"cmdWarten"_s, u"&Warteposition"_s,
         u"Speichert die Reservierung in der Warteposition (vorläufige Reservierung)."_s},
        {&M::cmdLöschen, u"cmdLöschen"_s, u"&Löschen"_s, u"Löscht die Reservierung endgültig."_s},
        {&M::cmdBestVorschau, u"cmdBestVorschau"_s, u"Bestätigung (ein&f.)"_s,
         u"Speichert und öffnet das einfache Angebot oder die Bestätigung."_s},
        {&M::cmdRechnung, u"cmdRechnung"_s, u"Bestätigung/ &Rechnung"_s,
         u"Öffnet die Übersicht der Rechnungen, Angebote und Bestätigungen."_s},
        {&M::cmdZahlDetails, u"cmdZahlDetails"_s, u"Zahl&ungen"_s, u"Öffnet Rechnungen und Zahlungen dieser Reservierung."_s},
        {&M::cmdSchliessen, u"cmdSchliessen"_s, u"Schließen"_s, u"Schließt das Formular; ungespeicherte Änderungen werden erfragt."_s},
    };
    for (const Knopf& z : knoepfe) this->*z.ziel = parts::button(z.name, z.text, z.hilfe, &fenster);

    // ---- what the tables do not say ----
    cboGastNeu->setMinimumWidth(fm.horizontalAdvance(u"Müller-Lüdenscheidt, Erwin, 58507 Lüdenscheid"_s));
    cboZimmer->setMinimumWidth(fm.horizontalAdvance(u"Ferienwohnung 12"_s) + 30);
    cboTarif->setMinimumWidth(fm.horizontalAdvance(u"00.000,00"_s) + 40);
    cboZahlart->lineEdit()->setMaxLength(50);
    lbChecked->setMinimumWidth(fm.horizontalAdvance(u"Checked out"_s) + 30);
    for (QLineEdit* f : {fldResTage, txtBeNummer}) {
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::NoFocus);
    }
    fldKürzel->setAutoFillBackground(true);
    fldKürzel->setContextMenuPolicy(Qt::NoContextMenu);
    fldKürzel->setAcceptDrops(false);
    cmdBlockbuchung->setCheckable(true);
    // The settled state is only shown.
    cmdAbgerechnet->setEnabled(false);

    optAlleZimmer = new QRadioButton(u"alle"_s, &fenster);
    optAlleZimmer->setObjectName(u"OptZiAuswahl1_0"_s);
    optFreieZimmer = new QRadioButton(u"freie"_s, &fenster);
    optFreieZimmer->setObjectName(u"OptZiAuswahl1_1"_s);
    auto* optGruppe = new QButtonGroup(&fenster);
    for (QRadioButton* o : {optAlleZimmer, optFreieZimmer}) {
        o->setToolTip(
            u"Die Zimmerliste zeigt alle Zimmer oder nur die im Zeitraum freien. F2 oder die rechte Maustaste legt die "
            u"Vorgabe beim Öffnen fest."_s);
        optGruppe->addButton(o);
    }
    lbWarnung = new QFrame(&fenster);
    lbWarnung->setObjectName(u"lbWarnung"_s);
    lbWarnung->setFrameShape(QFrame::StyledPanel);
    lbWarnung->setAutoFillBackground(true);
    lbWarnung->setToolTip(u"Wird rot, wenn das Zimmer im angegebenen Zeitraum bereits reserviert ist."_s);
    lbWarnungSchrift = new QLabel(u"Das Zimmer ist in diesem Zeitraum bereits belegt."_s, lbWarnung);
    lbWarnungSchrift->setObjectName(u"lbWarnungSchrift"_s);
    auto* warnLayout = new QHBoxLayout(lbWarnung);
    warnLayout->setContentsMargins(6, 2, 6, 2);
    warnLayout->addWidget(lbWarnungSchrift);
    lblWäsche1 = new QLabel(e.waesche1Name, &fenster);
    lblWäsche1->setObjectName(u"lblWäsche1"_s);
    lblWäsche2 = new QLabel(e.waesche2Name, &fenster);
    lblWäsche2->setObjectName(u"lblWäsche2"_s);
    fldInfo = new QPlainTextEdit(&fenster);
    fldInfo->setObjectName(u"fldInfo"_s);
    fldInfo->setToolTip(u"Bemerkungen zur Reservierung (höchstens 250 Zeichen)"_s);
    fldInfo->setTabChangesFocus(true);
    fldInfo->setFixedHeight(fm.lineSpacing() * 3 + 12);

    // ---- the four groups ----
    adressKnoepfe = zeile({{cmdNeuAdress}, {cmdEditAdress}, {cmdAdresseSpeichern}});
    gastForm = gruppe(fenster, u"Gast"_s, u"fraGast"_s,
                      {{u"&Nachname"_s, cboGastNeu},
                       {u"Vorname"_s, fldVorname},
                       {u"Anrede"_s, cboAnrede},
                       {u"Firma"_s, fldFirma},
                       {u"Straße"_s, fldStrasse},
                       {u"PLZ / Ort"_s, zeile({{fldPLZ}, {fldStadt, 1}}, false)},
                       {u"Land"_s, cboLand},
                       {u"Telefon"_s, zeile({{fldTelefon, 1}, {text(u"Fax"_s)}, {fldFax, 1}}, false)},
                       {u"E-Mail"_s, fldEmail},
                       {u"Bemerkungen"_s, fldBemerkAdr},
                       {QString(), chStammkunde},
                       {QString(), adressKnoepfe},
                       {u"Rechnung an"_s, cboAdrRechnung}});
    aufenthaltForm = gruppe(fenster, u"Aufenthalt"_s, u"fraAufenthalt"_s,
                            {{u"Zi&mmer"_s, zeile({{cboZimmer}, {optAlleZimmer}, {optFreieZimmer}}), cboZimmer},
                             {u"&Zeitraum"_s, zeile({{fldVon}, {text(u"bis"_s)}, {fldBis}, {fldResTage}, {text(u"Nächte"_s)}}), fldVon},
                             {QString(), lbWarnung},
                             {u"&Belegungsart"_s, cboArt},
                             {u"&Gästezahl"_s, zeile({{fldAnzahlGäste}, {text(u"davon Kinder "_s)}, {txtAnz_Kinder}}), fldAnzahlGäste},
                             {u"Alter der Kinder"_s, txtAlter_Kinder},
                             {u"Verpflegung"_s, zeile({{chFrühstück}, {chMittag}, {chAbendessen}})},
                             {u"Wäschewechsel"_s, zeile({{lblWäsche1}, {fldWäsche1}, {lblWäsche2}, {fldWäsche2}})},
                             {u"&Kurzinfo"_s, fldKürzel},
                             {u"Bemerkungen"_s, fldInfo},
                             {u"Erstellt am"_s, txtResDatum},
                             {u"Reservierungsnr."_s, zeile({{txtBeNummer}, {txtBeNummer_eigen}}, false)},
                             {u"Zahlart"_s, cboZahlart}});
    lblArt = qobject_cast<QLabel*>(aufenthaltForm->labelForField(cboArt));
    preisForm = gruppe(fenster, u"Preis"_s, u"fraPreis"_s,
                       {{u"Preis pro Nach&t"_s, cboTarif}, {u"Gesamtpre&is"_s, fldPreis}, {QString(), zeile({{chFix}, {cmdSaisonpreis}})}});
    statusForm = gruppe(fenster, u"Status"_s, u"fraStatus"_s,
                        {{u"Gast"_s, zeile({{lbChecked}, {fldCheckDatum}, {cmdHeute}})},
                         {u"Abrechnung"_s, zeile({{cmdAbgerechnet}, {cmdBezahlt}})},
                         {QString(), zeile({{cmdAnmeldung}, {cmdBlockbuchung}})}});

    // ---- the waiting bookings of a day ----
    lblWarteposition = new QLabel(&fenster);
    lblWarteposition->setObjectName(u"lblWarteposition"_s);
    QFont fett = lblWarteposition->font();
    fett.setBold(true);
    lblWarteposition->setFont(fett);
    warteZeile = new QWidget(&fenster);
    auto* warteLayout = new QHBoxLayout(warteZeile);
    warteLayout->setContentsMargins(0, 0, 0, 0);
    warteLayout->addWidget(lblWarteposition, 1);
    for (QPushButton* b : {cmdErster, cmdVoriger, cmdNächster, cmdLetzter}) {
        b->setFixedWidth(fm.horizontalAdvance(u">|"_s) + 30);
        warteLayout->addWidget(b);
    }

    // ---- buttons and help ----
    auto* knopfLeiste = new QHBoxLayout;
    for (QPushButton* b : {cmdReservieren, cmdZu, cmdWarten, cmdLöschen}) knopfLeiste->addWidget(b);
    knopfLeiste->addStretch(1);
    for (QPushButton* b : {cmdBestVorschau, cmdRechnung, cmdZahlDetails, cmdSchliessen}) knopfLeiste->addWidget(b);

    lblHilfe = new QLabel(&fenster);
    lblHilfe->setObjectName(u"lblHilfe"_s);
    lblHilfe->setWordWrap(true);
    lblHilfe->setFrameShape(QFrame::StyledPanel);
    lblHilfe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A fixed height of three lines: a help text that wraps must not make the form jump.
    lblHilfe->setFixedHeight(3 * fm.lineSpacing() + 8);
    lblHilfe->setText(u"Zeigen Sie mit der Maus auf ein Feld, um hier eine Erklärung zu sehen."_s);

    // Two columns that stack their groups each at its own height: the small form shows one
    // line of the guest, and its group must not stretch to the height of the stay beside it.
    auto* raster = new QHBoxLayout;
    for (const auto& [oben, unten] : {std::pair{gastForm, preisForm}, std::pair{aufenthaltForm, statusForm}}) {
        auto* spalte = new QVBoxLayout;
        spalte->addWidget(oben->parentWidget());
        spalte->addWidget(unten->parentWidget());
        spalte->addStretch(1);
        raster->addLayout(spalte, 1);
    }

    // The labels of the two groups of a column share one width, so that their boxes line up.
    for (const auto& spalte : {std::pair{gastForm, preisForm}, std::pair{aufenthaltForm, statusForm}}) {
        QList<QWidget*> labels;
        for (QFormLayout* f : {spalte.first, spalte.second})
            for (int r = 0; r < f->rowCount(); ++r)
                if (QLayoutItem* item = f->itemAt(r, QFormLayout::LabelRole); item && item->widget()) labels << item->widget();
        int b = 0;
        for (QWidget* l : labels) b = qMax(b, l->sizeHint().width());
        for (QWidget* l : labels) l->setMinimumWidth(b);
    }

    auto* layout = new QVBoxLayout(&fenster);
    layout->setMenuBar(menue);
    layout->addWidget(warteZeile);
    layout->addLayout(raster);
    layout->addWidget(lblHilfe);
    layout->addLayout(knopfLeiste);
}

void ReservierungsMaske::tabReihenfolge(QDialog& fenster) const {
    const QList<QWidget*> reihe = {cboGastNeu,
                                   fldVorname,
                                   cboAnrede,
                                   fldFirma,
                                   fldStrasse,
                                   fldPLZ,
                                   fldStadt,
                                   cboLand,
                                   fldTelefon,
                                   fldFax,
                                   fldEmail,
                                   fldBemerkAdr,
                                   chStammkunde,
                                   cmdNeuAdress,
                                   cmdEditAdress,
                                   cmdAdresseSpeichern,
                                   cboAdrRechnung,
                                   cboZimmer,
                                   optAlleZimmer,
                                   optFreieZimmer,
                                   fldVon,
                                   fldBis,
                                   cboArt,
                                   fldAnzahlGäste,
                                   txtAnz_Kinder,
                                   txtAlter_Kinder,
                                   chFrühstück,
                                   chMittag,
                                   chAbendessen,
                                   fldWäsche1,
                                   fldWäsche2,
                                   fldKürzel,
                                   fldInfo,
                                   txtResDatum,
                                   txtBeNummer_eigen,
                                   cboZahlart,
                                   cboTarif,
                                   fldPreis,
                                   chFix,
                                   cmdSaisonpreis,
                                   lbChecked,
                                   fldCheckDatum,
                                   cmdHeute,
                                   cmdAbgerechnet,
                                   cmdBezahlt,
                                   cmdAnmeldung,
                                   cmdBlockbuchung,
                                   cmdReservieren,
                                   cmdZu,
                                   cmdWarten,
                                   cmdLöschen,
                                   cmdBestVorschau,
                                   cmdRechnung,
                                   cmdZahlDetails,
                                   cmdSchliessen,
                                   cmdErster,
                                   cmdVoriger,
                                   cmdNächster,
                                   cmdLetzter};
    for (int i = 1; i < reihe.size(); ++i) fenster.setTabOrder(reihe[i - 1], reihe[i]);
}

void ReservierungsMaske::groesseZeigen(bool gross) {
    for (QWidget* w : {static_cast<QWidget*>(fldVorname), static_cast<QWidget*>(cboAnrede), static_cast<QWidget*>(fldFirma),
                       static_cast<QWidget*>(fldStrasse), fldPLZ->parentWidget(), static_cast<QWidget*>(cboLand),
                       fldTelefon->parentWidget(), static_cast<QWidget*>(fldEmail), static_cast<QWidget*>(fldBemerkAdr),
                       static_cast<QWidget*>(chStammkunde), adressKnoepfe, static_cast<QWidget*>(cboAdrRechnung)})
        gastForm->setRowVisible(w, gross);
    for (QWidget* w :
         {static_cast<QWidget*>(txtAlter_Kinder), chFrühstück->parentWidget(), fldWäsche1->parentWidget(), static_cast<QWidget*>(fldInfo),
          static_cast<QWidget*>(txtResDatum), txtBeNummer->parentWidget(), static_cast<QWidget*>(cboZahlart)})
        aufenthaltForm->setRowVisible(w, gross);
    preisForm->setRowVisible(chFix->parentWidget(), gross);
    statusForm->setRowVisible(cmdAbgerechnet->parentWidget(), gross);
    statusForm->setRowVisible(cmdAnmeldung->parentWidget(), gross);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdWarten, cmdLöschen, cmdBestVorschau, cmdRechnung, cmdZahlDetails, lblHilfe,
                                                      txtAnz_Kinder, optAlleZimmer, optFreieZimmer})
        w->setVisible(gross);
    // "davon Kinder " belongs to its box.
    if (auto* zeileGaeste = fldAnzahlGäste->parentWidget())
        for (QLabel* lbl : zeileGaeste->findChildren<QLabel*>()) lbl->setVisible(gross);
}

}  // namespace tav
