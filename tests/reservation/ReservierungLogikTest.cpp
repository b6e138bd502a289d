#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "reservation/FormularTestSupport.h"
#include "support/QtPrinters.h"

using namespace tav;
using namespace Qt::StringLiterals;

class ReservierungLogikTest : public test::FormularFixture {
protected:
    // The form over a new booking of the given room and nights.
    std::unique_ptr<ReservierungLogik> neu(int von, int bis, int zimmer, int art = -1, int adresse = 0) {
        auto form = formular();
        form->neueBuchung(tag(von), tag(bis), zimmer, art, adresse);
        return form;
    }
    // The form over a stored booking.
    std::unique_ptr<ReservierungLogik> geladen(int id) {
        auto form = formular();
        EXPECT_TRUE(form->laden(id)) << id;
        return form;
    }
};

namespace {
const QString kReservierungSpeichern = u"Änderungen der Reservierung speichern?"_s;
const QString kAdresseSpeichern = u"Änderungen der Adresse speichern?"_s;
const QString kAbschneiden = u"Die Datenmenge dieses Feldes ist zu groß. Soll die Information abgeschnitten werden?"_s;
}  // namespace

TEST_F(ReservierungLogikTest, NewBookingStartsFromTheHandOver) {
    struct Fall {
        const char* warum;
        QDate anreise, abreise;
        int zimmer, art;
        QString von, bis, zimmerLabel, gaeste, tarif, preis, naechte, artName;
        QDate abreiseDanach;
    } faelle[] = {
        {"room with its guests and price", tag(10), tag(12), 3, -1, t(10), t(12), "103", "3", "95,00", "190,00", "2", "Einzel", tag(12)},
        {"a single night pressed and released", tag(10), tag(10), 1, -1, t(10), t(11), "101", "2", "80,00", "80,00", "1", "Einzel",
         tag(11)},
        {"no room: today and tomorrow", tag(1), tag(2), 0, -1, t(1), t(2), "", "1", "", "0,00", "1", "Einzel", tag(2)},
        {"the placeholder date leaves the boxes empty", QDate(1900, 1, 1), QDate(1900, 1, 1), 2, -1, "", "", "102", "2", "80,00", "0,00",
         "", "Einzel", QDate(1900, 1, 1)},
        {"the waiting row's room is no room", tag(5), tag(6), 10, -1, t(5), t(6), "", "1", "", "0,00", "1", "Einzel", tag(6)},
        {"the legend's kind", tag(5), tag(7), 1, 4, t(5), t(7), "101", "2", "80,00", "160,00", "2", "Angebot", tag(7)},
        {"a kind named like a number sets the guests", tag(5), tag(7), 3, 3, t(5), t(7), "103", "2", "95,00", "190,00", "2", "zwei",
         tag(7)},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        auto form = formular();
        Uebergabe u;
        u.neueBuchung = true;
        u.anreise = f.anreise;
        u.abreise = f.abreise;
        u.zimmerNummer = f.zimmer;
        u.belegungsart = f.art;
        ASSERT_TRUE(form->starten(u));
        const ReservierungsFelder& r = form->felder();
        EXPECT_EQ(QStringList({r.von, r.bis, r.zimmer, r.gaeste, r.tarif, r.preis, r.naechte, r.artName, r.checkDatum}),
                  QStringList({f.von, f.bis, f.zimmerLabel, f.gaeste, f.tarif, f.preis, f.naechte, f.artName, f.von}));
        EXPECT_EQ(u.abreise, f.abreiseDanach) << "the hand-over follows the form";
        EXPECT_TRUE(r.istNeu() && !form->hatAenderungen() && r.geaendert == u"Nein"_s);
        // The linen row presets the linen days and breakfast.
        EXPECT_EQ(QStringList({r.erstelltAm, r.waesche1, r.waesche2}), QStringList({t(1), u"7"_s, u"3"_s}));
        EXPECT_TRUE(r.fruehstueck && !r.mittag);
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(u" | "_s));
}

TEST_F(ReservierungLogikTest, StoredBookingLoadsWithItsAddressesAndIsRemembered) {
    const int id = buchung(2, tag(10), tag(13), u"Meier"_s);
    db().execute(u"UPDATE tblBelegung SET IDAdressRechnung = 2, Checked = True, Zahlart = 'Bar' WHERE ID = ?"_s, {id});
    auto form = formular();
    Uebergabe u;
    u.buchungId = id;
    ASSERT_TRUE(form->starten(u));
    // What the stored row shows is BelegungTest's; the form adds the addresses and the payment method.
    const ReservierungsFelder& f = form->felder();
    EXPECT_EQ(f.id, id);
    EXPECT_EQ(QStringList({f.zahlart, f.gastName, form->adresse().felder().ort}), QStringList({"Bar", "Meier", "Ulm"}));
    EXPECT_EQ(form->adresse().rechnungsadresseId(), 2);
    EXPECT_FALSE(f.warnung) << "its own dates do not collide with itself";
    EXPECT_FALSE(form->hatAenderungen());

    Uebergabe weg;
    weg.buchungId = id + 100;
    EXPECT_FALSE(formular()->starten(weg)) << "a booking that is gone unloads the form";
}

