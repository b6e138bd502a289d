#include <gtest/gtest.h>

#include <tuple>

#include "plan/Hauptbefehle.h"
#include "plan/PlanFixture.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Parameter.h"

using namespace tav;

namespace {

class HauptbefehleTest : public test::PlanFixture {
protected:
    void SetUp() override {
        PlanFixture::SetUp();
        settings.deleteSetting(QStringLiteral("Internet"));
    }
    Hauptbefehle befehle() { return Hauptbefehle(db(), dialogs, shell, settings, fenster, ordner()); }
    QString ordner() const { return QStringLiteral("/opt/tavomera"); }
    QString pfad(const QString& datei) const { return ordner() + QLatin1Char('/') + datei; }
    int buchungen() { return db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(); }

    ScriptedShell shell;
    SettingsStore settings;
};

TEST_F(HauptbefehleTest, StartDateIsAskedUntilItIsADate) {
    struct Fall {
        QStringList antworten;
        std::optional<QDate> ergebnis;
        int fehlermeldungen;
    };
    const QList<Fall> faelle = {
        {{QStringLiteral("13.1.24")}, QDate(2024, 1, 13), 0},
        {{QStringLiteral(" 01.02.2025 ")}, QDate(2025, 2, 1), 0},
        {{QString()}, std::nullopt, 0},
        {{QStringLiteral("morgen"), QStringLiteral("31.02.2024"), QStringLiteral("29.02.2024")}, QDate(2024, 2, 29), 2},
        {{QStringLiteral("1.13.2024"), QString()}, std::nullopt, 1},
    };
    for (const Fall& f : faelle) {
        dialogs.clear();
        for (const QString& a : f.antworten) dialogs.answerText(a);
        EXPECT_EQ(befehle().anfangsdatumAbfragen(S()), f.ergebnis) << f.antworten.join(QLatin1Char('|')).toStdString();
        int fehler = 0;
        for (const auto& s : dialogs.shown()) {
            if (s.kind == ScriptedDialogs::Kind::Input) {
                EXPECT_EQ(s.text, QStringLiteral("Geben Sie das Anfangsdatum der Darstellung ein:"));
                EXPECT_EQ(s.caption, QStringLiteral("Zeitleiste verschieben"));
            } else {
                EXPECT_EQ(s.text, QStringLiteral("Bitte wiederholen Sie die Eingabe."));
                ++fehler;
            }
        }
        EXPECT_EQ(fehler, f.fehlermeldungen);
        EXPECT_TRUE(dialogs.allAnswersUsed());
    }
}

class HauptbefehleReorganisationTest : public HauptbefehleTest {
protected:
    void SetUp() override {
        HauptbefehleTest::SetUp();
        // Today is 6 March 2024; month boundaries count, not whole months.
        addBooking(1, QDate(2023, 8, 1), QDate(2023, 8, 31));   // 7 months
        addBooking(2, QDate(2023, 9, 1), QDate(2023, 9, 30));   // 6 months
        addBooking(3, QDate(2023, 10, 1), QDate(2023, 10, 2));  // 5 months
        addBooking(4, QDate(2024, 3, 1), QDate(2024, 3, 9));    // current
        fenster.setVorhanden(Ziel::Datensicherung);
    }
    static QString frage() {
        return QStringLiteral("Dieser Vorgang ändert Reservierungsdaten.\nSoll eine Datensicherung durchgeführt werden?");
    }
};

TEST_F(HauptbefehleReorganisationTest, DeletesOldBookingsAfterEveryQuestion) {
    // Guest 7 stayed only in August: the deletion leaves the address without a booking.
    addGuest(7, QStringLiteral("Ida"), QStringLiteral("Sommer"));
    db().execute(QStringLiteral("UPDATE tblBelegung SET GastID = 7 WHERE Zimmernummer = 1"));
    db().execute(QStringLiteral("UPDATE Address SET BenutztVon1 = 'Tavomera' WHERE ID IN (1, 7)"));
    Hauptbefehle b = befehle();
    dialogs.answerText(QStringLiteral("6"));
    dialogs.answer(Answer::No);   // no backup
    dialogs.answer(Answer::Yes);  // go on
    dialogs.answer(Answer::Ok);   // two rows
    EXPECT_EQ(b.reorganisation(), 2);
    EXPECT_EQ(buchungen(), 2);
    EXPECT_TRUE(db().scalar(QStringLiteral("SELECT BenutztVon1 FROM Address WHERE ID = 7")).isNull())
        << "the mark of the address is cleared";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT BenutztVon1 FROM Address WHERE ID = 1")).toString(), QStringLiteral("Tavomera"))
        << "an address still booked keeps its mark";
    EXPECT_EQ(
        dialogs.texts(),
        QStringList(
            {QStringLiteral("Welche Reservierungen sollen gelöscht werden?\n(Älter als x Monate):"), frage(),
             QStringLiteral("Es werden nun alle Reservierungen und dazugehörige Daten gelöscht, die älter als 6 Monate sind. Fortfahren?"),
             QStringLiteral("Es werden 2 Datensätze gelöscht. Vorgang fortsetzen?"), QStringLiteral("Vorgang abgeschlossen")}));
    // No, then Cancel, is preselected.
    const auto& shown = dialogs.shown();
    EXPECT_EQ(
        std::tuple(shown[1].buttons, shown[2].buttons, shown[2].defaultButton, shown[3].buttons, shown[3].defaultButton, shown[3].caption),
        std::tuple(Buttons::YesNoCancel, Buttons::YesNo, 2, Buttons::OkCancel, 2, QStringLiteral("Datenpflege")));
    EXPECT_TRUE(dialogs.unanswered().isEmpty());
}

// Anything but a positive number ends at once; a cancel or a refusal leaves every booking (and
// rolls back); a backup is offered only with its window; a successful one names its folder.
TEST_F(HauptbefehleReorganisationTest, EveryQuestionCanEndItAndTheBackupNeedsItsWindow) {
    struct Fall {
        const char* warum;
        QString monate;
        QList<Answer> antworten;
        int geloescht, boxen;
        QString meldung;  // shown as the third box
        bool sicherungsFenster = true;
    };
    const QString fehlschlag =
        QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. Möchten Sie den Vorgang trotzdem fortsetzen?");
    QList<Fall> faelle;
    for (const char* m : {"", "0", "-3", "sechs", "2,5"}) faelle.append({"no positive number", QString::fromLatin1(m), {}, 0, 1, {}});
    faelle.append({
        {"cancel at the backup question", QStringLiteral("5"), {Answer::Cancel}, 0, 2, {}},
        {"no at the confirmation", QStringLiteral("5"), {Answer::No, Answer::No}, 0, 3, {}},
        {"cancel after the number of rows", QStringLiteral("5"), {Answer::No, Answer::Yes, Answer::Cancel}, 0, 4, {}},
        {"the backup failed and the user stops", QStringLiteral("5"), {Answer::Yes, Answer::No}, 0, 3, fehlschlag},
        {"a successful backup",
         QStringLiteral("7"),
         {Answer::Yes, Answer::Yes, Answer::Ok},
         1,
         6,
         QStringLiteral("Die Daten wurden in folgendes Verzeichnis gesichert: /opt/tavomera/Sicherungen/DB2024_03_06/")},
        {"no backup window: no backup question", QStringLiteral("6"), {Answer::Yes, Answer::Ok}, 1, 4, {}, false},
    });
    int bleiben = 4;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        dialogs.clear();
        fenster.setVorhanden(Ziel::Datensicherung, f.sicherungsFenster);
        fenster.setSicherung(f.meldung.contains(QStringLiteral("gesichert")) ? QStringLiteral("/opt/tavomera/Sicherungen/DB2024_03_06/")
                                                                             : QString());
        dialogs.answerText(f.monate);
        for (Answer a : f.antworten) dialogs.answer(a);
        EXPECT_EQ(befehle().reorganisation(), f.geloescht);
        EXPECT_EQ(buchungen(), bleiben -= f.geloescht);
        EXPECT_EQ(dialogs.shown().size(), f.boxen);
        EXPECT_TRUE(dialogs.allAnswersUsed());
        EXPECT_EQ(dialogs.shown()[0].caption, QStringLiteral("Löschen von alten Reservierungen"));
        if (!f.meldung.isEmpty()) {
            EXPECT_EQ(dialogs.shown()[2].text, f.meldung);
        }
        EXPECT_EQ(dialogs.texts().contains(frage()), f.boxen > 1 && f.sicherungsFenster);
    }
    EXPECT_EQ(db().transactionDepth(), 0);
}

