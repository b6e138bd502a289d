#include "plan/PlanModel.h"

#include <cmath>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/JetDate.h"
#include "engine/SqlText.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "store/Parameter.h"
#include "store/Zimmerliste.h"

namespace tav {

namespace {

const QString kHierBelegt = QStringLiteral("Hier besteht bereits eine Reservierung.");
const QString kWarteZeile = QStringLiteral(
    "Diese Zeile ist für vorläufige Reservierungen vorgesehen. Wählen Sie ein anderes Zimmer und speichern die "
    "Reservierung dann in der Warteposition.");
const QString kWarteTooltip = QStringLiteral("In dieser Zeile finden Sie alle noch nicht endgültigen Reservierungen.");

// Clears the re-entry guard however the evaluation ends.
struct Wache {
    bool& flag;
    explicit Wache(bool& f) : flag(f) { flag = true; }
    ~Wache() { flag = false; }
};

}  // namespace

// ---- Zelle ------------------------------------------------------------------------------

QString Zelle::datumText() const { return datum.isValid() ? dates::shortDate(datum) : QString(); }
QString Zelle::anreiseText() const { return anreise.isValid() ? dates::longDate(anreise) : QString(); }
QString Zelle::abreiseText() const { return abreise.isValid() ? dates::longDate(abreise) : QString(); }

// ---- PlanGeometrie ------------------------------------------------------------------------

int PlanGeometrie::px(int twips) { return int(std::lround(double(twips) / kTwipsProPixel)); }

int PlanGeometrie::spaltenX(int spalte) const { return links + px((spalte - 1) * kSpaltenBreite); }

int PlanGeometrie::zeilenY(int zeile) const { return oben + px((zeile - 1) * zeilenHoehe); }

int PlanGeometrie::zeilenPixel() const { return px(zeilenHoehe); }

QRect PlanGeometrie::zellRechteck(int zeile, int spalte) const {
    const int x = spaltenX(spalte);
    const int y = zeilenY(zeile);
    return QRect(x, y, spaltenX(spalte + 1) - x, px(zeilenHoehe - 60));
}

std::optional<QPoint> PlanGeometrie::zelleBei(QPoint p) const {
    if (p.x() < links || p.y() < oben) return std::nullopt;
    const int spalte = int((p.x() - links) * kTwipsProPixel / kSpaltenBreite) + 1;
    const int zeile = int((p.y() - oben) * kTwipsProPixel / zeilenHoehe) + 1;
    if (spalte < 1 || spalte > tage || zeile < 1 || zeile > zeilen) return std::nullopt;
    // The conversion above works in whole twips; settle on the pixel edges actually drawn.
    int s = spalte, z = zeile;
    if (s > 1 && p.x() < spaltenX(s)) --s;
    if (s < tage && p.x() >= spaltenX(s + 1)) ++s;
    if (z > 1 && p.y() < zeilenY(z)) --z;
    if (z < zeilen && p.y() >= zeilenY(z + 1)) ++z;
    return QPoint(s, z);
}

// ---- PlanModel ----------------------------------------------------------------------------

PlanModel::PlanModel(Database& db, Dialogs& dialogs, const Zimmerliste& rooms, PlanEinstellungen einstellungen)
    : db_(db),
      dialogs_(dialogs),
      rooms_(rooms),
      e_(std::move(einstellungen)),
      log_(e_.programmordner),
      aktualisieren_(e_.aktualisieren ? e_.aktualisieren : &eigenesFlag_),
      uebergabe_(e_.uebergabe ? e_.uebergabe : &eigeneUebergabe_) {
    if (e_.tage < 2) e_.tage = 2;
    if (e_.sichtbareZeilen < 1) e_.sichtbareZeilen = 1;
    if (e_.zeilenHoehe < 120) e_.zeilenHoehe = 320;
    zellen_.resize(size_t(zellenAnzahl()));
    start_ = Clock::current().today().addDays(-2);
}

int PlanModel::letztesErstesZimmer() const { return qMax(1, e_.raeume + 1 - e_.sichtbareZeilen + 1); }

int PlanModel::zimmerDerZeile(int zeile) const {
    if (zeile < 1 || zeile > bildschirmZeilen()) return 0;
    const int zimmer = zeile + erstesZimmer_ - 1;
    return zimmer <= e_.raeume + 1 ? zimmer : 0;
}

QString PlanModel::zeilenLabel(int zeile) const {
    const int zimmer = zimmerDerZeile(zeile);
    if (zimmer == 0) return {};
    if (const Zimmer* z = rooms_.byNumber(zimmer)) return z->label;
    if (zimmer == e_.raeume + 1) {
        for (const Zimmer& z : rooms_.rooms())
            if (z.letztes) return z.label;
    }
    return {};
}

QString PlanModel::zeilenTooltip(int zeile) const {
    const int zimmer = zimmerDerZeile(zeile);
    if (zimmer == 0) return {};
    if (zimmer == e_.raeume + 1) return kWarteTooltip;
    const Zimmer* z = rooms_.byNumber(zimmer);
    return z ? z->tooltip() : QString();
}

void PlanModel::zeigeFenster(QDate start) {
    // A failed read keeps the window shown before: its start, holidays and cells (the cells are
    // reset only once the bookings were read).
    const QDate vorher = start_;
    QHash<QDate, QString> feiertage = std::move(feiertage_);
    start_ = start;
    zahlstatusId_ = -1;
    auswahl_ = false;
    try {
        // Holidays first: the cell reset colours their nights.
        feiertage_.clear();
        Recordset ft = db_.openRecordset(QStringLiteral("SELECT tbFeiertage.FTBezeichnung, tbFeiertage.FTDatum From tbFeiertage "
                                                        " WHERE (((tbFeiertage.FTDatum)>=? And (tbFeiertage.FTDatum)<=? )); "),
                                         {start_, start_.addDays(e_.tage)});
        for (; !ft.eof(); ft.moveNext())
            feiertage_.insert(ft.value(QStringLiteral("FTDatum")).toDate(), ft.text(QStringLiteral("FTBezeichnung")));
        buchungenLaden();
    } catch (const DatabaseError&) {
        start_ = vorher;
        feiertage_ = std::move(feiertage);
        throw;
    }
}

void PlanModel::setErstesZimmer(int f) {
    erstesZimmer_ = qBound(1, f, letztesErstesZimmer());
    neuLaden();
}

void PlanModel::zellenZuruecksetzen() {
    const quint32 frei = e_.farbe(1);
    const quint32 samstag = e_.farbe(10);
    const quint32 sonntag = e_.farbe(11);
    // Colours per column: every row shares them.
    std::vector<quint32> spaltenFarbe(size_t(e_.tage) + 1);
    std::vector<QDate> morgen(size_t(e_.tage) + 1);
    for (int c = 1; c <= e_.tage; ++c) {
        const QDate d = morgenDerSpalte(c);
        morgen[size_t(c)] = d;
        quint32 f = frei;
        const int wt = d.dayOfWeek();
        if (wt == Qt::Saturday) f = samstag;
        if (wt == Qt::Sunday || feiertage_.contains(d)) f = sonntag;
        spaltenFarbe[size_t(c)] = f;
    }
    for (int i = 1; i <= zellenAnzahl(); ++i) {
        Zelle& z = zellen_[size_t(i - 1)];
        // Only a cell that held a booking has a record to clear.
        if (z.buchungId != 0) z = Zelle();
        z.gepunktet = false;
        z.ersterTag = false;
        z.markiert = false;
        const int c = spalteVonIndex(i);
        z.farbe = spaltenFarbe[size_t(c)];
        z.datum = morgen[size_t(c)];
    }
}

void PlanModel::buchungenLaden() {
    // The window's bookings: those that arrive up to the window's end and leave at the
    // earliest five days before its start. Only the fields a cell holds are read, and the two
    // dates are bound, so that every navigation reuses one prepared statement. The inner joins
    // leave out a booking without its room, its guest or its kind.
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbBelegArten.BelegungsID, tbBelegArten.BelegungsArt,"
                       " tblBelegung.ID, tblBelegung.Zimmernummer, tblBelegung.Von, tblBelegung.Bis, "
                       " tblBelegung.GastID, tblBelegung.Kürzel, tblBelegung.AnzahlGäste, "
                       " tblBelegung.Gelöscht, tblBelegung.Checked, tblBelegung.IDAdressRechnung, "
                       " Address.Firstname,Address.Lastname, "
                       " [tbZimmernummern].[AnzahlGästeDefault]-[tblBelegung].[AnzahlGäste] AS Diff "
                       " FROM ((tblBelegung INNER JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) "
                       " INNER JOIN Address ON tblBelegung.GastID = Address.ID) "
                       " INNER JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID "
                       " WHERE (((tblBelegung.Von)<=?) AND ((tblBelegung.Bis)>=?));"),
        {start_.addDays(e_.tage), start_.addDays(-5)});
    buchungsIds_.clear();
    if (!rs.eof()) {
        rs.moveLast();
        rs.moveFirst();
        buchungsIds_.reserve(rs.recordCount());
    }
    zellenZuruecksetzen();
    const int iId = rs.fieldIndex(QStringLiteral("ID"));
    const int iZimmer = rs.fieldIndex(QStringLiteral("Zimmernummer"));
    const int iVon = rs.fieldIndex(QStringLiteral("Von"));
    const int iBis = rs.fieldIndex(QStringLiteral("Bis"));
    const int iArt = rs.fieldIndex(QStringLiteral("BelegungsID"));
    const int iArtName = rs.fieldIndex(QStringLiteral("BelegungsArt"));
    const int iKuerzel = rs.fieldIndex(QStringLiteral("Kürzel"));
    const int iVorname = rs.fieldIndex(QStringLiteral("Firstname"));
    const int iNachname = rs.fieldIndex(QStringLiteral("Lastname"));
    const int iGast = rs.fieldIndex(QStringLiteral("GastID"));
    const int iRechnung = rs.fieldIndex(QStringLiteral("IDAdressRechnung"));
    const int iGaeste = rs.fieldIndex(QStringLiteral("AnzahlGäste"));
    const int iGeloescht = rs.fieldIndex(QStringLiteral("Gelöscht"));
    const int iChecked = rs.fieldIndex(QStringLiteral("Checked"));
    const int iDiff = rs.fieldIndex(QStringLiteral("Diff"));
    for (; !rs.eof(); rs.moveNext()) {
        PlanBuchung b;
        b.id = rs.value(iId).toInt();
        buchungsIds_ << b.id;
        b.zimmer = rs.value(iZimmer).toInt();
        b.von = rs.value(iVon).toDate();
        b.bis = rs.value(iBis).toDate();
        b.belegungsart = rs.value(iArt).toInt();
        b.belegungsArtName = rs.value(iArtName).toString();
        b.kuerzel = rs.value(iKuerzel).toString();
        b.vorname = rs.value(iVorname).toString();
        b.nachname = rs.value(iNachname).toString();
        b.gastId = rs.value(iGast).toInt();
        b.rechnungsAdresseId = rs.value(iRechnung).toInt();
        b.gaeste = rs.value(iGaeste).toInt();
        b.geloescht = rs.value(iGeloescht).toInt() != 0;
        b.eingecheckt = rs.value(iChecked).toInt() != 0;
        b.diff = rs.value(iDiff).toDouble();
        buchungMalen(b);
    }
}

