#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QTest>
#include <QUrl>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "plan/Hauptbefehle.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// "H&andbuch" of the main window on the real desktop services: the program folder's manual is
// handed to the viewer the desktop associates with PDF files. The viewer here is a stand-in on
// the PATH under the name the desktop's opener has, which notes what it was asked to open.
class HandbuchTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))),
                                         ordner.file(QStringLiteral("Beispiel.mdb")), ordner.file(QStringLiteral("Beispiel.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();

        QFile betrachter(bin.file(QStringLiteral("xdg-open")));
        ASSERT_TRUE(betrachter.open(QIODevice::WriteOnly));
        betrachter.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1.neu' && /bin/mv '%1.neu' '%1'\n").arg(geoeffnet()).toUtf8());
        betrachter.close();
        betrachter.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        pfadVorher = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + pfadVorher);

        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        ASSERT_EQ(hauptfenster->laden(), MainLogik::Ergebnis::Bereit) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    }
    void TearDown() override {
        hauptfenster.reset();
        variablen() = Variablen{};
        qputenv("PATH", pfadVorher);
    }

    QString geoeffnet() const { return bin.file(QStringLiteral("geoeffnet.txt")); }
    QString handbuch() const { return ordner.file(Hauptbefehle::kHandbuch); }
    QAction& eintrag() {
        auto* a = hauptfenster->findChild<QAction*>(QStringLiteral("mnuHandbuch"));
        if (!a) throw std::runtime_error("mnuHandbuch fehlt");
        return *a;
    }

    test::TempFolder ordner, bin;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    SystemShell shell;
    ProgrammFenster fenster{variablen(), dialogs};
    std::unique_ptr<frmMain> hauptfenster;
    QByteArray pfadVorher;
};

TEST_F(HandbuchTest, TheInstalledManualOpensInTheDesktopsViewerAndWithoutItTheMessageSaysWhatIsMissing) {
    const QString meldung = QStringLiteral(
        "Das Handbuch benötigt das Programm  'Acrobat Reader'. Sie können das Programm installieren, indem Sie die Installations CD des "
        "Tavomeras in dasCD Rom Laufwerk legen und auf 'Acrobat Reader installieren' klicken.");
    {
        SCOPED_TRACE("no manual in the program folder: nothing is started, the message comes");
        ASSERT_TRUE(eintrag().isEnabled());
        eintrag().trigger();
        EXPECT_EQ(dialogs.texts(), QStringList{meldung});
        QTest::qWait(300);
        EXPECT_FALSE(QFile::exists(geoeffnet()));
    }
    {
        SCOPED_TRACE("the manual the build set is in the program folder: the viewer gets it");
        const QString gebaut = QStringLiteral(TAVOMERA_BINARY_DIR "/Morvinel.pdf");
        QFile pdf(gebaut);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "the build sets the manual";
        EXPECT_TRUE(pdf.read(5) == "%PDF-");
        ASSERT_TRUE(QFile::copy(gebaut, handbuch()));
        dialogs.clear();
        eintrag().trigger();
        EXPECT_TRUE(dialogs.texts().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(geoeffnet()); }, 10000)) << "the viewer was not started";
        QFile notiz(geoeffnet());
        ASSERT_TRUE(notiz.open(QIODevice::ReadOnly));
        const QString gegeben = QString::fromUtf8(notiz.readAll());
        const QUrl url(gegeben);
        EXPECT_EQ(url.isLocalFile() ? url.toLocalFile() : gegeben, handbuch());
    }
    {
        SCOPED_TRACE("the manual is there, but no viewer: the message");
        ASSERT_TRUE(QFile::remove(bin.file(QStringLiteral("xdg-open"))));
        qputenv("PATH", bin.path().toLocal8Bit());
        QFile::remove(geoeffnet());
        dialogs.clear();
        eintrag().trigger();
        EXPECT_EQ(dialogs.texts(), QStringList{meldung});
    }
}

}  // namespace
