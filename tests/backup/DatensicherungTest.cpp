#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "backup/Datensicherung.h"
#include "backup/DatensicherungLogik.h"
#include "backup/Wiederherstellung.h"
#include "backup/clsDateien.h"
#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

const QDateTime kJetzt(QDate(2026, 12, 6), QTime(13, 5, 0));

}  // namespace

class DatensicherungTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        wurzel_ = file(QStringLiteral("Sicherungen")) + QLatin1Char('/');
        settings_.saveSetting(werte_.excel, wurzel_);
        settings_.saveSetting(werte_.pfad, file(QStringLiteral("Tavomera.mdb")));
        settings_.saveSetting(werte_.zentral, file(QStringLiteral("Zentral.mdb")));
        // Each file carries its own mark, so that a restore shows where every file came from.
        for (const QString& f : {QStringLiteral("Tavomera.mdb"), QStringLiteral("Zentral.mdb"), QStringLiteral("Beispiel.mdb")}) {
            auto d = open(f);
            d->executeNative(QStringLiteral("CREATE TABLE Stand (Wert TEXT)"));
            d->executeNative(QStringLiteral("INSERT INTO Stand VALUES ('alt')"));
        }
    }
    void TearDown() override {
        settings_.deleteSection();
        DatabaseFixture::TearDown();
    }

    SicherungsDateien dateien() const {
        SicherungsDateien d;
        d.arbeit = file(QStringLiteral("Tavomera.mdb"));
        d.zentral = file(QStringLiteral("Zentral.mdb"));
        d.beispiel = file(QStringLiteral("Beispiel.mdb"));
        d.programmordner = folder();
        d.wurzel = wurzel_;
        return d;
    }
    QString stand(const QString& f) const { return Database::open(f)->scalar(QStringLiteral("SELECT Wert FROM Stand")).toString(); }
    void setzeStand(const QString& f, const QString& wert) const {
        Database::open(f)->executeNative(QStringLiteral("UPDATE Stand SET Wert = ?"), {wert});
    }
    // A folder below the root with the named files (contents do not matter for the list).
    void ordner(const QString& name, const QStringList& dateien) const {
        QDir().mkpath(wurzel_ + name);
        for (const QString& f : dateien) {
            QFile d(wurzel_ + name + QLatin1Char('/') + f);
            ASSERT_TRUE(d.open(QIODevice::WriteOnly));
            d.write("x");
        }
    }
    QStringList namen() const {
        QStringList n;
        for (const SicherungsEintrag& e : clsDateien::VerzeichnisseEinlesen(wurzel_)) n << e.name;
        return n;
    }

    QString wurzel_;
    SettingsStore settings_;
    RegistryNamen werte_ = RegistryNamen::forInstance(0);
    ScriptedDialogs dialogs_;
    ScriptedShell shell_;
};

TEST_F(DatensicherungTest, DatabaseBackupHoldsTheThreeFilesAsTheyWereAndNoUnfinishedFolder) {
    ClockOverride uhr(kJetzt);
    Datensicherung lauf(dateien(), dialogs_, shell_);
    const QString ziel = lauf.sichern(SicherungsArt::Datenbank);
    ASSERT_EQ(ziel, wurzel_ + QStringLiteral("DB2026_12_06_13_05_00/"));
    for (const QString& f : clsDateien::datenbankNamen()) {
        SCOPED_TRACE(f.toStdString());
        EXPECT_EQ(Database::integrityProblem(ziel + f), QString());
        EXPECT_EQ(stand(ziel + f), QStringLiteral("alt"));
    }
    EXPECT_EQ(QDir(wurzel_).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("DB2026_12_06_13_05_00")});
    // A second run in the same second gets the next second's name, never the same folder.
    EXPECT_EQ(lauf.sichern(SicherungsArt::Datenbank), wurzel_ + QStringLiteral("DB2026_12_06_13_05_01/"));
}