void PlanModel::buchungMalen(const PlanBuchung& b) {
    if (b.zimmer > e_.raeume || !b.von.isValid() || !b.bis.isValid()) return;
    const int zeile = b.geloescht ? warteZeile() : zeileDesZimmers(b.zimmer);
    if (zeile < 1 || zeile > bildschirmZeilen()) return;
    const int D = e_.tage;
    const int zeilenAnfang = (zeile - 1) * D;
    const bool anreiseImFenster = b.von >= start_;
    const int erste = anreiseImFenster ? zeilenAnfang + int(start_.daysTo(b.von)) + 1 : zeilenAnfang + 1;
    // The departure day's night stays free for the next arrival.
    const int letzte = b.bis < start_.addDays(D - 1) ? zeilenAnfang + int(start_.daysTo(b.bis)) : zeilenAnfang + D - 1;
    if (erste > letzte) return;

    const quint32 basis = e_.hatTeilbelegt && b.diff > 0 ? e_.teilbelegtFarbe : e_.artFarbe(b.belegungsart);
    const quint32 erstFarbe = farbe::brighten(basis, e_.ersterTag);
    const bool angebot = b.belegungsArtName.compare(QLatin1String("angebot"), Qt::CaseInsensitive) == 0;
    const QString id = QString::number(b.id);
    for (int i = erste; i <= letzte; ++i) {
        Zelle& z = zellen_[size_t(i - 1)];
        const bool ersterTag = anreiseImFenster && i == erste;
        z.farbe = ersterTag ? erstFarbe : basis;
        z.ersterTag = ersterTag;
        z.gepunktet = b.eingecheckt;
        if (z.buchungId != 0) z.idListe = (z.idListe.isEmpty() ? QString::number(z.buchungId) : z.idListe) + QLatin1Char(',') + id;
        z.buchungId = b.id;
        z.kuerzel = b.kuerzel;
        z.vorname = b.vorname;
        z.nachname = b.nachname;
        z.gastId = b.gastId;
        z.rechnungsAdresseId = b.rechnungsAdresseId;
        z.gaeste = b.gaeste;
        z.anreise = b.von;
        z.abreise = b.bis;
        z.eingecheckt = b.eingecheckt;
        z.wartend = b.geloescht;
        z.angebot = angebot;
    }
}

