#include "reservation/ui/frmReservierung.h"

#include "store/Datenbankfehler.h"

#include <QPushButton>
#include <QTimer>

#include "engine/Database.h"
#include "platform/Shell.h"
#include "platform/ui/QtDialogs.h"
#include "reservation/Blockprogramm.h"
#include "reservation/ui/TastenFilter.h"
#include "reservation/ui/frmCollision.h"
#include "store/Adressprogramm.h"
#include "store/Fenster.h"
#include "store/WeitereDokumente.h"

namespace tav {

namespace {

Dialogs*& einstiegsDialogs() {
    static Dialogs* dialogs = nullptr;
    return dialogs;
}

Shell*& einstiegsShell() {
    static Shell* shell = nullptr;
    return shell;
}

}  // namespace

frmReservierung::frmReservierung(Database& db, Database* beispielDb, const FormularEinstellungen& einstellungen, AdressUmgebung umgebung,
                                 QWidget* parent, Dialogs* dialogs, KollisionsDialog* kollision, Fenster* fenster, Shell* shell)
    : QDialog(parent),
      eigeneShell_(shell ? nullptr : std::make_unique<SystemShell>()),
      shell_(shell ? shell : eigeneShell_.get()),
      eigeneDialogs_(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      eigeneKollision_(kollision ? nullptr : std::make_unique<QtKollisionsDialog>(this)),
      db_(db),
      dialogs_(dialogs ? *dialogs : *eigeneDialogs_),
      fenster_(fenster) {
    if (eigeneDialogs_) eigeneDialogs_->setDefaultCaption(variablen().titel);
    logik_ = std::make_unique<ReservierungLogik>(db, beispielDb, dialogs_, kollision ? *kollision : *eigeneKollision_,
                                                 variablen().kollision, einstellungen, std::move(umgebung));
    ReservierungsMaske::aufbauen(*this, logik_->einstellungen());
    eingabeRegelnAnlegen();
    verbinden();
    dokumenteVerbinden();
    blockprogrammVerbinden();
    tabReihenfolge(*this);
    listenFuellen();
    new Hilfezeile(this, lblHilfe);
}

frmReservierung::~frmReservierung() {
    // The block program outlives the form: its end still asks the plan to reload.
    if (timeBlock && timeBlock->isActive()) blockWeiterBeobachten();
}

// ---- entries -------------------------------------------------------------------------------

void frmReservierung::setEinstiegsDialogs(Dialogs* dialogs) { einstiegsDialogs() = dialogs; }

void frmReservierung::setEinstiegsShell(Shell* shell) { einstiegsShell() = shell; }

void frmReservierung::oeffnen(QWidget* parent, Fenster* fenster) {
    Variablen& v = variablen();
    if (!v.db) return;
    frmReservierung form(*v.db, v.beispielDb.get(), FormularEinstellungen::lesen(*v.db, v.beispielDb.get()), AdressUmgebung::ausVariablen(),
                         parent, einstiegsDialogs(), nullptr, fenster, einstiegsShell());
    if (!form.starten(v.uebergabe)) return;
    form.exec();
}

void frmReservierung::oeffnen(const Uebergabe& uebergabe, QWidget* parent, Fenster* fenster) {
    variablen().uebergabe = uebergabe;
    oeffnen(parent, fenster);
}

void frmReservierung::oeffnenBuchung(int buchungId, QWidget* parent, Fenster* fenster) {
    Uebergabe u;
    u.neueBuchung = false;
    u.buchungId = buchungId;
    variablen().uebergabe = u;
    oeffnen(parent, fenster);
}

void frmReservierung::oeffnenNeu(int adressId, const QDate& anreise, const QDate& abreise, QWidget* parent, Fenster* fenster) {
    Variablen& v = variablen();
    if (!v.db) return;
    Uebergabe u;
    u.neueBuchung = true;
    u.anreise = anreise;
    u.abreise = abreise;
    u.belegungsart = v.uebergabe.belegungsart;
    v.uebergabe = u;
    frmReservierung form(*v.db, v.beispielDb.get(), FormularEinstellungen::lesen(*v.db, v.beispielDb.get()), AdressUmgebung::ausVariablen(),
                         parent, einstiegsDialogs(), nullptr, fenster, einstiegsShell());
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

// ---- running operations ------------------------------------------------------------------------

void frmReservierung::ausfuehren(const std::function<void()>& was) {
    if (fuellen_) return;
    uebernehmen();
    // A statement that fails (another workstation's lock, a read-only file) is named in a
    // message; the form stays open with everything typed, so the user can try again.
    const QString aufgabe = QStringLiteral("Die Reservierung konnte nicht bearbeitet werden.");
    if (!datenbankGeschuetzt(dialogs_, aufgabe, was)) {
        // Showing reads the room lists again: under the same lock it fails too, and one
        // message is enough.
        try {
            anzeigen();
        } catch (const DatabaseError&) {}
        return;
    }
    if (!datenbankGeschuetzt(dialogs_, aufgabe, [this] { anzeigen(); })) return;
    fokusSetzen();
    folgefensterOeffnen();
    schliessenWennVerlangt();
}

bool frmReservierung::fensterDa(Ziel ziel) const { return fenster_ && fenster_->vorhanden(ziel); }

void frmReservierung::fensterOeffnen(Ziel ziel, const Aufruf& aufruf) {
    if (fensterDa(ziel)) fenster_->oeffnen(ziel, aufruf, this);
}

void frmReservierung::folgefensterOeffnen() {
    ReservierungsFelder& f = logik_->felder();
    const Folgefenster ziel = f.folgefenster;
    f.folgefenster = Folgefenster::Keines;
    Aufruf aufruf;
    aufruf.buchungId = f.id;
    if (ziel == Folgefenster::Rechnungsuebersicht) fensterOeffnen(Ziel::Rechnungen, aufruf);
    if (ziel == Folgefenster::Zahlungen) fensterOeffnen(Ziel::Zahlungen, aufruf);
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

}  // namespace tav
