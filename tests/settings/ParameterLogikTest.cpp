#include <gtest/gtest.h>

#include "plan/PlanEinstellungen.h"
#include "settings/EinstellungenFixture.h"
#include "settings/ParameterLogik.h"
#include "store/Einstellungen.h"
#include "store/Parameter.h"
#include "store/Variablen.h"

using namespace tav;

class ParameterLogikTest : public test::EinstellungenFixture {
protected:
    void SetUp() override {
        EinstellungenFixture::SetUp();
        beispiel_ = open(QStringLiteral("Beispiel.mdb"));
    }
    void TearDown() override {
        beispiel_.reset();
        EinstellungenFixture::TearDown();
    }
    ParameterLogik logik() {
        ParameterLogik l(db(), beispiel_.get(), dialogs_, fenster_);
        l.laden();
        return l;
    }
    QString feld(Database& d, const QString& satz, int n) {
        const auto row = Parameter(d).read(satz);
        return row ? row->text(n) : QStringLiteral("<fehlt>");
    }
    QStringList artenTabelle() {
        QStringList r;
        for (Recordset rs = db().openRecordset(QStringLiteral("SELECT BelegungsArt FROM tbBelegArten ORDER BY BelegungsID")); !rs.eof();
             rs.moveNext())
            r << rs.text(QStringLiteral("BelegungsArt"));
        return r;
    }
    std::unique_ptr<Database> beispiel_;
};

TEST_F(ParameterLogikTest, ApplyWritesEveryTabToItsRow) {
    ParameterLogik l = logik();
    EXPECT_EQ(l.daten().zimmer, QStringLiteral("9"));
    EXPECT_EQ(l.daten().arten.mid(0, 6), (QStringList{"frei", l.daten().arten[1], l.daten().arten[2], "Tresen", "Angebot", ""}));
    ParameterDaten& d = l.daten();
    d.darstellen = QStringLiteral("14");
    d.hoehe = 400;
    d.tage = QStringLiteral("42");
    d.wochentag = 6;
    d.ersterTag = QStringLiteral("90");
    d.farben[9] = 255;
    d.waehrung = QStringLiteral("CHF");
    d.texte[QStringLiteral("Absender1")] = QStringLiteral("Pension Seeblick");
    d.texte[QStringLiteral("Steuernummer")] = QStringLiteral("12/345/67890");
    d.druckAnzahl = QStringLiteral("3");
    d.wordProgramm = false;
    d.mitAdresse = false;
    d.waesche[1] = QStringLiteral("5");
    EXPECT_EQ(d.waesche.mid(4, 3), (QStringList{"1", "0", "0"})) << "meal presets not yet set: breakfast only";
    d.waesche[6] = QStringLiteral("1");  // dinner too
    ASSERT_TRUE(l.uebernehmen());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    // The display rows live in the sample database, the others in the working one.
    EXPECT_EQ((QStringList{feld(*beispiel_, "Räumlichkeiten", 2), feld(*beispiel_, "Räumlichkeiten", 3),
                           feld(*beispiel_, "ZeitDarstellung", 1), feld(*beispiel_, "ZeitDarstellung", 2)}),
              (QStringList{"14", "400", "42", "6"}));
    EXPECT_EQ((QStringList{feld(db(), "ErsterTag", 1), feld(db(), "Farben", 10), feld(db(), "Währung", 1), feld(db(), "Wäsche", 2),
                           feld(db(), "Wäsche", 5), feld(db(), "Wäsche", 7), feld(db(), "mitAdresse", 1)}),
              (QStringList{"90", "255", "CHF", "5", "1", "1", "Nein"}));
    Parameter p(db());
    EXPECT_EQ((QStringList{p.text(QStringLiteral("Absender1")), p.text(QStringLiteral("Steuernummer")),
                           p.text(QStringLiteral("DruckAnzahl")), p.text(QStringLiteral("WordProgramm"))}),
              (QStringList{"Pension Seeblick", "12/345/67890", "3", "Nein"}));
    // Read back as the dialog opens again.
    ParameterLogik wieder = logik();
    EXPECT_EQ(wieder.daten().tage, QStringLiteral("42"));
    EXPECT_EQ(wieder.daten().farben[9], 255u);
    EXPECT_FALSE(wieder.daten().mitAdresse);
}

