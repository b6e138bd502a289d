#include "store/Zimmerliste.h"

#include "engine/Database.h"

namespace tav {

QString Zimmer::tooltip() const {
    if (raucher.isEmpty()) return bemerkung;
    return bemerkung + QStringLiteral(" (") + raucher + QLatin1Char(')');
}

QString Zimmer::tag() const { return QStringLiteral("%1").arg(nummer, 2, 10, QLatin1Char('0')); }

void Zimmerliste::load(Database& db) {
    rooms_.clear();
    vorgaben_.clear();
    Recordset rs = db.openRecordset(QStringLiteral(
        "SELECT tbZimmernummern.Zimmernummer,tbZimmernummern.Raucher,  tbZimmernummern.NeueNummer, tbZimmernummern.Bemerkungen, "
        " tbZusätze.Farbe AS Z1Farbe, tbZusätze.Beschriftung AS Z1Beschriftung, tbZusätze.Bedeutung AS Z1Bedeutung, "
        " tbZusätze_1.Farbe AS Z2Farbe, tbZusätze_1.Beschriftung AS Z2Beschriftung, tbZusätze_1.Bedeutung AS Z2Bedeutung, "
        " AnzahlGästeDefault "
        " FROM (tbZimmernummern LEFT JOIN tbZusätze ON tbZimmernummern.Zusatz1 = tbZusätze.ZusatzFeld) LEFT  "
        " JOIN tbZusätze AS tbZusätze_1 ON tbZimmernummern.Zusatz2 = tbZusätze_1.ZusatzFeld order by tbZimmernummern.Zimmernummer;"));
    auto colour = [&](const char* field) {
        const QVariant v = rs.value(QString::fromLatin1(field));
        return v.isNull() ? farbe::kMenuBar : quint32(v.toLongLong());
    };
    // The list holds at most 200 rooms; a 201st row ends the loading with the first 200 kept.
    for (; !rs.eof() && rooms_.size() < kMaxRooms; rs.moveNext()) {
        Zimmer z;
        z.nummer = rs.integer(QStringLiteral("Zimmernummer"));
        z.label = rs.text(QStringLiteral("NeueNummer"));
        z.bemerkung = rs.text(QStringLiteral("Bemerkungen"));
        z.farbe1 = colour("Z1Farbe");
        z.farbe2 = colour("Z2Farbe");
        z.text1 = rs.text(QStringLiteral("Z1Beschriftung"));
        z.text2 = rs.text(QStringLiteral("Z2Beschriftung"));
        z.bedeutung1 = rs.text(QStringLiteral("Z1Bedeutung"));
        z.bedeutung2 = rs.text(QStringLiteral("Z2Bedeutung"));
        z.gaesteDefault = rs.integer(QStringLiteral("AnzahlGästeDefault"));
        const QVariant raucher = rs.value(QStringLiteral("Raucher"));
        if (!raucher.isNull()) z.raucher = raucher.toInt() != 0 ? QStringLiteral("Raucher") : QStringLiteral("Nichtraucher");
        rooms_ << z;
    }
    if (!rooms_.isEmpty() && rs.eof()) rooms_.back().letztes = true;

    Recordset d = db.openRecordset(QStringLiteral("select * from tbzimmernummern order by zimmernummer ;"));
    for (; !d.eof(); d.moveNext())
        vorgaben_ << ZimmerVorgabe{d.integer(QStringLiteral("Zimmernummer")), d.number(QStringLiteral("Preisdefault")),
                                   d.integer(QStringLiteral("AnzahlGästeDefault"))};
}

const Zimmer* Zimmerliste::byNumber(int nummer) const {
    for (const Zimmer& z : rooms_)
        if (z.nummer == nummer) return &z;
    return nullptr;
}

const ZimmerVorgabe* Zimmerliste::vorgabe(int nummer) const {
    for (const ZimmerVorgabe& v : vorgaben_)
        if (v.nummer == nummer) return &v;
    return nullptr;
}

int Zimmerliste::nummerVonLabel(Database& db, const QString& label) {
    Recordset rs = db.openRecordset(
        QStringLiteral(
            "SELECT tbZimmernummern.*, tbZimmernummern.NeueNummer From tbZimmernummern WHERE (((tbZimmernummern.NeueNummer)= ? )); "),
        {label});
    return rs.eof() ? 0 : rs.integer(QStringLiteral("Zimmernummer"));
}

int Zimmerliste::gaesteVonLabel(Database& db, const QString& label) {
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT  tbZimmernummern.AnzahlGästeDefault From tbZimmernummern WHERE (((tbZimmernummern.NeueNummer)= ? )); "),
        {label});
    return rs.eof() ? 0 : rs.integer(QStringLiteral("AnzahlGästeDefault"));
}

quint32 Zimmerliste::attributFarbe(Database& db, int zusatzFeld) {
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT tbZusätze.*, tbZusätze.ZusatzFeld  From tbZusätze WHERE (((tbZusätze.ZusatzFeld)= ? ));"), {zusatzFeld});
    if (rs.eof() || rs.value(QStringLiteral("Farbe")).isNull()) return 0;
    return quint32(rs.value(QStringLiteral("Farbe")).toLongLong());
}

QString Zimmerliste::attributText(Database& db, int zusatzFeld) {
    Recordset rs = db.openRecordset(
        QStringLiteral(" SELECT tbZusätze.*, tbZusätze.ZusatzFeld From tbZusätze WHERE (((tbZusätze.ZusatzFeld)= ? ));"), {zusatzFeld});
    return rs.eof() ? QString() : rs.text(QStringLiteral("Beschriftung"));
}

int Zimmerliste::zusatzspaltenInGebrauch(Database& db) {
    const bool eins =
        !db.openRecordset(QStringLiteral("SELECT tbZimmernummern.Zimmernummer, tbZimmernummern.Zusatz1, tbZimmernummern.Zusatz2 From "
                                         "tbZimmernummern WHERE (((tbZimmernummern.Zusatz1) Is Not Null));"))
             .eof();
    const bool zwei =
        !db.openRecordset(QStringLiteral("SELECT tbZimmernummern.Zimmernummer, tbZimmernummern.Zusatz1, tbZimmernummern.Zusatz2 From "
                                         "tbZimmernummern WHERE (((tbZimmernummern.Zusatz2) Is Not Null));"))
             .eof();
    if (eins && zwei) return 3;
    if (eins) return 2;
    if (zwei) return 1;
    return 0;
}

}  // namespace tav