TEST_F(HauptbefehleTest, SiblingProgramsStartWhenTheyAreThere) {
    Hauptbefehle b = befehle();
    EXPECT_FALSE(b.programmVorhanden(Hauptbefehle::kStatistik) || b.adressverwaltung() || b.statistik()) << "no program: nothing happens";
    EXPECT_TRUE(dialogs.shown().isEmpty());

    shell.addProgram(pfad(QStringLiteral("Qubero.exe")));
    shell.addProgram(pfad(QStringLiteral("Yorvak.exe")));
    shell.addProgram(pfad(QStringLiteral("Lomvix.exe")));
    EXPECT_EQ(std::tuple(b.programmVorhanden(Hauptbefehle::kStatistik), b.programmVorhanden(Hauptbefehle::kImport)),
              std::tuple(true, false));
    EXPECT_TRUE(b.adressverwaltung() && b.statistik() && b.datenexport());
    ASSERT_EQ(shell.started().size(), 3);
    EXPECT_EQ(shell.started()[0].program, Shell::programPath(pfad(QStringLiteral("Qubero.exe"))));
    EXPECT_EQ(shell.started()[2].program, Shell::programPath(pfad(QStringLiteral("Lomvix.exe"))));
}

TEST_F(HauptbefehleTest, TheStatisticsFirstMoveStaleOffersIntoTheWaitingPosition) {
    shell.addProgram(pfad(QStringLiteral("Yorvak.exe")));
    const ClockOverride heute(QDate(2024, 3, 1));
    const int alt = addBooking(1, QDate(2024, 2, 28), QDate(2024, 3, 2), 4, QStringLiteral("Altes Angebot"));
    const int neu = addBooking(2, QDate(2024, 3, 2), QDate(2024, 3, 4), 4, QStringLiteral("Neues Angebot"));
    dialogs.answer(Answer::Yes);
    EXPECT_TRUE(befehle().statistik());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.last().caption, QStringLiteral("Angebotskonflikte"));
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Es gibt noch Angebote, deren Anfangsdatum vor dem 02.03.2024 beginnen.")));
    const auto wartet = [this](int id) {
        return db().scalar(QStringLiteral("SELECT Gelöscht FROM tblBelegung WHERE ID = ?"), {id}).toInt() != 0;
    };
    EXPECT_TRUE(wartet(alt));
    EXPECT_FALSE(wartet(neu));
    ASSERT_EQ(shell.started().size(), 1) << "the statistics start afterwards";
}