TEST_F(DatensicherungTest, RotationKeepsTheNewestDatabaseBackupsAndNeverTouchesDocumentFolders) {
    const QStringList dbs = clsDateien::datenbankNamen();
    for (int tag = 1; tag <= 5; ++tag) ordner(QStringLiteral("DB2026_11_0%1_10_00_00").arg(tag), dbs);
    ordner(QStringLiteral("WO2026_10_01_10_00_00"), {QStringLiteral("Rechnung.doc")});
    ordner(QStringLiteral("WO2026_12_01_10_00_00"), {QStringLiteral("Rechnung.doc")});
    // Databases incomplete: not a database backup, not counted, not deleted.
    ordner(QStringLiteral("DB2026_09_01_10_00_00"), {QStringLiteral("Zentral.mdb")});
    open(QStringLiteral("Tavomera.mdb"))->executeNative(QStringLiteral("INSERT INTO tblParameter (Satz, F1) VALUES ('AnzSicherung', '3')"));

    ClockOverride uhr(kJetzt);
    DatensicherungLogik logik(&db(), dialogs_, settings_, shell_, werte_, dateien());
    logik.laden();
    EXPECT_EQ(logik.vorhandenText(), QStringLiteral("5"));
    logik.dbSichern();
    EXPECT_EQ(dialogs_.texts(),
              QStringList{QStringLiteral("Die Daten wurden erfolgreich gesichert nach ") +
                          QDir::toNativeSeparators(wurzel_ + QStringLiteral("DB2026_12_06_13_05_00/")) + QLatin1Char('.')});
    EXPECT_EQ(namen(), (QStringList{QStringLiteral("DB2026_12_06_13_05_00"), QStringLiteral("WO2026_12_01_10_00_00"),
                                    QStringLiteral("DB2026_11_05_10_00_00"), QStringLiteral("DB2026_11_04_10_00_00"),
                                    QStringLiteral("WO2026_10_01_10_00_00"), QStringLiteral("DB2026_09_01_10_00_00")}));
    EXPECT_EQ(logik.vorhandenText(), QStringLiteral("3"));
}

TEST_F(DatensicherungTest, RootComesFromTheSettingWithoutItsFileName) {
    const QString prog = folder();
    struct Row {
        const char* label;
        QString wert;
        QString wurzel;
    } rows[] = {
        {"empty", QString(), prog + QStringLiteral("/Sicherungen/")},
        {"program folder itself", prog + QStringLiteral("/Tavomera.mdb"), prog + QStringLiteral("/Sicherungen/")},
        {"program folder with separator", prog + QStringLiteral("/"), prog + QStringLiteral("/Sicherungen/")},
        {"another folder with a file name", QStringLiteral("/srv/sich/Tavomera.mdb"), QStringLiteral("/srv/sich/")},
        {"windows separators", QStringLiteral("D:\\Sich\\Tavomera.mdb"), QStringLiteral("D:/Sich/")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(Datensicherung::wurzelAus(r.wert, prog), r.wurzel);
    }
    // An empty setting is stored with its default.
    settings_.saveSetting(werte_.excel, QString());
    EXPECT_EQ(Datensicherung::wurzel(settings_, werte_, prog), prog + QStringLiteral("/Sicherungen/"));
    EXPECT_EQ(QDir::fromNativeSeparators(settings_.getSetting(werte_.excel)), prog + QStringLiteral("/Sicherungen/"));
}

TEST_F(DatensicherungTest, OnlyFoldersNamedByTheSchemeAreListed) {
    const QStringList dbs = clsDateien::datenbankNamen();
    struct Row {
        const char* label;
        QString name;
        QStringList dateien;
        QString text;  // empty: not listed
    } rows[] = {
        {"databases", QStringLiteral("DB2026_03_04_05_06_07"), dbs, QStringLiteral("04.03.2026 05:06:07 (Datenbanken)")},
        {"documents",
         QStringLiteral("WO2026_03_04_05_06_08"),
         {QStringLiteral("a.doc")},
         QStringLiteral("04.03.2026 05:06:08 (Word-Dateien)")},
        {"both",
         QStringLiteral("DW2026_03_04_05_06_09"),
         {QStringLiteral("a.doc")},
         QStringLiteral("04.03.2026 05:06:09 (Word-Dateien und Datenbanken)")},
        {"bare stamp", QStringLiteral("2026_03_04_05_06_10"), dbs, QStringLiteral("04.03.2026 05:06:10")},
        {"too short", QStringLiteral("DB2026_3_04_05_06_07"), dbs, {}},
        {"letters in the stamp", QStringLiteral("DB2026_03_0x_05_06_07"), dbs, {}},
        {"no date", QStringLiteral("DB2026_13_04_05_06_07"), dbs, {}},
        {"digit prefix", QStringLiteral("1B2026_03_04_05_06_07"), dbs, {}},
        {"empty folder", QStringLiteral("DB2026_03_04_05_06_11"), {}, {}},
        {"other files only", QStringLiteral("DB2026_03_04_05_06_12"), {QStringLiteral("liesmich.txt")}, {}},
        {"unfinished run", clsDateien::unfertigerName(QStringLiteral("DB2026_03_04_05_06_13")), dbs, {}},
    };
    for (const Row& r : rows) ordner(r.name, r.dateien);
    const auto liste = clsDateien::VerzeichnisseEinlesen(wurzel_);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        auto it = std::find_if(liste.begin(), liste.end(), [&](const SicherungsEintrag& e) { return e.name == r.name; });
        if (r.text.isEmpty()) {
            EXPECT_EQ(it, liste.end());
        } else {
            ASSERT_NE(it, liste.end());
            EXPECT_EQ(it->text, r.text);
            EXPECT_EQ(it->alleDbs, r.dateien == dbs);
        }
    }
    // Newest first.
    EXPECT_EQ(liste.first().name, QStringLiteral("2026_03_04_05_06_10"));
    // Empty folders of the scheme go, an unfinished one only once it is old; a folder with a
    // file of the user's and a folder outside the scheme stay.
    const QStringList weg = clsDateien::LeereSichOrdnerLoeschen(wurzel_, QDateTime::currentDateTime().addSecs(3600));
    EXPECT_TRUE(weg.contains(QStringLiteral("DB2026_03_04_05_06_11")));
    EXPECT_TRUE(weg.contains(clsDateien::unfertigerName(QStringLiteral("DB2026_03_04_05_06_13"))));
    EXPECT_FALSE(weg.contains(QStringLiteral("DB2026_13_04_05_06_07")));
    EXPECT_FALSE(weg.contains(QStringLiteral("DB2026_03_04_05_06_12")));
    EXPECT_TRUE(clsDateien::LeereSichOrdnerLoeschen(wurzel_, QDateTime::currentDateTime()).isEmpty());
}

