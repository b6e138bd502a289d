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
using namespace Qt::StringLiterals;

namespace {

const QString kRecovery = QStringLiteral(
    "Die Datenbankpfade sind nicht korrekt oder die Verbindung des Netzwerkes steht nicht mehr zur Verfügung. Möchten Sie die "
    "Datenbankpfade zu den Quelldatenbanken neu einrichten?");
using W = mdAccessVerknuepfung::Weiter;

class mdAccessVerknuepfungTest : public ::testing::Test {
public:
    void SetUp() override { settings.deleteSection(); }
    QString datei(const QString& name) const { return ordner.file(name); }
    W start(const QString& dateiname = u"/opt/tav/Tavomera"_s) {
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
             QFile::remove(t.datei(u"Lokal.mdb"_s));
         },
         std::nullopt, W::Hauptfenster},
        {"nothing installed, Cancel", [](auto&) {}, Answer::Cancel, W::Ende},
        {"a working database without tariffs, Cancel",
         [](auto& t) {
             t.installieren();
             t.settings.saveSetting(u"Pfad"_s, t.datei(u"Zentral.mdb"_s));
         },
         Answer::Cancel, W::Ende},
        {"installed but the registry emptied, OK",
         [](auto& t) {
             t.installieren();
             t.settings.deleteSection();
             t.settings.saveSetting(u"Excel"_s, u"/alt/Sicherungen/Tavomera.mdb"_s);
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
            EXPECT_EQ(settings.names(), QStringList{u"BeispielPfad"_s}) << "the section emptied, the sample path written";
            EXPECT_EQ(settings.getSetting(u"BeispielPfad"_s), datei(u"Beispiel.mdb"_s));
        } else {
            EXPECT_EQ(settings.getSetting(u"LokalDB"_s), datei(u"Lokal.mdb"_s)) << "written on every start";
        }
        if (f.weiter == W::Hauptfenster) {
            EXPECT_TRUE(verknuepfung::pruefeVerknuepfung(datei(u"Lokal.mdb"_s)));
            EXPECT_EQ(std::tuple(v.programmordner, v.blockProgramm), std::tuple(ordner.path(), u"Tosmek.exe"_s));
        }
        dialogs.clear();
    }
}

TEST_F(mdAccessVerknuepfungTest, LinksThatPointElsewhereAreRelinkedWithoutAskingAndLocalTablesStay) {
    installieren();
    test::TempFolder alt;
    dbfiles::createInstallation(alt.path());
    {
        auto link = Database::open(datei(u"Lokal.mdb"_s));
        verknuepfung::alleNeuVerknuepfen(*link, alt.file(u"Tavomera.mdb"_s), alt.file(u"Zentral.mdb"_s));
        TableDef lokal;
        lokal.name = u"tbLokal"_s;
        lokal.fields << FieldDef::text(u"Wert"_s);
        link->createTable(lokal);
        link->execute(u"INSERT INTO tbLokal (Wert) VALUES ('x')"_s);
    }
    EXPECT_EQ(start(), W::Hauptfenster);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(verknuepfung::zeigtAuf(datei(u"Lokal.mdb"_s), datei(u"Tavomera.mdb"_s), datei(u"Zentral.mdb"_s)));
    auto link = Database::open(datei(u"Lokal.mdb"_s));
    EXPECT_EQ(link->scalar(u"SELECT Wert FROM tbLokal"_s), QVariant(u"x"_s));
    EXPECT_EQ(settings.getSetting(u"Excel"_s), ordner.path() + u"/Sicherungen/Tavomera.mdb"_s);
}

