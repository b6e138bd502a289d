#include "app/ProgrammFenster.h"

#include <QDir>
#include <QWidget>

#include "backup/DatensicherungLogik.h"
#include "backup/ui/frmDatensicherung.h"
#include "invoice/Belegdruck.h"
#include "invoice/RechnungspostenLogik.h"
#include "invoice/ui/Rechnungsposten.h"
#include "invoice/ui/frmArtikel.h"
#include "invoice/ui/frmMwSt.h"
#include "invoice/ui/frmRechnungPo.h"
#include "lists/ui/frmSuchen.h"
#include "payment/ui/frmAbrechnen.h"
#include "payment/ui/frmZahlung.h"
#include "payment/ui/frmZahlungAdr.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/ui/frmAdrSuchen.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmSaison.h"
#include "reservation/ui/frmSaisonpreise.h"
#include "settings/ui/frmFeiertag.h"
#include "settings/ui/frmParameter.h"
#include "store/Datenbankdateien.h"
#include "store/Datenbankfehler.h"
#include "store/Variablen.h"

namespace tav {

namespace {

QString fensterName(Ziel ziel) {
    switch (ziel) {
        case Ziel::Reservierung: return QStringLiteral("Die Reservierung");
        case Ziel::Adresssuche: return QStringLiteral("Die Schnellsuche Adressen");
        case Ziel::Saisonzeiten: return QStringLiteral("Die Saisonzeiten");
        case Ziel::Saisonpreise: return QStringLiteral("Die Saisonpreise");
        case Ziel::Buchungsliste:
        case Ziel::Abreiseliste: return QStringLiteral("Die Buchungsliste");
        case Ziel::Einstellungen: return QStringLiteral("Die Einstellungen");
        case Ziel::Feiertage: return QStringLiteral("Die Feiertage");
        case Ziel::Zahlungen: return QStringLiteral("Die Zahlungen");
        case Ziel::Abrechnen: return QStringLiteral("Die Abrechnung");
        case Ziel::Adresskonto: return QStringLiteral("Das Konto der Adresse");
        case Ziel::Artikel: return QStringLiteral("Die Artikel");
        case Ziel::Mehrwertsteuer: return QStringLiteral("Die Mehrwertsteuer");
        case Ziel::Datensicherung: return QStringLiteral("Die Datensicherung");
        case Ziel::Rechnungsposten: return QStringLiteral("Das Fenster der weiteren Posten");
        case Ziel::Rechnungen: return QStringLiteral("Die Rechnungsposten");
        default: return QStringLiteral("Das Fenster");
    }
}

}  // namespace

bool ProgrammFenster::vorhanden(Ziel ziel) const {
    switch (ziel) {
        case Ziel::Reservierung:
        case Ziel::Adresssuche:
        case Ziel::Saisonzeiten:
        case Ziel::Saisonpreise:
        case Ziel::Buchungsliste:
        case Ziel::Abreiseliste: return true;
        case Ziel::Einstellungen:
        case Ziel::Feiertage: return true;
        case Ziel::Zahlungen:
        case Ziel::Abrechnen:
        case Ziel::Adresskonto: return true;
        case Ziel::Artikel:
        case Ziel::Mehrwertsteuer: return true;
        case Ziel::Datensicherung: return true;
        case Ziel::Rechnungsposten:
        case Ziel::Rechnungen:
        case Ziel::RechnungOeffnen: return true;
        default: return false;
    }
}

void ProgrammFenster::oeffnen(Ziel ziel, const Aufruf& aufruf, QObject* eltern) {
    if (!vorhanden(ziel) || !v_.db) return;
    auto* fenster = qobject_cast<QWidget*>(eltern);
    datenbankGeschuetzt(dialogs_, fensterName(ziel) + QStringLiteral(" konnte nicht geöffnet werden."),
                        [&] { oeffneFenster(ziel, aufruf, fenster); });
}

void ProgrammFenster::oeffneFenster(Ziel ziel, const Aufruf& aufruf, QWidget* eltern) {
    Database& db = *v_.db;
    switch (ziel) {
        case Ziel::Reservierung:
            // A new booking for an address from the quick search; else the plan's hand-over.
            if (aufruf.neueBuchung && aufruf.adressId != 0) {
                frmReservierung::oeffnenNeu(aufruf.adressId, aufruf.anreise, aufruf.abreise, eltern, this);
            } else {
                frmReservierung::oeffnen(uebergabeAus(aufruf), eltern, this);
            }
            return;
        case Ziel::Adresssuche: frmAdrSuchen::oeffnen(db, dialogs_, *this, aufruf.text, eltern); return;
        case Ziel::Saisonzeiten: frmSaison::oeffnen(db, dialogs_, eltern); return;
        case Ziel::Buchungsliste: frmSuchen::oeffnen(db, dialogs_, *this, {}, eltern); return;
        // The booking list with the departures of the day asked for in the main window.
        case Ziel::Abreiseliste: frmSuchen::oeffnen(db, dialogs_, *this, aufruf, eltern); return;
        case Ziel::Saisonpreise: {
            // Opened for one room from the settings, the caption names it.
            frmSaisonpreise preise(db, dialogs_, aufruf.zimmerNummer, eltern);
            if (!aufruf.text.isEmpty()) preise.setWindowTitle(aufruf.text);
            preise.exec();
            return;
        }
        case Ziel::Einstellungen: frmParameter::oeffnen(db, v_.beispielDb.get(), dialogs_, *this, aufruf.text, eltern); return;
        case Ziel::Feiertage: frmFeiertag::oeffnen(db, dialogs_, files::join(v_.programmordner, dbfiles::kHolidayFile), eltern); return;
        case Ziel::Zahlungen:
            // The payments of a booking (with its block's members), or of one invoice.
            if (aufruf.buchungId == 0 && aufruf.nummer != 0)
                frmZahlung::oeffnenFuerRechnung(db, dialogs_, aufruf.nummer, eltern);
            else
                frmZahlung::oeffnen(db, dialogs_, aufruf.buchungId, eltern);
            return;
        case Ziel::Adresskonto: frmZahlungAdr::oeffnen(db, dialogs_, *this, aufruf.adressId, eltern); return;
        case Ziel::Abrechnen: frmAbrechnen::oeffnen(db, dialogs_, aufruf.nummer, aufruf.buchungId, eltern); return;
        case Ziel::Artikel: frmArtikel::oeffnen(db, dialogs_, eltern); return;
        case Ziel::Mehrwertsteuer: frmMwSt::oeffnen(db, dialogs_, eltern); return;
        case Ziel::Datensicherung: {
            SettingsStore settings;
            SystemShell shell;
            DatensicherungLogik logik(&db, dialogs_, settings, shell, v_.werte, sicherungsDateien(settings));
            // A restore replaced the files under the open main window: it is loaded anew.
            if (frmDatensicherung::oeffnen(logik, dialogs_, eltern)) v_.neustartNachWiederherstellung = true;
            return;
        }
        case Ziel::Rechnungen: {
            // The items editor; its documents are written and merged in the program folder.
            static SystemShell desktop;
            frmRechnungPo::Umgebung u;
            u.fenster = this;
            u.shell = shell_ ? shell_ : &desktop;
            u.programmordner = v_.programmordner;
            u.variablen = &v_;
            // The reservation form asked a block member how it is invoiced: "Zusatzposten" when the
            // room stays billed through its block and only the extra items are invoiced here.
            u.nurZusatzposten = aufruf.text == QStringLiteral("Zusatzposten");
            u.ausgabe = [&db, this](int reNummer, Dokumentart art, bool ohneVerpflegung) {
                Detailergebnis e;
                frmRechnungPo::Ausgedruckt a;
                a.pdf = Belegdruck(db, dialogs_, v_.programmordner).drucken(reNummer, art, ohneVerpflegung, &e);
                a.netto = e.netto;
                a.mwst = e.mwst;
                a.brutto = e.bruttoNachRabatt;
                a.zahlungen = e.zahlungen;
                return a;
            };
            frmRechnungPo::oeffnen(db, dialogs_, std::move(u), aufruf.buchungId, RechnungPoLogik::modusDerBuchung(db, aufruf.buchungId),
                                   eltern);
            return;
        }
        case Ziel::RechnungOeffnen: {
            // A found invoice opens in the items editor of a booking it covers (directly or
            // through one of its items).
            const int buchung =
                db.scalar(QStringLiteral("SELECT Nz(Min(IDBelegung), 0) FROM tbRechnungen_zu_Posten WHERE IDRechnung = ?"), {aufruf.nummer})
                    .toInt();
            const int ueberPosten =
                db.scalar(QStringLiteral("SELECT Nz(Min(tbRePosten.IDBelegung), 0) FROM tbRePosten INNER JOIN "
                                         "tbRechnungen_zu_Posten ON tbRePosten.IDRePosten = "
                                         "tbRechnungen_zu_Posten.IDPostenRe WHERE tbRechnungen_zu_Posten.IDRechnung = ?"),
                          {aufruf.nummer})
                    .toInt();
            if (buchung == 0 && ueberPosten == 0) {
                dialogs_.message(QStringLiteral("Diese Rechnungsnummer existiert nicht."));
                return;
            }
            Aufruf a;
            a.buchungId = buchung != 0 ? buchung : ueberPosten;
            oeffneFenster(Ziel::Rechnungen, a, eltern);
            return;
        }
        case Ziel::Rechnungsposten:
            Rechnungsposten::oeffnen(db, dialogs_, rechnungsposten(), aufruf.buchungId, aufruf.text, v_.druckAnzahl, eltern);
            return;
        default: return;
    }
}

SicherungsDateien ProgrammFenster::sicherungsDateien(const SettingsStore& settings) const {
    SicherungsDateien d;
    d.arbeit = settings.getSetting(v_.werte.pfad);
    if (d.arbeit.isEmpty()) d.arbeit = v_.arbeitsPfad;
    d.zentral = settings.getSetting(v_.werte.zentral);
    d.beispiel = v_.beispielPfad.isEmpty() ? files::join(v_.programmordner, v_.dateien.sample) : v_.beispielPfad;
    d.programmordner = v_.programmordner;
    return d;
}

QString ProgrammFenster::datenSichern() {
    if (!v_.db) return {};
    SettingsStore settings;
    SystemShell shell;
    DatensicherungLogik logik(v_.db.get(), dialogs_, settings, shell, v_.werte, sicherungsDateien(settings));
    QString ordner;
    if (!datenbankGeschuetzt(dialogs_, QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), [&] {
            logik.laden();
            ordner = logik.datenbankenSichern();
        }))
        return {};
    return QDir::toNativeSeparators(ordner);
}

}  // namespace tav
