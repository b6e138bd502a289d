#include "payment/ZahlartListe.h"

#include "payment/Zahlungen.h"
#include "platform/Dialogs.h"

namespace tav::zahlartListe {

bool eingabe(Database& db, const QString& text) { return Zahlungen(db).zahlartHinzufuegen(text); }

bool entfernen(Database& db, Dialogs& dialogs, const QString& text) {
    if (text.trimmed().isEmpty()) return false;
    if (dialogs.message(QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"), QStringLiteral("Listeneinträge löschen"),
                        Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    Zahlungen(db).zahlartEntfernen(text);
    return true;
}

}  // namespace tav::zahlartListe
