#include "lists/Listenspalten.h"

namespace tav::listen {

const std::array<Spalte, kSpalten>& spalten() {
    using enum FilterArt;
    static const std::array<Spalte, kSpalten> s = {{
        {"H1.Beschreibung", "H1.Beschreibung", "H1.Beschreibung", Text},
        {"tblBelegung.BelegNummer_eigen", "tblBelegung.BelegNummer_eigen", "tblBelegung.BelegNummer", Enthaelt},
        {"tblBelegung.Abg_Temp", "tblBelegung.Abg_Temp", "tblBelegung.Abg_Temp", JaNein},
        {"tblBelegung.AnzahlGäste", "tblBelegung.AnzahlGäste", "tblBelegung.AnzahlGäste", ZahlOderLeer},
        {"IIf(tblBelegung.Frühstück,'Ja','Nein')", "tblBelegung.Frühstück", "tblBelegung.Frühstück", JaNein},
        {"tbZimmernummern.NeueNummer", "tbZimmernummern.NeueNummer", "tbZimmernummern.NeueNummer", Text},
        {"Address.Firstname", "Address.Firstname", "Address.Firstname", TextOderLeer},
        {"Address.Lastname", "Address.Lastname", "Address.Lastname", TextOderLeer},
        {"Address.CompanyName", "Address.CompanyName", "Address.CompanyName", TextOderLeer},
        {"Address.Address", "Address.Address", "Address.Address", TextOderLeer},
        {"Address.postalcode", "Address.postalcode", "Address.postalcode", TextOderLeer},
        {"Address.city", "Address.city", "Address.city", TextOderLeer},
        {"Address.Country", "Address.Country", "Address.Country", TextOderLeer},
        {"Address.EMAIL", "Address.EMAIL", "Address.EMAIL", TextOderLeer},
        {"Address.phone", "Address.phone", "Address.phone", TextOderLeer},
        {"Address.[Tele-Fax]", "Address.[Tele-Fax]", "Address.[Tele-Fax]", TextOderLeer},
        {"tbBelegArten.BelegungsArt", "tbBelegArten.BelegungsArt", "tbBelegArten.BelegungsArt", TextOderLeer},
        {"Format(tblBelegung.Von,'dd.mm.yy')", "tblBelegung.Von", "tblBelegung.Von", Datum},
        {"Format(tblBelegung.Bis,'dd.mm.yy')", "tblBelegung.Bis", "tblBelegung.Bis", Datum},
        {"Z1.Beschriftung", "Z1.Beschriftung", "Z1.Beschriftung", TextOderLeer},
        {"Z2.Beschriftung", "Z2.Beschriftung", "Z2.Beschriftung", TextOderLeer},
        {"Address.BemerkAdr", "Address.BemerkAdr", "Address.BemerkAdr", TextOderLeer},
        {"tblBelegung.Info", "tblBelegung.Info", "tblBelegung.Info", TextOderLeer},
        {"tblBelegung.Kürzel", "tblBelegung.Kürzel", "tblBelegung.Kürzel", TextOderLeer},
        {"Format(tblBelegung.PreisProNacht,'0.00')", "Format(tblBelegung.PreisProNacht,'0.00')", "tblBelegung.PreisProNacht", Zahl},
        {"Format(tblBelegung.Preis,'0.00')", "Format(tblBelegung.Preis,'0.00')", "tblBelegung.Preis", Zahl},
        {"tblBelegung.AnzahlÜbernachtungen", "tblBelegung.AnzahlÜbernachtungen", "tblBelegung.AnzahlÜbernachtungen", Zahl},
        {"H2.Beschreibung", "H2.Beschreibung", "H2.Beschreibung", Text},
    }};
    return s;
}

QString vonKlausel(bool rechnungsadresse) {
    const QString joins = QStringLiteral(
        "((((((Address INNER JOIN tblBelegung ON Address.ID = tblBelegung.GastID)"
        " INNER JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer)"
        " LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID)"
        " LEFT JOIN tbZusätze AS Z1 ON tbZimmernummern.Zusatz1 = Z1.ZusatzFeld)"
        " LEFT JOIN tbZusätze AS Z2 ON tbZimmernummern.Zusatz2 = Z2.ZusatzFeld)"
        " LEFT JOIN TblHilfeDarstellung AS H1 ON tblBelegung.Checked = H1.WahrNichtWahr)"
        " LEFT JOIN TblHilfeDarstellung AS H2 ON tblBelegung.Gelöscht = H2.WahrNichtWahr");
    if (!rechnungsadresse) return QStringLiteral(" FROM ") + joins;
    return QStringLiteral(" FROM (") + joins + QStringLiteral(") LEFT JOIN Address AS RA ON tblBelegung.IDAdressRechnung = RA.ID");
}

QString idAbfrage(const QString& wo, const QString& ordnung) {
    const QString genannt = wo + ordnung;
    const auto nennt = [&](const char* alias) { return genannt.contains(QString::fromUtf8(alias)); };
    // Bookings without an address or a room are never shown: those two joins always stay.
    QString joins = QStringLiteral(
        "(Address INNER JOIN tblBelegung ON Address.ID = tblBelegung.GastID)"
        " INNER JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer");
    // The left joins add a value to each booking and never a row; each joins only when the
    // conditions or the sort order use its table.
    const struct {
        const char* alias;
        const char* join;
    } links[] = {
        {"tbBelegArten.", " LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID"},
        {"Z1.", " LEFT JOIN tbZusätze AS Z1 ON tbZimmernummern.Zusatz1 = Z1.ZusatzFeld"},
        {"Z2.", " LEFT JOIN tbZusätze AS Z2 ON tbZimmernummern.Zusatz2 = Z2.ZusatzFeld"},
        {"H1.", " LEFT JOIN TblHilfeDarstellung AS H1 ON tblBelegung.Checked = H1.WahrNichtWahr"},
        {"H2.", " LEFT JOIN TblHilfeDarstellung AS H2 ON tblBelegung.Gelöscht = H2.WahrNichtWahr"},
    };
    for (const auto& l : links)
        if (nennt(l.alias)) joins = QLatin1Char('(') + joins + QLatin1Char(')') + QString::fromUtf8(l.join);
    return QStringLiteral("SELECT tblBelegung.ID FROM ") + joins + (wo.isEmpty() ? QString() : QStringLiteral(" WHERE ") + wo) + ordnung;
}

QStringList vorgabeBeschriftungen(const QString& zimmer, const QString& art) {
    return {QStringLiteral("Checked in"),
            QStringLiteral("Reservierungsnummer"),
            QStringLiteral("Abg."),
            QStringLiteral("Gästezahl"),
            QStringLiteral("Frühstück"),
            zimmer,
            QStringLiteral("Vorname"),
            QStringLiteral("Nachname"),
            QStringLiteral("Name 2"),
            QStringLiteral("Straße"),
            QStringLiteral("PLZ"),
            QStringLiteral("Ort"),
            QStringLiteral("Land"),
            QStringLiteral("E-Mail"),
            QStringLiteral("Telefon"),
            QStringLiteral("Fax"),
            art,
            QStringLiteral("Von"),
            QStringLiteral("Bis"),
            QStringLiteral("Zusatzspalte links"),
            QStringLiteral("Zusatzspalte rechts"),
            QStringLiteral("Adress Bemerkungen"),
            QStringLiteral("Res. Bemerkungen"),
            QStringLiteral("Abkürzung"),
            QStringLiteral("Einzelpreis"),
            QStringLiteral("GesamtPreis"),
            QStringLiteral("Anzahl der Tage"),
            QStringLiteral("vorläufige Reservierung")};
}

}  // namespace tav::listen
