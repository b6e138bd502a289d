#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <functional>

#include "store/Fenster.h"

namespace tav::test {

// The window service of a test: the windows said to be there, every request to open one in
// order, and what a window does while it is "open" (a step the test wants to happen then).
// Opening a window that is not there fails the test.
class ScriptedFenster : public Fenster {
public:
    struct Geoeffnet {
        Ziel ziel;
        Aufruf aufruf;
    };

    void setVorhanden(Ziel ziel, bool ja = true);
    void setVorhanden(std::initializer_list<Ziel> ziele);
    // What happens while the window is open.
    void beimOeffnen(Ziel ziel, std::function<void(const Aufruf&)> tun) { tun_[ziel] = std::move(tun); }
    // The folder the backup reports; empty text: the backup fails.
    void setSicherung(const QString& ordner) { sicherung_ = ordner; }

    bool vorhanden(Ziel ziel) const override { return vorhanden_.contains(ziel); }
    void oeffnen(Ziel ziel, const Aufruf& aufruf, QObject* eltern) override;
    QString datenSichern() override;

    const QList<Geoeffnet>& geoeffnet() const { return geoeffnet_; }
    QList<Ziel> ziele() const;
    int sicherungen() const { return sicherungen_; }
    void clear() { geoeffnet_.clear(); }

private:
    QSet<Ziel> vorhanden_;
    QHash<Ziel, std::function<void(const Aufruf&)>> tun_;
    QList<Geoeffnet> geoeffnet_;
    QString sicherung_;
    int sicherungen_ = 0;
};

}  // namespace tav::test