QString PlanModel::feiertagAm(QDate d) const {
    if (d >= start_ && d <= start_.addDays(e_.tage)) return feiertage_.value(d);
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbFeiertage.FTBezeichnung, tbFeiertage.FTDatum From tbFeiertage  WHERE (((tbFeiertage.FTDatum)=? )); "),
        {d});
    return rs.eof() ? QString() : rs.text(QStringLiteral("FTBezeichnung"));
}

QDate PlanModel::verschiebe(QDate start, Schritt schritt) {
    switch (schritt) {
        case Schritt::TagZurueck: return start.addDays(-1);
        case Schritt::TagVor: return start.addDays(1);
        case Schritt::WocheZurueck: return start.addDays(-7);
        case Schritt::WocheVor: return start.addDays(7);
        case Schritt::MonatZurueck: return start.addMonths(-1);
        case Schritt::MonatVor: return start.addMonths(1);
        case Schritt::DreiMonateZurueck: return start.addMonths(-3);
        case Schritt::DreiMonateVor: return start.addMonths(3);
        case Schritt::Heute: return Clock::current().today().addDays(-2);
    }
    return start;
}

// ---- the mouse ----------------------------------------------------------------------------

QList<int> PlanModel::nachtBuchungen(int zeile, QDate tag, QString* ort) {
    // "DateDiff('d', Von, tag) >= 0 And DateDiff('d', Bis, tag) < 0" for whole days, written as
    // ranges so that the index on room and arrival answers it.
    QList<int> ids;
    int gast = 0;
    if (istWarteZeile(zeile)) {
        Recordset rs =
            db_.openRecordset(QStringLiteral("SELECT ID, BelegNummer_eigen, Von, Kürzel, Checked FROM tblBelegung WHERE Gelöscht = TRUE "
                                             " AND Von <= ? AND Bis > ? ORDER BY Von, ID;"),
                              {tag, tag});
        for (; !rs.eof(); rs.moveNext()) ids << rs.integer(QStringLiteral("ID"));
    } else {
        Recordset rs = db_.openRecordset(
            QStringLiteral(
                "SELECT ID, BelegNummer_eigen,Von, Bis, Kürzel, GastID, Checked, AnzahlGäste ,tblBelegung.Anz_Kinder FROM tblBelegung "
                "WHERE Zimmernummer = ? AND Gelöscht = FALSE   AND Von <= ? AND Bis > ?;"),
            {zimmerDerZeile(zeile), tag, tag});
        for (; !rs.eof(); rs.moveNext()) {
            ids << rs.integer(QStringLiteral("ID"));
            if (!gast) gast = rs.integer(QStringLiteral("GastID"));
        }
    }
    if (gast && ort) {
        Recordset a = db_.openRecordset(
            QStringLiteral(" SELECT Address.FirstName, Address.LastName, Address.City From Address WHERE (((Address.ID)=?));"), {gast});
        if (!a.eof()) *ort = a.text(QStringLiteral("City"));
    }
    return ids;
}

