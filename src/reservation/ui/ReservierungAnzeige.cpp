#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include "reservation/Blockprogramm.h"
#include "reservation/ui/Schalter.h"
#include "reservation/ui/frmReservierung.h"
#include "store/Fenster.h"

// The transfer between the boxes of the form and its ReservierungLogik: the boxes into the
// logic before an operation, the logic's fields into the boxes afterwards.

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

}  // namespace

void frmReservierung::liste(QComboBox* c, const QStringList& eintraege) {
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

void frmReservierung::listeNachfuellen(QComboBox* c, const QStringList& eintraege) {
    const Schalter fuellen(fuellen_);
    liste(c, eintraege);
}

// ---- the boxes into the logic --------------------------------------------------------------------

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
    f.artBeschriftung = lblArt->text().remove(QLatin1Char('&'));
}

// ---- the logic into the boxes ----------------------------------------------------------------------

void frmReservierung::listenFuellen() {
    {
        const Schalter fuellen(fuellen_);
        cboArt->clear();
        cboArt->addItems(logik_->artNamen());
        QStringList laender;
        for (const ListenEintrag& l : logik_->adresse().laender()) laender << l.text;
        liste(cboLand, laender);
        liste(cboAnrede, logik_->adresse().anreden());
        liste(cboZahlart, logik_->zahlarten());
        liste(cboTarif, logik_->tarifliste().fuellen());
    }
    adresslistenFuellen();
}

void frmReservierung::adresslistenFuellen() {
    {
        const Schalter fuellen(fuellen_);
        const QList<AdressEintrag> adressen = AdressLogik::adressListe(db_);
        for (QComboBox* c : {cboGastNeu, cboAdrRechnung}) {
            const QString text = c->currentText();
            c->clear();
            for (const AdressEintrag& a : adressen) c->addItem(a.text, a.id);
            c->setEditText(text);
        }
    }
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
    const Schalter fuellen(fuellen_);
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
}

void frmReservierung::anzeigen() {
    {
        const Schalter fuellen(fuellen_);
        anzeigenOhneAdresse();
    }
    adresseAnzeigen();
    groesseAnwenden();
}

void frmReservierung::anzeigenOhneAdresse() {
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
    if (cboArt->currentIndex() != l.artPosition()) cboArt->setCurrentIndex(l.artPosition());
    lblArt->setText(QStringLiteral("&") + f.artBeschriftung);
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
    hintergrund(cmdBlockbuchung, f.blockbuchung ? kGruen : QColor());
    cmdBlockbuchung->setEnabled(blockprogramm_ && blockprogramm_->vorhanden() && !l.imBlaettern());

    cmdBestVorschau->setText(l.bestVorschauBeschriftung());
    cmdRechnung->setText(l.rechnungBeschriftung());
    cmdWarten->setEnabled(f.cmdWartenEnabled);
    cmdLöschen->setEnabled(!f.istNeu() && f.cmdLoeschenEnabled);
    // Entries whose window the program does not have stay disabled.
    cmdRechnung->setEnabled(fensterDa(Ziel::Rechnungen));
    cmdZahlDetails->setEnabled(fensterDa(Ziel::Zahlungen));
    cmdBezahlt->setEnabled(fensterDa(Ziel::Rechnungen));
    mnuRechnungAdr->setEnabled(fensterDa(Ziel::Adresskonto));
    mnuRechnungsadresse->setEnabled(fensterDa(Ziel::Adresskonto));
    // Documents ask for the check-out extras first; stored copies exist only for a saved booking.
    for (QPushButton* b : {cmdBestVorschau, cmdAnmeldung}) b->setEnabled(fensterDa(Ziel::Rechnungsposten));
    mnuRechnungEinfach->setEnabled(fensterDa(Ziel::Rechnungsposten));
    for (QAction* a : {mnuvorhAngebot, mnuVorhBest, mnuVorhRechnung}) a->setEnabled(!f.istNeu());

    warteZeile->setVisible(l.imBlaettern());
    if (l.imBlaettern()) {
        lblWarteposition->setText(l.warteTitel());
        cmdErster->setEnabled(l.kannBlaettern(Blaettern::Erster));
        cmdVoriger->setEnabled(l.kannBlaettern(Blaettern::Voriger));
        cmdNächster->setEnabled(l.kannBlaettern(Blaettern::Naechster));
        cmdLetzter->setEnabled(l.kannBlaettern(Blaettern::Letzter));
    }
    setWindowTitle(f.istNeu() ? QStringLiteral("Neue Reservierung") : QStringLiteral("Reservierung ") + f.kuerzel.trimmed());
    if (!f.istNeu()) variablen().letzteReservierung = f.id;
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
    groesseZeigen(g == Groesse::Gross);
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
        case Fokus::Tarif: ziel = cboTarif; break;
        case Fokus::Preis: ziel = fldPreis; break;
    }
    f.fokus = Fokus::Keiner;
    if (ziel && ziel->isVisible()) ziel->setFocus(Qt::OtherFocusReason);
}

}  // namespace tav
