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

class mdAccessVerknuepfungTest : public ::testing::Test {
public:
    void SetUp() override { settings.deleteSection(); }
    QString datei(const QString& name) const { return ordner.file(name); }
    mdAccessVerknuepfung::Weiter start(const QString& dateiname = QStringLiteral("/opt/tav/Tavomera")) {
        return mdAccessVerknuepfung(v, dialogs, settings, ordner.path(), dateiname).start();
    }
    void installieren(int instanz = 0) {
        dbfiles::createInstallation(ordner.path(), instanz, true);
        const auto names = dbfiles::FileNames::forInstance(instanz);
        const auto werte = RegistryNamen::forInstance(instanz);
        settings.saveSetting(werte.pfad, datei(names.working));
        settings.saveSetting(werte.zentral, datei(names.central));
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    Variablen v;
};

}  // namespace

TEST(mdAccessVerknuepfungInstanzTest, TheLeadingDigitsOfTheFileNameAsTyped) {
    const QList<QPair<const char*, int>> faelle = {
        {"Tavomera", 0},  {"/opt/tav/Tavomera", 0}, {"./1Tavomera", 1},     {"2Tavomera", 2}, {"C:\\Prog\\2Tavomera.exe", 2},
        {"3Tavomera", 3}, {"12Tavomera.exe", 12},   {"/opt/3/Tavomera", 0}, {"Tavomera2", 0}, {"07x", 7},
    };
    for (const auto& [name, instanz] : faelle) EXPECT_EQ(mdAccessVerknuepfung::instanzAus(QString::fromLatin1(name)), instanz) << name;
}

TEST_F(mdAccessVerknuepfungTest, AnEmptyRegistryRepairsAsksAndOkLeadsToTheLocationsDialog) {
    installieren();
    settings.deleteSection();
    settings.saveSetting(QStringLiteral("Excel"), QStringLiteral("/alt/Sicherungen/Tavomera.mdb"));
    dialogs.answer(Answer::Ok);
    EXPECT_EQ(start(), mdAccessVerknuepfung::Weiter::Datenbankdialog);
    EXPECT_EQ(std::tuple(dialogs.texts(), dialogs.last().buttons), std::tuple(QStringList{kRecovery}, Buttons::OkCancel));
    // The section was emptied and only the sample path written.
    EXPECT_EQ(settings.names(), QStringList{QStringLiteral("BeispielPfad")});
    EXPECT_EQ(settings.getSetting(QStringLiteral("BeispielPfad")), datei(QStringLiteral("Beispiel.mdb")));
}

// Where the start leads by what it finds; a question comes only when something is wrong.
TEST_F(mdAccessVerknuepfungTest, TheStartLeadsOnByWhatItFinds) {
    using W = mdAccessVerknuepfung::Weiter;
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
        EXPECT_EQ(settings.getSetting(QStringLiteral("LokalDB")), datei(QStringLiteral("Lokal.mdb"))) << "written on every start";
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
    ASSERT_TRUE(verknuepfung::pruefeVerknuepfung(datei(QStringLiteral("Lokal.mdb")))) << "the old links still work";

    EXPECT_EQ(start(), mdAccessVerknuepfung::Weiter::Hauptfenster);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(verknuepfung::zeigtAuf(datei(QStringLiteral("Lokal.mdb")), datei(QStringLiteral("Tavomera.mdb")),
                                       datei(QStringLiteral("Zentral.mdb"))));
    auto link = Database::open(datei(QStringLiteral("Lokal.mdb")));
    EXPECT_EQ(link->scalar(QStringLiteral("SELECT Wert FROM tbLokal")), QVariant(QStringLiteral("x")));
    EXPECT_TRUE(link->tableDef(QStringLiteral("tbLokal"))->connect.isEmpty());
    EXPECT_EQ(settings.getSetting(QStringLiteral("Excel")), ordner.path() + QStringLiteral("/Sicherungen/Tavomera.mdb"));
}

TEST_F(mdAccessVerknuepfungTest, InstancesOneAndTwoUseTheirOwnNamesAndThreeIsRefused) {
    for (int instanz : {1, 2}) {
        SCOPED_TRACE(instanz);
        settings.deleteSection();
        dialogs.clear();
        installieren(instanz);
        const QString n = QString::number(instanz);
        EXPECT_EQ(start(QStringLiteral("/opt/tav/") + n + QStringLiteral("Tavomera")), mdAccessVerknuepfung::Weiter::Hauptfenster);
        EXPECT_TRUE(dialogs.shown().isEmpty());
        EXPECT_EQ(std::tuple(v.instanz, v.dateien.working, v.werte.zentral),
                  std::tuple(instanz, QStringLiteral("Tavomer") + n + QStringLiteral(".mdb"), QStringLiteral("Zentra") + n));
        EXPECT_EQ(settings.getSetting(QStringLiteral("lokalD") + n), datei(QStringLiteral("Loka") + n + QStringLiteral(".mdb")));
        EXPECT_TRUE(settings.getSetting(QStringLiteral("LokalDB")).isEmpty()) << "instance 0's values are left alone";
    }
    // Instance 2 with the values of instance 0 only: its own are missing.
    settings.deleteSection();
    settings.saveSetting(QStringLiteral("Pfad"), datei(QStringLiteral("Tavomera.mdb")));
    dialogs.clear();
    dialogs.answer(Answer::Cancel);
    EXPECT_EQ(start(QStringLiteral("2Tavomera")), mdAccessVerknuepfung::Weiter::Ende);
    EXPECT_EQ(dialogs.texts(), QStringList{kRecovery});

    dialogs.clear();
    EXPECT_EQ(start(QStringLiteral("3Tavomera")), mdAccessVerknuepfung::Weiter::Ende);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Unzulässiger Dateiname")});
}

