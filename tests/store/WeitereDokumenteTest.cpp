#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/WeitereDokumente.h"
#include "support/DatabaseFixture.h"
#include "support/FremdeSperre.h"

using namespace tav;

namespace {

const QString kFrageNummer = QStringLiteral(
    "Für welchen Eintrag möchten Sie den Pfad festlegen. Wählen Sie 1 für den ersten Eintrag, 2 für  den zweiten Eintrag usw.");
const QString kFrageName = QStringLiteral("Geben Sie einem Namen für den Menüeintrag an.");
const QString kHinweisDatei = QStringLiteral("Wählen Sie im folgenden Dialog bitte die Datei aus, die geöffnet werden soll.");
const QString kFrageExport = QStringLiteral("Möchten Sie vor dem Aufruf der Datei die Daten der aktuellen Adresse exportieren?");
const QString kNichtGeoeffnet = QStringLiteral("Die gewünschte Datei konnte nicht geöffnet werden. Bitte richten Sie den Pfad neu ein.");
const QString kFalscheNummer = QStringLiteral("Bitte geben Sie eine Zahl von 1 bis 5 ein.");

}  // namespace

class WeitereDokumenteTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        settings.deleteSection();
    }
    WeitereDokumente menue(WeitereDokumente::Menue m = WeitereDokumente::Menue::Reservierung) {
        return WeitereDokumente(db(), settings, dialogs, shell, m);
    }
    // Scripts the four answers of a complete set-up.
    void einrichten(const QString& nummer, const QString& name, const QString& datei, bool exportieren) {
        dialogs.answerText(nummer);
        dialogs.answerText(name);
        dialogs.answer(Answer::Ok);
        dialogs.answerFile(datei);
        dialogs.answer(exportieren ? Answer::Yes : Answer::No);
    }
    QString dokument(const QString& name) const { return folder() + QStringLiteral("/Dokumente/") + name; }

    SettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedShell shell;
};

