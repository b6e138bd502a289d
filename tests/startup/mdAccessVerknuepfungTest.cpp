#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <optional>
#include <tuple>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "startup/mdAccessVerknuepfung.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/FremdeSperre.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

const QString kRecovery = QStringLiteral(
    "Die Datenbankpfade sind nicht korrekt oder die Verbindung des Netzwerkes steht nicht mehr zur Verfügung. Möchten Sie die "
    "Datenbankpfade zu den Quelldatenbanken neu einrichten?");
using W = mdAccessVerknuepfung::Weiter;

class mdAccessVerknuepfungTest : public ::testing::Test {
public:
    void SetUp() override { settings.deleteSection(); }
    QString datei(const QString& name) const { return ordner.file(name); }
    W start(const QString& dateiname = QStringLiteral("/opt/tav/Tavomera")) {
        return mdAccessVerknuepfung(v, dialogs, settings, ordner.path(), dateiname).start();
    }
    void installieren(int instanz = 0) {
        dbfiles::createInstallation(ordner.path(), instanz, true);
        const auto names = dbfiles::FileNames::forInstance(instanz);
        settings.saveSetting(RegistryNamen::forInstance(instanz).pfad, datei(names.working));
        settings.saveSetting(RegistryNamen::forInstance(instanz).zentral, datei(names.central));
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    Variablen v;
};

// Answers the first Retry question with Retry after lifting the lock; Cancel to everything else.
class WiederholenNachFreigabe final : public Dialogs {
public:
    explicit WiederholenNachFreigabe(test::FremdeSperre* sperre) : sperre_(sperre) {}
    QStringList texte;

protected:
    Answer showMessage(const MessageRequest& r) override {
        texte << r.text;
        if (!sperre_ || r.buttons != Buttons::RetryCancel) return Answer::Cancel;
        sperre_->freigeben();
        sperre_ = nullptr;
        return Answer::Retry;
    }
    QString showInput(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    test::FremdeSperre* sperre_;
};

struct KurzeWartezeit {
    int vorher = Database::busyTimeout();
    explicit KurzeWartezeit(int ms) { Database::setBusyTimeout(ms); }
    ~KurzeWartezeit() { Database::setBusyTimeout(vorher); }
};

}  // namespace

TEST(mdAccessVerknuepfungInstanzTest, TheLeadingDigitsOfTheFileNameAsTyped) {
    const QList<QPair<const char*, int>> faelle = {
        {"/opt/tav/Tavomera", 0}, {"./1Tavomera", 1}, {"C:\\Prog\\2Tavomera.exe", 2}, {"12Tavomera.exe", 12}, {"/opt/3/Tavomera", 0},
        {"Tavomera2", 0},         {"07x", 7},
    };
    for (const auto& [name, instanz] : faelle) EXPECT_EQ(mdAccessVerknuepfung::instanzAus(QString::fromLatin1(name)), instanz) << name;
}

// Where the start leads by what it finds; a question comes only when something is wrong.
TEST_F(mdAccessVerknuepfungTest, TheStartLeadsOnByWhatItFinds) {
    struct Fall {
        const char* label;
        std::function<void(mdAccessVerknuepfungTest&)> vorbereiten;
        std::optional<Answer> antwort;  // to the recovery question
        W weiter;
    };
    const QList<Fall> faelle = {
        {"valid databases", [](auto& t) { t.installieren(); }, std::nullopt, W::Hauptfenster},
        {"a missing link database is made anew",
         [](auto& t) {
             t.installieren();
             QFile::remove(t.datei(QStringLiteral("Lokal.mdb")));
         },
         std::nullopt, W::Hauptfenster},
        {"nothing installed, Cancel", [](auto&) {}, Answer::Cancel, W::Ende},
        {"a working database without tariffs, Cancel",
         [](auto& t) {
             t.installieren();
             t.settings.saveSetting(QStringLiteral("Pfad"), t.datei(QStringLiteral("Zentral.mdb")));
         },
         Answer::Cancel, W::Ende},
        {"installed but the registry emptied, OK",
         [](auto& t) {
             t.installieren();
             t.settings.deleteSection();
             t.settings.saveSetting(QStringLiteral("Excel"), QStringLiteral("/alt/Sicherungen/Tavomera.mdb"));
         },
         Answer::Ok, W::Datenbankdialog},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.label);
        settings.deleteSection();
        for (const QString& name : QDir(ordner.path()).entryList(QDir::Files)) QFile::remove(datei(name));
        v = Variablen{};
        f.vorbereiten(*this);
        if (f.antwort) dialogs.answer(*f.antwort);
        EXPECT_EQ(start(), f.weiter);
        EXPECT_EQ(dialogs.texts(), f.antwort ? QStringList{kRecovery} : QStringList{});
        if (f.weiter == W::Datenbankdialog) {
            EXPECT_EQ(dialogs.last().buttons, Buttons::OkCancel);
            EXPECT_EQ(settings.names(), QStringList{QStringLiteral("BeispielPfad")}) << "the section emptied, the sample path written";
            EXPECT_EQ(settings.getSetting(QStringLiteral("BeispielPfad")), datei(QStringLiteral("Beispiel.mdb")));
        } else {
            EXPECT_EQ(settings.getSetting(QStringLiteral("LokalDB")), datei(QStringLiteral("Lokal.mdb"))) << "written on every start";
        }
        if (f.weiter == W::Hauptfenster) {
            EXPECT_TRUE(verknuepfung::pruefeVerknuepfung(datei(QStringLiteral("Lokal.mdb"))));
            EXPECT_EQ(std::tuple(v.programmordner, v.blockProgramm), std::tuple(ordner.path(), QStringLiteral("Tosmek.exe")));
        }
        dialogs.clear();
    }
}

