#include "reservation/WeitereLogik.h"

#include "engine/Database.h"
#include "platform/Dialogs.h"

namespace tav {

namespace {
const QString kDeutschland = QStringLiteral("Deutschland");
}

void WeitereLogik::laden(int buchungId) {
    buchungId_ = buchungId;
    zeilen_.clear();
    geaendert_ = false;

    int anzahl = 0;
    {
        Recordset b = db_.openRecordset(
            QStringLiteral("SELECT tblBelegung.AnzahlGäste, tblBelegung.GastID, tbZimmernummern.AnzahlGästeDefault FROM tblBelegung "
                           "LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer "
                           "WHERE tblBelegung.ID = ?"),
            {buchungId});
        if (!b.eof()) anzahl = qMax(b.integer(QStringLiteral("AnzahlGästeDefault")), b.integer(QStringLiteral("AnzahlGäste")));
    }

    Recordset rs = db_.openRecordset(
        QStringLiteral(" SELECT WeitereGäste.ID_Gast, WeitereGäste.ID_Belegung, WeitereGäste.Name, ") +
            QStringLiteral(" WeitereGäste.Vorname, WeitereGäste.Strasse, WeitereGäste.PLZ, WeitereGäste.Ort, ") +
            QStringLiteral(" WeitereGäste.Anrede As W_Anrede, WeitereGäste.Land, WeitereGäste.ID_Adresse, Address.ID, Address.Anrede,") +
            QStringLiteral(" tbAnreden.Anrede as Anreden, Address.FirstName, Address.LastName, Address.Address, Address.PostalCode,") +
            QStringLiteral(" Address.City, Address.Country, tbLänder.Länder ") +
            QStringLiteral(" FROM ((Address RIGHT JOIN WeitereGäste ON Address.ID = WeitereGäste.ID_Adresse)") +
            QStringLiteral(" LEFT JOIN tbAnreden ON Address.IDAnrede = tbAnreden.IDAnrede)") +
            QStringLiteral(" LEFT JOIN tbLänder ON Address.IDLand = tbLänder.ID ") +
            QStringLiteral(" WHERE (((WeitereGäste.ID_Belegung)=?))") + QStringLiteral("ORDER BY WeitereGäste.Name,  Address.LastName"),
        {buchungId});
    for (; !rs.eof(); rs.moveNext()) {
        GastZeile z;
        z.idGast = rs.integer(QStringLiteral("ID_Gast"));
        const QVariant adresse = rs.value(QStringLiteral("Address.ID"));
        if (!adresse.isNull()) {
            // A person linked to an address shows the address's data.
            z.idAdresse = adresse.toInt();
            z.name = rs.text(QStringLiteral("LastName"));
            z.vorname = rs.text(QStringLiteral("FirstName"));
            z.anrede = rs.text(QStringLiteral("Anreden")).isEmpty() ? rs.text(QStringLiteral("Address.Anrede"))
                                                                    : rs.text(QStringLiteral("Anreden"));
            z.strasse = rs.text(QStringLiteral("Address.Address"));
            z.plz = rs.text(QStringLiteral("PostalCode"));
            z.ort = rs.text(QStringLiteral("City"));
            z.land = rs.text(QStringLiteral("Länder")).isEmpty() ? rs.text(QStringLiteral("Country")) : rs.text(QStringLiteral("Länder"));
        } else {
            z.name = rs.text(QStringLiteral("Name"));
            z.vorname = rs.text(QStringLiteral("Vorname"));
            z.anrede = rs.text(QStringLiteral("W_Anrede"));
            z.strasse = rs.text(QStringLiteral("Strasse"));
            z.plz = rs.text(QStringLiteral("PLZ"));
            z.ort = rs.text(QStringLiteral("Ort"));
            z.land = rs.text(QStringLiteral("Land"));
        }
        if (z.land.isEmpty()) z.land = kDeutschland;
        zeilen_ << z;
    }
    const bool keineWeiteren = zeilen_.isEmpty();
    while (zeilen_.size() < anzahl) zeilen_ << GastZeile{{}, {}, {}, {}, {}, {}, kDeutschland};

    if (keineWeiteren && !zeilen_.isEmpty() &&
        dialogs_.message(QStringLiteral("Sollen die Adressdaten der Reservierung übernommen werden?"), {}, Buttons::YesNo,
                         Icon::Question) == Answer::Yes) {
        Recordset g = db_.openRecordset(
            QStringLiteral("SELECT Address.Anrede, tbAnreden.Anrede AS Anreden, Address.LastName, Address.FirstName, Address.Address, "
                           "Address.PostalCode, Address.City, Address.Country "
                           "FROM (tblBelegung INNER JOIN Address ON tblBelegung.GastID = Address.ID) "
                           "LEFT JOIN tbAnreden ON Address.IDAnrede = tbAnreden.IDAnrede WHERE tblBelegung.ID = ?"),
            {buchungId});
        if (!g.eof()) {
            GastZeile& z = zeilen_[0];
            z.anrede =
                g.text(QStringLiteral("Anreden")).isEmpty() ? g.text(QStringLiteral("Address.Anrede")) : g.text(QStringLiteral("Anreden"));
            z.name = g.text(QStringLiteral("LastName"));
            z.vorname = g.text(QStringLiteral("FirstName"));
            z.strasse = g.text(QStringLiteral("Address"));
            z.plz = g.text(QStringLiteral("PostalCode"));
            z.ort = g.text(QStringLiteral("City"));
            z.land = g.text(QStringLiteral("Country")).isEmpty() ? kDeutschland : g.text(QStringLiteral("Country"));
            geaendert_ = true;
        }
    }
}

int WeitereLogik::scrollMaximum() const { return qMax(0, int(zeilen_.size()) - kSichtbareZeilen); }

QStringList WeitereLogik::anreden() const {
    QStringList out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT Anrede  From tbAnreden ORDER BY Anrede; ")); !rs.eof(); rs.moveNext())
        out << rs.text(QStringLiteral("Anrede"));
    return out;
}

QStringList WeitereLogik::laender() const {
    QStringList out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tbLänder.Länder  From tbLänder ORDER BY tbLänder.Länder; ")); !rs.eof();
         rs.moveNext())
        out << rs.text(QStringLiteral("Länder"));
    return out;
}