std::optional<MausStatus> PlanModel::mausBewegung(int zeile, int spalte) {
    if (laeuft_) return std::nullopt;
    Wache wache(laeuft_);
    log_.beginne();
    log_.schreibe("Mouse  ");
    try {
        return mausStatus(zeile, spalte);
    } catch (const DatabaseError&) {
        // A mouse move shows no box: the status stays empty, and the next move tries again.
        zahlstatusId_ = -1;
        log_.beende();
        return MausStatus{};
    }
}

MausStatus PlanModel::mausStatus(int zeile, int spalte) {
    MausStatus s;
    if (*aktualisieren_ == 1) {
        neuLaden();
        *aktualisieren_ = 0;
        s.aktualisiert = true;
        log_.schreibe("Aktualisieren wurde angefordert und ist durchgeführt ");
    }
    const int zimmer = zimmerDerZeile(zeile);
    if (zimmer == 0 || spalte < 1 || spalte > e_.tage) {
        log_.beende();
        return s;
    }
    s.zeile = zeile;
    s.spalte = spalte;
    s.index = zellIndex(zeile, spalte);
    log_.schreibe("Position des Cursers ermittelt  ");
    s.spalteText = QString::number(spalte);
    log_.schreibe("Tag eingetragen  ");
    s.zimmer = zimmer;
    s.zimmerText = zeilenLabel(zeile);
    log_.schreibe("Zimmer eingetragen  ");
    const QDate tag = tagDerSpalte(spalte);
    s.datum = dates::shortDate(tag);
    s.wochentag = dates::weekdayShort(tag);
    log_.schreibe("Datum eingetragen  ");
    s.feiertag = feiertagAm(tag);
    log_.schreibe("Feiertag ermittelt  ");

    const Zelle& z = zelle(s.index);
    if (z.belegt()) {
        s.buchungId = z.buchungId;
        s.gastId = z.gastId;
        s.rechnungsAdresseId = z.rechnungsAdresseId;
        s.hilfe = QStringLiteral("Reservierung vom: ") + z.anreiseText() + QStringLiteral(" bis: ") + z.abreiseText() +
                  QStringLiteral("  von ") + z.vorname + QLatin1Char(' ') + z.nachname + QLatin1Char('\n') +
                  QStringLiteral("Sie können die Reservierung mit der rechten Maustaste öffnen.");
        s.kuerzel = z.kuerzel + (z.eingecheckt ? QStringLiteral("/CH/") : QStringLiteral("/")) + QString::number(z.gaeste);
        log_.schreibe("Kürzel sichtbar  ");
        if (zahlstatusId_ != z.buchungId) {
            zahlstatus_ = zahlstatusDerBuchung(db_, z.buchungId);
            zahlstatusId_ = z.buchungId;
        }
        s.bezahlt = zahlstatus_;
        log_.schreibe("Zugehörige Markierung gesucht  ");
        log_.schreibe("Abfrage zusammengestellt  ");
        s.ueberhaenge = nachtBuchungen(zeile, tag, &s.gastOrt);
        log_.schreibe("Abfrage geöffnet  ");
        log_.schreibe("Überhänge eingefüllt  ");
    }
    log_.beende();
    return s;
}

