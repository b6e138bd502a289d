#include "plan/Zeitlog.h"

#include <QTime>

#include "platform/Files.h"

namespace tav {

Zeitlog::Zeitlog(const QString& ordner) : ordner_(ordner) {}

void Zeitlog::setOrdner(const QString& ordner) {
    beende();
    ordner_ = ordner;
}

QString Zeitlog::pfad() const { return ordner_.isEmpty() ? QString() : files::join(ordner_, QString::fromLatin1(kDateiname)); }

void Zeitlog::beginne() {
    if (!aktiv()) return;
    beende();
    datei_.setFileName(pfad());
    // A log that cannot be written never stops the plan.
    if (!datei_.open(QIODevice::Append | QIODevice::Text)) return;
}

void Zeitlog::schreibe(const char* schritt) {
    if (!datei_.isOpen()) return;
    const QByteArray zeile = QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")).toLatin1() + ' ' + QByteArray(schritt) + '\n';
    datei_.write(zeile);
}

void Zeitlog::beende() {
    if (datei_.isOpen()) datei_.close();
}

}  // namespace tav
