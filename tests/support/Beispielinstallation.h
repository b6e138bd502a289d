#pragma once

#include <QDate>

#include "engine/Database.h"
#include "platform/SettingsStore.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "support/TempFolder.h"

namespace tav::test {

// An installation in folder whose working and central database are the sample database with
// its bookings around today, as after "Ja" to the sample question.
inline void beispielInstallation(const TempFolder& ordner, SettingsStore& settings) {
    dbfiles::createInstallation(ordner.path());
    beispieldaten::anlegen(*Database::open(ordner.file(QStringLiteral("Beispiel.mdb"))), QDate::currentDate());
    settings.deleteSection();
    settings.saveSetting(QStringLiteral("Pfad"), ordner.file(QStringLiteral("Beispiel.mdb")));
    settings.saveSetting(QStringLiteral("Zentral"), ordner.file(QStringLiteral("Beispiel.mdb")));
}

}  // namespace tav::test
