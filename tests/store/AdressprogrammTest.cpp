#include <gtest/gtest.h>

#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "store/Adressprogramm.h"

using namespace tav;

namespace {

const QString kOrdner = QStringLiteral("/opt/tavomera");

}  // namespace

TEST(AdressprogrammTest, TheCommandRaisesARunningProgramStartsAPresentOneAndIgnoresAMissingOne) {
    struct Fall {
        const char* name;
        bool vorhanden, fensterOffen, startScheitert;
        bool ergebnis;
        int gestartet, hervorgeholt;
        QStringList meldungen;
    };
    const Fall faelle[] = {
        {"missing: nothing is started, nothing said", false, false, false, false, 0, 0, {}},
        {"present, not running: started", true, false, false, true, 1, 0, {}},
        {"running: its window comes forward", true, true, false, true, 0, 1, {}},
        {"present but the start fails",
         true,
         false,
         true,
         false,
         0,
         0,
         {QStringLiteral("Das Programm 'Qubero.exe' konnte nicht gestartet werden.")}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        ScriptedShell shell;
        ScriptedDialogs dialogs;
        if (f.vorhanden) shell.addProgram(kOrdner + QStringLiteral("/Qubero.exe"));
        if (f.fensterOffen) shell.addWindow(QStringLiteral("Adressverwaltung"));
        if (f.startScheitert) shell.failStart(kOrdner + QStringLiteral("/Qubero.exe"));
        for (int i = 0; i < f.meldungen.size(); ++i) dialogs.answer(Answer::Ok);
        Adressprogramm a(shell, dialogs, kOrdner, [] { return 0; });
        EXPECT_EQ(a.vorhanden(), f.vorhanden);
        EXPECT_EQ(a.oeffnen(), f.ergebnis);
        EXPECT_EQ(shell.started().size(), f.gestartet);
        if (f.gestartet) {
            EXPECT_EQ(shell.started()[0].program, Shell::programPath(kOrdner + QStringLiteral("/Qubero.exe")));
        }
        EXPECT_EQ(shell.raised().size(), f.hervorgeholt);
        EXPECT_EQ(dialogs.texts(), f.meldungen);
    }
}

TEST(AdressprogrammTest, TheTimerSeesOnlyAChoiceMadeAfterTheCommand) {
    ScriptedShell shell;
    ScriptedDialogs dialogs;
    shell.addProgram(kOrdner + QStringLiteral("/Qubero.exe"));
    int gewaehlt = 17;
    Adressprogramm a(shell, dialogs, kOrdner, [&] { return gewaehlt; });
    ASSERT_TRUE(a.oeffnen());
    struct Schritt {
        const char* name;
        int gewaehlt;
        int erwartet;
    };
    for (const Schritt& s : {Schritt{"the choice already made is not offered", 17, 0}, Schritt{"a new choice", 23, 23},
                             Schritt{"the same choice again", 23, 0}, Schritt{"nothing chosen", 0, 0},
                             Schritt{"the old choice once more counts as new", 17, 17}}) {
        SCOPED_TRACE(s.name);
        gewaehlt = s.gewaehlt;
        EXPECT_EQ(a.neueAuswahl(), s.erwartet);
    }
}

TEST(AdressprogrammTest, TheAddressProgramsChoiceTravelsThroughItsSettings) {
    Adressprogramm::gewaehlteAdresseMelden(0);
    EXPECT_EQ(Adressprogramm::gewaehlteAdresse(), 0);
    Adressprogramm::gewaehlteAdresseMelden(4711);
    EXPECT_EQ(Adressprogramm::gewaehlteAdresse(), 4711);

    ScriptedShell shell;
    ScriptedDialogs dialogs;
    shell.addWindow(QStringLiteral("Adressverwaltung"));
    shell.addProgram(kOrdner + QStringLiteral("/Qubero.exe"));
    Adressprogramm a(shell, dialogs, kOrdner);  // the real source
    ASSERT_TRUE(a.oeffnen());
    EXPECT_EQ(a.neueAuswahl(), 0);
    Adressprogramm::gewaehlteAdresseMelden(12);
    EXPECT_EQ(a.neueAuswahl(), 12);
    Adressprogramm::gewaehlteAdresseMelden(0);
}
