#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "backup/SicherungFixture.h"
#include "backup/Wiederherstellung.h"
#include "backup/clsDateien.h"
#include "platform/Clock.h"

using namespace tav;

namespace {

const QDateTime kJetzt(QDate(2026, 12, 6), QTime(13, 5, 0));

}  // namespace

class DatensicherungTest : public test::SicherungFixture {
protected:
    // The backup folder holds the three databases, sound and as they were.
    void alleAlt(const QString& ziel) const {
        for (const QString& f : clsDateien::datenbankNamen()) {
            SCOPED_TRACE(f.toStdString());
            EXPECT_EQ(Database::integrityProblem(ziel + f), QString());
            EXPECT_EQ(stand(ziel + f), QStringLiteral("alt"));
        }
    }
    QStringList namen() const {
        QStringList n;
        for (const SicherungsEintrag& e : clsDateien::VerzeichnisseEinlesen(wurzel_)) n << e.name;
        return n;
    }
};

TEST_F(DatensicherungTest, DatabaseBackupHoldsTheThreeFilesAsTheyWereAndNoUnfinishedFolder) {
    ClockOverride uhr(kJetzt);
    Datensicherung lauf(dateien(), dialogs_, shell_);
    const QString ziel = lauf.sichern(SicherungsArt::Datenbank);
    ASSERT_EQ(ziel, wurzel_ + QStringLiteral("DB2026_12_06_13_05_00/"));
    alleAlt(ziel);
    EXPECT_EQ(QDir(wurzel_).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("DB2026_12_06_13_05_00")});
    // A second run in the same second gets the next second's name, never the same folder.
    EXPECT_EQ(lauf.sichern(SicherungsArt::Datenbank), wurzel_ + QStringLiteral("DB2026_12_06_13_05_01/"));
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
    alleAlt(ziel);
    // A copy program that fails leaves no folder behind.
    QFile::remove(file(QStringLiteral("Beispiel.mdb")));
    const QString fehlgeschlagen = lauf.sichern(SicherungsArt::Datenbank);
    EXPECT_TRUE(fehlgeschlagen.isEmpty() || fehlgeschlagen == Datensicherung::kZugriff) << fehlgeschlagen.toStdString();
    EXPECT_EQ(namen(), QStringList{QStringLiteral("DB2026_12_06_13_05_00")});
}

TEST_F(DatensicherungTest, RotationKeepsTheNewestDatabaseBackupsAndNeverTouchesDocumentFolders) {
    for (int tag = 1; tag <= 5; ++tag) ordner(QStringLiteral("DB2026_11_0%1_10_00_00").arg(tag), clsDateien::datenbankNamen());
    ordner(QStringLiteral("WO2026_10_01_10_00_00"), {QStringLiteral("Rechnung.doc")});
    ordner(QStringLiteral("WO2026_12_01_10_00_00"), {QStringLiteral("Rechnung.doc")});
    // Databases incomplete: not a database backup, not counted, not deleted.
    ordner(QStringLiteral("DB2026_09_01_10_00_00"), {QStringLiteral("Zentral.mdb")});
    open(QStringLiteral("Tavomera.mdb"))->executeNative(QStringLiteral("INSERT INTO tblParameter (Satz, F1) VALUES ('AnzSicherung', '3')"));

    ClockOverride uhr(kJetzt);
    auto l = logik(&db());
    EXPECT_EQ(l->vorhandenText(), QStringLiteral("5"));
    l->dbSichern();
    EXPECT_EQ(dialogs_.texts(),
              QStringList{QStringLiteral("Die Daten wurden erfolgreich gesichert nach ") +
                          QDir::toNativeSeparators(wurzel_ + QStringLiteral("DB2026_12_06_13_05_00/")) + QLatin1Char('.')});
    EXPECT_EQ(namen(), (QStringList{QStringLiteral("DB2026_12_06_13_05_00"), QStringLiteral("WO2026_12_01_10_00_00"),
                                    QStringLiteral("DB2026_11_05_10_00_00"), QStringLiteral("DB2026_11_04_10_00_00"),
                                    QStringLiteral("WO2026_10_01_10_00_00"), QStringLiteral("DB2026_09_01_10_00_00")}));
    EXPECT_EQ(l->vorhandenText(), QStringLiteral("3"));
}