bool WeitereLogik::landPruefen(const QString& land) {
    if (land.trimmed().isEmpty() || landId(land) != 0) return true;
    dialogs_.message(QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste."));
    return false;
}

int WeitereLogik::landId(const QString& land) const {
    const QVariant id = db_.scalar(QStringLiteral("SELECT tbLänder.ID From tbLänder WHERE tbLänder.Länder = ?"), {land.trimmed()});
    return id.isNull() ? 0 : id.toInt();
}

QString WeitereLogik::anfuehrungszeichenAusgleichen(const QString& text) {
    return text.count(QLatin1Char('"')) % 2 == 1 ? text + QLatin1Char('"') : text;
}

void WeitereLogik::markieren(int zeile) {
    if (zeile < 0 || zeile >= zeilen_.size()) return;
    zeilen_[zeile].markiert = !zeilen_[zeile].markiert;
}

void WeitereLogik::speichern() {
    for (GastZeile& z : zeilen_) {
        const bool hatName = !z.name.trimmed().isEmpty();
        if (hatName) {
            Recordset rs;
            if (z.idGast == 0) {
                rs = db_.openRecordset(QStringLiteral("select * from WEitereGäste;"));
                rs.addNew();
            } else {
                rs = db_.openRecordset(
                    QStringLiteral("SELECT WeitereGäste.ID_Gast, ID_Adresse,  WeitereGäste.ID_Belegung, WeitereGäste.Name, ") +
                        QStringLiteral(" WeitereGäste.Vorname, WeitereGäste.Strasse, WeitereGäste.PLZ, WeitereGäste.Ort") +
                        QStringLiteral(" ,Anrede, Land From WeitereGäste") + QStringLiteral(" WHERE (((WeitereGäste.ID_Gast)=?));"),
                    {z.idGast});
                if (rs.eof()) {  // deleted meanwhile: store it again
                    rs = db_.openRecordset(QStringLiteral("select * from WEitereGäste;"));
                    rs.addNew();
                } else {
                    rs.edit();
                }
            }
            rs.setValue(QStringLiteral("ID_Belegung"), buchungId_);
            rs.setValue(QStringLiteral("Name"), z.name.trimmed());
            rs.setValue(QStringLiteral("Vorname"), z.vorname);
            rs.setValue(QStringLiteral("Strasse"), z.strasse);
            rs.setValue(QStringLiteral("PLZ"), z.plz);
            rs.setValue(QStringLiteral("Ort"), z.ort);
            rs.setValue(QStringLiteral("Anrede"), z.anrede);
            rs.setValue(QStringLiteral("Land"), z.land);
            rs.setValue(QStringLiteral("Id_Adresse"), z.idAdresse == 0 ? QVariant() : QVariant(z.idAdresse));
            rs.update();
            z.idGast = rs.lastModified(QStringLiteral("ID_Gast")).toInt();
        } else if (z.idGast != 0) {
            db_.execute(QStringLiteral("DELETE  From WeitereGäste") + QStringLiteral(" WHERE (((WeitereGäste.ID_Gast)=?));"), {z.idGast});
            z = GastZeile{{}, {}, {}, {}, {}, {}, kDeutschland};
        }
    }
    geaendert_ = false;
}

void WeitereLogik::alsAdressenSpeichern(bool alle) {
    QList<int> auswahl;
    for (int i = 0; i < zeilen_.size(); ++i)
        if ((alle || zeilen_[i].markiert) && !zeilen_[i].name.trimmed().isEmpty()) auswahl << i;
    bool irgendeineMarke = alle;
    for (const GastZeile& z : zeilen_) irgendeineMarke = irgendeineMarke || z.markiert;
    if (!irgendeineMarke || auswahl.isEmpty()) {
        dialogs_.message(QStringLiteral("Es wurden keine Einträge ausgewählt."));
        return;
    }
    for (int i : auswahl) {
        GastZeile& z = zeilen_[i];
        const QString felder = QStringLiteral(", Address.Anrede, Address.LastName, Address.FirstName,") +
                               QStringLiteral(" Address.Address, IDLand ,Address.PostalCode, Address.City, Address.Country ");
        Recordset rs;
        if (z.idAdresse != 0)
            rs = db_.openRecordset(
                QStringLiteral("SELECT ID") + felder + QStringLiteral(" From Address ") + QStringLiteral(" WHERE Address.ID = ?"),
                {z.idAdresse});
        if (z.idAdresse == 0 || rs.eof()) {
            // An identical address is taken instead of writing a second one.
            rs = db_.openRecordset(QStringLiteral("SELECT  ID, Address.Anrede, Address.LastName, Address.FirstName,") +
                                       QStringLiteral(" Address.Address,IDLand, Address.PostalCode, Address.City, Address.Country ") +
                                       QStringLiteral(" From Address ") + QStringLiteral(" WHERE (((Address.Anrede)=?) ") +
                                       QStringLiteral(" AND ((Address.LastName)=?) ") + QStringLiteral(" AND ((Address.FirstName)=?) ") +
                                       QStringLiteral(" AND ((Address.Address)=?) ") + QStringLiteral(" AND ((Address.PostalCode)=?) ") +
                                       QStringLiteral(" AND ((Address.City)=?));"),
                                   {z.anrede, z.name.trimmed(), z.vorname, z.strasse, z.plz, z.ort});
        }
        if (rs.eof())
            rs.addNew();
        else
            rs.edit();
        rs.setValue(QStringLiteral("Lastname"), z.name.trimmed());
        rs.setValue(QStringLiteral("Firstname"), z.vorname);
        rs.setValue(QStringLiteral("Address"), z.strasse);
        rs.setValue(QStringLiteral("postalcode"), z.plz);
        rs.setValue(QStringLiteral("city"), z.ort);
        rs.setValue(QStringLiteral("Anrede"), z.anrede);
        rs.setValue(QStringLiteral("Country"), z.land);
        if (rs.eof() || rs.value(QStringLiteral("IDLand")).isNull()) {
            // The country's own key when the list has it, else Germany's.
            int land = landId(z.land);
            if (land == 0) land = landId(kDeutschland);
            if (land != 0) rs.setValue(QStringLiteral("IDLand"), land);
        }
        rs.update();
        z.idAdresse = rs.lastModified(QStringLiteral("ID")).toInt();
        z.markiert = false;
        geaendert_ = true;
    }
    dialogs_.message(QStringLiteral("Die Adressdaten wurden gespeichert."));
}

void WeitereLogik::loeschen() {
    QList<int> auswahl;
    for (int i = 0; i < zeilen_.size(); ++i)
        if (zeilen_[i].markiert) auswahl << i;
    if (auswahl.isEmpty()) {
        dialogs_.message(QStringLiteral("Es wurden keine Einträge ausgewählt."));
        return;
    }
    if (dialogs_.message(QStringLiteral("Möchten Sie die ausgewählten Einträge löschen?"), {}, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return;
    for (int i : auswahl) {
        if (zeilen_[i].idGast != 0)
            db_.execute(QStringLiteral("DELETE  From WeitereGäste") + QStringLiteral(" WHERE (((WeitereGäste.ID_Gast)=?));"),
                        {zeilen_[i].idGast});
        zeilen_[i] = GastZeile{{}, {}, {}, {}, {}, {}, kDeutschland};
    }
    dialogs_.message(QStringLiteral("Die Daten wurden gelöscht"));
}

void WeitereLogik::schliessen() {
    if (geaendert_ && dialogs_.message(QStringLiteral("Änderungen speichern?"), {}, Buttons::YesNo, Icon::Question) == Answer::Yes)
        speichern();
}

}  // namespace tav
