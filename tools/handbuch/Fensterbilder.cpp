#include "Fensterbilder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "app/Bildschirmfoto.h"

namespace tav::handbuch {

namespace {

constexpr int kTakt = 100;

// "&Datei" and "Datei" name the same menu.
QString ohneKuerzel(QString text) { return text.remove(QLatin1Char('&')); }

// Answers a question box that closing a window asks with its "Nein" (or closes it).
void verneinen(QWidget& box) {
    if (auto* m = qobject_cast<QMessageBox*>(&box)) {
        for (QAbstractButton* b : m->buttons()) {
            const auto rolle = m->buttonRole(b);
            if (rolle == QMessageBox::NoRole || ohneKuerzel(b->text()) == QStringLiteral("Nein")) {
                b->click();
                return;
            }
        }
    }
    if (auto* d = qobject_cast<QDialog*>(&box)) {
        d->reject();
        return;
    }
    box.close();
}

}  // namespace

bool Fensterbilder::warten(const std::function<bool()>& bedingung, int wartezeitMs) {
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > wartezeitMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, kTakt);
        QThread::msleep(10);
    }
    return true;
}

bool Fensterbilder::speichern(const QImage& bild, const QString& name) {
    QDir().mkpath(ordner_);
    const QString datei = QDir(ordner_).filePath(name + QStringLiteral(".png"));
    if (bild.isNull() || !bild.save(datei, "PNG")) {
        fehler_ << QStringLiteral("%1: das Bild konnte nicht geschrieben werden").arg(name);
        return false;
    }
    bilder_ << datei;
    return true;
}

bool Fensterbilder::modal(const QString& name, const std::function<void()>& oeffnen, const std::function<void(QWidget&)>& vorbereiten,
                          const QString& menue) {
    QTimer takt;
    takt.setInterval(kTakt);
    QPointer<QWidget> kandidat;
    QPointer<QWidget> aufgenommen;
    bool genommen = false;  // the window may be gone when oeffnen returns
    int ruhig = 0;
    int gewartet = 0;
    QObject::connect(&takt, &QTimer::timeout, [&] {
        QWidget* vorne = QApplication::activeModalWidget();
        if (genommen) {
            // Taken: close it, and say "Nein" to whatever its closing asks. Both run after this
            // look has returned: a question asked while closing waits in a loop of its own, in
            // which this timer only ticks again when its own call is over.
            if (!vorne) return;
            QPointer<QWidget> ziel = vorne;
            const bool schliessen = vorne == aufgenommen;
            QTimer::singleShot(0, vorne, [ziel, schliessen] {
                if (!ziel) return;
                if (!schliessen)
                    verneinen(*ziel);
                else if (auto* d = qobject_cast<QDialog*>(ziel.data()))
                    d->reject();
                else
                    ziel->close();
            });
            return;
        }
        if ((gewartet += kTakt) > 30000) {
            takt.stop();
            fehler_ << QStringLiteral("%1: kein Fenster erschienen").arg(name);
            return;
        }
        if (!vorne || !vorne->isVisible()) {
            ruhig = 0;
            return;
        }
        // The same window in front on three looks in a row: it has been laid out and painted.
        if (vorne != kandidat) {
            kandidat = vorne;
            ruhig = 0;
            return;
        }
        if (++ruhig < 3) return;
        if (vorbereiten) {
            vorbereiten(*vorne);
            QApplication::processEvents();
        }
        if (menue.isEmpty())
            speichern(mitTitelleiste(*vorne), name);
        else
            mitMenue(*vorne, menue, name);
        aufgenommen = vorne;
        genommen = true;
    });
    takt.start();
    oeffnen();
    takt.stop();
    if (!genommen && gewartet <= 30000) fehler_ << QStringLiteral("%1: kein Fenster erschienen").arg(name);
    return bilder_.contains(QDir(ordner_).filePath(name + QStringLiteral(".png")));
}

bool Fensterbilder::mitMenue(QWidget& hauptfenster, const QString& menuetitel, const QString& name) {
    auto* fenster = qobject_cast<QMainWindow*>(&hauptfenster);
    QMenuBar* leiste = fenster ? fenster->menuBar() : hauptfenster.findChild<QMenuBar*>();
    if (!leiste) {
        fehler_ << QStringLiteral("%1: keine Menüleiste").arg(name);
        return false;
    }
    for (QAction* a : leiste->actions()) {
        if (!a->menu() || ohneKuerzel(a->text()) != ohneKuerzel(menuetitel)) continue;
        QMenu* menue = a->menu();
        const QPoint unten = leiste->mapTo(&hauptfenster, leiste->actionGeometry(a).bottomLeft());
        menue->popup(leiste->mapToGlobal(leiste->actionGeometry(a).bottomLeft()));
        warten([menue] { return menue->isVisible(); }, 5000);
        QApplication::processEvents();
        const QPixmap menuebild = menue->grab();
        menue->hide();
        QImage bild = mitTitelleiste(hauptfenster);
        const int titel = bild.height() - hauptfenster.height();
        QPainter p(&bild);
        p.drawPixmap(unten + QPoint(0, titel), menuebild);
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawRect(QRect(unten + QPoint(0, titel), menuebild.size()).adjusted(0, 0, -1, -1));
        p.end();
        return speichern(bild, name);
    }
    fehler_ << QStringLiteral("%1: kein Menü '%2'").arg(name, menuetitel);
    return false;
}

}  // namespace tav::handbuch
