#pragma once

#include <QFile>
#include <QString>

namespace tav::test {

// Copies the shipped templates into a program folder under the names the program opens.
inline bool vorlagenInstallieren(const QString& ordner) {
    const struct {
        const char* quelle;
        const char* name;
    } vorlagen[] = {{"rechnung.html", "rechnung.doc"},   {"varangebot.html", "VarAngebot.doc"},
                    {"bestaet.html", "Bestät.doc"},      {"angebot.html", "angebot.doc"},
                    {"anmeldung.html", "Anmeldung.doc"}, {"resbestaetigung.html", "resbestätigung.doc"}};
    bool alle = true;
    for (const auto& v : vorlagen) {
        const QString ziel = ordner + QLatin1Char('/') + QString::fromUtf8(v.name);
        QFile::remove(ziel);
        alle = QFile::copy(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/") + QString::fromUtf8(v.quelle), ziel) && alle;
    }
    return alle;
}

}  // namespace tav::test
