#include "plan/Hauptbefehle.h"

#include "engine/Database.h"
#include "platform/Amounts.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Adressmarken.h"
#include "store/Fenster.h"
#include "store/Parameter.h"
#include "store/mdBlockbuchung.h"

namespace tav {

namespace {

const QString kWiederholen = QStringLiteral("Bitte wiederholen Sie die Eingabe.");

}  // namespace

Hauptbefehle::Hauptbefehle(Database& db, Dialogs& dialogs, Shell& shell, SettingsStore& settings, Fenster& fenster, QString programmordner,
                           int instanz)
    : db_(db),
      dialogs_(dialogs),
      shell_(shell),
      settings_(settings),
      fenster_(fenster),
      ordner_(std::move(programmordner)),
      instanz_(instanz) {}

QString Hauptbefehle::programmPfad(const QString& datei) const { return files::join(ordner_, datei); }

bool Hauptbefehle::programmVorhanden(const QString& datei) const { return shell_.programExists(programmPfad(datei)); }

bool Hauptbefehle::starte(const QString& datei, const QStringList& argumente) {
    return shell_.startProgram(programmPfad(datei), argumente);
}

std::optional<QDate> Hauptbefehle::anfangsdatumAbfragen(Dialogs& dialogs, QDate aktuell) {
    for (;;) {
        const QString t = dialogs
                              .input(QStringLiteral("Geben Sie das Anfangsdatum der Darstellung ein:"),
                                     QStringLiteral("Zeitleiste verschieben"), aktuell.isValid() ? dates::longDate(aktuell) : QString())
                              .trimmed();
        if (t.isEmpty()) return std::nullopt;
        if (auto d = dates::parse(t)) return d;
        dialogs.message(kWiederholen);
    }
}

int Hauptbefehle::reorganisation() {
    const QString eingabe = dialogs_
                                .input(QStringLiteral("Welche Reservierungen sollen gelöscht werden?") + QLatin1Char('\n') +
                                           QStringLiteral("(Älter als x Monate):"),
                                       QStringLiteral("Löschen von alten Reservierungen"), QStringLiteral("6"))
                                .trimmed();
    if (!amounts::isCount(eingabe) || eingabe.toInt() <= 0) return 0;
    const int monate = eingabe.toInt();

    // Without the backup window there is nothing to offer.
    const Answer sichern = fenster_.vorhanden(Ziel::Datensicherung)
                               ? dialogs_.message(QStringLiteral("Dieser Vorgang ändert Reservierungsdaten.") + QLatin1Char('\n') +
                                                      QStringLiteral("Soll eine Datensicherung durchgeführt werden?"),
                                                  {}, Buttons::YesNoCancel, Icon::Question)
                               : Answer::No;
    if (sichern == Answer::Cancel) return 0;
    if (sichern == Answer::Yes) {
        const QString ordner = fenster_.datenSichern();
        if (!ordner.isEmpty()) {
            dialogs_.message(QStringLiteral("Die Daten wurden in folgendes Verzeichnis gesichert: ") + ordner);
        } else if (dialogs_.message(
                       QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. Möchten Sie den Vorgang trotzdem fortsetzen?"),
                       QStringLiteral("Datenpflege"), Buttons::YesNo, Icon::Question) != Answer::Yes) {
            return 0;
        }
    }
    if (dialogs_.message(QStringLiteral("Es werden nun alle Reservierungen und dazugehörige Daten gelöscht, die älter als ") +
                             QString::number(monate) + QStringLiteral(" Monate sind. Fortfahren?"),
                         {}, Buttons::YesNo, Icon::Question, 2) != Answer::Yes)
        return 0;

    Transaction t(db_);
    const int geloescht = db_.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE datediff('m', Bis, Now) >= ?;"), {monate});
    if (dialogs_.message(
            QStringLiteral("Es werden ") + QString::number(geloescht) + QStringLiteral(" Datensätze gelöscht. Vorgang fortsetzen?"),
            QStringLiteral("Datenpflege"), Buttons::OkCancel, Icon::Question, 2) != Answer::Ok) {
        t.rollback();
        return 0;
    }
    // Deleting old bookings leaves addresses that no booking uses any more.
    adressmarken::ohneBelegungLoeschen(db_, instanz_);
    t.commit();
    dialogs_.message(QStringLiteral("Vorgang abgeschlossen"));
    return geloescht;
}

bool Hauptbefehle::adressverwaltung() {
    if (!programmVorhanden(kAdressen)) return false;
    return starte(kAdressen);
}

bool Hauptbefehle::statistik() {
    mdBlockbuchung::Angebotskonflikte(db_, dialogs_, Clock::current().today());
    return starte(kStatistik);
}

bool Hauptbefehle::internet() {
    QString pfad = settings_.getSetting(QStringLiteral("Internet"));
    if (pfad.isEmpty()) pfad = programmPfad(kInternet);
    if (!shell_.programExists(pfad)) {
        if (dialogs_.message(QStringLiteral("Die Datei 'Fendrix.exe' konnte nicht gefunden werden. Möchten Sie selber nach ihr suchen?"),
                             {}, Buttons::YesNo, Icon::Question) != Answer::Yes)
            return false;
#ifdef Q_OS_WIN
        const QString filter = QStringLiteral("Fendrix.exe (Fendrix.exe)|Fendrix.exe|");
#else
        // Off Windows the program file has no extension.
        const QString filter = QStringLiteral("Fendrix.exe (Fendrix.exe)|Fendrix.exe;Fendrix|");
#endif
        pfad = dialogs_.openFile(QStringLiteral("Fendrix.exe suchen"), filter, ordner_);
        if (pfad.isEmpty()) return false;
        settings_.saveSetting(QStringLiteral("Internet"), pfad);
    }
    if (!shell_.startProgram(pfad)) {
        dialogs_.message(QStringLiteral("Die Internetanwendung konnte nicht gestartet werden."));
        return false;
    }
    return true;
}

bool Hauptbefehle::datenbankUpdate() {
    if (dialogs_.message(
            QStringLiteral("Damit das Datenbankupdate ausgeführt werden kann, muss der Tavomera geschlossen werden. Der Tavomera muss "
                           "ebenfalls auf alen Computern im Netzwerk geschlossen werden. ") +
                QStringLiteral("Möchten Sie den Vorgang fortsetzen?"),
            {}, Buttons::OkCancel, Icon::Question) != Answer::Ok)
        return false;
    if (!starte(kDbUpdate)) {
        dialogs_.message(QStringLiteral("Das Programm 'Wernic.exe' konnte nicht gestartet werden."), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

bool Hauptbefehle::planDruckenWord(const QStringList& parameter) {
    if (!shell_.wordProcessorInstalled()) {
        dialogs_.message(QStringLiteral("Für diesen Ausdruck wird das Programm 'Microsoft Word' ab Version 8.0 (97) benötigt."));
        return false;
    }
    if (!starte(kPlanDruck, parameter)) {
        dialogs_.message(QStringLiteral("Das Programm 'Sendrak.exe' konnte nicht gestartet werden."), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

bool Hauptbefehle::handbuch() {
    if (shell_.openDocument(programmPfad(kHandbuch))) return true;
    dialogs_.message(
        QStringLiteral("Das Handbuch benötigt das Programm  'Acrobat Reader'. Sie können das Programm installieren, indem Sie die "
                       "Installations CD des Tavomeras in das") +
        QStringLiteral("CD Rom Laufwerk legen und auf 'Acrobat Reader installieren' klicken."));
    return false;
}

bool Hauptbefehle::internetHilfe() {
    if (shell_.openDocument(programmPfad(kInternetHilfe))) return true;
    dialogs_.message(QStringLiteral("Die Datei 'index.html' konnte nicht geöffnet werden."), {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

std::optional<int> Hauptbefehle::rechnungSuchen() {
    for (;;) {
        const QString t =
            dialogs_.input(QStringLiteral("Bitte geben Sie die laufende Rechnungsnummer an?"), QStringLiteral("Rechnungen suchen"))
                .trimmed();
        if (t.isEmpty()) return std::nullopt;
        if (!amounts::isCount(t)) {
            if (dialogs_.message(QStringLiteral("Bitte geben Sie nur Ziffern ein. Möchten Sie die Eingabe wiederholen?"), {},
                                 Buttons::YesNo, Icon::Question) == Answer::Yes)
                continue;
            return std::nullopt;
        }
        Recordset rs = db_.openRecordset(
            QStringLiteral(
                "SELECT tbRechnungen.ReNummer FROM tbRechnungen WHERE tbRechnungen.ReZaehler = ? AND tbRechnungen.IST_Rechnung = 'R'"),
            {t.toLongLong()});
        if (rs.eof()) {
            dialogs_.message(QStringLiteral("Diese Rechnungsnummer existiert nicht."));
            return std::nullopt;
        }
        return rs.integer(QStringLiteral("ReNummer"));
    }
}

std::optional<QDate> Hauptbefehle::abreiseTagAbfragen() {
    for (;;) {
        const QString t = dialogs_
                              .input(QStringLiteral("Für welchen Tag sollen die Abreisedaten angezeigt bzw. gedruckt werden?"),
                                     QStringLiteral("Alle Reservierungen, die an einem bestimmten Tag enden."))
                              .trimmed();
        if (t.isEmpty()) return std::nullopt;
        if (auto d = dates::parse(t)) return d;
        dialogs_.message(kWiederholen);
    }
}

std::optional<int> Hauptbefehle::letzteReservierung(int letzte) {
    if (letzte > 0) return letzte;
    dialogs_.message(QStringLiteral("Es wurde noch keine Reservierung geöffnet."));
    return std::nullopt;
}

void Hauptbefehle::einstellungenHinweis(Dialogs& dialogs) {
    dialogs.message(QStringLiteral("Wenn die Standardeinstellungen geändert werden, muss das Programm ") +
                    QStringLiteral(" auf allen Computern im Netzwerkbetrieb neu gestartet werden."));
}

}  // namespace tav
