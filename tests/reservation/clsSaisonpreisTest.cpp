#include <gtest/gtest.h>

#include "platform/ScriptedDialogs.h"
#include "reservation/SaisonpreiseLogik.h"
#include "reservation/Tarifliste.h"
#include "reservation/clsSaisonpreis.h"
#include "support/DatabaseFixture.h"

using namespace tav;
using namespace Qt::StringLiterals;

namespace {
const QString kZuWenig = QStringLiteral(
    "Für die Berechnung der Saisonpreise liegen nicht genug Stammdaten vor.  Kontrollieren Sie in den Einstellungen die Preise "
    "für die Zimmer und legen Sie Saisonzeiten fest.");
}

class clsSaisonpreisTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        // Room 1: every price; room 2: only the main season; room 3: no season price;
        // room 4: season prices but no default price.
        room(1, 50, 80, 70, 60, 100);
        room(2, 50, 90, {}, {}, {});
        room(3, 45, {}, {}, {}, {});
        room(4, {}, 80, {}, 60, {});
        season(u"Nebensaison"_s, QDate(2024, 3, 1), QDate(2024, 6, 1));
        season(u"Hauptsaison"_s, QDate(2024, 6, 1), QDate(2024, 9, 10));
        season(u"Zwischensaison"_s, QDate(2024, 9, 10), QDate(2024, 11, 1));
        season(u"Sondersaison"_s, QDate(2024, 12, 24), QDate(2024, 12, 27));
    }
    void room(int nr, QVariant standard, QVariant haupt, QVariant zwischen, QVariant neben, QVariant sonder) {
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, PreisDefault, PreisHauptsaison, "
                                    "PreisZwischensaison, PreisNebensaison, PreisSondersaison) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                     {nr, QString::number(100 + nr), standard, haupt, zwischen, neben, sonder});
    }
    void season(const QString& name, const QDate& start, const QDate& ende) {
        db().execute(u"INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES (?, ?, ?)"_s, {name, start, ende});
    }
    QList<int> naechte(const clsSaisonpreis& s) {
        QList<int> out;
        for (const SaisonAnteil& a : s.aufteilung()) out << a.naechte;
        return out;
    }

    ScriptedDialogs dialogs_;
};

TEST_F(clsSaisonpreisTest, StaysArePricedNightByNightBySeason) {
    struct Fall {
        const char* was;
        int zimmer;
        QDate von, bis;
        double summe;
        QList<int> naechte;  // Haupt, Zwischen, Neben, Sonder, ohne
    } faelle[] = {
        // Across the boundary on the 1st: 30th and 31st in the first season, the 1st in the second.
        {"across a boundary", 1, QDate(2024, 5, 30), QDate(2024, 6, 2), 2 * 60 + 80, {1, 0, 2, 0, 0}},
        {"the end day belongs to the next season", 1, QDate(2024, 9, 9), QDate(2024, 9, 11), 80 + 70, {1, 1, 0, 0, 0}},
        {"outside every season: default price", 1, QDate(2024, 10, 30), QDate(2024, 11, 3), 2 * 70 + 2 * 50, {0, 2, 0, 0, 2}},
        {"only a main-season price: default elsewhere", 2, QDate(2024, 5, 30), QDate(2024, 6, 2), 2 * 50 + 90, {1, 0, 2, 0, 0}},
        {"one night", 1, QDate(2024, 12, 24), QDate(2024, 12, 25), 100, {0, 0, 0, 1, 0}},
        {"fourteen nights", 1, QDate(2024, 8, 30), QDate(2024, 9, 13), 11 * 80 + 3 * 70, {11, 3, 0, 0, 0}},
        {"entirely outside every season", 1, QDate(2024, 1, 5), QDate(2024, 1, 8), 0, {0, 0, 0, 0, 3}},
        {"no season price at all", 3, QDate(2024, 6, 5), QDate(2024, 6, 8), 0, {0, 0, 0, 0, 0}},
        {"a night whose price resolves to 0", 4, QDate(2024, 10, 30), QDate(2024, 11, 2), 0, {0, 2, 0, 0, 1}},
        {"departure before arrival", 1, QDate(2024, 6, 8), QDate(2024, 6, 5), 0, {0, 0, 0, 0, 0}},
    };
    for (const Fall& f : faelle) {
        clsSaisonpreis s(db(), dialogs_);
        EXPECT_DOUBLE_EQ(s.Saisonpreis_Ausrechnen(f.zimmer, f.von, f.bis, false), f.summe) << f.was;
        EXPECT_EQ(naechte(s), f.naechte) << f.was;
        double summe = 0;
        for (const SaisonAnteil& a : s.aufteilung()) {
            EXPECT_DOUBLE_EQ(a.betrag, a.naechte * a.preis) << f.was;
            summe += a.betrag;
        }
        if (f.summe != 0) {
            EXPECT_DOUBLE_EQ(summe, f.summe) << f.was;
        }
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "no messages were wanted";
}

TEST_F(clsSaisonpreisTest, TheMessageListsEachSeasonOrTheMissingData) {
    clsSaisonpreis s(db(), dialogs_);
    s.Saisonpreis_Ausrechnen(1, QDate(2024, 10, 31), QDate(2024, 11, 3), true);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Folgende Saisonzeiten und Preise wurden gefunden:\n"
                                                   "1 Nacht Zwischensaison, Preis: 70,00 pro Nacht\n"
                                                   "2 Nächte ohne Saison, Standardpreis: 50,00 pro Nacht"));
    const std::array<SaisonAnteil, 5>& a = s.aufteilung();
    EXPECT_EQ(std::tuple(a[1].name, a[4].name, a[4].preis, a[4].betrag), std::tuple(u"Zwischensaison"_s, u"Ohne Saison"_s, 50.0, 100.0));

    s.Saisonpreis_Ausrechnen(1, QDate(2024, 6, 1), QDate(2024, 6, 3), true);
    EXPECT_EQ(dialogs_.last().text, u"Folgende Saisonzeiten und Preise wurden gefunden:\n2 Nächte Hauptsaison, Preis: 80,00 pro Nacht"_s);

    for (int zimmer : {1, 3, 4}) {
        dialogs_.clear();
        const QDate von = zimmer == 1 ? QDate(2024, 1, 5) : QDate(2024, 10, 30);
        EXPECT_EQ(s.Saisonpreis_Ausrechnen(zimmer, von, von.addDays(3), true), 0.0);
        ASSERT_EQ(dialogs_.shown().size(), 1);
        EXPECT_EQ(dialogs_.last().text, kZuWenig) << zimmer;
    }
}