TEST_F(DatensicherungTest, RootComesFromTheSettingWithoutItsFileName) {
    const QString prog = folder();
    struct Row {
        const char* label;
        QString wert;
        QString wurzel;
    } rows[] = {
        {"empty", QString(), prog + "/Sicherungen/"},
        {"program folder itself", prog + "/Tavomera.mdb", prog + "/Sicherungen/"},
        {"program folder with separator", prog + "/", prog + "/Sicherungen/"},
        {"another folder with a file name", "/srv/sich/Tavomera.mdb", "/srv/sich/"},
        {"windows separators", "D:\\Sich\\Tavomera.mdb", "D:/Sich/"},
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
    const QStringList doc{QStringLiteral("a.doc")};
    struct Row {
        const char* label;
        QString name;
        QStringList dateien;
        QString text;  // empty: not listed
    } rows[] = {
        {"databases", "DB2026_03_04_05_06_07", dbs, "04.03.2026 05:06:07 (Datenbanken)"},
        {"documents", "WO2026_03_04_05_06_08", doc, "04.03.2026 05:06:08 (Word-Dateien)"},
        {"both", "DW2026_03_04_05_06_09", doc, "04.03.2026 05:06:09 (Word-Dateien und Datenbanken)"},
        {"bare stamp", "2026_03_04_05_06_10", dbs, "04.03.2026 05:06:10"},
        {"too short", "DB2026_3_04_05_06_07", dbs, {}},
        {"letters in the stamp", "DB2026_03_0x_05_06_07", dbs, {}},
        {"no date", "DB2026_13_04_05_06_07", dbs, {}},
        {"digit prefix", "1B2026_03_04_05_06_07", dbs, {}},
        {"empty folder", "DB2026_03_04_05_06_11", {}, {}},
        {"other files only", "DB2026_03_04_05_06_12", {"liesmich.txt"}, {}},
        {"unfinished run", clsDateien::unfertigerName("DB2026_03_04_05_06_13"), dbs, {}},
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
    const QString alt = Datensicherung(dateien(), dialogs_, shell_).sichern(SicherungsArt::Datenbank);
    ASSERT_FALSE(alt.isEmpty());
    ASSERT_TRUE(QFile::remove(alt + QStringLiteral("Beispiel.mdb")));
    for (const QString& f : clsDateien::datenbankNamen()) setzeStand(f, QStringLiteral("neu"));

    ClockOverride spaeter(kJetzt.addSecs(60));
    auto l = logik();
    ASSERT_EQ(l->liste().size(), 1);
    EXPECT_FALSE(l->liste().first().alleDbs);
    dialogs_.answer(Answer::Yes);
    l->wiederherstellen(0, true);
    EXPECT_EQ(stand(QStringLiteral("Tavomera.mdb")), QStringLiteral("alt"));
    EXPECT_EQ(stand(QStringLiteral("Zentral.mdb")), QStringLiteral("alt"));
    EXPECT_EQ(stand(QStringLiteral("Beispiel.mdb")), QStringLiteral("neu"));
    EXPECT_TRUE(l->neustart());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Daten wurden wiederhergestellt. Das Datenbankupdate wird gestartet."));
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("temp"))));
    // The state before the restore was backed up first, as a complete database backup.
    ASSERT_EQ(l->liste().size(), 2);
    EXPECT_TRUE(l->liste().first().alleDbs);
    EXPECT_EQ(stand(wurzel_ + l->liste().first().name + QStringLiteral("/Zentral.mdb")), QStringLiteral("neu"));
}