TEST_F(mdAccessVerknuepfungTest, TheInstallerWritesTheDefaultPathsOnlyWhenMissing) {
    settings.saveSetting(QStringLiteral("Zentral"), QStringLiteral("/netz/Zentral.mdb"));
    const QStringList namen = mdAccessVerknuepfung::standardwerteEintragen(settings, ordner.path(), 0);
    EXPECT_EQ(namen, (QStringList{QStringLiteral("Pfad"), QStringLiteral("Excel")}));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Pfad")), datei(QStringLiteral("Tavomera.mdb")));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Zentral")), QStringLiteral("/netz/Zentral.mdb"));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Excel")), ordner.path() + QStringLiteral("/Sicherungen/Tavomera.mdb"));
    EXPECT_EQ(mdAccessVerknuepfung::standardwerteEintragen(settings, ordner.path(), 1),
              (QStringList{QStringLiteral("Pfa1"), QStringLiteral("Zentra1"), QStringLiteral("Exce1")}));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Pfa1")), datei(QStringLiteral("Tavomer1.mdb")));
}

namespace {

// Answers every question with Retry once and lifts the lock before it does; Cancel after that.
class WiederholenNachFreigabe final : public Dialogs {
public:
    explicit WiederholenNachFreigabe(test::FremdeSperre* sperre) : sperre_(sperre) {}
    QStringList texte;

protected:
    Answer showMessage(const MessageRequest& r) override {
        texte << r.text;
        if (!sperre_) return Answer::Cancel;
        if (r.buttons != Buttons::RetryCancel) return Answer::Cancel;
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
    KurzeWartezeit() { Database::setBusyTimeout(100); }
    ~KurzeWartezeit() { Database::setBusyTimeout(vorher); }
};

}  // namespace

// A backup or clean-up on another workstation holds a file: the start says so, offers to try
// again, and never takes the lock for a wrong path (whose OK would delete the stored paths).
TEST_F(mdAccessVerknuepfungTest, ALockedDatabaseIsNamedOffersToTryAgainAndNeverDeletesTheStoredPaths) {
    KurzeWartezeit kurz;
    installieren();
    const auto names = dbfiles::FileNames::forInstance(0);
    for (const QString& datei : {names.central, names.working, names.link}) {
        SCOPED_TRACE(datei.toStdString());
        const QString pfadVorher = settings.getSetting(QStringLiteral("Pfad"));
        {
            test::FremdeSperre sperre({this->datei(datei)});
            dialogs.answer(Answer::Cancel);
            EXPECT_EQ(start(), mdAccessVerknuepfung::Weiter::Ende);  // Cancel
        }
        ASSERT_EQ(dialogs.shown().size(), 1);
        const QString text = dialogs.last().text;
        EXPECT_EQ(dialogs.last().buttons, Buttons::RetryCancel);
        EXPECT_TRUE(text.contains(QStringLiteral("wird gerade von einem anderen Arbeitsplatz benutzt")) && text.contains(datei) &&
                    !text.contains(kRecovery))
            << text.toStdString();
        EXPECT_EQ(settings.getSetting(QStringLiteral("Pfad")), pfadVorher);
        EXPECT_FALSE(settings.getSetting(QStringLiteral("Zentral")).isEmpty());
        dialogs.clear();
    }
    // Trying again once the other workstation is done starts the main window.
    test::FremdeSperre sperre({datei(names.central)});
    WiederholenNachFreigabe antworten(&sperre);
    EXPECT_EQ(mdAccessVerknuepfung(v, antworten, settings, ordner.path(), QStringLiteral("Tavomera")).start(),
              mdAccessVerknuepfung::Weiter::Hauptfenster);
    EXPECT_EQ(antworten.texte.size(), 1);
}

// One locked file behind many links costs one wait, not one per link.
TEST_F(mdAccessVerknuepfungTest, ALockedFileBehindManyLinksIsWaitedForOnce) {
    KurzeWartezeit kurz;
    Database::setBusyTimeout(500);
    installieren();
    const auto names = dbfiles::FileNames::forInstance(0);
    test::FremdeSperre sperre({datei(names.central)});
    QElapsedTimer uhr;
    uhr.start();
    auto link = Database::open(datei(names.link));
    const qint64 ms = uhr.elapsed();
    EXPECT_LT(ms, 6 * 500) << "waited " << ms << " ms";  // one wait per link would be 11 s
    try {
        link->openRecordset(QStringLiteral("SELECT * FROM tblBelegung"));
        ADD_FAILURE() << "a locked table was read";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.locked());
        EXPECT_TRUE(e.message().contains(names.central)) << e.message().toStdString();
    }
}

// A database that cannot be written is named at the start, once; the data can still be seen.
TEST_F(mdAccessVerknuepfungTest, AReadOnlyDatabaseIsNamedAtTheStart) {
    installieren();
    const QString zentral = datei(dbfiles::FileNames::forInstance(0).central);
    QFile::setPermissions(zentral, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    EXPECT_EQ(start(), mdAccessVerknuepfung::Weiter::Hauptfenster);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("ist schreibgeschützt"))) << dialogs.last().text.toStdString();
    EXPECT_TRUE(dialogs.last().text.contains(QFileInfo(zentral).fileName()));
    QFile::setPermissions(zentral, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dialogs.clear();
    EXPECT_EQ(start(), mdAccessVerknuepfung::Weiter::Hauptfenster);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