bool PlanModel::istFreiFarbe(quint32 farbe) const { return farbe == e_.farbe(1) || farbe == e_.farbe(10) || farbe == e_.farbe(11); }

void PlanModel::auswahlAufheben() {
    auswahl_ = false;
    for (Zelle& z : zellen_) z.markiert = false;
}

bool PlanModel::druecken(int zeile, int spalte, bool linkeTaste) {
    if (zimmerDerZeile(zeile) == 0 || spalte < 1 || spalte > e_.tage) return false;
    anreise_ = tagDerSpalte(spalte);
    if (!linkeTaste) return false;
    auswahlAufheben();
    Zelle& z = zellen_[size_t(zellIndex(zeile, spalte) - 1)];
    if (!istFreiFarbe(z.farbe)) {
        dialogs_.message(kHierBelegt, QStringLiteral("Reservierung"), Buttons::Ok, Icon::Information);
        return false;
    }
    z.markiert = true;
    auswahl_ = true;
    auswahlZeile_ = zeile;
    auswahlSpalte_ = spalte;
    return true;
}

void PlanModel::ziehen(int zeile, int spalte) {
    if (!auswahl_ || zimmerDerZeile(zeile) == 0 || spalte < 1 || spalte > e_.tage) return;
    for (Zelle& z : zellen_) z.markiert = false;
    const int von = qMin(auswahlSpalte_, spalte);
    const int bis = qMax(auswahlSpalte_, spalte);
    for (int c = von; c <= bis; ++c) {
        Zelle& z = zellen_[size_t(zellIndex(zeile, c) - 1)];
        if (istFreiFarbe(z.farbe)) z.markiert = true;
    }
}

