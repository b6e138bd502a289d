#pragma once

#include <QString>

namespace tav {

// The logon name of the user, written into WerErstellt / WerGeändert.
// Empty when the system does not tell it.
QString userName();

// Tests pin the name; an empty optional text restores the system's answer.
void setUserNameForTests(const QString& name);

}  // namespace tav