TEST_F(WeitereDokumenteTest, SettingUpAnEntryAsksFourQuestionsAndTheMenuShowsIt) {
    WeitereDokumente w = menue();
    for (const auto& e : w.eintraege()) EXPECT_FALSE(e.moeglich()) << e.name.toStdString() << ": no file, no entry to choose";
    EXPECT_EQ(w.eintraege()[2].name, QStringLiteral("Dokument 3"));

    einrichten(QStringLiteral(" 3 "), QStringLiteral("Anfahrt"), dokument(QStringLiteral("anfahrt.pdf")), true);
    ASSERT_TRUE(w.pfadeFestlegen());

    const QList<ScriptedDialogs::Shown>& s = dialogs.shown();
    ASSERT_EQ(s.size(), 5);
    EXPECT_EQ(s[0].kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(s[0].text, kFrageNummer);
    EXPECT_EQ(s[0].caption, QStringLiteral("Weitere Dokumente öffnen"));
    EXPECT_EQ(s[1].kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(s[1].text, kFrageName);
    EXPECT_EQ(s[1].caption, QStringLiteral("Menüeintrag Namen vergeben"));
    EXPECT_EQ(s[2].text, kHinweisDatei);
    EXPECT_EQ(s[2].caption, QStringLiteral("Datei festlegen"));
    EXPECT_EQ(s[3].kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(s[4].text, kFrageExport);
    EXPECT_EQ(s[4].caption, QStringLiteral("Seriendruck vorbereiten"));
    EXPECT_EQ(s[4].buttons, Buttons::YesNo);
    EXPECT_EQ(Dialogs::qtFilter(WeitereDokumente::kDateifilter), QStringLiteral("Alle Dateien (*.*)"));

    const auto e = w.eintraege();
    EXPECT_EQ(e[2].name, QStringLiteral("Anfahrt"));
    EXPECT_EQ(e[2].pfad, dokument(QStringLiteral("anfahrt.pdf")));
    EXPECT_TRUE(e[2].exportieren);
    EXPECT_TRUE(e[2].moeglich());
    EXPECT_FALSE(e[1].moeglich());

    // Setting the entry up again offers the old name and answers No to the export.
    dialogs.clear();
    einrichten(QStringLiteral("3"), QStringLiteral("Anfahrt 2"), dokument(QStringLiteral("anfahrt2.pdf")), false);
    ASSERT_TRUE(w.pfadeFestlegen());
    EXPECT_FALSE(w.eintraege()[2].exportieren);
    EXPECT_EQ(w.eintraege()[2].name, QStringLiteral("Anfahrt 2"));
}

TEST_F(WeitereDokumenteTest, CancellingAnyStepOrABadNumberStoresNothing) {
    WeitereDokumente w = menue();
    einrichten(QStringLiteral("2"), QStringLiteral("Prospekt"), dokument(QStringLiteral("prospekt.pdf")), true);
    ASSERT_TRUE(w.pfadeFestlegen());

    struct Fall {
        const char* name;
        QStringList texte;  // answers of the input boxes
        bool dateiHinweis;  // the file hint is shown (answered OK)
        bool dateiDialog;   // the file dialog opens (and is cancelled)
        int meldungen;      // how often the number is refused
    };
    const Fall faelle[] = {
        {"cancel at the number", {QString()}, false, false, 0},
        {"cancel at the name", {QStringLiteral("2"), QString()}, false, false, 0},
        {"a blank name", {QStringLiteral("2"), QStringLiteral("   ")}, false, false, 0},
        {"cancel in the file dialog", {QStringLiteral("2"), QStringLiteral("Neu")}, true, true, 0},
        {"numbers outside 1 to 5, then cancel",
         {QStringLiteral("6"), QStringLiteral("0"), QStringLiteral("x"), QStringLiteral("2,5"), QString()},
         false,
         false,
         4},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialogs.clear();
        for (const QString& t : f.texte) dialogs.answerText(t);
        for (int i = 0; i < f.meldungen; ++i) dialogs.answer(Answer::Ok);
        if (f.dateiHinweis) dialogs.answer(Answer::Ok);
        if (f.dateiDialog) dialogs.answerFile(QString());
        EXPECT_FALSE(w.pfadeFestlegen());
        EXPECT_EQ(dialogs.texts().count(kFalscheNummer), f.meldungen);
        EXPECT_FALSE(dialogs.texts().contains(kFrageExport));
        const auto e = w.eintraege()[1];
        EXPECT_EQ(e.name, QStringLiteral("Prospekt"));
        EXPECT_EQ(e.pfad, dokument(QStringLiteral("prospekt.pdf")));
        EXPECT_TRUE(e.exportieren);
    }
    // After a refused number the question comes again and a valid one goes on.
    dialogs.clear();
    dialogs.answerText(QStringLiteral("9"));
    dialogs.answer(Answer::Ok);
    einrichten(QStringLiteral("5"), QStringLiteral("Fünf"), dokument(QStringLiteral("fuenf.odt")), false);
    EXPECT_TRUE(w.pfadeFestlegen());
    EXPECT_EQ(dialogs.texts().count(kFrageNummer), 2);
    EXPECT_EQ(w.eintraege()[4].name, QStringLiteral("Fünf"));
}

TEST_F(WeitereDokumenteTest, ChoosingAnEntryExportsWhenAskedThenOpensTheFile) {
    WeitereDokumente w = menue();
    einrichten(QStringLiteral("1"), QStringLiteral("Brief"), dokument(QStringLiteral("brief.odt")), true);
    ASSERT_TRUE(w.pfadeFestlegen());
    einrichten(QStringLiteral("4"), QStringLiteral("Plan"), dokument(QStringLiteral("plan.pdf")), false);
    ASSERT_TRUE(w.pfadeFestlegen());
    shell.addDocument(dokument(QStringLiteral("brief.odt")));
    shell.addDocument(dokument(QStringLiteral("plan.pdf")));

    QStringList exportiertNach;
    const auto gelingt = [&](const QString& ordner) {
        exportiertNach << ordner;
        return ordner + QStringLiteral("/adresse.doc");
    };
    const auto scheitert = [&](const QString& ordner) {
        exportiertNach << ordner;
        return QString();
    };

    struct Fall {
        const char* name;
        int nummer;
        WeitereDokumente::Adressexport exporter;
        QStringList meldungen;
        bool exportiert;
        bool geoeffnet;
    };
    const QString ordner = folder() + QStringLiteral("/Dokumente");
    const Fall faelle[] = {
        {"export Ja",
         1,
         gelingt,
         {QStringLiteral("Adressdaten wurden exportiert nach ") + QDir::toNativeSeparators(ordner + QStringLiteral("/adresse.doc")) +
          QLatin1Char('.')},
         true,
         true},
        {"export Ja, the export fails, the file still opens", 1, scheitert, {QStringLiteral("Datenexport gescheitert")}, true, true},
        {"export Nein", 4, gelingt, {}, false, true},
        {"an entry without a file", 2, gelingt, {kNichtGeoeffnet}, false, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialogs.clear();
        exportiertNach.clear();
        const int vorher = int(shell.opened().size());
        for (int i = 0; i < f.meldungen.size(); ++i) dialogs.answer(Answer::Ok);
        EXPECT_EQ(w.oeffnen(f.nummer, f.exporter), f.geoeffnet);
        EXPECT_EQ(dialogs.texts(), f.meldungen);
        EXPECT_EQ(exportiertNach, f.exportiert ? QStringList{ordner} : QStringList{});
        EXPECT_EQ(shell.opened().size() - vorher, f.geoeffnet ? 1 : 0);
    }

    // A file the system cannot open.
    dialogs.clear();
    einrichten(QStringLiteral("3"), QStringLiteral("Weg"), dokument(QStringLiteral("geloescht.doc")), false);
    ASSERT_TRUE(w.pfadeFestlegen());
    dialogs.clear();
    dialogs.answer(Answer::Ok);
    EXPECT_FALSE(w.oeffnen(3, gelingt));
    EXPECT_EQ(dialogs.texts(), QStringList{kNichtGeoeffnet});
    EXPECT_EQ(shell.opened().last(), dokument(QStringLiteral("geloescht.doc")));
}

TEST_F(WeitereDokumenteTest, TheBookingListKeepsItsOwnFiveEntries) {
    WeitereDokumente res = menue();
    WeitereDokumente liste = menue(WeitereDokumente::Menue::Buchungsliste);
    einrichten(QStringLiteral("1"), QStringLiteral("Liste eins"), dokument(QStringLiteral("l1.ods")), false);
    ASSERT_TRUE(liste.pfadeFestlegen());
    EXPECT_EQ(liste.eintraege()[0].name, QStringLiteral("Liste eins"));
    EXPECT_EQ(res.eintraege()[0].name, QStringLiteral("Dokument 1")) << "the form's first entry is untouched";
    EXPECT_EQ(settings.getSetting(QStringLiteral("strpfad6")), dokument(QStringLiteral("l1.ods")));
    EXPECT_TRUE(settings.getSetting(QStringLiteral("strpfad1")).isEmpty());
}

TEST_F(WeitereDokumenteTest, ALockedSettingsFileIsNamedAndNothingIsStored) {
    WeitereDokumente w = menue();
    const QString datei = test::FremdeSperre::dateiDer(db(), QStringLiteral("tblParameter"));
    test::FremdeSperre::kurzWarten(db());
    test::FremdeSperre sperre({datei});

    // The menu still shows its entries, with one message.
    dialogs.answer(Answer::Ok);
    const auto e = w.eintraege();
    ASSERT_EQ(e.size(), 5);
    EXPECT_EQ(e[0].name, QStringLiteral("Dokument 1"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.last().text.contains(QFileInfo(datei).fileName())) << dialogs.last().text.toStdString();
    EXPECT_FALSE(dialogs.last().text.contains(QStringLiteral("SELECT"), Qt::CaseInsensitive));

    // Setting up stops at reading the entry; no path is stored.
    dialogs.clear();
    dialogs.answerText(QStringLiteral("1"));
    dialogs.answer(Answer::Ok);
    EXPECT_FALSE(w.pfadeFestlegen());
    EXPECT_TRUE(settings.getSetting(QStringLiteral("strpfad1")).isEmpty());

    // Choosing an entry says why nothing opens.
    dialogs.clear();
    dialogs.answer(Answer::Ok);
    EXPECT_FALSE(w.oeffnen(1, {}));
    EXPECT_TRUE(shell.opened().isEmpty());
}

TEST_F(WeitereDokumenteTest, AFailedWriteAfterTheQuestionsStoresNeitherRowsNorPath) {
    WeitereDokumente w = menue();
    const QString datei = test::FremdeSperre::dateiDer(db(), QStringLiteral("tblParameter"));
    test::FremdeSperre::kurzWarten(db());
    // Another workstation writes: reading works, writing waits and fails.
    sqlite3* andere = nullptr;
    ASSERT_EQ(sqlite3_open_v2(datei.toUtf8().constData(), &andere, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(andere, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    einrichten(QStringLiteral("1"), QStringLiteral("Brief"), dokument(QStringLiteral("brief.odt")), true);
    dialogs.answer(Answer::Ok);
    EXPECT_FALSE(w.pfadeFestlegen());
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Der Menüeintrag konnte nicht gespeichert werden.\nDatenbank: ")))
        << dialogs.last().text.toStdString();
    EXPECT_FALSE(dialogs.last().text.contains(QStringLiteral("UPDATE"), Qt::CaseInsensitive));
    EXPECT_TRUE(settings.getSetting(QStringLiteral("strpfad1")).isEmpty());

    sqlite3_exec(andere, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(andere);
    EXPECT_EQ(w.eintraege()[0].name, QStringLiteral("Dokument 1"));
    EXPECT_FALSE(w.eintraege()[0].moeglich());
}