std::optional<Uebergabe> PlanModel::loslassen(int zeile, int spalte) {
    const bool hatteAuswahl = auswahl_;
    auswahlAufheben();
    if (!hatteAuswahl || zimmerDerZeile(zeile) == 0 || spalte < 1 || spalte > e_.tage) return std::nullopt;
    const Zelle& z = zelle(zeile, spalte);
    if (z.belegt()) {
        dialogs_.message(kHierBelegt, QStringLiteral("Reservierung"), Buttons::Ok, Icon::Information);
        neuLaden();
        return std::nullopt;
    }
    if (istWarteZeile(zeile)) {
        dialogs_.message(kWarteZeile);
        neuLaden();
        return std::nullopt;
    }
    QDate anreise = anreise_;
    QDate abreise = morgenDerSpalte(spalte);
    if (abreise <= anreise) {
        // Dragged to the left: the stay runs from the released night to the pressed one.
        abreise = anreise.addDays(1);
        anreise = tagDerSpalte(spalte);
    }
    Uebergabe u;
    u.anreise = anreise;
    u.abreise = abreise;
    u.neueBuchung = true;
    u.buchungId = 0;
    u.zweiterWert = 0;
    u.zimmerNummer = zimmerDerZeile(zeile);
    u.zimmerZeile = u.zimmerNummer;
    u.belegungsart = belegungsart_;
    *uebergabe_ = u;
    return u;
}

std::optional<KontextBuchung> PlanModel::rechtsLoslassen(int zeile, int spalte) {
    auswahlAufheben();
    if (zimmerDerZeile(zeile) == 0 || spalte < 1 || spalte > e_.tage) return std::nullopt;
    const Zelle& z = zelle(zeile, spalte);
    if (!z.belegt()) return std::nullopt;
    KontextBuchung k;
    k.tag = tagDerSpalte(spalte);
    k.angebot = z.angebot;
    k.kuerzel = z.kuerzel;
    if (istWarteZeile(zeile)) {
        // The waiting row is no room: the user is told so, and the menu still opens, so that a
        // waiting booking can be opened and moved to a room from there.
        dialogs_.message(kWarteZeile);
        k.warteZeile = true;
        Recordset rs = db_.openRecordset(
            QStringLiteral(
                "SELECT tblBelegung.ID, tblBelegung.GastID, tblBelegung.IDAdressRechnung FROM tblBelegung INNER JOIN Address ON tblBelegung.GastID = Address.ID WHERE "
                " (Gelöscht = TRUE and tblBelegung.Von <= ? and tblBelegung.Bis > ?) ORDER BY tblBelegung.Von, tblBelegung.ID"),
            {k.tag, k.tag});
        for (; !rs.eof(); rs.moveNext()) {
            const int id = rs.integer(QStringLiteral("ID"));
            k.warteBuchungen << id;
            if (id == z.buchungId || k.buchungId == 0) {
                k.buchungId = id;
                k.gastId = rs.integer(QStringLiteral("GastID"));
                k.rechnungsAdresseId = rs.integer(QStringLiteral("IDAdressRechnung"));
            }
        }
    } else {
        Recordset rs = db_.openRecordset(
            QStringLiteral(
                "SELECT tblBelegung.ID, tblBelegung.GastID, tblBelegung.IDAdressRechnung FROM tblBelegung INNER JOIN Address ON tblBelegung.GastID = Address.ID WHERE "
                " (Gelöscht = false and tblBelegung.ID = ?)"),
            {z.buchungId});
        if (!rs.eof()) {
            k.buchungId = rs.integer(QStringLiteral("ID"));
            k.gastId = rs.integer(QStringLiteral("GastID"));
            k.rechnungsAdresseId = rs.integer(QStringLiteral("IDAdressRechnung"));
        }
    }
    if (k.buchungId == 0) {
        // Changed on another workstation since the plan was drawn.
        neuLaden();
        return std::nullopt;
    }
    return k;
}

