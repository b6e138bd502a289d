#include "support/ScriptedFenster.h"

#include <gtest/gtest.h>

namespace tav::test {

void ScriptedFenster::setVorhanden(Ziel ziel, bool ja) {
    if (ja)
        vorhanden_.insert(ziel);
    else
        vorhanden_.remove(ziel);
}

void ScriptedFenster::setVorhanden(std::initializer_list<Ziel> ziele) {
    for (Ziel z : ziele) setVorhanden(z);
}

void ScriptedFenster::oeffnen(Ziel ziel, const Aufruf& aufruf, QObject*) {
    EXPECT_TRUE(vorhanden(ziel)) << "a window that is not there was opened: " << int(ziel);
    geoeffnet_.append({ziel, aufruf});
    if (const auto it = tun_.constFind(ziel); it != tun_.constEnd() && *it) (*it)(aufruf);
}

QString ScriptedFenster::datenSichern() {
    EXPECT_TRUE(vorhanden(Ziel::Datensicherung)) << "a backup was run without the backup window";
    ++sicherungen_;
    return sicherung_;
}

QList<Ziel> ScriptedFenster::ziele() const {
    QList<Ziel> z;
    for (const Geoeffnet& g : geoeffnet_) z << g.ziel;
    return z;
}

}  // namespace tav::test
