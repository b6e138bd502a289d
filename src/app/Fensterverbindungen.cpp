#include "app/Fensterverbindungen.h"

#include "data/Variablen.h"
#include "plan/PlanMenue.h"
#include "plan/PlanWidget.h"
#include "plan/frmMain.h"
#include "reservation/AdressLogik.h"
#include "reservation/frmAdrSuchen.h"
#include "reservation/frmReservierung.h"
#include "reservation/frmSaison.h"

namespace tav {

void fensterVerbinden(frmMain& f, Dialogs& dialogs) {
    PlanMenue* menue = f.menue();
    PlanWidget* plan = f.plan();
    Variablen& v = variablen();
    if (!menue || !plan || !v.db) return;
    Database& db = *v.db;

    QObject::connect(menue, &PlanMenue::saisonzeitenOeffnen, &f, [&f, &db, &dialogs] { frmSaison::oeffnen(db, dialogs, &f); });
    menue->setVorhanden(Ziel::Saisonzeiten);

    // The plan repaints itself after these signals: the form is modal.
    auto reservierung = [&f](const Uebergabe& u) { frmReservierung::oeffnen(u, &f); };
    QObject::connect(plan, &PlanWidget::neueReservierung, &f, reservierung);
    QObject::connect(plan, &PlanWidget::reservierungOeffnen, &f, reservierung);
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
    QObject::connect(plan, &PlanWidget::adressSucheOeffnen, &f, adressSuche);
    menue->setVorhanden(Ziel::Adresssuche);

    // Deleting old bookings leaves addresses that no booking uses any more.
    menue->befehle().setNachReorganisation([&db, &v] { AdressLogik::AdressenOhneBelegung(db, v.instanz); });
}

}  // namespace tav