TEST_F(ParameterLogikTest, ARefusedFieldWritesNothing) {
    struct Fall {
        const char* was;
        std::function<void(ParameterDaten&)> setze;
        QString meldung;
    };
    const Fall faelle[] = {
        {"71 rooms", [](ParameterDaten& d) { d.zimmer = "71"; }, "Die maximale Einstellung an dieser Stelle beträgt 70."},
        {"first-day difference above 255", [](ParameterDaten& d) { d.ersterTag = "256"; },
         QStringLiteral("Einstellung für den Farbunterschied des ersten Tages einer Reservierung. Es können Werte zwischen 0 (gleiche "
                        "Farbe) bis 255 (weiss) eingestellt werden.")},
        {"linen interval 0", [](ParameterDaten& d) { d.waesche[3] = "0"; }, "Dieses Feld darf nicht leer bzw. '0' sein."},
        {"linen interval empty", [](ParameterDaten& d) { d.waesche[1] = QString(); }, "Dieses Feld darf nicht leer bzw. '0' sein."},
        {"no currency", [](ParameterDaten& d) { d.waehrung = " "; }, "Wie lautet die aktuelle Währung?"},
        {"days not a number", [](ParameterDaten& d) { d.tage = "vier"; },
         "Bitte geben Sie im Feld 'Anzahl der Tage' eine Zahl zwischen 7 und 365 an."},
        {"a kind without a name in the middle", [](ParameterDaten& d) { d.arten[2] = QString(); },
         "Die Reservierungsart 3 hat keine Bezeichnung. Bitte geben Sie eine Bezeichnung an."},
    };
    const QString zeilenVorher = feld(*beispiel_, QStringLiteral("Räumlichkeiten"), 2);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        dialogs_.clear();
        ParameterLogik l = logik();
        l.daten().texte[QStringLiteral("Absender1")] = QStringLiteral("Nicht schreiben");
        l.daten().darstellen = QStringLiteral("12");
        f.setze(l.daten());
        EXPECT_FALSE(l.uebernehmen());
        EXPECT_EQ(dialogs_.texts(), QStringList{f.meldung});
        EXPECT_NE(Parameter(db()).text(QStringLiteral("Absender1")), QStringLiteral("Nicht schreiben"));
        EXPECT_EQ(feld(*beispiel_, QStringLiteral("Räumlichkeiten"), 2), zeilenVorher);
        EXPECT_EQ(feld(db(), QStringLiteral("Räumlichkeiten"), 1), QStringLiteral("9"));
    }
}

TEST_F(ParameterLogikTest, ColoursAreNumbersOfTheColourRange) {
    struct Fall {
        const char* text;
        bool gut;
        quint32 wert;
    } faelle[] = {{"9399613", true, 9399613},
                  {"0", true, 0},
                  {"16777215", true, 16777215},
                  {"16777216", false, 0},
                  {"rot", false, 0},
                  {"-1", false, 0},
                  {"", false, 0},
                  {"12,5", false, 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        dialogs_.clear();
        ParameterLogik l = logik();
        quint32 farbe = 77;
        EXPECT_EQ(l.farbePruefen(QString::fromUtf8(f.text), farbe), f.gut);
        EXPECT_EQ(farbe, f.gut ? f.wert : 77u);
        EXPECT_EQ(dialogs_.shown().size(), f.gut ? 0 : 1);
    }
}

TEST_F(ParameterLogikTest, KindNamesWithSeparatorsAreRefused) {
    struct Fall {
        const char* name;
        const char* meldung;
    } faelle[] = {
        {"Halb;pension", "Bitte verwenden Sie in der Bezeichnung kein Semikolon ';'."},
        {"Gruppe~A", "Bitte verwenden Sie in der Bezeichnung keine Tilde '~'."},
        {"Müller's", "Bitte verwenden Sie in der Bezeichnung kein Hochkomma '''."},
        {"", "Die Bezeichnung darf nicht leer sein; es wurde nichts geändert."},
        {"Eine sehr lange Bezeichnung", "Die Bezeichnung darf höchstens 15 Zeichen lang sein."},
        {"Teilbelegt", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialogs_.clear();
        ParameterLogik l = logik();
        dialogs_.answerText(QString::fromUtf8(f.name));
        EXPECT_EQ(l.artHinzufuegen(), *f.meldung == 0);
        EXPECT_EQ(l.daten().artenAnzahl(), *f.meldung ? 5 : 6);
        if (*f.meldung)
            EXPECT_EQ(dialogs_.last().text, QString::fromUtf8(f.meldung));
        else
            EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Bitte geben Sie eine Bezeichnung an:")));
        EXPECT_EQ(dialogs_.shown().first().caption, QStringLiteral("Neuer Belegungstyp"));
    }
}

TEST_F(ParameterLogikTest, ARenamedKindShowsInThePlansLegendAndInTheKindsTable) {
    ParameterLogik l = logik();
    dialogs_.answerText(QStringLiteral("Stammgast"));
    ASSERT_TRUE(l.artUmbenennen(2));
    dialogs_.answerText(QStringLiteral("Teilbelegt"));
    ASSERT_TRUE(l.artHinzufuegen());
    ASSERT_TRUE(l.uebernehmen());
    EXPECT_EQ(artenTabelle().mid(0, 7), (QStringList{"frei", "Stammgast", l.daten().arten[2], "Tresen", "Angebot", "Teilbelegt", ""}));

    // What the plan reads at its next start.
    Variablen v;
    einstellungen::farben(db(), v);
    einstellungen::belegungsarten(db(), v);
    const PlanEinstellungen e = PlanEinstellungen::aus(v);
    EXPECT_EQ(e.belegungsartNamen.value(1), QStringLiteral("Stammgast"));
    EXPECT_EQ(e.belegungsartNamen.value(5), QStringLiteral("Teilbelegt"));
    EXPECT_TRUE(e.hatTeilbelegt);
}

TEST_F(ParameterLogikTest, RemovingTheLastKindGivesItsBookingsTheFirstKind) {
    const int tresen = buchung(1, QDate(2025, 4, 1), 2, 3);
    const int angebot = buchung(2, QDate(2025, 4, 1), 2, 4);
    const int zwei = buchung(3, QDate(2025, 4, 1), 2, 2);
    ParameterLogik l = logik();
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(l.artEntfernen());
    EXPECT_EQ(l.daten().artenAnzahl(), 5);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Belegungsart FROM tblBelegung WHERE ID = ?"), {angebot}), 4);
    dialogs_.clear();

    dialogs_.answer(Answer::Yes);
    ASSERT_TRUE(l.artEntfernen());  // "Angebot", kind 4
    EXPECT_EQ(fenster_.sicherungen(), 1);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Belegungsart FROM tblBelegung WHERE ID = ?"), {angebot}), 1);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Belegungsart FROM tblBelegung WHERE ID = ?"), {tresen}), 3);
    EXPECT_EQ(zahl(QStringLiteral("SELECT Belegungsart FROM tblBelegung WHERE ID = ?"), {zwei}), 2);
    EXPECT_EQ(feld(db(), QStringLiteral("Belegungsarten"), 5), QString());
    EXPECT_EQ(artenTabelle().value(4), QString());
    EXPECT_EQ(l.daten().artenAnzahl(), 4);

    // Down to the first kind, which stays.
    for (int i = 0; i < 2; ++i) {
        dialogs_.answer(Answer::No);
        ASSERT_TRUE(l.artEntfernen());
    }
    dialogs_.clear();
    EXPECT_FALSE(l.artEntfernen());
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Die erste Reservierungsart kann nicht entfernt werden.")});
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Belegungsart <> 1")), 0);
}

