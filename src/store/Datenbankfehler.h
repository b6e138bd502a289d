#pragma once

#include <QString>
#include <utility>

#include "engine/DatabaseError.h"
#include "platform/Dialogs.h"

namespace tav {

// The message a window shows when a statement failed (another workstation holds a lock, the
// file went read-only, the share vanished): what could not be done, the database file by its
// name, and the engine's reason, never the statement itself.
QString datenbankFehlertext(const QString& was, const DatabaseError& fehler);

// Runs tun; a failed statement is shown as datenbankFehlertext(was, …) and the caller goes on.
// False when it failed.
template <typename F>
bool datenbankGeschuetzt(Dialogs& dialogs, const QString& was, F&& tun) {
    try {
        std::forward<F>(tun)();
        return true;
    } catch (const DatabaseError& fehler) {
        dialogs.message(datenbankFehlertext(was, fehler), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
}

}  // namespace tav