TEST_F(mdAccessVerknuepfungTest, LinksThatPointElsewhereAreRelinkedWithoutAskingAndLocalTablesStay) {
    installieren();
    test::TempFolder alt;
    dbfiles::createInstallation(alt.path());
    {
        auto link = Database::open(datei(QStringLiteral("Lokal.mdb")));
        verknuepfung::alleNeuVerknuepfen(*link, alt.file(QStringLiteral("Tavomera.mdb")), alt.file(QStringLiteral("Zentral.mdb")));
        TableDef lokal;
        lokal.name = QStringLiteral("tbLokal");
        lokal.fields << FieldDef::text(QStringLiteral("Wert"));
        link->createTable(lokal);
        link->execute(QStringLiteral("INSERT INTO tbLokal (Wert) VALUES ('x')"));
    }
    EXPECT_EQ(start(), W::Hauptfenster);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(verknuepfung::zeigtAuf(datei(QStringLiteral("Lokal.mdb")), datei(QStringLiteral("Tavomera.mdb")),
                                       datei(QStringLiteral("Zentral.mdb"))));
    auto link = Database::open(datei(QStringLiteral("Lokal.mdb")));
    EXPECT_EQ(link->scalar(QStringLiteral("SELECT Wert FROM tbLokal")), QVariant(QStringLiteral("x")));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Excel")), ordner.path() + QStringLiteral("/Sicherungen/Tavomera.mdb"));
}

