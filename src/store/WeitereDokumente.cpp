#include "store/WeitereDokumente.h"

#include <QDir>
#include <QFileInfo>

#include "engine/Database.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Datenbankfehler.h"

namespace tav {

namespace {

const QString kTitelNummer = QStringLiteral("Weitere Dokumente öffnen");
const QString kNichtGeoeffnet = QStringLiteral("Die gewünschte Datei konnte nicht geöffnet werden. Bitte richten Sie den Pfad neu ein.");

}  // namespace

WeitereDokumente::WeitereDokumente(Database& db, SettingsStore& settings, Dialogs& dialogs, Shell& shell, Menue menue)
    : db_(db), settings_(settings), dialogs_(dialogs), shell_(shell), pfade_(db, settings), menue_(menue) {}

QList<WeitereDokumente::Eintrag> WeitereDokumente::eintraege() {
    QList<Eintrag> liste;
    bool gemeldet = false;
    for (int n = 1; n <= kAnzahl; ++n) {
        const int k = eintragsnummer(n);
        clsPfade::Dokument d;
        try {
            d = pfade_.Pfadfinden(k);
        } catch (const DatabaseError& fehler) {
            if (!gemeldet)
                dialogs_.message(
                    datenbankFehlertext(QStringLiteral("Die Namen der weiteren Dokumente konnten nicht gelesen werden."), fehler), {},
                    Buttons::Ok, Icon::Exclamation);
            gemeldet = true;
            d.name = clsPfade::standardName(k);
            d.pfad = settings_.getSetting(clsPfade::pfadName(k));
        }
        liste.push_back({d.name, d.pfad, d.exportieren});
    }
    return liste;
}

bool WeitereDokumente::pfadeFestlegen() {
    int nummer = 0;
    for (;;) {
        const QString t =
            dialogs_
                .input(QStringLiteral("Für welchen Eintrag möchten Sie den Pfad festlegen. Wählen Sie 1 für den ersten Eintrag, 2 für ") +
                           QStringLiteral(" den zweiten Eintrag usw."),
                       kTitelNummer)
                .trimmed();
        if (t.isEmpty()) return false;
        bool zahl = false;
        nummer = t.toInt(&zahl);
        if (zahl && nummer >= 1 && nummer <= kAnzahl) break;
        dialogs_.message(QStringLiteral("Bitte geben Sie eine Zahl von 1 bis 5 ein."), kTitelNummer, Buttons::Ok, Icon::Exclamation);
    }
    const int k = eintragsnummer(nummer);
    clsPfade::Dokument bisher;
    if (!datenbankGeschuetzt(dialogs_, QStringLiteral("Der Eintrag konnte nicht gelesen werden."), [&] { bisher = pfade_.Pfadfinden(k); }))
        return false;

    clsPfade::Dokument neu;
    neu.name = dialogs_
                   .input(QStringLiteral("Geben Sie einem Namen für den Menüeintrag an."), QStringLiteral("Menüeintrag Namen vergeben"),
                          bisher.name)
                   .trimmed();
    if (neu.name.isEmpty()) return false;

    dialogs_.message(QStringLiteral("Wählen Sie im folgenden Dialog bitte die Datei aus, die geöffnet werden soll."),
                     QStringLiteral("Datei festlegen"), Buttons::Ok, Icon::Information);
    const QString start = bisher.pfad.isEmpty() ? QString() : QFileInfo(bisher.pfad).absolutePath();
    neu.pfad = dialogs_.openFile(QStringLiteral("Datei festlegen"), kDateifilter, start);
    if (neu.pfad.isEmpty()) return false;

    neu.exportieren = dialogs_.message(QStringLiteral("Möchten Sie vor dem Aufruf der Datei die Daten der aktuellen Adresse exportieren?"),
                                       QStringLiteral("Seriendruck vorbereiten"), Buttons::YesNo, Icon::Question) == Answer::Yes;

    return datenbankGeschuetzt(dialogs_, QStringLiteral("Der Menüeintrag konnte nicht gespeichert werden."),
                               [&] { pfade_.Pfadsetzen(k, neu); });
}

bool WeitereDokumente::oeffnen(int nummer, const Adressexport& adressexport) {
    if (nummer < 1 || nummer > kAnzahl) return false;
    clsPfade::Dokument d;
    if (!datenbankGeschuetzt(dialogs_, QStringLiteral("Der Eintrag konnte nicht gelesen werden."),
                             [&] { d = pfade_.Pfadfinden(eintragsnummer(nummer)); }))
        return false;
    if (d.exportieren && !d.pfad.isEmpty()) {
        const QString ordner = QFileInfo(d.pfad).absolutePath();
        const QString datei = adressexport ? adressexport(ordner) : QString();
        if (datei.isEmpty())
            dialogs_.message(QStringLiteral("Datenexport gescheitert"), {}, Buttons::Ok, Icon::Exclamation);
        else
            dialogs_.message(QStringLiteral("Adressdaten wurden exportiert nach ") + QDir::toNativeSeparators(datei) + QLatin1Char('.'), {},
                             Buttons::Ok, Icon::Information);
    }
    if (d.pfad.isEmpty() || !shell_.openDocument(d.pfad)) {
        dialogs_.message(kNichtGeoeffnet, {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace tav
