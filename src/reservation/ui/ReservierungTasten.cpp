#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

#include "reservation/ui/Schalter.h"
#include "reservation/ui/frmReservierung.h"

// What the boxes of the form do with keys, with the mouse, and when the focus leaves them.

namespace tav {

namespace {

bool istVerlassen(QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    // A message box or a popup taking the focus does not leave the box.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(event)->reason();
    return grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason;
}

bool immer(const Taste&) { return true; }
bool mitEnter(const Taste& t) { return t.enter; }
bool mitF2(const Taste& t) { return t.f2; }
bool mitStrg(const Taste& t) { return t.strg; }
bool ruecktaste(const Taste& t) { return t.taste == Qt::Key_Backspace; }
bool plusMinus(const Taste& t) { return t.zeichen == QLatin1Char('+') || t.zeichen == QLatin1Char('-'); }
// The box gets the key.
bool durchlassen(const Taste&) { return false; }
// The key is used up.
bool schlucken(const Taste&) { return true; }

}  // namespace

void frmReservierung::eingabeRegelnAnlegen() {
    // An operation of the logic that uses up the key.
    const auto tun = [this](std::function<void()> was) {
        return [this, was](const Taste&) {
            ausfuehren(was);
            return true;
        };
    };
    const auto popupOffen = [](QComboBox* c) { return c->view()->isVisible(); };

    tastenregeln_ = {
        // ---- dates: + and - move them by a day; only the characters of a date ----
        {{fldVon, fldBis}, mitStrg, durchlassen},
        {{fldVon, fldBis},
         plusMinus,
         [this](const Taste& t) {
             const bool von = t.feld == fldVon;
             const QChar zeichen = t.zeichen;
             ausfuehren([this, von, zeichen] { logik_->datumTaste(von, zeichen); });
             return true;
         }},
        {{fldVon, fldBis}, ruecktaste, durchlassen},
        {{fldVon, fldBis}, immer, [](const Taste& t) { return t.zeichen.isPrint() && !ReservierungLogik::datumZeichenErlaubt(t.zeichen); }},

        // ---- the short name: no blank at the start, wherever the cursor stands; nothing pasted ----
        {{fldKürzel}, [this](const Taste& t) { return t.zeichen == QLatin1Char(' ') && fldKürzel->cursorPosition() == 0; }, schlucken},
        {{fldKürzel}, immer, [](const Taste& t) { return t.event.matches(QKeySequence::Paste); }},

        // ---- the price per night: Enter takes it into the list, F2 removes it ----
        {{cboTarif}, mitEnter, tun([this] {
             if (logik_->tarifEnter()) liste(cboTarif, logik_->tarifliste().fuellen());
         })},
        {{cboTarif}, mitF2, tun([this] {
             if (logik_->tarifEntfernen()) listeNachfuellen(cboTarif, logik_->tarifliste().fuellen());
         })},
        {{cboTarif}, mitStrg, durchlassen},
        {{cboTarif}, ruecktaste, durchlassen},
        {{cboTarif},
         immer,
         [this](const Taste& t) { return t.zeichen.isPrint() && !Tarifliste::tasteErlaubt(t.zeichen, cboTarif->currentText()); }},

        // ---- the guest: F2 deletes the address; the arrow keys step through the hits of the search
        //      while an address is shown ----
        {{cboGastNeu}, [](const Taste& t) { return t.text && !AdressLogik::tasteErlaubt(t.zeichen); }, schlucken},
        {{cboGastNeu}, mitF2, tun([this] { logik_->adresse().adresseLoeschen(logik_->adresse().gastId()); })},
        {{cboGastNeu},
         [this, popupOffen](const Taste& t) {
             return (t.taste == Qt::Key_Down || t.taste == Qt::Key_Up) && !popupOffen(cboGastNeu) && logik_->adresse().felderGesperrt();
         },
         [this](const Taste& t) {
             const bool weiter = t.taste == Qt::Key_Down;
             ausfuehren([this, weiter] {
                 const int id = weiter ? logik_->adresse().naechsterTreffer() : logik_->adresse().vorigerTreffer();
                 if (id != 0) logik_->geaendert();
             });
             return true;
         }},
        {{cboGastNeu}, mitEnter, schlucken},

        // ---- the invoice address: right opens the list, left closes it ----
        {{cboAdrRechnung},
         [this, popupOffen](const Taste& t) { return t.taste == Qt::Key_Right && !popupOffen(cboAdrRechnung); },
         [this](const Taste&) {
             cboAdrRechnung->showPopup();
             return true;
         }},
        {{cboAdrRechnung},
         [this, popupOffen](const Taste& t) { return t.taste == Qt::Key_Left && popupOffen(cboAdrRechnung); },
         [this](const Taste&) {
             cboAdrRechnung->hidePopup();
             return true;
         }},
        {{cboAdrRechnung}, mitEnter, schlucken},

        // ---- country, salutation and way of payment: Enter takes a new entry into the list, F2 removes it ----
        {{cboLand}, mitEnter, tun([this] { logik_->adresse().landEnter(cboLand->currentText()); })},
        {{cboLand},
         mitF2,
         [this](const Taste&) {
             const QString land = cboLand->currentText().trimmed();
             int id = 0;
             for (const ListenEintrag& l : logik_->adresse().laender())
                 if (l.text == land) id = l.id;
             ausfuehren([this, id] { logik_->adresse().landEntfernen(id); });
             return true;
         }},
        {{cboAnrede}, mitEnter, tun([this] {
             logik_->adresse().anredeEnter(cboAnrede->currentText());
             listeNachfuellen(cboAnrede, logik_->adresse().anreden());
         })},
        {{cboAnrede}, mitF2, tun([this] {
             if (logik_->adresse().anredeEntfernen(cboAnrede->currentText())) listeNachfuellen(cboAnrede, logik_->adresse().anreden());
         })},
        {{cboZahlart},
         [](const Taste& t) { return t.enter || t.f2; },
         [this](const Taste& t) {
             const bool enter = t.enter;
             const QString zahlart = cboZahlart->currentText();
             ausfuehren([this, enter, zahlart] {
                 const bool neu = enter ? logik_->zahlartEnter(zahlart) : logik_->zahlartEntfernen(zahlart);
                 if (!neu) return;
                 listeNachfuellen(cboZahlart, logik_->zahlarten());
                 if (!enter) logik_->felder().zahlart.clear();
             });
             return true;
         }},

        // ---- F2 stores a default ----
        {{optAlleZimmer, optFreieZimmer}, mitF2, tun([this] { logik_->zimmerauswahlVorgabe(); })},
        {{chStammkunde}, mitF2, tun([this] { logik_->stammkundenVorgabe(); })},
    };

    ReservierungLogik* l = logik_.get();
    const auto zahl = [l](ZahlFeld feld) { return [l, feld] { return l->zahlVerlassen(feld); }; };
    const auto adressfeld = [l](AdressFeld feld) {
        return [l, feld] {
            l->adresse().feldVerlassen(feld);
            return true;
        };
    };
    verlassenRegeln_ = {
        {fldVon, [l] { return l->datumVerlassen(true); }},
        {fldBis, [l] { return l->datumVerlassen(false); }},
        {fldCheckDatum, [l] { return l->checkDatumVerlassen(); }},
        {txtResDatum, [l] { return l->resDatumVerlassen(); }},
        {fldAnzahlGäste, zahl(ZahlFeld::Gaeste)},
        {fldWäsche1, zahl(ZahlFeld::Waesche1)},
        {fldWäsche2, zahl(ZahlFeld::Waesche2)},
        {fldInfo, [l] { return l->infoVerlassen(); }},
        {cboTarif,
         [this, l] {
             if (cboTarif->lineEdit()->isModified()) l->tarifVerlassen();
             cboTarif->lineEdit()->setModified(false);
             return true;
         }},
        {fldPreis,
         [this, l] {
             if (fldPreis->isModified()) l->preisVerlassen();
             fldPreis->setModified(false);
             return true;
         }},
        {txtBeNummer_eigen,
         [l] {
             l->belegNummerVerlassen();
             return true;
         }},
        {fldPLZ,
         [this, l] {
             l->adresse().feldVerlassen(AdressFeld::Plz);
             const QList<PlzOrt> orte = l->adresse().plzVerlassen();
             if (orte.size() > 1) {
                 QStringList namen;
                 for (const PlzOrt& o : orte) namen << o.ort;
                 listeNachfuellen(fldStadt, namen);
             }
             return true;
         }},
        {cboGastNeu,
         [this] {
             gastTippen_ = false;
             return true;
         }},
        // The invoice-address box shows the chosen invoice address, or nothing.
        {cboAdrRechnung, [] { return true; }},
        {fldVorname, adressfeld(AdressFeld::Vorname)},
        {fldFirma, adressfeld(AdressFeld::Firma)},
        {fldStrasse, adressfeld(AdressFeld::Strasse)},
        {fldTelefon, adressfeld(AdressFeld::Telefon)},
        {fldFax, adressfeld(AdressFeld::Fax)},
        {fldEmail, adressfeld(AdressFeld::Email)},
        {fldBemerkAdr, adressfeld(AdressFeld::Bemerkung)},
        {cboAnrede, adressfeld(AdressFeld::Anrede)},
        {fldStadt, adressfeld(AdressFeld::Ort)},
    };
}

void frmReservierung::zurueck(QWidget* feld) {
    QTimer::singleShot(0, feld, [this, feld] {
        const Schalter zurueck(zurueckLaeuft_);
        feld->setFocus(Qt::OtherFocusReason);
    });
}

bool frmReservierung::feldVerlassen(QObject* watched) {
    uebernehmen();
    const auto regel = verlassenRegeln_.constFind(watched);
    const bool ok = regel == verlassenRegeln_.constEnd() || (*regel)();
    // The refused box gets the focus back here; a focus request left in the logic would pull it
    // back again at the next operation.
    logik_->felder().fokus = Fokus::Keiner;
    anzeigen();
    QWidget* feld = qobject_cast<QWidget*>(watched);
    if (!ok && feld) zurueck(feld);
    return ok;
}

bool frmReservierung::mausKlick(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        // A double click gives the next number.
        if (watched != txtBeNummer_eigen) return false;
        ausfuehren([this] { logik_->belegNummerVergeben(); });
        return true;
    }
    if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) return false;
    // The right mouse button stores a default, or takes the invoice address as the guest's.
    const QList<QPair<QList<const QObject*>, std::function<void()>>> rechts = {
        {{optAlleZimmer, optFreieZimmer}, [this] { logik_->zimmerauswahlVorgabe(); }},
        {{chStammkunde}, [this] { logik_->stammkundenVorgabe(); }},
        {{cboAdrRechnung},
         [this] {
             if (logik_->adresse().rechnungsadresseAlsGast()) logik_->geaendert();
         }},
    };
    for (const auto& [felder, was] : rechts) {
        if (!felder.contains(watched)) continue;
        ausfuehren(was);
        return true;
    }
    return false;
}

bool frmReservierung::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (tasteAnwenden(tastenregeln_, watched, *static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::FocusOut:
            if (istVerlassen(event) && !fuellen_ && !pruefen_ && !zurueckLaeuft_) {
                const Schalter pruefen(pruefen_);
                feldVerlassen(watched);
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (mausKlick(watched, event)) return true;
            break;
        default: break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tav