TEST_F(clsSaisonpreisTest, SeasonOfADayAndRoomPriceForASeason) {
    clsSaisonpreis s(db(), dialogs_);
    struct Tag {
        QDate d;
        QString saison;
    } tage[] = {{QDate(2024, 2, 29), {}},
                {QDate(2024, 3, 1), u"Nebensaison"_s},
                {QDate(2024, 5, 31), u"Nebensaison"_s},
                {QDate(2024, 6, 1), u"Hauptsaison"_s},
                {QDate(2024, 9, 10), u"Zwischensaison"_s},
                {QDate(2024, 11, 1), {}},
                {QDate(2024, 12, 26), u"Sondersaison"_s}};
    for (const Tag& t : tage) EXPECT_EQ(s.SaisonVonTag(t.d), t.saison) << qPrintable(t.d.toString());

    struct Preis {
        int zimmer;
        QString saison;
        double preis;
    } preise[] = {{1, u"Hauptsaison"_s, 80},   {1, {}, 50}, {2, u"Nebensaison"_s, 50},
                  {4, u"Zwischensaison"_s, 0}, {4, {}, 0},  {9, u"Hauptsaison"_s, 0},
                  {1, u"Unbekannt"_s, 50}};
    for (const Preis& p : preise) EXPECT_DOUBLE_EQ(s.ZimmerpreisFürSaison(p.zimmer, p.saison), p.preis) << p.zimmer;
    EXPECT_TRUE(s.OhneSaisonpreise(3));
    EXPECT_FALSE(s.OhneSaisonpreise(2));
    EXPECT_FALSE(s.OhneSaisonpreise(9)) << "an unknown room is not a room without season prices";
}

TEST_F(clsSaisonpreisTest, TheSeasonalPriceButtonSwitchesBetweenSeasonAndTariff) {
    clsSaisonpreis s(db(), dialogs_);
    PreisBoxen boxen{u"55,00"_s, u"165,00"_s, false};
    EXPECT_FALSE(s.cmdSaisonpreis(boxen, 0, u"30.05.2024"_s, u"02.06.2024"_s)) << "no room";
    EXPECT_FALSE(s.cmdSaisonpreis(boxen, 1, u"30.05.2024"_s, u"31.02.2024"_s)) << "no valid date";
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    ASSERT_TRUE(s.cmdSaisonpreis(boxen, 1, u"30.05.2024"_s, u"02.06.2024"_s));
    EXPECT_EQ(std::tuple(boxen.tarif, boxen.gesamt, boxen.saisonpreis, dialogs_.shown().size()),
              std::tuple(QString(), u"200,00"_s, true, 1));
    EXPECT_TRUE(s.istSaisonpreis(1, u"30.05.2024"_s, u"02.06.2024"_s, boxen.gesamt));
    EXPECT_FALSE(s.istSaisonpreis(1, u"30.05.2024"_s, u"02.06.2024"_s, u"199,00"_s));

    ASSERT_TRUE(s.cmdSaisonpreis(boxen, 1, u"30.05.2024"_s, u"02.06.2024"_s));
    EXPECT_EQ(std::tuple(boxen.tarif, boxen.gesamt, boxen.saisonpreis), std::tuple(u"50,00"_s, u"150,00"_s, false));

    boxen.saisonpreis = true;
    s.cmdSaisonpreis(boxen, 0, {}, {});
    EXPECT_EQ(QStringList({boxen.tarif, boxen.gesamt}), QStringList({"0,00", "0,00"}));

    // Master data missing: the boxes stay as they were.
    dialogs_.clear();
    PreisBoxen unveraendert{u"45,00"_s, u"135,00"_s, false};
    EXPECT_FALSE(s.cmdSaisonpreis(unveraendert, 3, u"05.06.2024"_s, u"08.06.2024"_s));
    EXPECT_EQ(unveraendert.gesamt, u"135,00"_s);
    EXPECT_EQ(dialogs_.last().text, kZuWenig);
}

