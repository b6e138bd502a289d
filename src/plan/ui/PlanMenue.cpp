#include "plan/ui/PlanMenue.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "store/Datenbankfehler.h"
#include "store/Variablen.h"

namespace tav {

PlanMenue::PlanMenue(QMenuBar* bar, Planbereich* plan, Database& db, Dialogs& dialogs, Shell& shell, SettingsStore& settings,
                     Fenster& fenster, Variablen& v)
    : QObject(bar),
      plan_(plan),
      dialogs_(dialogs),
      fenster_(fenster),
      v_(v),
      befehle_(db, dialogs, shell, settings, fenster, v.programmordner, v.instanz) {
    // ---- Datei ----
    QMenu* datei = menue(bar, "mnuDatei", QStringLiteral("&Datei"));
    eintrag(datei, "mnuDateiParameter", QStringLiteral("Eins&tellungen"), [this] {
        befehle_.einstellungenHinweis();
        Aufruf seite;
        seite.text = QStringLiteral("Allgemein");
        oeffne(Ziel::Einstellungen, seite);
    });
    bindeZiel("mnuDateiParameter", Ziel::Einstellungen);
    eintrag(datei, "mnuSaisonzeiten", QStringLiteral("Saison&zeiten festlegen"), [this] { oeffne(Ziel::Saisonzeiten); });
    bindeZiel("mnuSaisonzeiten", Ziel::Saisonzeiten);
    eintrag(datei, "mnuArtikel", QStringLiteral("A&rtikel"), [this] { oeffne(Ziel::Artikel); });
    bindeZiel("mnuArtikel", Ziel::Artikel);
    eintrag(datei, "mnuMwSt", QStringLiteral("&Mehrwertsteuer"), [this] { oeffne(Ziel::Mehrwertsteuer); });
    bindeZiel("mnuMwSt", Ziel::Mehrwertsteuer);
    QAction* beispiel = eintrag(datei, "mnuBeispiedaten", QStringLiteral("&Beispieldaten anzeigen"));
    beispiel->setCheckable(true);
    beispiel->setChecked(plan_->model().einstellungen().beispieldaten);
    connect(beispiel, &QAction::triggered, this, [this](bool an) { emit beispieldatenUmschalten(an); });
    eintrag(datei, "mnuDateiDrucken", QStringLiteral("Tavomera &drucken"), [this] {
        PlanModel& m = plan_->model();
        befehle_.planDruckenWord(
            {dates::longDate(m.start()), QString::number(m.tage()), QString::number(m.erstesZimmer()), v_.db ? v_.db->path() : QString()});
    });
    eintrag(datei, "mnuDatenbank", QStringLiteral("D&atenbankpfad einstellen"), [this] { emit datenbankpfadOeffnen(); });
    eintrag(datei, "mnuSicherPfad", QStringLiteral("&Datensicherung"), [this] { oeffne(Ziel::Datensicherung); });
    bindeZiel("mnuSicherPfad", Ziel::Datensicherung);
    eintrag(datei, "mnuFeiertage", QStringLiteral("&Feiertage"), [this] { oeffne(Ziel::Feiertage); });
    bindeZiel("mnuFeiertage", Ziel::Feiertage);
    datei->addSeparator();
    eintrag(datei, "mnuDateiBeenden", QStringLiteral("Be&enden   Alt+F4"), [this] { emit beendenAngefordert(); });

    // ---- Bearbeiten ----
    QMenu* bearbeiten = menue(bar, "mnuBearbeiten", QStringLiteral("&Bearbeiten"));
    eintrag(bearbeiten, "mnuBearbeitenReservierung", QStringLiteral("Neue &Reservierung"), [this] { plan_->neueReservierungOhneZimmer(); });
    bindeZiel("mnuBearbeitenReservierung", Ziel::Reservierung);
    eintrag(bearbeiten, "mnuDatenAB", QStringLiteral("&Daten anzeigen ab:"), [this] { plan_->anfangsdatumAbfragen(); });
    eintrag(bearbeiten, "mnuDateiReorganisation", QStringLiteral("Re&organisation"), [this] {
        if (befehle_.reorganisation() > 0) plan_->neuLaden();
    });
    // The item does nothing, as it always has; it stays in the menu, enabled, so that the menu
    // reads as users know it.
    eintrag(bearbeiten, "mnuAdressenLöschen", QStringLiteral("Adressen L&öschen"));
    eintrag(bearbeiten, "mnuAufbereiten", QStringLiteral("Daten &aufbereiten"), [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        emit datenAufbereiten();
        QApplication::restoreOverrideCursor();
        plan_->neuLaden();
    });
    eintrag(bearbeiten, "mnuDBUpdate", QStringLiteral("Datenbank &Update"), [this] {
        // The update program asks the user to close this program; it does not close it itself.
        befehle_.datenbankUpdate();
    });
    QMenu* internet = menue(bearbeiten, "mnuInternet", QStringLiteral("Inter&net"));
    eintrag(internet, "MnuInternet", QStringLiteral("Internet - &Auftritt"), [this] { befehle_.internet(); });

    // ---- Extras: the sibling programs ----
    QMenu* extras = menue(bar, "mnuExtras", QStringLiteral("E&xtras"));
    eintrag(extras, "mnuAdress", QStringLiteral("&Adressverwaltung"), [this] { befehle_.adressverwaltung(); });
    eintrag(extras, "mnuAuswert", QStringLiteral("&Statistik"), [this] {
        befehle_.statistik();
    })->setVisible(befehle_.programmVorhanden(Hauptbefehle::kStatistik));
    eintrag(extras, "mnuDatenexport", QStringLiteral("&Datenexport"), [this] {
        befehle_.datenexport();
    })->setVisible(befehle_.programmVorhanden(Hauptbefehle::kExport));
    eintrag(extras, "mnuDatenimport", QStringLiteral("Da&tenimport"), [this] {
        befehle_.datenimport();
    })->setVisible(befehle_.programmVorhanden(Hauptbefehle::kImport));

    // ---- Datenübersicht ----
    QMenu* daten = menue(bar, "mnuDaten", QStringLiteral("Datenübersicht"));
    eintrag(daten, "mnuSuchen", QStringLiteral("Daten &suchen, Listen erstellen"), [this] { oeffne(Ziel::Buchungsliste); });
    bindeZiel("mnuSuchen", Ziel::Buchungsliste);
    eintrag(daten, "mnuSchnellsuche", QStringLiteral("Schnellsuche A&dressen"), [this] { oeffne(Ziel::Adresssuche); });
    bindeZiel("mnuSchnellsuche", Ziel::Adresssuche);
    eintrag(daten, "mnurechnungsNummern", QStringLiteral("Suche nach &Rechnungsnummern"), [this] {
        if (const auto re = befehle_.rechnungSuchen()) {
            Aufruf a;
            a.nummer = *re;
            oeffne(Ziel::RechnungOeffnen, a);
        }
    });
    bindeZiel("mnurechnungsNummern", Ziel::RechnungOeffnen);
    eintrag(daten, "mnuAbreiseSuche", QStringLiteral("Suche nach &Abreisedatum"), [this] {
        if (const auto tag = befehle_.abreiseTagAbfragen()) {
            Aufruf a;
            a.anreise = *tag;
            oeffne(Ziel::Abreiseliste, a);
        }
    });
    bindeZiel("mnuAbreiseSuche", Ziel::Abreiseliste);
    eintrag(daten, "mnuLetzte", QStringLiteral("Zuletzt geöffnete Reservierung"), [this] {
        if (const auto id = befehle_.letzteReservierung(v_.letzteReservierung)) {
            KontextBuchung k;
            k.buchungId = *id;
            oeffne(Ziel::Reservierung, aufrufAus(plan_->model().oeffnen(k)));
        }
    });
    bindeZiel("mnuLetzte", Ziel::Reservierung);

    // ---- Info ----
    QMenu* info = menue(bar, "mnuHilfe", QStringLiteral("&Info"));
    eintrag(info, "mnuHandbuch", QStringLiteral("H&andbuch"), [this] { befehle_.handbuch(); });
    eintrag(info, "mnuInternetHilfe", QStringLiteral("Erste &Schritte für den Internet - Auftritt"), [this] { befehle_.internetHilfe(); });

    aktualisiereZustand();
}

QMenu* PlanMenue::menue(QMenuBar* bar, const char* name, const QString& text) {
    QMenu* m = bar->addMenu(text);
    m->setObjectName(QString::fromUtf8(name));
    m->menuAction()->setObjectName(QString::fromUtf8(name));
    eintraege_.insert(m->objectName(), m->menuAction());
    return m;
}

QMenu* PlanMenue::menue(QMenu* oben, const char* name, const QString& text) {
    QMenu* m = oben->addMenu(text);
    m->setObjectName(QString::fromUtf8(name));
    m->menuAction()->setObjectName(QString::fromUtf8(name));
    eintraege_.insert(m->objectName(), m->menuAction());
    return m;
}

QAction* PlanMenue::eintrag(QMenu* m, const char* name, const QString& text) {
    QAction* a = m->addAction(text);
    a->setObjectName(QString::fromUtf8(name));
    eintraege_.insert(a->objectName(), a);
    return a;
}

template <typename F>
QAction* PlanMenue::eintrag(QMenu* m, const char* name, const QString& text, F&& tun) {
    QAction* a = eintrag(m, name, text);
    QString befehl = text.section(QStringLiteral("   "), 0, 0);
    befehl.remove(QLatin1Char('&'));
    connect(a, &QAction::triggered, this, [this, befehl, tun = std::forward<F>(tun)] {
        datenbankGeschuetzt(dialogs_, QStringLiteral("\"%1\" konnte nicht ausgeführt werden.").arg(befehl), tun);
    });
    return a;
}

void PlanMenue::bindeZiel(const char* name, Ziel ziel) { ziele_.insert(QString::fromUtf8(name), ziel); }

void PlanMenue::setBeispieldaten(bool an) { eintraege_.value(QStringLiteral("mnuBeispiedaten"))->setChecked(an); }

void PlanMenue::aktualisiereZustand() {
    plan_->aktualisiereZustand();
    for (auto it = ziele_.cbegin(); it != ziele_.cend(); ++it)
        if (QAction* a = eintraege_.value(it.key())) a->setEnabled(fenster_.vorhanden(it.value()));
}

void PlanMenue::oeffne(Ziel ziel, const Aufruf& aufruf) {
    if (!fenster_.vorhanden(ziel)) return;
    fenster_.oeffnen(ziel, aufruf, plan_);
    plan_->neuLaden();
}

}  // namespace tav
