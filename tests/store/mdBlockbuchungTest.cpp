#include <gtest/gtest.h>

#include "engine/Database.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "store/mdBlockbuchung.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class mdBlockbuchungTest : public test::DatabaseFixture {
protected:
    static QDate tag(int day, int month = 3) { return QDate(2024, month, day); }

    void SetUp() override {
        DatabaseFixture::SetUp();
        const QStringList arten = {QStringLiteral("Frei"), QStringLiteral("Einzel"), QStringLiteral("Doppel"), QStringLiteral("Tresen"),
                                   QStringLiteral("Angebot")};
        for (int i = 0; i < arten.size(); ++i)
            db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"), {i, arten[i]});
    }
    int buchung(int zimmer, const QDate& von, const QDate& bis, const QString& kuerzel) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, Gelöscht, Belegungsart) VALUES (?, ?, ?, ?, "
                                    "False, 1)"),
                     {zimmer, von, bis, kuerzel});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    void inBlock(int block, int id) {
        db().execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung) VALUES (?, ?)"), {block, id});
    }
    int zeilen(const QString& where) { return db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ") + where).toInt(); }

    // Kind 4 is "Angebot"; 0 is "Frei".
    int angebot(int zimmer, const QDate& von, const QString& kuerzel) {
        const int id = buchung(zimmer, von, von.addDays(2), kuerzel);
        db().execute(QStringLiteral("UPDATE tblBelegung SET Belegungsart = 4 WHERE ID = ?"), {id});
        return id;
    }
    bool wartend(int id) { return db().scalar(QStringLiteral("SELECT Gelöscht FROM tblBelegung WHERE ID = ?"), {id}).toInt() != 0; }
    bool da(int id) { return zeilen(QStringLiteral("ID = ") + QString::number(id)) == 1; }

    ScriptedDialogs dialogs_;
};

TEST_F(mdBlockbuchungTest, TheHandOverRowIsMadeWhenMissingAndKeepsItsOtherFields) {
    EXPECT_EQ(mdBlockbuchung::uebergabeLesen(db()), 0);
    mdBlockbuchung::uebergabeSchreiben(db(), 42);
    EXPECT_EQ(mdBlockbuchung::uebergabeLesen(db()), 42);
    Parameter(db()).write(QStringLiteral("BlockBuchung"), {{2, QStringLiteral("7")}});
    mdBlockbuchung::uebergabeSchreiben(db(), 43);
    EXPECT_EQ(mdBlockbuchung::uebergabeLesen(db()), 43);
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("BlockBuchung"))->text(2), QStringLiteral("7"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblParameter WHERE Satz = 'BlockBuchung'")).toInt(), 1);
}

TEST_F(mdBlockbuchungTest, BlockNumberAndMembers) {
    const int a = buchung(1, tag(5), tag(7), QStringLiteral("A"));
    const int b = buchung(2, tag(5), tag(7), QStringLiteral("B"));
    const int c = buchung(3, tag(5), tag(7), QStringLiteral("C"));
    inBlock(3, a);
    inBlock(3, b);
    db().execute(QStringLiteral("UPDATE tbBlockbuchung SET Master = True WHERE IDBelegung = ?"), {b});
    EXPECT_EQ(mdBlockbuchung::BlocknummerDerBelegung(db(), a), 3);
    EXPECT_EQ(mdBlockbuchung::BlocknummerDerBelegung(db(), c), 0);
    EXPECT_EQ(mdBlockbuchung::mitglieder(db(), 3), (QList<int>{b, a})) << "the leading booking first";
    EXPECT_EQ(mdBlockbuchung::buchungenMitBlock(db(), a), (QList<int>{b, a}));
    EXPECT_EQ(mdBlockbuchung::buchungenMitBlock(db(), c), (QList<int>{c}));
}

TEST_F(mdBlockbuchungTest, StaleOffersByTheirDayAndBlock) {
    // Today is 01.03.2024.
    const int gestern = angebot(1, tag(29, 2), QStringLiteral("Gestern"));
    const int heute = angebot(2, tag(1), QStringLiteral("Heute"));
    const int morgen = angebot(3, tag(2), QStringLiteral("Morgen"));
    const int blockHeute = angebot(4, tag(1), QStringLiteral("Block heute"));
    const int blockMorgen = angebot(5, tag(2), QStringLiteral("Block morgen"));
    const int keinAngebot = buchung(6, tag(1), tag(3), QStringLiteral("Gast"));
    inBlock(1, blockHeute);
    inBlock(1, blockMorgen);

    const QString frei = QStringLiteral(
        "Es gibt noch Angebote, deren Anfangsdatum vor dem 02.03.2024 beginnen. Wählen Sie 'Ja', wenn diese Angebote in die "
        "Warteposition geschoben werden sollen, wählen Sie 'Nein', wenn die Angebote per Hand bearbeitet werden sollen.");
    const QString block = QStringLiteral(
        "Es gibt noch Angebote, deren Anfangsdatum vor dem 02.03.2024 beginnen und zu einer Blockbuchung gehören. Wählen Sie 'Ja', "
        "wenn diese Angebote endgültig gelöscht werden sollen, wählen Sie 'Nein', wenn die Angebote per Hand bearbeitet werden sollen.");
    const QString achtung =
        QStringLiteral("Achtung. Dieser Vorgang löscht 1 Angebote, die zu einer Blockbuchung gehören. Möchten Sie fortfahren?");

    struct Fall {
        const char* warum;
        QList<Answer> antworten;
        QStringList texte;
        bool geparkt;
        bool geloescht;
    };
    const QList<Fall> faelle = {
        {"No to both keeps everything", {Answer::No, Answer::No}, {frei, block}, false, false},
        {"Cancel at the second question keeps the block's offer",
         {Answer::No, Answer::Yes, Answer::Cancel},
         {frei, block, achtung},
         false,
         false},
        {"Yes, Yes, OK", {Answer::Yes, Answer::Yes, Answer::Ok}, {frei, block, achtung}, true, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        for (Answer a : f.antworten) dialogs_.answer(a);
        const auto r = mdBlockbuchung::Angebotskonflikte(db(), dialogs_, tag(1));
        EXPECT_EQ(dialogs_.texts(), f.texte);
        EXPECT_EQ(dialogs_.shown().first().caption, QStringLiteral("Angebotskonflikte"));
        EXPECT_EQ(dialogs_.shown()[1].icon, Icon::Critical);
        EXPECT_EQ(r.ohneBlock, 2);
        EXPECT_EQ(r.imBlock, 1);
        EXPECT_EQ(wartend(gestern), f.geparkt);
        EXPECT_EQ(wartend(heute), f.geparkt);
        EXPECT_FALSE(wartend(morgen)) << "an offer starting tomorrow is not touched";
        EXPECT_EQ(da(blockHeute), !f.geloescht);
        EXPECT_EQ(mdBlockbuchung::BlocknummerDerBelegung(db(), blockHeute), f.geloescht ? 0 : 1) << "its membership goes with it";
        EXPECT_TRUE(da(blockMorgen));
        EXPECT_FALSE(wartend(blockHeute)) << "a block's offer is never parked";
        EXPECT_FALSE(wartend(keinAngebot));
        dialogs_.clear();
    }
    // Once handled, nothing is asked any more.
    const auto r = mdBlockbuchung::Angebotskonflikte(db(), dialogs_, tag(1));
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(r.ohneBlock + r.imBlock, 0);
}