TEST_F(ReservierungLogikTest, WaitingRowBrowsesTheWaitingBookingsOfTheDay) {
    const int a = buchung(1, tag(7), tag(9), u"Anton"_s, true);
    const int b = buchung(2, tag(8), tag(10), u"Berta"_s, true);
    const int c = buchung(3, tag(6), tag(11), u"Cäsar"_s, true);
    auto form = formular();
    Uebergabe u;
    u.buchungId = b;
    u.warteTag = tag(8);
    u.warteBuchungen = {a, b, c};
    ASSERT_TRUE(form->starten(u));
    EXPECT_TRUE(form->imBlaettern());
    EXPECT_EQ(form->warteTitel(), u"Warteposition für den 08.03.2024 (3 vorläufige Reservierungen)"_s);
    EXPECT_EQ(form->felder().kuerzel, u"Berta"_s) << "the booking under the mouse is shown first";
    EXPECT_EQ(form->angezeigteGroesse(), Groesse::Gross);

    struct Schritt {
        Blaettern richtung;
        QString kuerzel;
        bool erster, letzter;  // can go back / on afterwards
    } schritte[] = {{Blaettern::Naechster, "Cäsar", true, false},
                    {Blaettern::Erster, "Anton", false, true},
                    {Blaettern::Letzter, "Cäsar", true, false},
                    {Blaettern::Voriger, "Berta", true, true}};
    for (const Schritt& s : schritte) {
        EXPECT_TRUE(form->blaettern(s.richtung)) << qPrintable(s.kuerzel);
        EXPECT_EQ(form->felder().kuerzel, s.kuerzel);
        EXPECT_EQ(form->kannBlaettern(Blaettern::Voriger), s.erster) << qPrintable(s.kuerzel);
        EXPECT_EQ(form->kannBlaettern(Blaettern::Naechster), s.letzter) << qPrintable(s.kuerzel);
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "nothing changed, nothing asked";

    // Unsaved changes: Cancel stays on the booking, No goes on without saving.
    form->felder().info = u"Spät"_s;
    form->geaendert();
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(form->blaettern(Blaettern::Naechster));
    EXPECT_EQ(form->felder().kuerzel, u"Berta"_s);
    dialogs_.answer(Answer::No);
    EXPECT_TRUE(form->blaettern(Blaettern::Naechster));
    EXPECT_EQ(dialogs_.texts(), QStringList({kReservierungSpeichern, kReservierungSpeichern}));
    EXPECT_TRUE(wert(u"Info"_s, b).isNull());

    // A waiting booking deleted on another workstation is left out, and the count follows.
    db().execute(u"DELETE * FROM tblBelegung WHERE ID = ?"_s, {b});
    EXPECT_TRUE(form->blaettern(Blaettern::Erster));
    EXPECT_TRUE(form->blaettern(Blaettern::Naechster));
    EXPECT_EQ(form->felder().kuerzel, u"Cäsar"_s);
    EXPECT_EQ(form->warteTitel(), u"Warteposition für den 08.03.2024 (2 vorläufige Reservierungen)"_s);
    EXPECT_FALSE(form->kannBlaettern(Blaettern::Letzter));
}

TEST_F(ReservierungLogikTest, PlusAndMinusMoveADateAndRecomputeTheTotal) {
    struct Fall {
        const char* warum;
        bool von;
        QChar taste;
        QString tarif, vonDanach, bisDanach, preisDanach, naechteDanach;
    } faelle[] = {
        {"+ in the arrival", true, '+', "80,00", t(11), t(13), "160,00", "2"},
        {"- in the arrival", true, '-', "80,00", t(9), t(13), "320,00", "4"},
        {"+ in the departure", false, '+', "80,00", t(10), t(14), "320,00", "4"},
        {"- in the departure", false, '-', "80,00", t(10), t(12), "160,00", "2"},
        {"without a tariff the total is a flat price and stays", true, '+', "", t(11), t(13), "250,00", "2"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        auto form = neu(10, 13, 1);
        ReservierungsFelder& r = form->felder();
        r.tarif = f.tarif;
        r.preis = u"250,00"_s;
        EXPECT_TRUE(form->datumTaste(f.von, f.taste));
        EXPECT_EQ(QStringList({r.von, r.bis, r.preis, r.naechte, r.geaendert}),
                  QStringList({f.vonDanach, f.bisDanach, f.preisDanach, f.naechteDanach, "Ja"}));
    }

    auto form = neu(10, 13, 1);
    form->felder().von = u"31.04.2024"_s;
    EXPECT_TRUE(form->datumTaste(true, '+')) << "the key is taken";
    EXPECT_EQ(form->felder().von, u"31.04.2024"_s) << "an invalid date does not move";
    EXPECT_FALSE(form->datumTaste(true, '5')) << "other keys are typed as they are";

    // Moving the arrival onto the departure is said at once, and the warning is off.
    form->felder().von = t(12);
    form->datumTaste(true, '+');
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Das Anfangs- und Enddatum sind gleich. Bitte korrigiren Sie die Eingaben."_s});
}

TEST_F(ReservierungLogikTest, LiveWarningFollowsTheTypedRange) {
    buchung(1, tag(10), tag(12), u"alt"_s);
    auto form = neu(8, 10, 1);
    // Leaving on the arrival day of the next guest is free; no room, no warning.
    QList<bool> warnung = {form->felder().warnung};
    form->datumTaste(false, '+');
    warnung << form->felder().warnung;
    for (const QString& zimmer : {u"102"_s, u"101"_s, QString()}) {
        form->zimmerGewaehlt(zimmer);
        warnung << form->felder().warnung;
    }
    EXPECT_EQ(warnung, QList<bool>({false, true, false, true, false}));
}

TEST_F(ReservierungLogikTest, RemarkOfThreeHundredCharactersIsCutOnlyAfterYes) {
    auto form = neu(10, 12, 1);
    form->adresse().laden(1);
    ReservierungsFelder& f = form->felder();
    f.gastName = u"Meier"_s;
    f.kuerzel = u"Lang"_s;
    const QString lang = QString(290, QLatin1Char('x')) + u"0123456789"_s;
    f.info = lang;

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(form->infoVerlassen());
    EXPECT_EQ(f.info, lang);
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(form->speichern()) << "the save asks again and stops on No";
    EXPECT_EQ(zeilen(), 0);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(form->infoVerlassen());
    ASSERT_EQ(f.info, lang.left(250));
    EXPECT_TRUE(form->infoVerlassen()) << "250 characters are not asked about";
    EXPECT_EQ(dialogs_.texts(), QStringList({kAbschneiden, kAbschneiden, kAbschneiden}));
    EXPECT_EQ(dialogs_.shown().first().buttons, Buttons::YesNo);

    dialogs_.clear();
    EXPECT_TRUE(form->speichern()) << qPrintable(dialogs_.texts().join(u" | "_s));
    EXPECT_EQ(wert(u"Info"_s, f.id).toString(), f.info);
}

TEST_F(ReservierungLogikTest, ShortNameOfAnotherBookingIsMarkedButNotItsOwn) {
    const int eigene = buchung(1, tag(10), tag(12), u"Meier"_s);
    buchung(2, tag(10), tag(12), u"Huber"_s);
    auto form = geladen(eigene);
    EXPECT_EQ(form->kuerzelFarbe(), KuerzelFarbe::Normal) << "nothing typed yet";

    struct Fall {
        QString kuerzel;
        KuerzelFarbe farbe;
    } faelle[] = {{"Meier", KuerzelFarbe::Gruen}, {"huber", KuerzelFarbe::Warnung}, {"Huber ", KuerzelFarbe::Warnung},
                  {"Hube", KuerzelFarbe::Gruen},  {"Huber'", KuerzelFarbe::Gruen},  // a quote is compared, never run
                  {"", KuerzelFarbe::Normal}};
    for (const Fall& f : faelle) {
        form->felder().kuerzel = f.kuerzel;
        form->kuerzelGeaendert();
        EXPECT_EQ(form->kuerzelFarbe(), f.farbe) << qPrintable(f.kuerzel);
    }
    form->felder().kuerzel = u"Huber"_s;
    form->kuerzelGeaendert();
    EXPECT_FALSE(form->speichern());
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Bitte geben Sie eine eindeutige Kurzinfo ein."_s});

    // A new booking: every stored short name counts.
    auto fremd = neu(20, 22, 3);
    fremd->felder().kuerzel = u"Meier"_s;
    fremd->kuerzelGeaendert();
    EXPECT_EQ(fremd->kuerzelFarbe(), KuerzelFarbe::Warnung);
}

TEST_F(ReservierungLogikTest, NumberAndDateBoxesRefuseWhatTheyCannotStore) {
    struct Fall {
        ZahlFeld feld;
        QString text;
        QString titel;  // empty: accepted
    } faelle[] = {{ZahlFeld::Gaeste, "", "Anzahl der Gäste"},
                  {ZahlFeld::Gaeste, "0", "Anzahl der Gäste"},
                  {ZahlFeld::Gaeste, "00", "Anzahl der Gäste"},
                  {ZahlFeld::Gaeste, "4", ""},
                  {ZahlFeld::Waesche1, "0", "Wäsche"},
                  {ZahlFeld::Waesche2, "", "Wäsche"},
                  {ZahlFeld::Waesche2, "14", ""}};
    auto form = neu(10, 12, 1);
    for (const Fall& f : faelle) {
        dialogs_.clear();
        ReservierungsFelder& r = form->felder();
        (f.feld == ZahlFeld::Gaeste ? r.gaeste : f.feld == ZahlFeld::Waesche1 ? r.waesche1 : r.waesche2) = f.text;
        EXPECT_EQ(form->zahlVerlassen(f.feld), f.titel.isEmpty()) << qPrintable(f.text);
        if (f.titel.isEmpty()) {
            EXPECT_TRUE(dialogs_.shown().isEmpty());
        } else {
            ASSERT_EQ(dialogs_.shown().size(), 1);
            EXPECT_EQ(dialogs_.last().text, u"Dieses Feld darf nicht leer bzw. '0' sein."_s);
            EXPECT_EQ(dialogs_.last().caption, f.titel);
        }
    }

    struct Datum {
        QString text, danach;
        bool ok;
    } daten[] = {{"13.1.24", "13.01.2024", true}, {"", "", true}, {"31.04.2024", "31.04.2024", false}, {"1.13.24", "1.13.24", false}};
    for (const Datum& d : daten) {
        dialogs_.clear();
        form->felder().von = d.text;
        EXPECT_EQ(form->datumVerlassen(true), d.ok) << qPrintable(d.text);
        EXPECT_EQ(form->felder().von, d.danach);
        form->felder().erstelltAm = d.text;
        EXPECT_EQ(form->resDatumVerlassen(), d.ok) << qPrintable(d.text);
        EXPECT_EQ(dialogs_.texts(),
                  d.ok ? QStringList() : QStringList({u"Bitte überprüfen Sie das Datum"_s, u"Bitte überprüfen Sie das Datum"_s}));
    }
}

TEST_F(ReservierungLogikTest, KindRelabelsTheDocumentButtonsAndRoomFillsGuestsAndTariff) {
    auto form = neu(10, 12, 1);
    EXPECT_EQ(form->rechnungBeschriftung(), u"Bestätigung/ &Rechnung"_s);
    form->artGewaehlt(int(form->artNamen().indexOf(u"Angebot"_s)));
    EXPECT_TRUE(form->istAngebot());
    EXPECT_EQ(form->felder().artIndex + 1, 4) << "the list position + 1 is the kind's number";

    // The room fills guests, tariff and total; a room without price leaves the total as a flat
    // price; a fixed price stays; a stored booking keeps its guests.
    ReservierungsFelder& f = form->felder();
    const auto zimmer = [&](const char* z) {
        form->zimmerGewaehlt(QString::fromUtf8(z));
        return QStringList({f.gaeste, f.tarif, f.preis});
    };
    EXPECT_EQ(zimmer("103"), QStringList({"3", "95,00", "190,00"}));
    EXPECT_EQ(zimmer("109"), QStringList({"2", "0,00", "190,00"}));
    form->fixGeaendert(true);
    EXPECT_EQ(zimmer("102"), QStringList({"2", "0,00", "190,00"}));
    ASSERT_TRUE(form->laden(buchung(1, tag(20), tag(23), u"Stamm"_s)));
    f.gaeste = u"1"_s;
    EXPECT_EQ(zimmer("103"), QStringList({"1", "95,00", "285,00"}));
}

TEST_F(ReservierungLogikTest, RoomBoxListsAllOrTheFreeRoomsButNeverTheWaitingRow) {
    const int eigene = buchung(1, tag(10), tag(12), u"Eigen"_s);
    buchung(2, tag(11), tag(14), u"Zwei"_s);
    buchung(3, tag(12), tag(14), u"Drei"_s);
    buchung(4, tag(9), tag(12), u"Vier"_s, true);
    auto form = geladen(eigene);
    const QStringList alle = {"101", "102", "103", "104", "105", "106", "107", "108", "109"};
    EXPECT_EQ(form->zimmerLabels(), alle);
    form->setFreieZimmer(true);
    EXPECT_EQ(form->zimmerLabels(), QStringList({"101", "103", "104", "105", "106", "107", "108", "109"}))
        << "its own room stays, 103 is free until the 12th, a waiting booking blocks nothing";
    form->felder().bis = t(13);
    form->datumGeaendert();
    EXPECT_EQ(form->zimmerLabels(), QStringList({"101", "104", "105", "106", "107", "108", "109"}));
    form->felder().bis = u"13.03."_s;
    EXPECT_EQ(form->zimmerLabels(), alle) << "no range yet: every room";

    EXPECT_FALSE(formular()->freieZimmer()) << "the default without the setting";
    Parameter(db()).saveYesNo(u"AlleFreien"_s, 1);
    EXPECT_TRUE(formular()->freieZimmer());
}

TEST_F(ReservierungLogikTest, DefaultsForTheNextOpeningAreAskedAndStored) {
    const QString frage = QStringLiteral(
        "Mit diesem Dialog können Sie einstellen, ob das Reservierungsformular beim Öffnen alle Zimmer anzeigt oder  ob alle freien "
        "Zimmer angezeigt werden sollen. Wählen Sie 'Nein' für alle Zimmer oder 'Ja' für alle freien Zimmer.");
    auto form = formular();
    struct Fall {
        Answer antwort;
        bool gespeichert;
        QVariant f1;
    } faelle[] = {{Answer::Cancel, false, QVariant()}, {Answer::Yes, true, "Ja"}, {Answer::No, true, "Nein"}};
    for (const Fall& f : faelle) {
        dialogs_.clear();
        dialogs_.answer(f.antwort);
        EXPECT_EQ(form->zimmerauswahlVorgabe(), f.gespeichert);
        EXPECT_EQ(dialogs_.last().text, frage);
        EXPECT_EQ(dialogs_.last().caption, u"Vorgabe beim Öffnen"_s);
        EXPECT_EQ(dialogs_.last().buttons, Buttons::YesNoCancel);
        EXPECT_EQ(db().scalar(u"SELECT F1 FROM tblParameter WHERE Satz = 'AlleFreien'"_s), f.f1);
    }

    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(form->stammkundenVorgabe());
    EXPECT_TRUE(Parameter(db()).readYesNo(u"Stammkunden"_s));
    form->adresse().cmdNeuAdress();
    EXPECT_TRUE(form->adresse().felder().stammkunde) << "a new address is a regular guest now";
    EXPECT_TRUE(formular()->einstellungen().stammkunden);
}

TEST_F(ReservierungLogikTest, SettingsAndTheSizeOfTheForm) {
    // An empty field or a missing row is what the program uses without it.
    const auto waesche = [this] {
        const FormularEinstellungen e = einstellungen();
        return std::tuple(e.waesche1Name, e.waesche2Name, e.waesche2Tage, e.fruehstueck, e.mittag, e.abendessen);
    };
    EXPECT_EQ(waesche(), std::tuple(u"Handtücher"_s, u"Bettwäsche"_s, u"3"_s, true, false, false));
    EXPECT_EQ(einstellungen().groesse, Groesse::Gross) << "no row: the large form";
    db().execute(u"UPDATE tblParameter SET F1 = Null, F5 = Null, F6 = '1' WHERE Satz = 'Wäsche'"_s);
    EXPECT_EQ(waesche(), std::tuple(u"Handtücher"_s, u"Bettwäsche"_s, u"3"_s, true, true, false));
    db().execute(u"DELETE * FROM tblParameter WHERE Satz = 'Wäsche'"_s);
    EXPECT_EQ(waesche(), std::tuple(u"Handtücher"_s, u"Bettwäsche"_s, u"3"_s, true, false, false));

    auto form = formular();
    form->setGroesse(Groesse::Klein);
    EXPECT_EQ(form->groesse(), Groesse::Klein);
    EXPECT_EQ(Parameter(*beispiel_).read(u"Res_Groesse"_s)->text(1), u"klein"_s) << "kept in the sample database";
    EXPECT_FALSE(Parameter(db()).read(u"Res_Groesse"_s));
    EXPECT_EQ(einstellungen().groesse, Groesse::Klein);

    // Without a sample database the main database keeps it.
    ReservierungLogik ohne(db(), nullptr, dialogs_, kollisionsDialog_, kollision_, einstellungen(), umgebung());
    ohne.setGroesse(Groesse::Klein);
    EXPECT_EQ(FormularEinstellungen::lesen(db(), nullptr).groesse, Groesse::Klein);
    ohne.setGroesse(Groesse::Gross);
    EXPECT_EQ(Parameter(db()).read(u"Res_Groesse"_s)->text(1), u"gross"_s);
}

TEST_F(ReservierungLogikTest, ClosingAsksForUnsavedBookingAndAddress) {
    const int id = buchung(1, tag(10), tag(12), u"Meier"_s);
    struct Fall {
        const char* warum;
        bool buchungGeaendert, adresseGeaendert;
        QList<Answer> antworten;
        bool schliessen;
        QStringList fragen;
        QString infoDanach;
    } faelle[] = {
        {"nothing changed", false, false, {}, true, {}, ""},
        {"cancel stays", true, false, {Answer::Cancel}, false, {kReservierungSpeichern}, ""},
        {"no drops the changes", true, false, {Answer::No}, true, {kReservierungSpeichern}, ""},
        {"yes saves", true, false, {Answer::Yes}, true, {kReservierungSpeichern}, "Spät"},
        {"no, then the address", true, true, {Answer::No, Answer::Cancel}, false, {kReservierungSpeichern, kAdresseSpeichern}, ""},
        {"only the address", false, true, {Answer::No}, true, {kAdresseSpeichern}, ""},
    };
    for (const Fall& f : faelle) {
        db().execute(u"UPDATE tblBelegung SET Info = Null WHERE ID = ?"_s, {id});
        dialogs_.clear();
        for (Answer a : f.antworten) dialogs_.answer(a);
        auto form = geladen(id);
        if (f.buchungGeaendert) {
            form->felder().info = u"Spät"_s;
            form->geaendert();
        }
        if (f.adresseGeaendert) form->adresse().setFeld(AdressFeld::Vorname, u"Karl"_s);
        EXPECT_EQ(form->aenderungenKlaeren(), f.schliessen) << f.warum;
        EXPECT_EQ(dialogs_.texts(), f.fragen) << f.warum;
        EXPECT_EQ(wert(u"Info"_s, id).toString(), f.infoDanach) << f.warum;
        EXPECT_TRUE(dialogs_.allAnswersUsed()) << f.warum;
    }
}

TEST_F(ReservierungLogikTest, FurtherGuestsNeedASavedBooking) {
    const QString frage = u"Die Änderungen müssen zunächst gespeichert werden. Jetzt speichern?"_s;
    auto form = neu(10, 12, 1, -1, 2);
    form->felder().kuerzel = u"Huber"_s;
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(form->weiterePersonenVorbereiten());
    EXPECT_EQ(zeilen(), 0);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(form->weiterePersonenVorbereiten());
    EXPECT_EQ(dialogs_.texts(), QStringList({frage, frage}));
    EXPECT_EQ(zeilen(u"GastID = 2 AND Kürzel = 'Huber'"_s), 1);
    dialogs_.clear();
    EXPECT_TRUE(form->weiterePersonenVorbereiten()) << "saved and unchanged: nothing to ask";
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

TEST_F(ReservierungLogikTest, AccountOverviewAndPaymentsNeedAnAddressOrASavedBooking) {
    auto form = neu(10, 12, 1);
    EXPECT_EQ(QList<int>({form->kontoAdresse(false), form->kontoAdresse(true)}), QList<int>({0, 0}));
    EXPECT_FALSE(form->zahlDetailsMoeglich());
    EXPECT_EQ(dialogs_.texts(),
              QStringList({u"Wählen Sie einen Eintrag im Feld 'Nachname'."_s, u"Wählen Sie einen Eintrag im Feld 'Rechnungsadresse'."_s,
                           u"Bitte speichern Sie zunächst die Daten."_s}));
    for (const auto& s : dialogs_.shown()) EXPECT_EQ(s.icon, Icon::Information);
    form->adresse().laden(2);
    form->adresse().setRechnungsadresse(1);
    EXPECT_EQ(QList<int>({form->kontoAdresse(false), form->kontoAdresse(true)}), QList<int>({2, 1}));
    EXPECT_EQ(form->bezahltText(), u"Nicht Bezahlt"_s);
}

TEST_F(ReservierungLogikTest, TariffAndSeasonalPrice) {
    db().execute(u"UPDATE tbZimmernummern SET PreisHauptsaison = 120 WHERE Zimmernummer = 1"_s);
    db().execute(u"INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES ('Hauptsaison', ?, ?)"_s, {tag(1), tag(1, 4)});
    auto form = neu(10, 12, 1);
    ReservierungsFelder& f = form->felder();
    form->saisonpreisKlick();
    EXPECT_TRUE(form->saisonpreis());
    EXPECT_EQ(QStringList({f.tarif, f.preis}), QStringList({"", "240,00"}));
    form->saisonpreisKlick();
    EXPECT_FALSE(form->saisonpreis());
    EXPECT_EQ(QStringList({f.tarif, f.preis}), QStringList({"80,00", "160,00"})) << "back to the room's price";

    f.tarif.clear();
    form->tarifVerlassen();
    EXPECT_EQ(QStringList({f.tarif, f.preis}), QStringList({"0,00", "0,00"}));
    f.tarif = u"77,5"_s;
    form->tarifVerlassen();
    EXPECT_EQ(QStringList({f.tarif, f.preis}), QStringList({"77,50", "155,00"}));
    f.preis = u"240"_s;
    form->preisVerlassen();
    EXPECT_EQ(f.preis, u"240,00"_s);
    EXPECT_TRUE(form->saisonpreis()) << "a total equal to the seasonal price shows the button green";
}

TEST_F(ReservierungLogikTest, PaymentMethodList) {
    auto form = formular();
    EXPECT_TRUE(form->zahlartEnter(u"Bar"_s));
    EXPECT_FALSE(form->zahlartEnter(u"bar"_s)) << "already listed";
    EXPECT_TRUE(form->zahlartEnter(u"EC-Karte"_s));
    EXPECT_EQ(form->zahlarten(), QStringList({u"Bar"_s, u"EC-Karte"_s}));
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(form->zahlartEntfernen(u"Bar"_s));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(form->zahlartEntfernen(u"Bar"_s));
    EXPECT_EQ(form->zahlarten(), QStringList{u"EC-Karte"_s});
    EXPECT_EQ(dialogs_.last().caption, u"Listeneinträge löschen"_s);
}

// With the free-rooms option a date change refreshes the room list: the booking's room is
// listed while it is free (the booking does not occupy it), leaves the list as soon as another
// booking occupies it in the new range, and a finished date change ("+", leaving the box)
// empties the room box instead of keeping the occupied room.
TEST_F(ReservierungLogikTest, FreeRoomListDropsTheRoomADateChangeOccupies) {
    const int eigene = buchung(1, tag(10), tag(12), u"Eigen"_s);
    buchung(1, tag(13), tag(15), u"Danach"_s);
    struct Fall {
        const char* warum;
        std::function<void(ReservierungLogik&)> aendern;
        bool frei;  // 101 free for the new range
        QString zimmerDanach;
    };
    const Fall faelle[] = {
        {"unchanged", [](ReservierungLogik&) {}, true, u"101"_s},
        {"'+' on the departure: still free up to the next arrival", [](ReservierungLogik& l) { l.datumTaste(false, QLatin1Char('+')); },
         true, u"101"_s},
        {"'+' twice: the next booking's night",
         [](ReservierungLogik& l) {
             l.datumTaste(false, QLatin1Char('+'));
             l.datumTaste(false, QLatin1Char('+'));
         },
         false, QString()},
        {"departure typed and the box left",
         [this](ReservierungLogik& l) {
             l.felder().bis = t(16);
             l.datumGeaendert();
             l.datumVerlassen(false);
         },
         false, QString()},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.warum);
        auto form = geladen(eigene);
        form->setFreieZimmer(true);
        ASSERT_TRUE(form->zimmerLabels().contains(u"101"_s)) << "its own booking does not occupy it";
        fall.aendern(*form);
        EXPECT_EQ(form->zimmerLabels().contains(u"101"_s), fall.frei);
        EXPECT_EQ(form->felder().zimmer, fall.zimmerDanach);
    }

    // With all rooms listed the room stays, and the live warning tells it is occupied.
    auto alle = geladen(eigene);
    alle->felder().bis = t(16);
    alle->datumGeaendert();
    alle->datumVerlassen(false);
    EXPECT_EQ(alle->felder().zimmer, u"101"_s);
    EXPECT_TRUE(alle->felder().warnung);
}

// The check date follows the stay until the user types in it: check in after the arrival was
// moved takes the new arrival (not the one of the opened form), check out the new departure.
TEST_F(ReservierungLogikTest, CheckDateFollowsTheStayUntilTyped) {
    struct Fall {
        const char* warum;
        bool eingecheckt;
        std::function<void(ReservierungLogik&)> aendern;
        QString von, bis, naechte;  // after the check in or out
    };
    const Fall faelle[] = {
        {"arrival moved back with '-', then check in", false,
         [](ReservierungLogik& l) {
             l.datumTaste(true, QLatin1Char('-'));
             l.datumTaste(true, QLatin1Char('-'));
         },
         t(8), t(15), "7"},
        {"arrival typed later, then check in", false,
         [this](ReservierungLogik& l) {
             l.felder().von = t(12);
             l.datumGeaendert();
         },
         t(12), t(15), "3"},
        {"check date typed, then the arrival moved: the typed date wins", false,
         [this](ReservierungLogik& l) {
             l.felder().checkDatum = t(11);
             l.checkDatumGetippt();
             l.datumTaste(true, QLatin1Char('+'));
         },
         t(11), t(15), "4"},
        {"checked in, departure moved with '+', then check out", true, [](ReservierungLogik& l) { l.datumTaste(false, QLatin1Char('+')); },
         t(10), t(16), "6"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.warum);
        const int id = buchung(3, tag(10), tag(15), u"Check"_s);
        db().execute(u"UPDATE tblBelegung SET Checked = ? WHERE ID = ?"_s, {fall.eingecheckt, id});
        auto form = geladen(id);
        fall.aendern(*form);
        dialogs_.clear();
        form->checkedKlick();  // without the invoice windows no invoice question follows a check-out
        EXPECT_EQ(form->felder().eingecheckt, !fall.eingecheckt) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
        EXPECT_EQ(form->felder().von, fall.von);
        EXPECT_EQ(form->felder().bis, fall.bis);
        EXPECT_EQ(form->felder().naechte, fall.naechte);
        form->datumTaste(false, QLatin1Char('+'));
        EXPECT_EQ(form->felder().checkDatum, form->felder().eingecheckt ? form->felder().bis : form->felder().von)
            << "and follows the stay again";
        db().execute(u"DELETE FROM tblBelegung WHERE ID = ?"_s, {id});
    }
}

// A seasonal price follows the stay and the room: after "+"/"-" on a date, a typed date or
// another room it is computed again; where it cannot be computed the green mark goes and the
// user is told that the price must be computed again.
TEST_F(ReservierungLogikTest, SeasonalPriceIsComputedAgainAfterAChangeOfStayOrRoom) {
    db().execute(u"UPDATE tbZimmernummern SET PreisHauptsaison = 120 WHERE Zimmernummer = 1"_s);
    db().execute(u"UPDATE tbZimmernummern SET PreisHauptsaison = 90 WHERE Zimmernummer = 2"_s);
    db().execute(u"INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES ('Hauptsaison', ?, ?)"_s, {tag(1), tag(1, 4)});
    const QString neuBerechnen = QStringLiteral(
        "Für den geänderten Zeitraum oder das geänderte Zimmer lässt sich kein Saisonpreis "
        "berechnen. Der Gesamtpreis muss neu berechnet werden.");
    struct Fall {
        const char* warum;
        std::function<void(ReservierungLogik&)> aendern;
        QString preis;
        bool gruen;
        QStringList meldungen;
    };
    const Fall faelle[] = {
        {"'+' on the departure", [](ReservierungLogik& l) { l.datumTaste(false, QLatin1Char('+')); }, "360,00", true, {}},
        {"'-' on the arrival", [](ReservierungLogik& l) { l.datumTaste(true, QLatin1Char('-')); }, "360,00", true, {}},
        {"departure typed, half typed first",
         [this](ReservierungLogik& l) {
             l.felder().bis = u"14.03.20"_s;
             l.datumGeaendert();
             EXPECT_EQ(l.felder().preis, u"240,00"_s) << "nothing computed for a half-typed date";
             l.felder().bis = t(14);
             l.datumGeaendert();
         },
         "480,00",
         true,
         {}},
        {"another room: its own prices", [](ReservierungLogik& l) { l.zimmerGewaehlt(u"102"_s); }, "180,00", true, {}},
        {"a room without any price", [](ReservierungLogik& l) { l.zimmerGewaehlt(u"109"_s); }, "240,00", false, {neuBerechnen}},
        {"checked in a day early",
         [this](ReservierungLogik& l) {
             l.felder().checkDatum = t(9);
             l.checkDatumGetippt();
             l.checkedKlick();
         },
         "360,00",
         true,
         {}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.warum);
        auto form = neu(10, 12, 1);
        form->saisonpreisKlick();
        ASSERT_TRUE(form->saisonpreis());
        ASSERT_EQ(form->felder().preis, u"240,00"_s);
        dialogs_.clear();
        fall.aendern(*form);
        EXPECT_EQ(form->felder().preis, fall.preis);
        EXPECT_EQ(form->saisonpreis(), fall.gruen);
        EXPECT_EQ(dialogs_.texts(), fall.meldungen);
    }
}

// Amounts are bounded to what a hotel can mean: a price per night up to 999.999,99 and a
// total up to 9.999.999,99. Larger ones are refused with a German message when the box is
// left and again when the booking is saved; nothing is written.
TEST_F(ReservierungLogikTest, PricesOutOfBoundsAreRefused) {
    const QString nacht = u"Der Preis pro Nacht muss zwischen 0,00 und 999.999,99 liegen."_s;
    const QString gesamt = u"Der Gesamtpreis muss zwischen 0,00 und 9.999.999,99 liegen."_s;
    struct Fall {
        const char* warum;
        QString tarif, preis;  // typed; empty: left as the room gives it
        bool tarifFeld;        // typed into the tariff box (else the total)
        QString meldung;       // empty: accepted
        QString preisDanach;
    };
    const Fall faelle[] = {
        {"twenty nines per night", "99999999999999999999", "", true, nacht, "160,00"},
        {"one million per night", "1.000.000", "", true, nacht, "160,00"},
        {"a negative price per night", "-5", "", true, nacht, "160,00"},
        {"the highest price per night", "999.999,99", "", true, "", "1.999.999,98"},
        {"a total of ten million", "", "10.000.000", false, gesamt, "10.000.000"},
        {"the highest total", "", "9.999.999,99", false, "", "9.999.999,99"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.warum);
        auto form = neu(10, 12, 1);
        form->adresse().laden(1);
        ReservierungsFelder& f = form->felder();
        f.gastName = u"Meier"_s;
        f.kuerzel = u"Grenze"_s;
        dialogs_.clear();
        const bool angenommen =
            fall.tarifFeld ? (f.tarif = fall.tarif, form->tarifVerlassen()) : (f.preis = fall.preis, form->preisVerlassen());
        EXPECT_EQ(angenommen, fall.meldung.isEmpty());
        EXPECT_EQ(dialogs_.texts(), fall.meldung.isEmpty() ? QStringList() : QStringList{fall.meldung});
        EXPECT_EQ(f.preis, fall.preisDanach) << "no floating-point noise";
        if (!fall.meldung.isEmpty()) {
            EXPECT_EQ(f.fokus, fall.tarifFeld ? Fokus::Tarif : Fokus::Preis);
        }
        dialogs_.clear();
        EXPECT_EQ(form->speichern(), fall.meldung.isEmpty());
        if (!fall.meldung.isEmpty()) {
            EXPECT_EQ(dialogs_.texts().value(0), fall.meldung) << "the save refuses it too";
            EXPECT_EQ(zeilen(u"Kürzel = 'Grenze'"_s), 0);
        }
        db().execute(u"DELETE FROM tblBelegung"_s);
    }
    Tarifliste liste(db(), dialogs_);
    EXPECT_FALSE(liste.enter(u"1000000"_s)) << "the tariff list takes no price beyond the bound";
    EXPECT_TRUE(liste.enter(u"999999,99"_s));
}

// Kinds without a name (5–8 of a new database) are not offered: they have no legend entry
// and would save a grey bar. A named kind after them keeps its own number.
TEST_F(ReservierungLogikTest, OnlyNamedBookingKindsAreOffered) {
    db().execute(u"INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (5, Null)"_s);
    db().execute(u"INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (6, '')"_s);
    db().execute(u"INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (7, '  ')"_s);
    db().execute(u"INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (8, Null)"_s);
    db().execute(u"INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (9, 'Stammgast')"_s);
    auto form = formular();
    EXPECT_EQ(form->artNamen(), QStringList({"Einzel", "Doppel", "zwei", "Angebot", "Stammgast"}));

    form->neueBuchung(tag(10), tag(12), 1, 6);
    EXPECT_EQ(form->felder().artName, u"Einzel"_s) << "an unnamed kind from the legend gives the first named one";
    EXPECT_EQ(form->artPosition(), 0);

    form->artGewaehlt(4);
    EXPECT_EQ(form->felder().artName, u"Stammgast"_s);
    EXPECT_EQ(form->artPosition(), 4);
    form->adresse().laden(1);
    form->felder().gastName = u"Meier"_s;
    form->felder().kuerzel = u"Stamm"_s;
    ASSERT_TRUE(form->speichern()) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
    EXPECT_EQ(db().scalar(u"SELECT Belegungsart FROM tblBelegung WHERE Kürzel = 'Stamm'"_s).toInt(), 9) << "the kind keeps its number";

    const int grau = buchung(2, tag(20), tag(22), u"Grau"_s);
    db().execute(u"UPDATE tblBelegung SET Belegungsart = 6 WHERE ID = ?"_s, {grau});
    auto alt = geladen(grau);
    EXPECT_EQ(alt->artPosition(), -1) << "a stored booking of an unnamed kind shows no entry";
}

TEST_F(ReservierungLogikTest, InvoicingABlockMemberAsksWhetherItLeavesTheBlock) {
    const QString frage = QStringLiteral(
        "Diese Reservierung gehört zu einer Blockbuchung. Wählen Sie 'Ja' , wenn die Reservierung aus der Blockbuchung herausgenommen "
        "werden soll. Wählen Sie 'Nein', wenn  Sie nur die Zusatzposten in der Rechnung aufführen möchten.");
    using U = ReservierungLogik::RechnungUmfang;
    struct Fall {
        const char* warum;
        Answer antwort;
        U umfang;
        bool bleibtImBlock;
    };
    const QList<Fall> faelle = {
        {"Cancel: nothing happens", Answer::Cancel, U::Abbruch, true},
        {"No: only the extra items, the room stays billed through the block", Answer::No, U::NurZusatzposten, true},
        {"Yes: the booking leaves the block and is invoiced alone", Answer::Yes, U::Allein, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        db().execute(u"DELETE * FROM tbBlockbuchung"_s);
        db().execute(u"DELETE * FROM tblBelegung"_s);
        const int id = buchung(1, tag(10), tag(12), u"Mitglied"_s);
        const int anderes = buchung(2, tag(10), tag(12), u"Anderes"_s);
        db().execute(u"INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung) VALUES (1, ?), (1, ?)"_s, {id, anderes});
        auto form = geladen(id);
        EXPECT_FALSE(form->felder().cmdWartenEnabled && Belegung::wartenAngeboten(form->felder()));
        dialogs_.answer(f.antwort);
        EXPECT_EQ(form->rechnungVorbereiten(), f.umfang);
        EXPECT_EQ(std::tuple(dialogs_.last().text, dialogs_.last().caption, dialogs_.last().buttons),
                  std::tuple(frage, u"Blockbuchungen verwalten"_s, Buttons::YesNoCancel));
        EXPECT_EQ(std::tuple(Belegung::istBlockmitglied(db(), id), form->felder().blockbuchung),
                  std::tuple(f.bleibtImBlock, f.bleibtImBlock));
        EXPECT_TRUE(Belegung::istBlockmitglied(db(), anderes)) << "the other member stays";
        EXPECT_TRUE(f.bleibtImBlock || form->felder().cmdWartenEnabled) << "out of the block the waiting position is offered again";
        dialogs_.clear();
    }
    // A booking outside any block is invoiced alone without a question.
    const int einzeln = buchung(3, tag(10), tag(12), u"Einzeln"_s);
    auto form = geladen(einzeln);
    EXPECT_EQ(form->rechnungVorbereiten(), U::Allein);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}

TEST_F(ReservierungLogikTest, DocumentsNeedASavedBookingThatIsNotInvoiced) {
    // A new booking is saved before its document.
    auto form = neu(10, 12, 1, -1, 2);
    form->felder().kuerzel = u"Huber"_s;
    EXPECT_TRUE(form->dokumentVorbereiten());
    EXPECT_EQ(zeilen(u"Kürzel = 'Huber' AND ID = %1"_s.arg(form->felder().id)), 1);
    EXPECT_EQ(form->dokumentName(), u"Huber.doc"_s);

    // An invoiced booking is refused before anything is saved.
    const int id = buchung(2, tag(3), tag(5), u"Abgerechnet"_s);
    db().execute(u"UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"_s, {id});
    auto fertig = geladen(id);
    fertig->felder().info = u"geändert"_s;
    EXPECT_FALSE(fertig->dokumentVorbereiten());
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Diese Reservierung wurde bereits abgerechnet."_s});
    EXPECT_EQ(zeilen(u"Info = 'geändert'"_s), 0);
    dialogs_.clear();

    // A save that fails ends with the check's message and its title.
    auto leer = neu(10, 12, 0);
    dialogs_.expectUnanswered();
    EXPECT_FALSE(leer->dokumentVorbereiten());
    ASSERT_FALSE(dialogs_.shown().isEmpty());
    EXPECT_EQ(QStringList({dialogs_.last().text, dialogs_.last().caption}),
              QStringList({"Die Reservierung konnte nicht gespeichert werden.", "Speicherkontrolle"}));
}

TEST_F(ReservierungLogikTest, StoredDocumentsAreFoundByTheShortName) {
    const int id = buchung(2, tag(3), tag(5), u"Meier"_s);
    auto form = geladen(id);
    QDir(folder()).mkpath(u"Rechnungen"_s);
    QFile datei(QDir(folder()).filePath(u"Rechnungen/Meier.doc"_s));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();
    using A = ReservierungLogik::Ablage;
    EXPECT_EQ(form->gespeichertesDokument(A::Rechnung, folder()), datei.fileName());
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    struct Fall {
        A ablage;
        const char* meldung;
    } faelle[] = {
        {A::Angebot, "Auf diesem Computer ist kein Angebot mit dieser Kurzinfo gespeichert."},
        {A::Bestaetigung, "Auf diesem Computer ist keine Reservierung mit dieser Kurzinfo gspeichert."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.meldung);
        EXPECT_EQ(form->gespeichertesDokument(f.ablage, folder()), QString());
        EXPECT_EQ(dialogs_.last().text, QString::fromUtf8(f.meldung));
    }
}
