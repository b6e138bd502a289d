#include "plan/PlanFixture.h"

namespace tav::test {

void PlanFixture::SetUp() {
    DatabaseFixture::SetUp();
    clock_ = std::make_unique<ClockOverride>(heute());
    db().beginTrans();
    const QStringList labels = {"101", "102", "103", "104", "201", "202", "203", "204", "301"};
    for (int i = 1; i <= 9; ++i) addRoom(i, labels[i - 1], i == 1 || i == 4 || i == 7 ? 1 : 2, QStringLiteral("Zimmer ") + labels[i - 1]);
    addRoom(10, QStringLiteral("Vorläufig"), 1, QStringLiteral("nimmt alle Reservierungen auf, die noch nicht sicher sind."));
    const QStringList arten = {"Frei", "Privat", "Firma", "Tresen", "Angebot"};
    for (int i = 0; i < arten.size(); ++i)
        db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"), {i, arten[i]});
    addGuest(1, QStringLiteral("Anna"), QStringLiteral("Berger"), QStringLiteral("Kassel"));
    addGuest(2, QStringLiteral("Jörg"), QStringLiteral("Müller"), QStringLiteral("Fulda"));
    addGuest(3, QStringLiteral("Eva"), QStringLiteral("Schäfer"), QStringLiteral("Göttingen"));
    db().commitTrans();
    ladeZimmer();
}

void PlanFixture::TearDown() {
    clock_.reset();
    DatabaseFixture::TearDown();
}

void PlanFixture::addRoom(int nr, const QString& label, int gaeste, const QString& bemerkung) {
    db().execute(
        QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen, AnzahlGästeDefault, PreisDefault, Raucher) "
                       "VALUES (?, ?, ?, ?, 60, 0)"),
        {nr, label, bemerkung, gaeste});
}

void PlanFixture::addGuest(int id, const QString& vorname, const QString& nachname, const QString& ort) {
    db().execute(QStringLiteral("INSERT INTO Address (ID, Firstname, Lastname, City) VALUES (?, ?, ?, ?)"), {id, vorname, nachname, ort});
}

int PlanFixture::addBooking(int zimmer, QDate von, QDate bis, int art, const QString& kuerzel, int gast, int gaeste, bool geloescht,
                            bool checked) {
    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Belegungsart, Kürzel, GastID, AnzahlGäste, "
                                "Gelöscht, Checked, AnzahlÜbernachtungen) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {zimmer, von, bis, art, kuerzel, gast, gaeste, geloescht ? -1 : 0, checked ? -1 : 0, von.daysTo(bis)});
    return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
}

void PlanFixture::addHoliday(QDate d, const QString& name) {
    const int id = db().scalar(QStringLiteral("SELECT Max(IDFeiertage) FROM tbFeiertage")).toInt() + 1;
    db().execute(QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (?, ?, ?)"), {id, name, d});
}

PlanEinstellungen PlanFixture::einstellungen() {
    PlanEinstellungen e;
    e.tage = 35;
    e.startWochentag = 2;
    e.raeume = 9;
    e.sichtbareZeilen = 10;
    e.zeilenHoehe = 320;
    e.ersterTag = 60;
    e.farben = {kFrei, kPrivat, kFirma, kTresen, kAngebot, 0x00808080, 0x00808080, 0x00808080, 0x00808080, kSamstag, kSonntag};
    e.belegungsartNamen = {"frei", "Privat", "Firma", "Tresen", "Angebot", {}, {}, {}, {}};
    e.legendeUeberschrift = QStringLiteral("Reserviert als:");
    e.zimmerUeberschrift = QStringLiteral("Zimmer");
    e.aktualisieren = &aktualisieren;
    e.uebergabe = &uebergabe;
    return e;
}

}  // namespace tav::test