TEST_F(ParameterLogikTest, AnAttributeInUseCannotBeDeleted) {
    ParameterLogik l = logik();
    Attribut see{0, QStringLiteral("S"), QStringLiteral("Seeblick"), 16744448, 1};
    Attribut hund{0, QStringLiteral("H"), QStringLiteral("Hund erlaubt"), 12632256, 2};
    ASSERT_TRUE(l.attributSpeichern(see));
    ASSERT_TRUE(l.attributSpeichern(hund));
    EXPECT_EQ(see.feld, 1);
    EXPECT_EQ(hund.feld, 2);
    Attribut lang{0, QStringLiteral("Balkon"), {}, 0, 1};
    EXPECT_FALSE(l.attributSpeichern(lang));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Beschriftung hat ein bis drei Zeichen."));
    EXPECT_EQ(l.attribute().size(), 2);
    EXPECT_EQ(l.attribute().first().beschriftung, QStringLiteral("H")) << "ordered by Beschriftung";

    db().execute(QStringLiteral("UPDATE tbZimmernummern SET Zusatz2 = 1 WHERE Zimmernummer = 4"));
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(l.attributLoeschen(see.feld));
    EXPECT_EQ(dialogs_.texts(), (QStringList{QStringLiteral("Diesen Datensatz Löschen?"),
                                             QStringLiteral("Der Datensatz kann nicht gelöscht werden. Er wird noch verwendet.")}));
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.attributLoeschen(hund.feld));
    EXPECT_EQ(l.attribute().size(), 1);
}

TEST_F(ParameterLogikTest, StandardPutsTheDisplayBackOnlyOnYes) {
    ParameterLogik l = logik();
    l.daten().tage = QStringLiteral("90");
    l.daten().farben[0] = 1;
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(l.standard());
    EXPECT_EQ(l.daten().tage, QStringLiteral("90"));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.standard());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Sollen die aktuellen Einstellungen gelöscht werden?"));
    EXPECT_EQ(l.daten().tage, QStringLiteral("35"));
    EXPECT_EQ(l.daten().farben[0], einstellungen::standardFarbe(1));
}

TEST_F(ParameterLogikTest, OkWritesTheKindsAndColoursOfADatabaseWithoutThem) {
    db().execute(QStringLiteral("DELETE FROM tblParameter WHERE Satz IN ('Belegungsarten', 'Farben')"));
    ParameterLogik l = logik();
    EXPECT_EQ(l.daten().arten.mid(0, 4), (QStringList{"Nicht belegt", "Einzel", "Doppel", ""}));
    ASSERT_TRUE(l.ok());
    EXPECT_EQ(feld(db(), QStringLiteral("Belegungsarten"), 3), QStringLiteral("Doppel"));
    EXPECT_EQ(feld(db(), QStringLiteral("Farben"), 1), QString::number(einstellungen::standardFarbe(1)));
}
