#include "app/Bildschirmfoto.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace tav {

namespace {

constexpr int kTakt = 100;  // ms between two looks

}  // namespace

QImage mitTitelleiste(QWidget& fenster) {
    const QPixmap inhalt = fenster.grab();
    QFont schrift = fenster.font();
    schrift.setBold(true);
    const int hoehe = QFontMetrics(schrift).height() + 10;
    QImage bild(inhalt.width(), inhalt.height() + hoehe, QImage::Format_RGB32);
    bild.fill(QColor(0x3c, 0x3f, 0x46));
    QPainter p(&bild);
    p.setFont(schrift);
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, inhalt.width() - 16, hoehe), Qt::AlignVCenter | Qt::AlignLeft, fenster.windowTitle());
    p.drawPixmap(0, hoehe, inhalt);
    return bild;
}

Bildschirmfoto::Bildschirmfoto(QString datei, std::function<bool()> beschaeftigt, std::function<QWidget*()> vorne, int wartezeitMs,
                               QObject* parent)
    : QObject(parent),
      datei_(std::move(datei)),
      beschaeftigt_(std::move(beschaeftigt)),
      vorne_(std::move(vorne)),
      wartezeitMs_(wartezeitMs) {
    timer_.setInterval(kTakt);
    connect(&timer_, &QTimer::timeout, this, &Bildschirmfoto::pruefen);
}

void Bildschirmfoto::starten() { timer_.start(); }

void Bildschirmfoto::pruefen() {
    gewartetMs_ += kTakt;
    if (gewartetMs_ > wartezeitMs_) {
        timer_.stop();
        emit fertig(false, QStringLiteral("Nach %1 Sekunden war noch kein Fenster zu sehen.").arg(wartezeitMs_ / 1000), {});
        return;
    }
    // A box or dialog that waits for an answer counts as idle, whatever runs behind it.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* fenster = modal ? modal : (beschaeftigt_() ? nullptr : vorne_());
    if (!fenster || !fenster->isVisible()) {
        kandidat_ = nullptr;
        ruhig_ = 0;
        return;
    }
    // The same window in front on two looks in a row: it has been laid out and painted.
    if (fenster != kandidat_) {
        kandidat_ = fenster;
        ruhig_ = 0;
        return;
    }
    if (++ruhig_ < 2) return;
    timer_.stop();
    const QFileInfo ziel(datei_);
    QDir().mkpath(ziel.absolutePath());
    if (!mitTitelleiste(*fenster).save(ziel.absoluteFilePath(), "PNG")) {
        emit fertig(false,
                    QStringLiteral("Das Bild '%1' konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(ziel.absoluteFilePath())),
                    fenster->windowTitle());
        return;
    }
    emit fertig(true, ziel.absoluteFilePath(), fenster->windowTitle());
}

}  // namespace tav