TEST_F(DatensicherungTest, AFailedBackupBeforeTheRestoreAsksAndNoLeavesEverything) {
    ClockOverride uhr(kJetzt);
    ASSERT_FALSE(Datensicherung(dateien(), dialogs_, shell_).sichern(SicherungsArt::Datenbank).isEmpty());
    setzeStand(QStringLiteral("Zentral.mdb"), QStringLiteral("neu"));
    auto l = logik();
    // The sample database is no database of the program any more: its copy fails.
    schreibe(QStringLiteral("Beispiel.mdb"), "kaputt");
    ClockOverride spaeter(kJetzt.addSecs(60));
    for (const Answer antwort : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(antwort == Answer::Yes ? "Yes restores anyway" : "No keeps the current data");
        dialogs_.clear();
        dialogs_.answer(Answer::Yes);
        dialogs_.answer(antwort);
        l->wiederherstellen(0, true);
        EXPECT_EQ(stand(QStringLiteral("Zentral.mdb")), antwort == Answer::Yes ? QStringLiteral("alt") : QStringLiteral("neu"));
        ASSERT_EQ(dialogs_.shown().size(), antwort == Answer::Yes ? 3 : 2);
        const auto& frage = dialogs_.shown()[1];
        EXPECT_TRUE(frage.text.startsWith(
            QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. Möchten Sie die Wiederherstellung")));
        EXPECT_EQ(frage.defaultButton, 2);
        EXPECT_EQ(frage.icon, Icon::Critical);
        EXPECT_EQ(l->neustart(), antwort == Answer::Yes);
    }
}

TEST_F(DatensicherungTest, DocumentsAreBackedUpAndRestoredSingleOrWhole) {
    schreibe(QStringLiteral("Rechnung.doc"), "alt R");
    schreibe(QStringLiteral("Angebot.doc"), "alt A");
    ClockOverride uhr(kJetzt);
    auto l = logik();
    dialogs_.answer(Answer::Ok);
    l->wordSichern();
    ASSERT_EQ(l->liste().size(), 1);
    EXPECT_EQ(l->inhalt(0), (QStringList{QStringLiteral("Angebot.doc"), QStringLiteral("Rechnung.doc")}));
    schreibe(QStringLiteral("Rechnung.doc"), "neu R");
    schreibe(QStringLiteral("Angebot.doc"), "neu A");
    dialogs_.clear();
    l->einzelneWiederherstellen(0, {QStringLiteral("Tavomera.mdb")});
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es wurden keine Word-Dateien gewählt.")});
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    l->einzelneWiederherstellen(0, {QStringLiteral("Rechnung.doc")});
    EXPECT_EQ(lies(QStringLiteral("Rechnung.doc")), QByteArray("alt R"));
    EXPECT_EQ(lies(QStringLiteral("Angebot.doc")), QByteArray("neu A"));
    dialogs_.clear();
    // The whole folder: the question, the backup of the current documents, the copy.
    ClockOverride spaeter(kJetzt.addSecs(60));
    dialogs_.answer(Answer::Yes);
    dialogs_.answer(Answer::Ok);
    l->wiederherstellen(0, false);
    EXPECT_EQ(lies(QStringLiteral("Angebot.doc")), QByteArray("alt A"));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Daten wurden wiederhergestellt."));
    ASSERT_EQ(l->liste().size(), 2);
    EXPECT_FALSE(l->neustart());
    // The database option on a documents folder names the missing database.
    dialogs_.clear();
    l->wiederherstellen(0, true);
    EXPECT_EQ(dialogs_.texts(),
              QStringList{
                  QStringLiteral("Die Datenbank 'Tavomera.mdb' konnte nicht gefunden werden. Eine Wiederherstellung ist nicht möglich.")});
}

TEST_F(DatensicherungTest, NumberOfBackupsAcceptsDigitsOnly) {
    auto l = logik(&db());
    EXPECT_EQ(l->anzahlText, QStringLiteral("10"));
    struct Row {
        const char* label;
        QString eingabe;
        bool box;
        QString antwort;  // the input box's text
        QString ergebnis;
    } rows[] = {
        {"digits", "4", false, {}, "4"},
        {"zero", "0", false, {}, "10"},
        {"letters, then a number", "vier", true, "6", "6"},
        {"letters, then cancel", "vier", true, QString(), "10"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        dialogs_.clear();
        if (r.box) dialogs_.answerText(r.antwort);
        l->anzahlText = r.eingabe;
        l->anzahlPruefen();
        EXPECT_EQ(l->anzahlText, r.ergebnis);
        EXPECT_EQ(dialogs_.shown().size(), r.box ? 1 : 0);
    }
    l->anzahlText = QStringLiteral("7");
    l->anzahlSpeichern();
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT F1 FROM tblParameter WHERE Satz = 'AnzSicherung'")).toString(), QStringLiteral("7"));
}

TEST_F(DatensicherungTest, ARestoreCutOffAfterItsListIsFinishedByTheNextRun) {
    ClockOverride uhr(kJetzt);
    const QString alt = Datensicherung(dateien(), dialogs_, shell_).sichern(SicherungsArt::Datenbank);
    ASSERT_FALSE(alt.isEmpty());
    const QString zentral = file(QStringLiteral("Zentral.mdb"));
    setzeStand(QStringLiteral("Tavomera.mdb"), QStringLiteral("neu"));
    // The state a kill leaves after the central file was renamed into place and before the
    // working one.
    const QString temp = Wiederherstellung::tempOrdner(zentral);
    QDir().mkpath(temp);
    Database::compact(alt + QStringLiteral("Tavomera.mdb"), temp + QStringLiteral("/Tavomera.mdb"));
    schreibe(temp + QStringLiteral("/Wiederherstellung.txt"),
             (temp + QStringLiteral("/Zentral.mdb\t") + zentral + QStringLiteral("\n") + temp + QStringLiteral("/Tavomera.mdb\t") +
              file(QStringLiteral("Tavomera.mdb")) + QLatin1Char('\n'))
                 .toUtf8());
    EXPECT_TRUE(Wiederherstellung::fortsetzen(zentral));
    EXPECT_EQ(stand(QStringLiteral("Tavomera.mdb")), QStringLiteral("alt"));
    EXPECT_EQ(stand(zentral), QStringLiteral("alt"));
    EXPECT_FALSE(QFileInfo::exists(temp));
    // Copies without a list (cut off before it was written) are thrown away; nothing changes.
    QDir().mkpath(temp);
    Database::compact(alt + QStringLiteral("Zentral.mdb"), temp + QStringLiteral("/Zentral.mdb"));
    setzeStand(zentral, QStringLiteral("neu"));
    EXPECT_TRUE(Wiederherstellung::fortsetzen(zentral));
    EXPECT_EQ(stand(zentral), QStringLiteral("neu"));
    EXPECT_FALSE(QFileInfo::exists(temp));
}
