#pragma once

#include <QString>

namespace tav {

// The names of the per-user settings values of one installation. Instance 0 uses "Zentral",
// "Pfad", "BeispielPfad", "LokalDB" and "Excel"; instances 1 and 2 put their digit in place of
// the last letter ("Zentra1", "Pfa1", "BeispielPfa1", "lokalD1", "Exce1").
struct RegistryNamen {
    QString zentral;
    QString pfad;
    QString beispielPfad;
    QString lokalDB;
    QString excel;

    static RegistryNamen forInstance(int instance);
};

// Values shared by every instance.
inline const QString kRegistryVersion = QStringLiteral("Version");
inline const QString kRegistryInternet = QStringLiteral("Internet");

}  // namespace tav