Uebergabe PlanModel::oeffnen(const KontextBuchung& k) {
    Uebergabe u;
    u.neueBuchung = false;
    u.buchungId = k.buchungId;
    if (k.warteZeile) {
        u.warteTag = k.tag;
        u.warteBuchungen = k.warteBuchungen;
    }
    *uebergabe_ = u;
    return u;
}

Uebergabe PlanModel::neueReservierungOhneZimmer() {
    Uebergabe u;
    const QDate heute = Clock::current().today();
    u.anreise = heute;
    u.abreise = heute.addDays(1);
    u.neueBuchung = true;
    u.zimmerZeile = 0;
    u.zimmerNummer = 0;
    u.belegungsart = belegungsart_;
    *uebergabe_ = u;
    return u;
}

bool PlanModel::timerTick() {
    if (++zaehler_ < 5) return false;
    zaehler_ = 0;
    return true;
}

QList<PlanModel::DruckBeschriftung> PlanModel::druckBeschriftungen() {
    const QString s = sqltext::quotedGermanDate(start_);
    const QString d = QString::number(e_.tage);
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT Kürzel, Zimmernummer, Von, Gelöscht FROM tblBelegung WHERE ") +
                                     QStringLiteral("(Von BETWEEN CVDATE(") + s + QStringLiteral(") AND DATEADD('d',") + d +
                                     QStringLiteral(",CVDATE(") + s + QStringLiteral("))) OR ") + QStringLiteral("(Bis BETWEEN CVDATE(") +
                                     s + QStringLiteral(") AND DATEADD('d',") + d + QStringLiteral(",CVDATE(") + s + QStringLiteral(")))"));
    QList<DruckBeschriftung> out;
    for (; !rs.eof(); rs.moveNext()) {
        const int zimmer = rs.integer(QStringLiteral("Zimmernummer"));
        if (zimmer > e_.raeume) continue;
        const int zeile = rs.yes(QStringLiteral("Gelöscht")) ? warteZeile() : zeileDesZimmers(zimmer);
        if (zeile < 1 || zeile > bildschirmZeilen()) continue;
        const QDate von = rs.value(QStringLiteral("Von")).toDate();
        // A booking that began before the window starts on column 1; column D never shows one.
        const int spalte = qMax(1, int(start_.daysTo(von)) + 1);
        if (spalte > e_.tage - 1) continue;
        out.push_back({zeile, spalte, rs.text(QStringLiteral("Kürzel"))});
    }
    return out;
}

QList<PlanModel::LegendenEintrag> PlanModel::legende() const {
    QList<LegendenEintrag> out;
    for (int i = 1; i <= 9; ++i) {
        const QString name = i <= e_.belegungsartNamen.size() ? e_.belegungsartNamen[i - 1].trimmed() : QString();
        if (name.isEmpty()) continue;
        out.push_back({i, name, e_.farbe(i)});
    }
    return out;
}

}  // namespace tav
