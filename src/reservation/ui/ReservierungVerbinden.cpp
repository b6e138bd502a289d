#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "reservation/ui/Schalter.h"
#include "reservation/ui/TastenFilter.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmWeitere.h"
#include "reservation/ui/frmZimmerauswahl.h"
#include "store/Fenster.h"

// The signals of the form's boxes, buttons and menus, each to its operation of the logic.

namespace tav {

void frmReservierung::verbinden() {
    // Keys each box accepts.
    for (QLineEdit* e : {fldAnzahlGäste, txtAnz_Kinder, fldWäsche1, fldWäsche2})
        new TastenFilter(e, [](QChar c, const QString&) { return ReservierungLogik::nurZiffern(c); });
    new TastenFilter(fldKürzel, &ReservierungLogik::kuerzelZeichenErlaubt);
    for (QLineEdit* e : {fldCheckDatum, txtResDatum})
        new TastenFilter(e, [](QChar c, const QString&) { return ReservierungLogik::datumZeichenErlaubt(c); });

    for (QObject* o : std::initializer_list<QObject*>{
             fldVon,     fldBis,       fldCheckDatum, txtResDatum,       fldAnzahlGäste, fldWäsche1,     fldWäsche2, fldInfo,
             cboTarif,   fldPreis,     fldKürzel,     txtBeNummer_eigen, cboGastNeu,     cboAdrRechnung, cboLand,    cboAnrede,
             cboZahlart, fldPLZ,       fldStadt,      fldVorname,        fldFirma,       fldStrasse,     fldTelefon, fldFax,
             fldEmail,   fldBemerkAdr, optAlleZimmer, optFreieZimmer,    chStammkunde})
        o->installEventFilter(this);

    // ---- the booking part: every edit marks the booking changed ----
    const auto bearbeitet = [this] {
        if (!fuellen_) ausfuehren([this] { logik_->geaendert(); });
    };
    for (QLineEdit* e :
         {txtAnz_Kinder, txtAlter_Kinder, fldAnzahlGäste, fldWäsche1, fldWäsche2, fldPreis, txtResDatum, fldCheckDatum, txtBeNummer_eigen})
        connect(e, &QLineEdit::textEdited, this, bearbeitet);
    connect(fldInfo, &QPlainTextEdit::textChanged, this, bearbeitet);
    connect(cboZahlart, &QComboBox::currentTextChanged, this, bearbeitet);
    connect(cboTarif, &QComboBox::editTextChanged, this, bearbeitet);
    for (QCheckBox* c : {chFrühstück, chMittag, chAbendessen}) connect(c, &QCheckBox::toggled, this, bearbeitet);
    connect(cboTarif, &QComboBox::activated, this, [this] {
        if (!fuellen_) ausfuehren([this] { logik_->tarifVerlassen(); });
    });
    connect(chFix, &QCheckBox::toggled, this, [this](bool an) {
        if (!fuellen_) ausfuehren([this, an] { logik_->fixGeaendert(an); });
    });
    connect(fldVon, &QLineEdit::textEdited, this, [this] { ausfuehren([this] { logik_->datumGeaendert(); }); });
    connect(fldBis, &QLineEdit::textEdited, this, [this] { ausfuehren([this] { logik_->datumGeaendert(); }); });
    connect(fldCheckDatum, &QLineEdit::textEdited, this, [this] {
        if (!fuellen_) logik_->checkDatumGetippt();
    });
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
        QStringList namen;
        for (const ListenEintrag& l : logik_->adresse().laender()) namen << l.text;
        listeNachfuellen(cboLand, namen);
    });
    connect(cboGastNeu->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        const Schalter tippen(gastTippen_);
        ausfuehren([this, t] {
            logik_->adresse().tippen(t);
            logik_->geaendert();
        });
    });
    connect(cboGastNeu, &QComboBox::activated, this, [this](int i) {
        const int id = cboGastNeu->itemData(i).toInt();
        ausfuehren([this, id] {
            logik_->adresse().laden(id);
            logik_->geaendert();
        });
    });
    connect(cboAdrRechnung->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        const Schalter tippen(rechnungTippen_);
        ausfuehren([this, t] {
            logik_->adresse().rechnungsadresseTippen(t);
            logik_->geaendert();
        });
    });
    connect(cboAdrRechnung, &QComboBox::activated, this, [this](int i) {
        const int id = cboAdrRechnung->itemData(i).toInt();
        ausfuehren([this, id] {
            logik_->adresse().setRechnungsadresse(id);
            logik_->geaendert();
        });
    });
    const QList<QPair<QLineEdit*, AdressFeld>> adressfelder = {{fldVorname, AdressFeld::Vorname}, {fldFirma, AdressFeld::Firma},
                                                               {fldStrasse, AdressFeld::Strasse}, {fldPLZ, AdressFeld::Plz},
                                                               {fldTelefon, AdressFeld::Telefon}, {fldFax, AdressFeld::Fax},
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
    connect(cmdSchliessen, &QPushButton::clicked, this, &frmReservierung::reject);

    // ---- buttons and menu entries that run one operation of the logic ----
    using Operation = std::function<void(ReservierungLogik&)>;
    const QList<QPair<QPushButton*, Operation>> knoepfe = {
        {cmdEditAdress, [](ReservierungLogik& l) { l.adresse().cmdEditAdress(); }},
        {cmdAdresseSpeichern, [](ReservierungLogik& l) { l.adresse().AdressSpeichern(); }},
        {cmdSaisonpreis, [](ReservierungLogik& l) { l.saisonpreisKlick(); }},
        {lbChecked, [](ReservierungLogik& l) { l.checkedKlick(); }},
        {cmdHeute, [](ReservierungLogik& l) { l.heuteKlick(); }},
        {cmdBezahlt, [](ReservierungLogik& l) { l.bezahltKlick(); }},
        {cmdReservieren, [](ReservierungLogik& l) { l.speichern(); }},
        {cmdZu, [](ReservierungLogik& l) { l.zu(); }},
        {cmdWarten, [](ReservierungLogik& l) { l.warten(); }},
        {cmdLöschen, [](ReservierungLogik& l) { l.loeschen(); }},
        {cmdErster, [](ReservierungLogik& l) { l.blaettern(Blaettern::Erster); }},
        {cmdVoriger, [](ReservierungLogik& l) { l.blaettern(Blaettern::Voriger); }},
        {cmdNächster, [](ReservierungLogik& l) { l.blaettern(Blaettern::Naechster); }},
        {cmdLetzter, [](ReservierungLogik& l) { l.blaettern(Blaettern::Letzter); }},
    };
    for (const auto& [knopf, operation] : knoepfe) {
        const Operation was = operation;
        connect(knopf, &QPushButton::clicked, this, [this, was] { ausfuehren([this, was] { was(*logik_); }); });
    }
    const QList<QPair<QAction*, Operation>> eintraege = {
        {mnuStatus, [](ReservierungLogik& l) { l.statusKorrektur(); }},
        {cmdGroesser, [](ReservierungLogik& l) { l.setGroesse(Groesse::Gross); }},
        {cmdKleiner, [](ReservierungLogik& l) { l.setGroesse(Groesse::Klein); }},
    };
    for (const auto& [eintrag, operation] : eintraege) {
        const Operation was = operation;
        connect(eintrag, &QAction::triggered, this, [this, was] { ausfuehren([this, was] { was(*logik_); }); });
    }

    // ---- windows of other subsystems, through the window service ----
    connect(cmdRechnung, &QPushButton::clicked, this, [this] {
        if (!fensterDa(Ziel::Rechnungen)) return;
        uebernehmen();
        if (logik_->felder().istNeu() || logik_->hatAenderungen()) {
            if (!logik_->speichern()) {
                anzeigen();
                return;
            }
        }
        anzeigen();
        Aufruf aufruf;
        aufruf.buchungId = logik_->felder().id;
        aufruf.text = QStringLiteral("Reservierung");  // a block member is asked how it is invoiced
        fensterOeffnen(Ziel::Rechnungen, aufruf);
        ausfuehren([this] { logik_->laden(logik_->felder().id); });
    });
    connect(cmdZahlDetails, &QPushButton::clicked, this, [this] {
        if (!fensterDa(Ziel::Zahlungen) || !logik_->zahlDetailsMoeglich()) return;
        Aufruf aufruf;
        aufruf.buchungId = logik_->felder().id;
        fensterOeffnen(Ziel::Zahlungen, aufruf);
        anzeigen();
    });
    for (QAction* a : {mnuRechnungAdr, mnuRechnungsadresse}) {
        const bool rechnung = a == mnuRechnungsadresse;
        connect(a, &QAction::triggered, this, [this, rechnung] {
            if (!fensterDa(Ziel::Adresskonto)) return;
            uebernehmen();
            if (const int id = logik_->kontoAdresse(rechnung)) {
                Aufruf aufruf;
                aufruf.adressId = id;
                fensterOeffnen(Ziel::Adresskonto, aufruf);
            }
            anzeigen();
        });
    }
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
}

}  // namespace tav