TEST_F(mdAccessVerknuepfungTest, InstancesOneAndTwoUseTheirOwnNamesAndThreeIsRefused) {
    for (int instanz : {1, 2}) {
        SCOPED_TRACE(instanz);
        settings.deleteSection();
        installieren(instanz);
        const QString n = QString::number(instanz);
        EXPECT_EQ(start(n + QStringLiteral("Tavomera")), W::Hauptfenster);
        EXPECT_EQ(std::tuple(v.instanz, v.dateien.working, v.werte.zentral),
                  std::tuple(instanz, QStringLiteral("Tavomer") + n + QStringLiteral(".mdb"), QStringLiteral("Zentra") + n));
        EXPECT_EQ(settings.getSetting(QStringLiteral("lokalD") + n), datei(QStringLiteral("Loka") + n + QStringLiteral(".mdb")));
        EXPECT_TRUE(settings.getSetting(QStringLiteral("LokalDB")).isEmpty()) << "instance 0's values are left alone";
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    // Instance 2 with the values of instance 0 only: its own are missing.
    settings.deleteSection();
    settings.saveSetting(QStringLiteral("Pfad"), datei(QStringLiteral("Tavomera.mdb")));
    dialogs.answer(Answer::Cancel);
    EXPECT_EQ(start(QStringLiteral("2Tavomera")), W::Ende);
    EXPECT_EQ(start(QStringLiteral("3Tavomera")), W::Ende);
    EXPECT_EQ(dialogs.texts(), (QStringList{kRecovery, QStringLiteral("Unzulässiger Dateiname")}));
}

TEST_F(mdAccessVerknuepfungTest, TheInstallerWritesTheDefaultPathsOnlyWhenMissing) {
    settings.saveSetting(QStringLiteral("Zentral"), QStringLiteral("/netz/Zentral.mdb"));
    EXPECT_EQ(mdAccessVerknuepfung::standardwerteEintragen(settings, ordner.path(), 0),
              (QStringList{QStringLiteral("Pfad"), QStringLiteral("Excel")}));
    EXPECT_EQ(std::tuple(settings.getSetting(QStringLiteral("Pfad")), settings.getSetting(QStringLiteral("Zentral"))),
              std::tuple(datei(QStringLiteral("Tavomera.mdb")), QStringLiteral("/netz/Zentral.mdb")));
    EXPECT_EQ(mdAccessVerknuepfung::standardwerteEintragen(settings, ordner.path(), 1),
              (QStringList{QStringLiteral("Pfa1"), QStringLiteral("Zentra1"), QStringLiteral("Exce1")}));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Pfa1")), datei(QStringLiteral("Tavomer1.mdb")));
}

// A backup or clean-up on another workstation holds a file: the start says so, offers to try
// again, and never takes the lock for a wrong path (whose OK would delete the stored paths).
TEST_F(mdAccessVerknuepfungTest, ALockedDatabaseIsNamedOffersToTryAgainAndNeverDeletesTheStoredPaths) {
    KurzeWartezeit kurz(100);
    installieren();
    const auto names = dbfiles::FileNames::forInstance(0);
    const QString pfadVorher = settings.getSetting(QStringLiteral("Pfad"));
    for (const QString& gesperrt : {names.central, names.working, names.link}) {
        SCOPED_TRACE(gesperrt.toStdString());
        dialogs.clear();
        test::FremdeSperre sperre({datei(gesperrt)});
        dialogs.answer(Answer::Cancel);
        EXPECT_EQ(start(), W::Ende);
        ASSERT_EQ(dialogs.shown().size(), 1);
        const QString text = dialogs.last().text;
        EXPECT_EQ(dialogs.last().buttons, Buttons::RetryCancel);
        EXPECT_TRUE(text.contains(QStringLiteral("wird gerade von einem anderen Arbeitsplatz benutzt")) && text.contains(gesperrt))
            << text.toStdString();
        EXPECT_EQ(std::tuple(settings.getSetting(QStringLiteral("Pfad")), settings.getSetting(QStringLiteral("Zentral")).isEmpty()),
                  std::tuple(pfadVorher, false));
    }
    // Trying again once the other workstation is done starts the main window.
    test::FremdeSperre sperre({datei(names.central)});
    WiederholenNachFreigabe antworten(&sperre);
    EXPECT_EQ(mdAccessVerknuepfung(v, antworten, settings, ordner.path(), QStringLiteral("Tavomera")).start(), W::Hauptfenster);
    EXPECT_EQ(antworten.texte.size(), 1);
}

// One locked file behind many links costs one wait, not one per link.
TEST_F(mdAccessVerknuepfungTest, ALockedFileBehindManyLinksIsWaitedForOnce) {
    KurzeWartezeit kurz(500);
    installieren();
    const auto names = dbfiles::FileNames::forInstance(0);
    test::FremdeSperre sperre({datei(names.central)});
    QElapsedTimer uhr;
    uhr.start();
    auto link = Database::open(datei(names.link));
    EXPECT_LT(uhr.elapsed(), 6 * 500);  // one wait per link would be 11 s
    try {
        link->openRecordset(QStringLiteral("SELECT * FROM tblBelegung"));
        ADD_FAILURE() << "a locked table was read";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.locked() && e.message().contains(names.central)) << e.message().toStdString();
    }
}

// A database that cannot be written is named at the start, once; the data can still be seen.
TEST_F(mdAccessVerknuepfungTest, AReadOnlyDatabaseIsNamedAtTheStart) {
    installieren();
    const QString zentral = datei(dbfiles::FileNames::forInstance(0).central);
    QFile::setPermissions(zentral, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    EXPECT_EQ(start(), W::Hauptfenster);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("ist schreibgeschützt")) &&
                dialogs.last().text.contains(QFileInfo(zentral).fileName()))
        << dialogs.last().text.toStdString();
    QFile::setPermissions(zentral, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dialogs.clear();
    EXPECT_EQ(start(), W::Hauptfenster);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