TEST_F(DatensicherungTest, RestoreWithoutSampleDatabaseRestoresTheOtherTwo) {
    ClockOverride uhr(kJetzt);
    Datensicherung lauf(dateien(), dialogs_, shell_);
    const QString alt = lauf.sichern(SicherungsArt::Datenbank);
    ASSERT_FALSE(alt.isEmpty());
    ASSERT_TRUE(QFile::remove(alt + QStringLiteral("Beispiel.mdb")));
    for (const QString& f : {QStringLiteral("Tavomera.mdb"), QStringLiteral("Zentral.mdb"), QStringLiteral("Beispiel.mdb")})
        setzeStand(file(f), QStringLiteral("neu"));

    ClockOverride spaeter(kJetzt.addSecs(60));
    DatensicherungLogik logik(nullptr, dialogs_, settings_, shell_, werte_, dateien());
    logik.laden();
    ASSERT_EQ(logik.liste().size(), 1);
    EXPECT_FALSE(logik.liste().first().alleDbs);
    dialogs_.answer(Answer::Yes);
    logik.wiederherstellen(0, true);
    EXPECT_EQ(stand(file(QStringLiteral("Tavomera.mdb"))), QStringLiteral("alt"));
    EXPECT_EQ(stand(file(QStringLiteral("Zentral.mdb"))), QStringLiteral("alt"));
    EXPECT_EQ(stand(file(QStringLiteral("Beispiel.mdb"))), QStringLiteral("neu"));
    EXPECT_TRUE(logik.neustart());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Daten wurden wiederhergestellt. Das Datenbankupdate wird gestartet."));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("temp"))));
    // The state before the restore was backed up first, as a complete database backup.
    ASSERT_EQ(logik.liste().size(), 2);
    EXPECT_TRUE(logik.liste().first().alleDbs);
    EXPECT_EQ(stand(wurzel_ + logik.liste().first().name + QStringLiteral("/Zentral.mdb")), QStringLiteral("neu"));
}