TEST_F(HauptbefehleTest, InternetLoaderIsLookedForAndRemembered) {
    const QString frage = QStringLiteral("Die Datei 'Fendrix.exe' konnte nicht gefunden werden. Möchten Sie selber nach ihr suchen?");
    // Not there, and the user does not look for it.
    dialogs.answer(Answer::No);
    EXPECT_FALSE(befehle().internet());
    EXPECT_EQ(dialogs.texts(), QStringList({frage}));

    // The user finds it elsewhere: the path is stored and the program started.
    dialogs.clear();
    shell.addProgram(QStringLiteral("/srv/internet/Fendrix.exe"));
    dialogs.answer(Answer::Yes);
    dialogs.answerFile(QStringLiteral("/srv/internet/Fendrix.exe"));
    EXPECT_TRUE(befehle().internet());
    EXPECT_EQ(dialogs.last().kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Fendrix.exe suchen"));
    EXPECT_EQ(settings.getSetting(QStringLiteral("Internet")), QStringLiteral("/srv/internet/Fendrix.exe"));
    ASSERT_EQ(shell.started().size(), 1);

    // Next time the stored path is used without asking.
    dialogs.clear();
    EXPECT_TRUE(befehle().internet());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(shell.started().size(), 2);

    // Found but failing to start.
    shell.failStart(QStringLiteral("/srv/internet/Fendrix.exe"));
    EXPECT_FALSE(befehle().internet());
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Die Internetanwendung konnte nicht gestartet werden.")}));

    // Without a stored path the program folder is tried first.
    dialogs.clear();
    settings.deleteSetting(QStringLiteral("Internet"));
    shell.addProgram(pfad(QStringLiteral("Fendrix.exe")));
    EXPECT_TRUE(befehle().internet());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(shell.started().back().program, Shell::programPath(pfad(QStringLiteral("Fendrix.exe"))));

    // The file dialog is cancelled.
    dialogs.clear();
    settings.saveSetting(QStringLiteral("Internet"), QStringLiteral("/weg/Fendrix.exe"));
    dialogs.answer(Answer::Yes);
    dialogs.answerFile(QString());
    EXPECT_FALSE(befehle().internet());
    EXPECT_EQ(settings.getSetting(QStringLiteral("Internet")), QStringLiteral("/weg/Fendrix.exe"));
}

TEST_F(HauptbefehleTest, DatabaseUpdatePlanPrintAndDocuments) {
    const QString update = QStringLiteral(
        "Damit das Datenbankupdate ausgeführt werden kann, muss der Tavomera geschlossen werden. Der Tavomera muss ebenfalls auf alen "
        "Computern im Netzwerk geschlossen werden. Möchten Sie den Vorgang fortsetzen?");
    shell.addProgram(pfad(QStringLiteral("Wernic.exe")));
    dialogs.answer(Answer::Cancel);
    EXPECT_FALSE(befehle().datenbankUpdate());
    EXPECT_EQ(dialogs.last().text, update);
    EXPECT_EQ(dialogs.last().buttons, Buttons::OkCancel);
    EXPECT_TRUE(shell.started().isEmpty());
    dialogs.answer(Answer::Ok);
    EXPECT_TRUE(befehle().datenbankUpdate());
    ASSERT_EQ(shell.started().size(), 1);

    // The word processor is asked of the desktop, not of the document settings ("WordProgramm"
    // says whether documents are linked to their data file, not whether the program is there).
    dialogs.clear();
    shell.addProgram(pfad(QStringLiteral("Sendrak.exe")));
    shell.setWordProcessorInstalled(false);
    Parameter(db()).writeText(QStringLiteral("WordProgramm"), QStringLiteral("Ja"));
    EXPECT_FALSE(befehle().planDruckenWord({QStringLiteral("04.03.2024")}));
    EXPECT_EQ(dialogs.texts(),
              QStringList({QStringLiteral("Für diesen Ausdruck wird das Programm 'Microsoft Word' ab Version 8.0 (97) benötigt.")}));
    EXPECT_TRUE(shell.started().size() == 1) << "Sendrak is not started";
    shell.setWordProcessorInstalled(true);
    Parameter(db()).writeText(QStringLiteral("WordProgramm"), QStringLiteral("Nein"));
    EXPECT_TRUE(befehle().planDruckenWord({QStringLiteral("04.03.2024"), QStringLiteral("35")}));
    EXPECT_EQ(shell.started().back().arguments, QStringList({QStringLiteral("04.03.2024"), QStringLiteral("35")}));

    dialogs.clear();
    EXPECT_FALSE(befehle().handbuch());
    EXPECT_EQ(shell.opened().back(), pfad(QStringLiteral("Morvinel.pdf")));
    EXPECT_EQ(
        dialogs.texts(),
        QStringList({QStringLiteral("Das Handbuch benötigt das Programm  'Acrobat Reader'. Sie können das Programm installieren, indem Sie "
                                    "die Installations CD des Tavomeras in dasCD Rom Laufwerk legen und auf 'Acrobat Reader installieren' "
                                    "klicken.")}));
    shell.addDocument(pfad(QStringLiteral("Morvinel.pdf")));
    shell.addDocument(pfad(QStringLiteral("index.html")));
    dialogs.clear();
    EXPECT_TRUE(befehle().handbuch());
    EXPECT_TRUE(befehle().internetHilfe());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(HauptbefehleTest, SearchInputsAreChecked) {
    db().execute(
        QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, ReZaehler, IST_Rechnung) VALUES (40, 'R-2024-12', 12, 'R')"));
    db().execute(
        QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, Beszaehler, IST_Rechnung) VALUES (41, 'B-13', 13, 'B')"));
    const QString nurZiffern = QStringLiteral("Bitte geben Sie nur Ziffern ein. Möchten Sie die Eingabe wiederholen?");
    struct Fall {
        QStringList texte;
        QList<Answer> antworten;
        std::optional<int> ergebnis;
        QStringList meldungen;
    };
    const QList<Fall> faelle = {
        {{QStringLiteral("12")}, {}, 40, {}},
        {{QStringLiteral("R12"), QStringLiteral("12")}, {Answer::Yes}, 40, {nurZiffern}},
        {{QStringLiteral("12a")}, {Answer::No}, std::nullopt, {nurZiffern}},
        {{QStringLiteral("13")}, {}, std::nullopt, {QStringLiteral("Diese Rechnungsnummer existiert nicht.")}},
        {{QString()}, {}, std::nullopt, {}},
    };
    for (const Fall& f : faelle) {
        dialogs.clear();
        for (const QString& t : f.texte) dialogs.answerText(t);
        for (Answer a : f.antworten) dialogs.answer(a);
        EXPECT_EQ(befehle().rechnungSuchen(), f.ergebnis) << f.texte.join(QLatin1Char('|')).toStdString();
        QStringList meldungen;
        for (const auto& s : dialogs.shown()) {
            if (s.kind == ScriptedDialogs::Kind::Message)
                meldungen << s.text;
            else
                EXPECT_EQ(s.caption, QStringLiteral("Rechnungen suchen"));
        }
        EXPECT_EQ(meldungen, f.meldungen);
    }

    dialogs.clear();
    dialogs.answerText(QStringLiteral("gestern"));
    dialogs.answerText(QStringLiteral("7.3.24"));
    EXPECT_EQ(befehle().abreiseTagAbfragen(), QDate(2024, 3, 7));
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Für welchen Tag sollen die Abreisedaten angezeigt bzw. gedruckt werden?"),
                                            QStringLiteral("Bitte wiederholen Sie die Eingabe."),
                                            QStringLiteral("Für welchen Tag sollen die Abreisedaten angezeigt bzw. gedruckt werden?")}));
    EXPECT_EQ(dialogs.shown()[0].caption, QStringLiteral("Alle Reservierungen, die an einem bestimmten Tag enden."));

    dialogs.clear();
    EXPECT_EQ(befehle().letzteReservierung(0), std::nullopt);
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Es wurde noch keine Reservierung geöffnet.")}));
    EXPECT_EQ(befehle().letzteReservierung(17), 17);
}

}  // namespace