TEST_F(mdAccessVerknuepfungTest, InstancesOneAndTwoUseTheirOwnNamesAndThreeIsRefused) {
    for (int instanz : {1, 2}) {
        SCOPED_TRACE(instanz);
        settings.deleteSection();
        installieren(instanz);
        const QString n = QString::number(instanz);
        EXPECT_EQ(start(n + u"Tavomera"_s), W::Hauptfenster);
        EXPECT_EQ(std::tuple(v.instanz, v.dateien.working, v.werte.zentral),
                  std::tuple(instanz, u"Tavomer"_s + n + u".mdb"_s, u"Zentra"_s + n));
        EXPECT_EQ(settings.getSetting(u"lokalD"_s + n), datei(u"Loka"_s + n + u".mdb"_s));
        EXPECT_TRUE(settings.getSetting(u"LokalDB"_s).isEmpty()) << "instance 0's values are left alone";
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    // Instance 2 with the values of instance 0 only: its own are missing.
    settings.deleteSection();
    settings.saveSetting(u"Pfad"_s, datei(u"Tavomera.mdb"_s));
    dialogs.answer(Answer::Cancel);
    EXPECT_EQ(start(u"2Tavomera"_s), W::Ende);
    EXPECT_EQ(start(u"3Tavomera"_s), W::Ende);
    EXPECT_EQ(dialogs.texts(), (QStringList{kRecovery, u"Unzulässiger Dateiname"_s}));
}

TEST_F(mdAccessVerknuepfungTest, TheInstallerWritesTheDefaultPathsOnlyWhenMissing) {
    settings.saveSetting(u"Zentral"_s, u"/netz/Zentral.mdb"_s);
    EXPECT_EQ(mdAccessVerknuepfung::standardwerteEintragen(settings, ordner.path(), 0), (QStringList{u"Pfad"_s, u"Excel"_s}));
    EXPECT_EQ(std::tuple(settings.getSetting(u"Pfad"_s), settings.getSetting(u"Zentral"_s)),
              std::tuple(datei(u"Tavomera.mdb"_s), u"/netz/Zentral.mdb"_s));
    EXPECT_EQ(mdAccessVerknuepfung::standardwerteEintragen(settings, ordner.path(), 1), (QStringList{u"Pfa1"_s, u"Zentra1"_s, u"Exce1"_s}));
    EXPECT_EQ(settings.getSetting(u"Pfa1"_s), datei(u"Tavomer1.mdb"_s));
}

// A backup or clean-up on another workstation holds a file: the start says so, offers to try
// again, and never takes the lock for a wrong path (whose OK would delete the stored paths).
TEST_F(mdAccessVerknuepfungTest, ALockedDatabaseIsNamedOffersToTryAgainAndNeverDeletesTheStoredPaths) {
    KurzeWartezeit kurz(100);
    installieren();
    const auto names = dbfiles::FileNames::forInstance(0);
    const QString pfadVorher = settings.getSetting(u"Pfad"_s);
    for (const QString& gesperrt : {names.central, names.working, names.link}) {
        SCOPED_TRACE(gesperrt.toStdString());
        dialogs.clear();
        test::FremdeSperre sperre({datei(gesperrt)});
        dialogs.answer(Answer::Cancel);
        EXPECT_EQ(start(), W::Ende);
        ASSERT_EQ(dialogs.shown().size(), 1);
        const QString text = dialogs.last().text;
        EXPECT_EQ(dialogs.last().buttons, Buttons::RetryCancel);
        EXPECT_TRUE(text.contains(u"wird gerade von einem anderen Arbeitsplatz benutzt"_s) && text.contains(gesperrt))
            << text.toStdString();
        EXPECT_EQ(std::tuple(settings.getSetting(u"Pfad"_s), settings.getSetting(u"Zentral"_s).isEmpty()), std::tuple(pfadVorher, false));
    }
    // Trying again once the other workstation is done starts the main window.
    test::FremdeSperre sperre({datei(names.central)});
    WiederholenNachFreigabe antworten(&sperre);
    EXPECT_EQ(mdAccessVerknuepfung(v, antworten, settings, ordner.path(), u"Tavomera"_s).start(), W::Hauptfenster);
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
        link->openRecordset(u"SELECT * FROM tblBelegung"_s);
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
    EXPECT_TRUE(dialogs.last().text.contains(u"ist schreibgeschützt"_s) && dialogs.last().text.contains(QFileInfo(zentral).fileName()))
        << dialogs.last().text.toStdString();
    QFile::setPermissions(zentral, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    dialogs.clear();
    EXPECT_EQ(start(), W::Hauptfenster);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}