TEST_F(DatensicherungTest, AFailedBackupBeforeTheRestoreAsksAndNoLeavesEverything) {
    ClockOverride uhr(kJetzt);
    const QString alt = Datensicherung(dateien(), dialogs_, shell_).sichern(SicherungsArt::Datenbank);
    ASSERT_FALSE(alt.isEmpty());
    setzeStand(file(QStringLiteral("Zentral.mdb")), QStringLiteral("neu"));
    DatensicherungLogik logik(nullptr, dialogs_, settings_, shell_, werte_, dateien());
    logik.laden();
    // The sample database is no database of the program any more: its copy fails.
    {
        QFile f(file(QStringLiteral("Beispiel.mdb")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("kaputt");
    }
    ClockOverride spaeter(kJetzt.addSecs(60));
    struct Row {
        const char* label;
        Answer antwort;
        QString erwartet;
    } rows[] = {{"No keeps the current data", Answer::No, QStringLiteral("neu")},
                {"Yes restores anyway", Answer::Yes, QStringLiteral("alt")}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        dialogs_.clear();
        dialogs_.answer(Answer::Yes);
        dialogs_.answer(r.antwort);
        logik.wiederherstellen(0, true);
        EXPECT_EQ(stand(file(QStringLiteral("Zentral.mdb"))), r.erwartet);
        ASSERT_GE(dialogs_.shown().size(), 2);
        bool gefragt = false;
        for (const auto& s : dialogs_.shown())
            if (s.text.startsWith(
                    QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. Möchten Sie die Wiederherstellung"))) {
                gefragt = true;
                EXPECT_EQ(s.defaultButton, 2);
                EXPECT_EQ(s.icon, Icon::Critical);
            }
        EXPECT_TRUE(gefragt);
        EXPECT_EQ(logik.neustart(), r.antwort == Answer::Yes);
    }
}

TEST_F(DatensicherungTest, DocumentsAreBackedUpAndRestoredSingleOrWhole) {
    auto schreibe = [&](const QString& name, const QByteArray& inhalt) {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    };
    schreibe(QStringLiteral("Rechnung.doc"), "alt R");
    schreibe(QStringLiteral("Angebot.doc"), "alt A");
    ClockOverride uhr(kJetzt);
    DatensicherungLogik logik(nullptr, dialogs_, settings_, shell_, werte_, dateien());
    logik.laden();
    dialogs_.answer(Answer::Ok);
    logik.wordSichern();
    ASSERT_EQ(logik.liste().size(), 1);
    EXPECT_EQ(logik.inhalt(0), (QStringList{QStringLiteral("Angebot.doc"), QStringLiteral("Rechnung.doc")}));
    schreibe(QStringLiteral("Rechnung.doc"), "neu R");
    schreibe(QStringLiteral("Angebot.doc"), "neu A");
    auto lies = [&](const QString& name) {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    dialogs_.clear();
    logik.einzelneWiederherstellen(0, {QStringLiteral("Tavomera.mdb")});
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es wurden keine Word-Dateien gewählt.")});
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    logik.einzelneWiederherstellen(0, {QStringLiteral("Rechnung.doc")});
    EXPECT_EQ(lies(QStringLiteral("Rechnung.doc")), QByteArray("alt R"));
    EXPECT_EQ(lies(QStringLiteral("Angebot.doc")), QByteArray("neu A"));
    dialogs_.clear();
    // The whole folder: the question, the backup of the current documents, the copy.
    ClockOverride spaeter(kJetzt.addSecs(60));
    dialogs_.answer(Answer::Yes);
    dialogs_.answer(Answer::Ok);
    logik.wiederherstellen(0, false);
    EXPECT_EQ(lies(QStringLiteral("Angebot.doc")), QByteArray("alt A"));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Daten wurden wiederhergestellt."));
    ASSERT_EQ(logik.liste().size(), 2);
    EXPECT_FALSE(logik.neustart());
    // The database option on a documents folder names the missing database.
    dialogs_.clear();
    logik.wiederherstellen(0, true);
    EXPECT_EQ(dialogs_.texts(),
              QStringList{
                  QStringLiteral("Die Datenbank 'Tavomera.mdb' konnte nicht gefunden werden. Eine Wiederherstellung ist nicht möglich.")});
}

TEST_F(DatensicherungTest, NumberOfBackupsAcceptsDigitsOnly) {
    DatensicherungLogik logik(&db(), dialogs_, settings_, shell_, werte_, dateien());
    logik.laden();
    EXPECT_EQ(logik.anzahlText, QStringLiteral("10"));
    struct Row {
        const char* label;
        QString eingabe;
        QString antwort;  // the input box's text; empty: no box expected
        bool box;
        QString ergebnis;
    } rows[] = {
        {"digits", QStringLiteral("4"), {}, false, QStringLiteral("4")},
        {"zero", QStringLiteral("0"), {}, false, QStringLiteral("10")},
        {"letters, then a number", QStringLiteral("vier"), QStringLiteral("6"), true, QStringLiteral("6")},
        {"letters, then cancel", QStringLiteral("vier"), QString(), true, QStringLiteral("10")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        dialogs_.clear();
        if (r.box) dialogs_.answerText(r.antwort);
        logik.anzahlText = r.eingabe;
        logik.anzahlPruefen();
        EXPECT_EQ(logik.anzahlText, r.ergebnis);
        EXPECT_EQ(dialogs_.shown().size(), r.box ? 1 : 0);
    }
    logik.anzahlText = QStringLiteral("7");
    logik.anzahlSpeichern();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT F1 FROM tblParameter WHERE Satz = 'AnzSicherung'")).toString(), QStringLiteral("7"));
}

TEST_F(DatensicherungTest, ARestoreCutOffAfterItsListIsFinishedByTheNextRun) {
    ClockOverride uhr(kJetzt);
    const QString alt = Datensicherung(dateien(), dialogs_, shell_).sichern(SicherungsArt::Datenbank);
    ASSERT_FALSE(alt.isEmpty());
    setzeStand(file(QStringLiteral("Tavomera.mdb")), QStringLiteral("neu"));
    setzeStand(file(QStringLiteral("Zentral.mdb")), QStringLiteral("neu"));
    // The state a kill leaves after the central file was renamed and before the working one.
    const QString temp = Wiederherstellung::tempOrdner(file(QStringLiteral("Zentral.mdb")));
    QDir().mkpath(temp);
    Database::compact(alt + QStringLiteral("Tavomera.mdb"), temp + QStringLiteral("/Tavomera.mdb"));
    {
        QFile liste(temp + QStringLiteral("/Wiederherstellung.txt"));
        ASSERT_TRUE(liste.open(QIODevice::WriteOnly));
        liste.write((temp + QStringLiteral("/Zentral.mdb\t") + file(QStringLiteral("Zentral.mdb")) + QLatin1Char('\n')).toUtf8());
        liste.write((temp + QStringLiteral("/Tavomera.mdb\t") + file(QStringLiteral("Tavomera.mdb")) + QLatin1Char('\n')).toUtf8());
    }
    setzeStand(file(QStringLiteral("Zentral.mdb")), QStringLiteral("alt"));  // already renamed into place
    EXPECT_TRUE(Wiederherstellung::fortsetzen(file(QStringLiteral("Zentral.mdb"))));
    EXPECT_EQ(stand(file(QStringLiteral("Tavomera.mdb"))), QStringLiteral("alt"));
    EXPECT_EQ(stand(file(QStringLiteral("Zentral.mdb"))), QStringLiteral("alt"));
    EXPECT_FALSE(QFileInfo::exists(temp));
    // Copies without a list (cut off before it was written) are thrown away; nothing changes.
    QDir().mkpath(temp);
    Database::compact(alt + QStringLiteral("Zentral.mdb"), temp + QStringLiteral("/Zentral.mdb"));
    setzeStand(file(QStringLiteral("Zentral.mdb")), QStringLiteral("neu"));
    EXPECT_TRUE(Wiederherstellung::fortsetzen(file(QStringLiteral("Zentral.mdb"))));
    EXPECT_EQ(stand(file(QStringLiteral("Zentral.mdb"))), QStringLiteral("neu"));
    EXPECT_FALSE(QFileInfo::exists(temp));
}

TEST_F(DatensicherungTest, TheCopyProgramOfTheFamilyWritesTheSameBackup) {
    // Gavrol in the program folder: the run lets it copy and waits for it.
    const QString gavrol = file(QStringLiteral("Gavrol"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/Gavrol"), gavrol));
    QFile(gavrol).setPermissions(QFile::permissions(gavrol) | QFileDevice::ExeOwner);
    SystemShell shell;
    ASSERT_TRUE(shell.programExists(Datensicherung::kopierprogramm(folder())));
    ClockOverride uhr(kJetzt);
    Datensicherung lauf(dateien(), dialogs_, shell);
    const QString ziel = lauf.sichern(SicherungsArt::Datenbank);
    ASSERT_EQ(ziel, wurzel_ + QStringLiteral("DB2026_12_06_13_05_00/")) << lauf.fehler().toStdString();
    for (const QString& f : clsDateien::datenbankNamen()) {
        SCOPED_TRACE(f.toStdString());
        EXPECT_EQ(Database::integrityProblem(ziel + f), QString());
        EXPECT_EQ(stand(ziel + f), QStringLiteral("alt"));
    }
    // A copy program that fails leaves no folder behind.
    QFile::remove(file(QStringLiteral("Beispiel.mdb")));
    const QString fehlgeschlagen = lauf.sichern(SicherungsArt::Datenbank);
    EXPECT_TRUE(fehlgeschlagen.isEmpty() || fehlgeschlagen == Datensicherung::kZugriff) << fehlgeschlagen.toStdString();
    EXPECT_EQ(namen(), QStringList{QStringLiteral("DB2026_12_06_13_05_00")});
}