TEST_F(clsSaisonpreisTest, TheTariffListKeepsFormattedAmountsInNumericOrder) {
    Tarifliste t(db(), dialogs_);
    for (const char* wert : {"80", "1.250,5", "9,5", "80,00", "", ","}) t.enter(QString::fromUtf8(wert));
    EXPECT_EQ(t.fuellen(), QStringList({u"9,50"_s, u"80,00"_s, u"1.250,50"_s}))
        << "sorted by value, not by text; 80 and 80,00 are one entry";

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(t.entfernen(u"80,00"_s));
    EXPECT_EQ(dialogs_.last().text, u"Soll dieser Eintrag aus der Liste entfernt werden?"_s);
    EXPECT_EQ(dialogs_.last().caption, u"Listeneinträge löschen"_s);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(t.entfernen(u"80"_s));
    EXPECT_EQ(t.fuellen().size(), 2);
    dialogs_.clear();
    EXPECT_FALSE(t.entfernen(u"77,00"_s));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "a value that is not listed is not asked about";

    struct Taste {
        QChar c;
        QString text;
        bool erlaubt;
    } tasten[] = {{QChar(u'7'), {}, true},       {QChar(u','), u"12"_s, true}, {QChar(u','), u"1,2"_s, false},
                  {QChar(0x08), u"1,2"_s, true}, {QChar(u'.'), {}, false},     {QChar(u'a'), {}, false}};
    for (const Taste& k : tasten) EXPECT_EQ(Tarifliste::tasteErlaubt(k.c, k.text), k.erlaubt) << int(k.c.unicode());
    EXPECT_EQ(Tarifliste::verlassen({}), u"0,00"_s);
    EXPECT_EQ(Tarifliste::verlassen(u"12,5"_s), u"12,5"_s);
}

TEST_F(clsSaisonpreisTest, TheRoomPriceEditorStoresNullForAnEmptyBox) {
    SaisonpreiseLogik p(db(), dialogs_);
    EXPECT_EQ(p.zimmer().size(), 4);
    EXPECT_EQ(p.zimmer()[1].label, u"102"_s);
    ASSERT_TRUE(p.laden(2));
    EXPECT_EQ(std::tuple(p.text(SaisonpreiseLogik::Haupt), p.text(SaisonpreiseLogik::Neben), p.standardpreis()),
              std::tuple(u"90,00"_s, QString(), 50.0));

    p.setText(SaisonpreiseLogik::Neben, u"1.234,5"_s);
    p.setText(SaisonpreiseLogik::Haupt, {});
    EXPECT_TRUE(p.geaendert());
    ASSERT_TRUE(p.speichern());
    EXPECT_TRUE(db().scalar(u"SELECT PreisHauptsaison FROM tbZimmernummern WHERE Zimmernummer = 2"_s).isNull());
    EXPECT_DOUBLE_EQ(db().scalar(u"SELECT PreisNebensaison FROM tbZimmernummern WHERE Zimmernummer = 2"_s).toDouble(), 1234.5);
    EXPECT_EQ(p.text(SaisonpreiseLogik::Neben), u"1.234,50"_s);
    clsSaisonpreis s(db(), dialogs_);
    EXPECT_DOUBLE_EQ(s.ZimmerpreisFürSaison(2, u"Hauptsaison"_s), 50) << "an emptied price falls back to the default";

    p.setText(SaisonpreiseLogik::Sonder, u"12,,5"_s);
    EXPECT_FALSE(p.pruefen(SaisonpreiseLogik::Sonder));
    EXPECT_EQ(dialogs_.last().text, u"Bitte überprüfen Sie die Eingabe"_s);
    EXPECT_FALSE(p.speichern());

    // Leaving with changes: Cancel stays, No drops them, Yes saves.
    dialogs_.clear();
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(p.schliessen());
    EXPECT_EQ(dialogs_.last().text, u"Änderungen oder neue Daten speichern?"_s);
    dialogs_.answer(Answer::No);
    EXPECT_TRUE(p.laden(1));
    EXPECT_EQ(p.text(SaisonpreiseLogik::Sonder), u"100,00"_s);
    p.setText(SaisonpreiseLogik::Sonder, u"110"_s);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(p.schliessen());
    EXPECT_DOUBLE_EQ(db().scalar(u"SELECT PreisSondersaison FROM tbZimmernummern WHERE Zimmernummer = 1"_s).toDouble(), 110);
}
