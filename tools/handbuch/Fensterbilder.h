#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace tav::handbuch {

// Takes the pictures of the manual from the running program: the main window and every
// window the plan opens, each grabbed under its caption into a PNG of a folder.
class Fensterbilder {
public:
    explicit Fensterbilder(QString ordner) : ordner_(std::move(ordner)) {}

    // Runs the event loop until bedingung holds; false when wartezeitMs passed first.
    static bool warten(const std::function<bool()>& bedingung, int wartezeitMs);

    // Saves the picture as name.png; false (and noted in fehler()) when it cannot be written.
    bool speichern(const QImage& bild, const QString& name);

    // Calls oeffnen, which shows a modal window and returns when it is closed. Once that window
    // has been painted, vorbereiten (may be empty) adjusts it, it is grabbed as name.png and
    // closed; a question its closing asks is answered with "Nein". With menue, that menu of the
    // window's menu bar is shown open. False when no window came.
    bool modal(const QString& name, const std::function<void()>& oeffnen, const std::function<void(QWidget&)>& vorbereiten = {},
               const QString& menue = {});

    // The main window with one menu of its menu bar opened below its title.
    bool mitMenue(QWidget& hauptfenster, const QString& menuetitel, const QString& name);

    const QStringList& bilder() const { return bilder_; }
    const QStringList& fehler() const { return fehler_; }

private:
    QString ordner_;
    QStringList bilder_;
    QStringList fehler_;
};

}  // namespace tav::handbuch
