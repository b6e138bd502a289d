#pragma once

#include <QFile>
#include <QString>

namespace tav {

// The timing log "Zeitlog.txt" in the program folder: opened for appending at the start of
// each evaluation of a mouse movement over the plan, one line per step (time + step text).
class Zeitlog {
public:
    static constexpr const char* kDateiname = "Zeitlog.txt";

    // An empty folder switches the log off.
    explicit Zeitlog(const QString& ordner = {});
    void setOrdner(const QString& ordner);
    QString pfad() const;
    bool aktiv() const { return !ordner_.isEmpty(); }

    void beginne();
    void schreibe(const char* schritt);
    void beende();

private:
    QString ordner_;
    QFile datei_;
};

}  // namespace tav
