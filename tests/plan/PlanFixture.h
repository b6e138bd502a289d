#pragma once

#include <QDate>

#include "engine/Database.h"
#include "plan/PlanEinstellungen.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "store/Variablen.h"
#include "store/Zimmerliste.h"
#include "support/DatabaseFixture.h"
#include "support/ScriptedFenster.h"

namespace tav::test {

// A small hotel filled by hand: rooms 1 … 9 ("101" … "301") and the waiting room 10
// "Vorläufig", the booking kinds 0 … 4 ("Frei", "Privat", "Firma", "Tresen", "Angebot"), a few
// guests, and plan settings with 35 days, nine rooms and ten visible rows. Today is fixed.
class PlanFixture : public DatabaseFixture {
protected:
    // A Monday; the window starts two days before today.
    static QDate heute() { return QDate(2024, 3, 6); }
    static QDate S() { return QDate(2024, 3, 4); }

    void SetUp() override;
    void TearDown() override;

    void addRoom(int nr, const QString& label, int gaeste = 2, const QString& bemerkung = {});
    void addGuest(int id, const QString& vorname, const QString& nachname, const QString& ort = {});
    // Adds a booking and returns its ID.
    int addBooking(int zimmer, QDate von, QDate bis, int art = 1, const QString& kuerzel = QStringLiteral("Gast"), int gast = 1,
                   int gaeste = 2, bool geloescht = false, bool checked = false);
    void addHoliday(QDate d, const QString& name);

    // Settings as a fresh installation has them: colours of five kinds, F10/F11 for the weekend.
    PlanEinstellungen einstellungen();
    void ladeZimmer() { rooms.load(db()); }

    Zimmerliste rooms;
    ScriptedDialogs dialogs;
    // No window is there unless a test says so.
    ScriptedFenster fenster;
    Uebergabe uebergabe;
    int aktualisieren = 0;

    static constexpr quint32 kFrei = 9399613;
    static constexpr quint32 kPrivat = 16742405;
    static constexpr quint32 kFirma = 16762112;
    static constexpr quint32 kTresen = 16773888;
    static constexpr quint32 kAngebot = 16056285;
    static constexpr quint32 kSamstag = 0x00B0A0A0;
    static constexpr quint32 kSonntag = 0x008080F0;
    static constexpr quint32 kTeil = 0x0000A000;

private:
    std::unique_ptr<ClockOverride> clock_;
};

}  // namespace tav::test
