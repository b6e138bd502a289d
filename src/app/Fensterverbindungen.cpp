#include "app/Fensterverbindungen.h"

#include "store/Variablen.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "reservation/AdressLogik.h"
#include "reservation/ui/frmAdrSuchen.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmSaison.h"

namespace tav {

void fensterVerbinden(frmMain& f, Dialogs& dialogs) {
    PlanMenue* menue = f.menue();
    Planbereich* plan = f.plan();
    Variablen& v = variablen();
    if (!menue || !plan || !v.db) return;
    Database& db = *v.db;

    QObject::connect(menue, &PlanMenue::saisonzeitenOeffnen, &f, [&f, &db, &dialogs] { frmSaison::oeffnen(db, dialogs, &f); });
    menue->setVorhanden(Ziel::Saisonzeiten);

    // The plan repaints itself after these signals: the form is modal.
    auto reservierung = [&f](const Uebergabe& u) { frmReservierung::oeffnen(u, &f); };
    QObject::connect(plan, &Planbereich::neueReservierung, &f, reservierung);
    QObject::connect(plan, &Planbereich::reservierungOeffnen, &f, reservierung);
    QObject::connect(menue, &PlanMenue::reservierungOeffnen, &f, reservierung);
    menue->setVorhanden(Ziel::Reservierung);

    auto adressSuche = [&f, &db, &dialogs, plan](const QString& ersterBuchstabe) {
        frmAdrSuchen::oeffnen(db, dialogs, ersterBuchstabe, &f, [&f](frmAdrSuchen& suche) {
            QObject::connect(&suche, &frmAdrSuchen::reservierungOeffnen, &suche,
                             [&suche](int buchungId) { frmReservierung::oeffnenBuchung(buchungId, &suche); });
            QObject::connect(&suche, &frmAdrSuchen::neueReservierung, &suche,
                             [&suche](int adressId, const QDate& anreise, const QDate& abreise) {
                                 frmReservierung::oeffnenNeu(adressId, anreise, abreise, &suche);
                             });
        });
        plan->neuLaden();
    };
    QObject::connect(menue, &PlanMenue::adressSucheOeffnen, &f, adressSuche);
    QObject::connect(plan, &Planbereich::adressSucheOeffnen, &f, adressSuche);
    menue->setVorhanden(Ziel::Adresssuche);

    // Deleting old bookings leaves addresses that no booking uses any more.
    menue->befehle().setNachReorganisation([&db, &v] { AdressLogik::AdressenOhneBelegung(db, v.instanz); });
}

}  // namespace tav
