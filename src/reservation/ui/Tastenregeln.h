#pragma once

#include <QKeyEvent>
#include <QList>
#include <functional>

namespace tav {

// A key pressed in a box, as the rules look at it.
struct Taste {
    Taste(const QObject* f, const QKeyEvent& e)
        : feld(f),
          event(e),
          taste(e.key()),
          zeichen(e.text().size() == 1 ? e.text().at(0) : QChar()),
          text(!e.text().isEmpty()),
          enter(taste == Qt::Key_Return || taste == Qt::Key_Enter),
          f2(taste == Qt::Key_F2),
          strg(e.modifiers() & Qt::ControlModifier) {}

    const QObject* feld;  // the box the key is pressed in
    const QKeyEvent& event;
    int taste;
    QChar zeichen;  // the typed character; null for none or several
    bool text;      // the key types something
    bool enter;     // Return or Enter
    bool f2;
    bool strg;  // with Ctrl
};

// What a key does in some boxes: when `wenn` holds, `tun` runs and says whether the key is used up
// (true) or goes on to the box (false).
struct Tastenregel {
    QList<const QObject*> felder;
    std::function<bool(const Taste&)> wenn;
    std::function<bool(const Taste&)> tun;
};

// The first rule of the box whose condition holds decides; without one the box gets the key.
inline bool tasteAnwenden(const QList<Tastenregel>& regeln, const QObject* feld, const QKeyEvent& event) {
    const Taste taste(feld, event);
    for (const Tastenregel& r : regeln)
        if (r.felder.contains(feld) && r.wenn(taste)) return r.tun(taste);
    return false;
}

}  // namespace tav
