#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QImage;
class QWidget;

namespace tav {

// The window as grabbed, under a plain title bar with its caption: offscreen there is no
// window frame, and the caption is part of what a picture of it shows.
QImage mitTitelleiste(QWidget& fenster);

// "--screenshot FILE": waits until the start-up is idle (or a box or dialog waits for an
// answer), lets the window in front paint, grabs it into a PNG and reports the path. What
// happens afterwards is up to the caller (the program ends itself).
class Bildschirmfoto : public QObject {
    Q_OBJECT
public:
    // beschaeftigt: the start-up is still running; vorne: the window in front (null: no window).
    Bildschirmfoto(QString datei, std::function<bool()> beschaeftigt, std::function<QWidget*()> vorne, int wartezeitMs = 60000,
                   QObject* parent = nullptr);

    void starten();

signals:
    // The PNG was written (true, meldung = its path, titel = the caption of the window taken)
    // or could not be made (false, with a German reason).
    void fertig(bool ok, const QString& meldung, const QString& titel);

private:
    void pruefen();

    QString datei_;
    std::function<bool()> beschaeftigt_;
    std::function<QWidget*()> vorne_;
    QTimer timer_;
    int wartezeitMs_;
    int gewartetMs_ = 0;
    QWidget* kandidat_ = nullptr;
    int ruhig_ = 0;
};

}  // namespace tav
