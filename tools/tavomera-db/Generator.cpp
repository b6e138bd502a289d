#include "Generator.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Clock.h"
#include "store/Datenbankdateien.h"
#include "store/Erstausstattung.h"

namespace tav::generator {

namespace {

// splitmix64: the same numbers on every platform and compiler, unlike the std distributions.
class Random {
public:
    explicit Random(quint64 seed) : state_(seed ^ 0x5DEECE66DULL) {}
    quint64 next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }  // inclusive
    double unit() { return double(next() >> 11) / 9007199254740992.0; }
    bool chance(double p) { return unit() < p; }
    template <class T>
    const T& pick(const QList<T>& list) {
        return list[below(int(list.size()))];
    }
    // An index drawn with the given weights.
    int weighted(const QList<int>& weights) {
        int total = 0;
        for (int w : weights) total += w;
        int r = below(total);
        for (int i = 0; i < weights.size(); ++i) {
            if (r < weights[i]) return i;
            r -= weights[i];
        }
        return int(weights.size()) - 1;
    }

private:
    quint64 state_;
};

// ---- names, streets, towns -----------------------------------------------------------

const QStringList kLastNames = {
    QStringLiteral("Müller"),   QStringLiteral("Schmidt"),  QStringLiteral("Schneider"),  QStringLiteral("Fischer"),
    QStringLiteral("Weber"),    QStringLiteral("Meyer"),    QStringLiteral("Wagner"),     QStringLiteral("Becker"),
    QStringLiteral("Schulz"),   QStringLiteral("Hoffmann"), QStringLiteral("Schäfer"),    QStringLiteral("Koch"),
    QStringLiteral("Bauer"),    QStringLiteral("Richter"),  QStringLiteral("Klein"),      QStringLiteral("Wolf"),
    QStringLiteral("Schröder"), QStringLiteral("Neumann"),  QStringLiteral("Schwarz"),    QStringLiteral("Zimmermann"),
    QStringLiteral("Braun"),    QStringLiteral("Krüger"),   QStringLiteral("Hofmann"),    QStringLiteral("Hartmann"),
    QStringLiteral("Lange"),    QStringLiteral("Schmitt"),  QStringLiteral("Werner"),     QStringLiteral("Schmitz"),
    QStringLiteral("Krause"),   QStringLiteral("Meier"),    QStringLiteral("Lehmann"),    QStringLiteral("Schmid"),
    QStringLiteral("Schulze"),  QStringLiteral("Maier"),    QStringLiteral("Köhler"),     QStringLiteral("Herrmann"),
    QStringLiteral("König"),    QStringLiteral("Walter"),   QStringLiteral("Mayer"),      QStringLiteral("Huber"),
    QStringLiteral("Kaiser"),   QStringLiteral("Fuchs"),    QStringLiteral("Peters"),     QStringLiteral("Lang"),
    QStringLiteral("Scholz"),   QStringLiteral("Möller"),   QStringLiteral("Weiß"),       QStringLiteral("Jung"),
    QStringLiteral("Hahn"),     QStringLiteral("Schubert"), QStringLiteral("Vogel"),      QStringLiteral("Friedrich"),
    QStringLiteral("Keller"),   QStringLiteral("Günther"),  QStringLiteral("Frank"),      QStringLiteral("Berger"),
    QStringLiteral("Winkler"),  QStringLiteral("Roth"),     QStringLiteral("Beck"),       QStringLiteral("Lorenz"),
    QStringLiteral("Baumann"),  QStringLiteral("Franke"),   QStringLiteral("Albrecht"),   QStringLiteral("Schuster"),
    QStringLiteral("Simon"),    QStringLiteral("Ludwig"),   QStringLiteral("Böhm"),       QStringLiteral("Winter"),
    QStringLiteral("Kraus"),    QStringLiteral("Martin"),   QStringLiteral("Schumacher"), QStringLiteral("Krämer"),
    QStringLiteral("Vogt"),     QStringLiteral("Stein"),    QStringLiteral("Jäger"),      QStringLiteral("Otto"),
    QStringLiteral("Sommer"),   QStringLiteral("Groß"),     QStringLiteral("Seidel"),     QStringLiteral("Heinrich"),
    QStringLiteral("Brandt"),   QStringLiteral("Haas"),     QStringLiteral("Schreiber"),  QStringLiteral("Graf"),
    QStringLiteral("Schulte"),  QStringLiteral("Dietrich"), QStringLiteral("Ziegler"),    QStringLiteral("Kuhn"),
    QStringLiteral("Kühn"),     QStringLiteral("Pohl"),     QStringLiteral("Engel"),      QStringLiteral("Horn"),
    QStringLiteral("Busch"),    QStringLiteral("Bergmann"), QStringLiteral("Thomas"),     QStringLiteral("Voigt"),
    QStringLiteral("Sauer"),    QStringLiteral("Arnold"),   QStringLiteral("Wolff"),      QStringLiteral("Pfeiffer"),
    QStringLiteral("Özdemir"),  QStringLiteral("Yılmaz"),   QStringLiteral("Nowak"),      QStringLiteral("Kowalski"),
    QStringLiteral("de Vries"), QStringLiteral("Gruber"),   QStringLiteral("Steiner"),    QStringLiteral("Moser"),
};

const QStringList kWomen = {
    QStringLiteral("Anna"),    QStringLiteral("Maria"),     QStringLiteral("Ursula"),    QStringLiteral("Monika"),
    QStringLiteral("Petra"),   QStringLiteral("Elisabeth"), QStringLiteral("Sabine"),    QStringLiteral("Renate"),
    QStringLiteral("Helga"),   QStringLiteral("Karin"),     QStringLiteral("Brigitte"),  QStringLiteral("Ingrid"),
    QStringLiteral("Erika"),   QStringLiteral("Andrea"),    QStringLiteral("Gisela"),    QStringLiteral("Claudia"),
    QStringLiteral("Susanne"), QStringLiteral("Gabriele"),  QStringLiteral("Christa"),   QStringLiteral("Jutta"),
    QStringLiteral("Birgit"),  QStringLiteral("Julia"),     QStringLiteral("Katharina"), QStringLiteral("Laura"),
    QStringLiteral("Lena"),    QStringLiteral("Sophie"),    QStringLiteral("Frieda"),    QStringLiteral("Hannah"),
    QStringLiteral("Marie"),   QStringLiteral("Lea"),       QStringLiteral("Sarah"),     QStringLiteral("Jana"),
    QStringLiteral("Doris"),   QStringLiteral("Bärbel"),    QStringLiteral("Käthe"),     QStringLiteral("Jördis"),
};

const QStringList kMen = {
    QStringLiteral("Peter"),    QStringLiteral("Michael"),   QStringLiteral("Thomas"),     QStringLiteral("Andreas"),
    QStringLiteral("Wolfgang"), QStringLiteral("Klaus"),     QStringLiteral("Jürgen"),     QStringLiteral("Günter"),
    QStringLiteral("Stefan"),   QStringLiteral("Christian"), QStringLiteral("Uwe"),        QStringLiteral("Werner"),
    QStringLiteral("Horst"),    QStringLiteral("Frank"),     QStringLiteral("Dieter"),     QStringLiteral("Manfred"),
    QStringLiteral("Gerhard"),  QStringLiteral("Hans"),      QStringLiteral("Bernd"),      QStringLiteral("Torsten"),
    QStringLiteral("Matthias"), QStringLiteral("Markus"),    QStringLiteral("Jörg"),       QStringLiteral("Lukas"),
    QStringLiteral("Jonas"),    QStringLiteral("Felix"),     QStringLiteral("Maximilian"), QStringLiteral("Paul"),
    QStringLiteral("Leon"),     QStringLiteral("Tim"),       QStringLiteral("Björn"),      QStringLiteral("Sönke"),
    QStringLiteral("Can"),      QStringLiteral("Ralf"),      QStringLiteral("Holger"),     QStringLiteral("Rüdiger"),
};

const QStringList kStreets = {
    QStringLiteral("Hauptstraße"),  QStringLiteral("Schulstraße"),   QStringLiteral("Gartenstraße"),  QStringLiteral("Bahnhofstraße"),
    QStringLiteral("Dorfstraße"),   QStringLiteral("Bergstraße"),    QStringLiteral("Birkenweg"),     QStringLiteral("Lindenstraße"),
    QStringLiteral("Kirchstraße"),  QStringLiteral("Waldstraße"),    QStringLiteral("Ringstraße"),    QStringLiteral("Schillerstraße"),
    QStringLiteral("Goethestraße"), QStringLiteral("Wiesenweg"),     QStringLiteral("Am Markt"),      QStringLiteral("Mühlenweg"),
    QStringLiteral("Rosenstraße"),  QStringLiteral("Feldstraße"),    QStringLiteral("Buchenweg"),     QStringLiteral("Friedhofstraße"),
    QStringLiteral("Mozartstraße"), QStringLiteral("Jahnstraße"),    QStringLiteral("Lessingstraße"), QStringLiteral("Am Sportplatz"),
    QStringLiteral("Königsallee"),  QStringLiteral("Große Bleiche"), QStringLiteral("Zur Höhe"),      QStringLiteral("Talstraße"),
    QStringLiteral("Uferweg"),      QStringLiteral("Parkstraße"),
};

struct Town {
    const char* plz;
    const char* name;
    int land;  // tbLänder.ID
};

const Town kTowns[] = {
    {"10115", "Berlin", 1},
    {"20095", "Hamburg", 1},
    {"80331", "München", 1},
    {"50667", "Köln", 1},
    {"60311", "Frankfurt am Main", 1},
    {"70173", "Stuttgart", 1},
    {"40213", "Düsseldorf", 1},
    {"44135", "Dortmund", 1},
    {"45127", "Essen", 1},
    {"04109", "Leipzig", 1},
    {"28195", "Bremen", 1},
    {"01067", "Dresden", 1},
    {"30159", "Hannover", 1},
    {"90403", "Nürnberg", 1},
    {"47051", "Duisburg", 1},
    {"44787", "Bochum", 1},
    {"42103", "Wuppertal", 1},
    {"33602", "Bielefeld", 1},
    {"53111", "Bonn", 1},
    {"48143", "Münster", 1},
    {"76133", "Karlsruhe", 1},
    {"68159", "Mannheim", 1},
    {"86150", "Augsburg", 1},
    {"65183", "Wiesbaden", 1},
    {"41061", "Mönchengladbach", 1},
    {"45879", "Gelsenkirchen", 1},
    {"38100", "Braunschweig", 1},
    {"24103", "Kiel", 1},
    {"52062", "Aachen", 1},
    {"06108", "Halle (Saale)", 1},
    {"39104", "Magdeburg", 1},
    {"79098", "Freiburg im Breisgau", 1},
    {"47798", "Krefeld", 1},
    {"23552", "Lübeck", 1},
    {"46045", "Oberhausen", 1},
    {"99084", "Erfurt", 1},
    {"55116", "Mainz", 1},
    {"18055", "Rostock", 1},
    {"34117", "Kassel", 1},
    {"58095", "Hagen", 1},
    {"66111", "Saarbrücken", 1},
    {"59065", "Hamm", 1},
    {"14467", "Potsdam", 1},
    {"67059", "Ludwigshafen am Rhein", 1},
    {"26122", "Oldenburg", 1},
    {"49074", "Osnabrück", 1},
    {"51373", "Leverkusen", 1},
    {"69117", "Heidelberg", 1},
    {"93047", "Regensburg", 1},
    {"85049", "Ingolstadt", 1},
    {"97070", "Würzburg", 1},
    {"89073", "Ulm", 1},
    {"74072", "Heilbronn", 1},
    {"75175", "Pforzheim", 1},
    {"37073", "Göttingen", 1},
    {"96047", "Bamberg", 1},
    {"83022", "Rosenheim", 1},
    {"87435", "Kempten (Allgäu)", 1},
    {"78462", "Konstanz", 1},
    {"88212", "Ravensburg", 1},
    {"94032", "Passau", 1},
    {"82467", "Garmisch-Partenkirchen", 1},
    {"17489", "Greifswald", 1},
    {"25980", "Sylt", 1},
    {"1010", "Wien", 2},
    {"5020", "Salzburg", 2},
    {"6020", "Innsbruck", 2},
    {"8010", "Graz", 2},
    {"8001", "Zürich", 3},
    {"3011", "Bern", 3},
    {"4051", "Basel", 3},
    {"1012", "Amsterdam", 4},
};

const char* const kCompanies[] = {"Reisebüro Sonnenschein GmbH", "Müller & Söhne KG",        "Bauer Maschinenbau AG",
                                  "Kanzlei Richter und Partner", "Weber Logistik GmbH",      "Stadtwerke Nordheim",
                                  "Krüger Elektrotechnik",       "Verein der Freunde e. V.", "Ärztehaus am Park"};

struct Article {
    const char* name;
    double price;
    int vatKey;  // tbSteuerschluessel
    const char* remark;
    bool noDate;
};

// Keys: 1 = 19 %, 2 = 7 % (the standard rate of nights), 3 = 16 % (until 2006, successor 1).
const Article kArticles[] = {
    {"Minibar", 3.5, 1, "Getränke aus der Minibar", false},
    {"Parkplatz", 8.0, 1, "pro Nacht", false},
    {"Frühstück", 12.5, 1, "Frühstücksbuffet", false},
    {"Sauna", 15.0, 1, "pro Besuch", false},
    {"Hund", 10.0, 1, "pro Nacht", false},
    {"Wäscheservice", 6.0, 1, nullptr, false},
    {"Kurtaxe", 2.5, 2, "pro Person und Nacht", true},
    {"Fahrradverleih", 12.0, 1, "pro Tag", false},
};

struct RoomKind {
    const char* text;
    int guests;
    double price;
};

const RoomKind kRoomKinds[] = {
    {"Einzelzimmer mit Dusche und WC", 1, 59.0},
    {"Doppelzimmer mit Bad", 2, 89.0},
    {"Doppelzimmer mit Dusche", 2, 79.0},
    {"Dreibettzimmer mit Dusche", 3, 109.0},
    {"Appartement mit Küche", 4, 129.0},
    {"Suite mit Balkon", 2, 159.0},
    {"Einzelzimmer", 1, 49.0},
    {"Familienzimmer", 4, 139.0},
};

// Occupancy aimed at per month, January first: about 70 % over the year.
const double kOccupancy[12] = {0.55, 0.60, 0.62, 0.68, 0.72, 0.80, 0.88, 0.90, 0.78, 0.70, 0.55, 0.62};
// Nights 1 … 14 and how often they are booked.
const QList<int> kStayWeights = {14, 18, 16, 12, 9, 7, 10, 3, 2, 3, 1, 1, 1, 3};

QString transliterate(const QString& s) {
    QString out;
    for (QChar c : s.toLower()) {
        switch (c.unicode()) {
            case 0xE4: out += QStringLiteral("ae"); break;
            case 0xF6: out += QStringLiteral("oe"); break;
            case 0xFC: out += QStringLiteral("ue"); break;
            case 0xDF: out += QStringLiteral("ss"); break;
            case 0x131: out += QLatin1Char('i'); break;
            case ' ': break;
            default:
                if (c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-'))) out += c;
        }
    }
    return out;
}

QDate easterSunday(int year) {
    // Anonymous Gregorian algorithm.
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QList<QPair<QString, QDate>> holidays(int year) {
    const QDate easter = easterSunday(year);
    return {
        {QStringLiteral("Neujahr"), QDate(year, 1, 1)},
        {QStringLiteral("Heilige Drei Könige"), QDate(year, 1, 6)},
        {QStringLiteral("Karfreitag"), easter.addDays(-2)},
        {QStringLiteral("Ostermontag"), easter.addDays(1)},
        {QStringLiteral("Tag der Arbeit"), QDate(year, 5, 1)},
        {QStringLiteral("Christi Himmelfahrt"), easter.addDays(39)},
        {QStringLiteral("Pfingstmontag"), easter.addDays(50)},
        {QStringLiteral("Fronleichnam"), easter.addDays(60)},
        {QStringLiteral("Tag der Deutschen Einheit"), QDate(year, 10, 3)},
        {QStringLiteral("Allerheiligen"), QDate(year, 11, 1)},
        {QStringLiteral("1. Weihnachtstag"), QDate(year, 12, 25)},
        {QStringLiteral("2. Weihnachtstag"), QDate(year, 12, 26)},
    };
}

// The season of a night and its price factor: Hauptsaison in summer, Sondersaison over the
// turn of the year, Nebensaison in the quiet months.
struct Season {
    QString name;
    QDate start;
    QDate end;
};

QList<Season> seasonsOf(int year) {
    return {
        {QStringLiteral("Nebensaison"), QDate(year, 1, 7), QDate(year, 4, 1)},
        {QStringLiteral("Zwischensaison"), QDate(year, 4, 1), QDate(year, 6, 1)},
        {QStringLiteral("Hauptsaison"), QDate(year, 6, 1), QDate(year, 9, 15)},
        {QStringLiteral("Zwischensaison"), QDate(year, 9, 15), QDate(year, 11, 1)},
        {QStringLiteral("Nebensaison"), QDate(year, 11, 1), QDate(year, 12, 20)},
        {QStringLiteral("Sondersaison"), QDate(year, 12, 20), QDate(year + 1, 1, 7)},
    };
}

double seasonFactor(const QString& season) {
    if (season == QLatin1String("Hauptsaison")) return 1.2;
    if (season == QLatin1String("Nebensaison")) return 0.9;
    if (season == QLatin1String("Sondersaison")) return 1.4;
    return 1.0;
}

QString seasonOf(const QDate& night) {
    // 1 … 6 January belong to the Sondersaison that began in December.
    const int year = night.month() == 1 && night.day() < 7 ? night.year() - 1 : night.year();
    for (const Season& s : seasonsOf(year))
        if (night >= s.start && night < s.end) return s.name;
    return QString();
}

double round2(double x) { return std::round(x * 100.0) / 100.0; }

QVariant nullable(const QString& s) { return s.isEmpty() ? QVariant() : QVariant(s); }

// ---- the generated rows ----------------------------------------------------------------

struct Room {
    int number;
    QString label;
    const RoomKind* kind;
    bool smoker;
    QVariant zusatz1, zusatz2;
};

struct Guest {
    int id;
    QString last, first, company;
    bool regular = false;
};

struct Booking {
    int id = 0;
    int room = 0;
    QDate von, bis;
    QDate created;
    int guest = 0;
    int invoiceAddress = 0;  // 0 = the guest's own
    int kind = 1;
    int guests = 1, children = 0;
    bool breakfast = true, lunch = false, dinner = false;
    double pricePerNight = 0, price = 0;
    bool waiting = false;
    QString info;
};

class Generator {
public:
    Generator(Database& db, const Options& o, QDate from, QDate until, QDate today)
        : db_(db), o_(o), rng_(o.seed), from_(from), until_(until), today_(today) {}

    Summary run() {
        Summary s;
        s.from = from_;
        s.until = until_;
        lookups();
        rooms();
        s.rooms = int(rooms_.size());
        bookings();
        s.bookings = int(bookings_.size());
        for (const Booking& b : bookings_)
            if (b.waiting) ++s.waiting;
        s.addresses = int(guests_.size());
        documents(s);
        settings();
        return s;
    }

private:
    Database& db_;
    Options o_;
    Random rng_;
    QDate from_, until_, today_;
    QList<Room> rooms_;
    QList<Guest> guests_;
    QList<int> regulars_;
    QList<Booking> bookings_;

    int exec(const QString& sql, const QVariantList& params) { return db_.execute(sql, params); }

    void lookups() {
        const QStringList countries = {QStringLiteral("Deutschland"), QStringLiteral("Österreich"), QStringLiteral("Schweiz"),
                                       QStringLiteral("Niederlande"), QStringLiteral("Frankreich"), QStringLiteral("Italien")};
        const QStringList keys = {QStringLiteral("D"),  QStringLiteral("A"), QStringLiteral("CH"),
                                  QStringLiteral("NL"), QStringLiteral("F"), QStringLiteral("I")};
        for (int i = 0; i < countries.size(); ++i)
            exec(QStringLiteral("INSERT INTO tbLänder (ID, Länder, LänderSchlüssel) VALUES (?, ?, ?)"), {i + 1, countries[i], keys[i]});
        int n = 0;
        for (const char* a : {"Frau", "Herr", "Familie", "Firma", "Dr."})
            exec(QStringLiteral("INSERT INTO tbAnreden (IDAnrede, Anrede) VALUES (?, ?)"), {++n, QString::fromUtf8(a)});
        n = 0;
        for (const char* k : {"Visa", "Mastercard", "American Express"})
            exec(QStringLiteral("INSERT INTO tbKreditkarte (IDKreditkarte, Kreditkarte) VALUES (?, ?)"), {++n, QString::fromUtf8(k)});
        for (const char* z : {"Bar", "EC-Karte", "Kreditkarte", "Überweisung", "Rechnung"})
            exec(QStringLiteral("INSERT INTO tbZahlart (Zahlarten) VALUES (?)"), {QString::fromUtf8(z)});
        for (const char* k : {"Gruppe", "Firma", "Verein"})
            exec(QStringLiteral("INSERT INTO tbKategorie (blKategorie) VALUES (?)"), {QString::fromUtf8(k)});
        const char* kinds[] = {"Frei", "Reservierung", "Stammgast", "Tresen", "Angebot", "Gruppe", "teilbelegt", nullptr, nullptr};
        for (int i = 0; i < 9; ++i)
            exec(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"),
                 {i, kinds[i] ? QVariant(QString::fromUtf8(kinds[i])) : QVariant()});
        exec(QStringLiteral(
                 "INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe, Spalte) VALUES (1, 'B', 'Balkon', 8454143, 1)"),
             {});
        exec(QStringLiteral(
                 "INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe, Spalte) VALUES (2, 'S', 'Seeblick', 16744448, 1)"),
             {});
        exec(
            QStringLiteral(
                "INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe, Spalte) VALUES (3, 'R', 'rollstuhlgerecht', 8421631, 2)"),
            {});
        exec(QStringLiteral(
                 "INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe, Spalte) VALUES (4, 'H', 'Hund erlaubt', 12632256, 2)"),
             {});
        exec(QStringLiteral("INSERT INTO TblHilfeDarstellung (WahrNichtWahr, Beschreibung) VALUES (False, 'Nein')"), {});
        exec(QStringLiteral("INSERT INTO TblHilfeDarstellung (WahrNichtWahr, Beschreibung) VALUES (True, 'Ja')"), {});
        // VAT: 19 % for extras, 7 % for nights, and the 16 % that 19 % followed.
        exec(QStringLiteral(
                 "INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, GUeltigseit, GUeltigBis, Standard, IDNachfolger) "
                 "VALUES (1, 19, #01-01-2007#, Null, False, Null)"),
             {});
        exec(QStringLiteral(
                 "INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, GUeltigseit, GUeltigBis, Standard, IDNachfolger) "
                 "VALUES (2, 7, Null, Null, True, Null)"),
             {});
        exec(QStringLiteral(
                 "INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, GUeltigseit, GUeltigBis, Standard, IDNachfolger) "
                 "VALUES (3, 16, Null, #12-31-2006#, False, 1)"),
             {});
        n = 0;
        for (const Article& a : kArticles)
            exec(QStringLiteral("INSERT INTO tbArtKategorie (IDArtKategorie, ArtKategorie, Preis, MWST_SL, Bem_ArtKategorie, KeinDatum) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {++n, QString::fromUtf8(a.name), a.price, a.vatKey, a.remark ? QVariant(QString::fromUtf8(a.remark)) : QVariant(),
                  a.noDate});
        for (const char* r : {"Stammkundenrabatt", "Gruppenrabatt", "Frühbucherrabatt"})
            exec(QStringLiteral("INSERT INTO tbRabatt_text (Rabatt_Text) VALUES (?)"), {QString::fromUtf8(r)});
        for (double r : {5.0, 10.0, 20.0, 50.0}) exec(QStringLiteral("INSERT INTO tbRabatt_betrag (Rabatt_betrag) VALUES (?)"), {r});
        // Seasons of every year of the history, and the holidays.
        for (int year = from_.year() - 1; year <= until_.year(); ++year) {
            for (const Season& s : seasonsOf(year)) {
                if (s.end <= from_ || s.start > until_.addDays(1)) continue;
                exec(QStringLiteral("INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES (?, ?, ?)"),
                     {s.name, s.start, s.end});
            }
        }
        int h = 0;
        for (int year = from_.year(); year <= until_.year() + 1; ++year)
            for (const auto& [name, day] : holidays(year))
                exec(QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (?, ?, ?)"), {++h, name, day});
    }

    void rooms() {
        // Floors of up to 20 rooms: 101 … 120, 201 …
        for (int i = 1; i <= o_.rooms; ++i) {
            Room r;
            r.number = i;
            r.label = QString::number(((i - 1) / 20 + 1) * 100 + (i - 1) % 20 + 1);
            r.kind = &kRoomKinds[rng_.weighted({3, 6, 5, 2, 1, 1, 2, 1})];
            r.smoker = rng_.chance(0.1);
            if (rng_.chance(0.4)) r.zusatz1 = rng_.between(1, 2);
            if (rng_.chance(0.25)) r.zusatz2 = rng_.between(3, 4);
            rooms_ << r;
            const double p = r.kind->price;
            exec(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen, Raucher, Zusatz1, Zusatz2, "
                                "AnzahlGästeDefault, PreisDefault, PreisHauptsaison, PreisZwischensaison, PreisNebensaison, "
                                "PreisSondersaison, KatBlockbuchung) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {i, r.label, QString::fromUtf8(r.kind->text), r.smoker, r.zusatz1, r.zusatz2, r.kind->guests, p,
                  round2(p * seasonFactor(QStringLiteral("Hauptsaison"))), p, round2(p * seasonFactor(QStringLiteral("Nebensaison"))),
                  round2(p * seasonFactor(QStringLiteral("Sondersaison"))), r.kind->guests >= 3 ? QStringLiteral("Gruppe") : QString()});
        }
        // The waiting row is the room after the last.
        exec(
            QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen, Raucher, AnzahlGästeDefault, PreisDefault) "
                           "VALUES (?, 'Vorläufig', 'nimmt alle Reservierungen auf, die noch nicht sicher sind.', False, 1, 0)"),
            {o_.rooms + 1});
        QStringList tariffs;
        for (const RoomKind& k : kRoomKinds) {
            const QString t = QLocale(QLocale::German, QLocale::Germany).toString(k.price, 'f', 2);
            if (!tariffs.contains(t)) tariffs << t;
        }
        for (const QString& t : tariffs) exec(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES (?)"), {t});
    }

    Guest newGuest(const QDate& created, bool regular) {
        Guest g;
        g.id = int(guests_.size()) + 1;
        g.regular = regular;
        g.last = rng_.pick(kLastNames);
        const bool woman = rng_.chance(0.5);
        g.first = rng_.chance(0.03) ? QString() : (woman ? rng_.pick(kWomen) : rng_.pick(kMen));
        const Town& town = kTowns[rng_.below(int(std::size(kTowns)))];
        const QString street = rng_.pick(kStreets) + QLatin1Char(' ') + QString::number(rng_.between(1, 120)) +
                               (rng_.chance(0.1) ? QStringLiteral("a") : QString());
        const QString salutation = g.first.isEmpty() ? QStringLiteral("Familie") : woman ? QStringLiteral("Frau") : QStringLiteral("Herr");
        const int salutationId = g.first.isEmpty() ? 3 : woman ? 1 : 2;
        const QString mail =
            transliterate(g.first) + (g.first.isEmpty() ? QString() : QStringLiteral(".")) + transliterate(g.last) + QLatin1Char('@') +
            rng_.pick(QStringList{QStringLiteral("example.de"), QStringLiteral("example.com"), QStringLiteral("example.org")});
        const QString phone =
            QLatin1Char('0') + QString::number(rng_.between(30, 9999)) + QLatin1Char('-') + QString::number(rng_.between(10000, 9999999));
        const QStringList countryNames = {QStringLiteral("Deutschland"), QStringLiteral("Österreich"), QStringLiteral("Schweiz"),
                                          QStringLiteral("Niederlande")};
        exec(QStringLiteral("INSERT INTO Address (ID, Lastname, Firstname, Address, postalcode, city, Country, IDLand, phone, "
                            "[Tele-Fax], EMAIL, Anrede, IDAnrede, OwnerID, WerErstellt, WannErstellt, WerGeändert, WannGeändert, "
                            "BenutztVon1, Herkunft1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'Rezeption', ?, 'Rezeption', ?, "
                            "'Tavomera', 'Tavomera')"),
             {g.id, g.last, nullable(g.first), street, QString::fromLatin1(town.plz), QString::fromUtf8(town.name),
              countryNames[town.land - 1], town.land, phone, rng_.chance(0.15) ? QVariant(phone + QStringLiteral("9")) : QVariant(),
              rng_.chance(0.8) ? QVariant(mail) : QVariant(), salutation, salutationId, regular ? 1 : 0, created, created});
        guests_ << g;
        return g;
    }

    int companyAddress(const QDate& created) {
        Guest g;
        g.id = int(guests_.size()) + 1;
        g.company = QString::fromUtf8(kCompanies[rng_.below(int(std::size(kCompanies)))]);
        g.last = g.company;
        const Town& town = kTowns[rng_.below(int(std::size(kTowns)))];
        exec(QStringLiteral(
                 "INSERT INTO Address (ID, Lastname, CompanyName, Address, postalcode, city, Country, IDLand, Anrede, IDAnrede, "
                 "OwnerID, WerErstellt, WannErstellt) VALUES (?, ?, ?, ?, ?, ?, 'Deutschland', 1, 'Firma', 4, 0, 'Rezeption', ?)"),
             {g.id, g.company, g.company, rng_.pick(kStreets) + QStringLiteral(" 1"), QString::fromLatin1(town.plz),
              QString::fromUtf8(town.name), created});
        guests_ << g;
        return g.id;
    }

    // About one new address per two bookings; regular guests come back more often.
    int guestFor(const QDate& created) {
        if (guests_.isEmpty() || rng_.chance(0.5)) {
            const Guest g = newGuest(created, rng_.chance(0.1));
            if (g.regular) regulars_ << g.id;
            return g.id;
        }
        if (!regulars_.isEmpty() && rng_.chance(0.35)) return rng_.pick(regulars_);
        return guests_[rng_.below(int(guests_.size()))].id;
    }

    double priceFor(const Room& r, const QDate& von) { return round2(r.kind->price * seasonFactor(seasonOf(von))); }

    void bookings() {
        // Room by room along the calendar: stays of 1 … 14 nights with gaps that give the month's
        // occupancy, never overlapping in one room.
        double meanStay = 0;
        int weightSum = 0;
        for (int i = 0; i < kStayWeights.size(); ++i) {
            meanStay += (i + 1) * kStayWeights[i];
            weightSum += kStayWeights[i];
        }
        meanStay /= weightSum;
        QList<Booking> all;
        // Each room's year is drawn from a stream of its own and no stay runs past New Year's
        // morning: a year of a longer history is the same year as in a shorter one of the same
        // seed, so that two histories differ only in how far back they reach.
        for (const Room& r : rooms_) {
            for (int year = from_.year(); year <= until_.year(); ++year) {
                Random rng(o_.seed * 0x100000001B3ULL + quint64(r.number) * 0x10001ULL + quint64(year));
                const QDate ende = qMin(until_, QDate(year + 1, 1, 1));
                QDate day = qMax(from_, QDate(year, 1, 1)).addDays(rng.below(4));
                while (day < ende) {
                    const double occ = kOccupancy[day.month() - 1];
                    const double meanGap = meanStay * (1.0 - occ) / occ;
                    day = day.addDays(qint64(std::floor(rng.unit() * 2.0 * meanGap + 0.5)));
                    const int nights = rng.weighted(kStayWeights) + 1;
                    if (day.addDays(nights) > ende) break;
                    Booking b;
                    b.room = r.number;
                    b.von = day;
                    b.bis = day.addDays(nights);
                    b.created = b.von.addDays(-rng.between(1, 150));
                    b.guests = qMax(1, r.kind->guests - (rng.chance(0.2) ? 1 : 0));
                    b.children = b.guests >= 3 && rng.chance(0.5) ? rng.between(1, b.guests - 2) : 0;
                    b.breakfast = rng.chance(0.85);
                    b.lunch = rng.chance(0.05);
                    b.dinner = rng.chance(0.2);
                    b.pricePerNight = priceFor(r, b.von);
                    b.price = round2(b.pricePerNight * nights);
                    // Offers only lie ahead; a few regular and counter bookings.
                    if (b.von > today_ && rng.chance(0.08))
                        b.kind = 4;
                    else if (rng.chance(0.03))
                        b.kind = 3;
                    else if (b.guests < r.kind->guests && rng.chance(0.2))
                        b.kind = 6;
                    day = b.bis;
                    // Ahead of the reference day the plan fills up the nearer a night is.
                    if (b.von > today_ && !rng.chance(qMax(0.1, 1.0 - today_.daysTo(b.von) / 300.0))) continue;
                    all << b;
                }
            }
        }
        // A few bookings wait for a room: the waiting position may overlap anything. They lie
        // around the reference day, so their number follows the last year, not the history.
        const auto letztesJahr = std::count_if(all.begin(), all.end(), [&](const Booking& b) { return b.von >= until_.addYears(-1); });
        const int waiting = qMax(3, int(letztesJahr / 15));
        for (int i = 0; i < waiting; ++i) {
            Booking b;
            b.room = rng_.between(1, o_.rooms);
            b.von = qBound(from_, today_.addDays(rng_.between(-20, 200)), until_.addDays(-8));
            b.bis = b.von.addDays(rng_.between(1, 7));
            b.created = b.von.addDays(-rng_.between(1, 60));
            b.guests = 2;
            b.pricePerNight = priceFor(rooms_[b.room - 1], b.von);
            b.price = round2(b.pricePerNight * b.von.daysTo(b.bis));
            b.waiting = true;
            b.info = QStringLiteral("wartet auf ein freies Zimmer");
            all << b;
        }
        // Rows are written in the order they were taken, so that IDs and numbers grow with time.
        std::stable_sort(all.begin(), all.end(), [](const Booking& a, const Booking& b) {
            if (a.created != b.created) return a.created < b.created;
            if (a.von != b.von) return a.von < b.von;
            return a.room < b.room;
        });
        int id = 0;
        for (Booking& b : all) {
            b.id = ++id;
            b.guest = guestFor(b.created);
            if (rng_.chance(0.08)) b.invoiceAddress = companyAddress(b.created);
            if (!b.waiting && b.kind != 4 && rng_.chance(0.05)) b.info = QStringLiteral("Anreise spät am Abend");
            const Guest& g = guests_[b.guest - 1];
            if (b.kind == 1 && g.regular) b.kind = 2;
            const QString kuerzel = g.last.left(10).trimmed() + QLatin1Char(' ') + QString::number(b.id);
            const bool checkedIn = !b.waiting && b.von <= today_ && today_ < b.bis;
            const QString number = QStringLiteral("Üb %1 %2").arg(b.id, 4, 10, QLatin1Char('0')).arg(b.von.toString(QStringLiteral("yy")));
            const QString user = rng_.chance(0.5) ? QStringLiteral("Rezeption") : QStringLiteral("Chefin");
            exec(QStringLiteral(
                     "INSERT INTO tblBelegung (ID, Zimmernummer, Von, Bis, AnzahlÜbernachtungen, GastID, IDAdressRechnung, "
                     "Belegungsart, Kürzel, AnzahlGäste, Anz_Kinder, Alter_Kinder, Frühstück, Mittag, Abendessen, Wäsche1, Wäsche2, "
                     "PreisProNacht, Preis, Fix, Info, BelegNummer, BelegNummer_eigen, Checked, Gelöscht, Abgerechnet, Zahlart, "
                     "WerErstellt, WannErstellt, WerGeändert, WannGeändert) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 7, 3, ?, ?, False, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)"),
                 {b.id,
                  b.room,
                  b.von,
                  b.bis,
                  b.von.daysTo(b.bis),
                  b.guest,
                  b.invoiceAddress ? QVariant(b.invoiceAddress) : QVariant(),
                  b.kind,
                  kuerzel,
                  b.guests,
                  b.children,
                  b.children ? QVariant(QStringLiteral("%1 Jahre").arg(rng_.between(3, 14))) : QVariant(),
                  b.breakfast,
                  b.lunch,
                  b.dinner,
                  b.pricePerNight,
                  b.price,
                  nullable(b.info),
                  b.id,
                  number,
                  checkedIn,
                  b.waiting,
                  rng_.chance(0.6) ? QStringLiteral("Bar") : QStringLiteral("EC-Karte"),
                  user,
                  b.created,
                  user,
                  b.created});
            // Further guests of some stays with company.
            if (b.guests >= 2 && rng_.chance(0.15)) {
                exec(QStringLiteral(
                         "INSERT INTO WeitereGäste (ID_Belegung, Anrede, Name, Vorname, Land) VALUES (?, ?, ?, ?, 'Deutschland')"),
                     {b.id, rng_.chance(0.5) ? QStringLiteral("Frau") : QStringLiteral("Herr"), g.last,
                      rng_.pick(rng_.chance(0.5) ? kWomen : kMen)});
            }
        }
        bookings_ = all;
    }

    int vatKeyOfNights(const QDate& d) const { return d.year() < 2007 ? 3 : d.year() < 2010 ? 1 : 2; }
    static double rateOf(int key) { return key == 1 ? 19.0 : key == 2 ? 7.0 : 16.0; }

    void documents(Summary& s) {
        int docKey = 0, invoiceCounter = 0, confirmationCounter = 0, itemId = 0, paymentId = 0;
        for (const Booking& b : bookings_) {
            if (b.waiting) continue;
            const int recipient = b.invoiceAddress ? b.invoiceAddress : b.guest;
            // Extra items of the stay.
            struct Item {
                int id;
                double amount;
                int key;
            };
            QList<Item> items;
            const bool past = b.bis <= today_;
            const bool settled = past && (today_.daysTo(b.bis) < -45 || rng_.chance(0.6));
            if (b.kind != 4 && b.von <= today_ && rng_.chance(0.4)) {
                const int count = rng_.between(1, 3);
                for (int k = 0; k < count; ++k) {
                    const Article& a = kArticles[rng_.below(int(std::size(kArticles)))];
                    const int nights = int(b.von.daysTo(b.bis));
                    const double quantity = a.noDate ? b.guests * nights : rng_.between(1, qMax(1, nights));
                    const QDate day = b.von.addDays(rng_.below(qMax(1, nights)));
                    const int key = a.vatKey == 1 && day.year() < 2007 ? 3 : a.vatKey;
                    items << Item{++itemId, round2(quantity * a.price), key};
                    exec(QStringLiteral("INSERT INTO tbRePosten (IDRePosten, IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, "
                                        "BemerkungPo, DatumPo, KeinDatum, AnzGästePo, IDAdressePo, AbgerechnetPo) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         {itemId, b.id, QString::fromUtf8(a.name), quantity, a.price, key,
                          a.remark ? QVariant(QString::fromUtf8(a.remark)) : QVariant(), day, a.noDate, b.guests, recipient,
                          settled ? QStringLiteral("Ja") : QStringLiteral("Nein")});
                }
            }
            s.items += int(items.size());
            if (settled) {
                // The invoice: the stay and its items, then what was paid for it.
                ++docKey;
                ++invoiceCounter;
                const QDate date = b.bis.addDays(rng_.chance(0.8) ? 0 : rng_.between(1, 5));
                const int nightKey = vatKeyOfNights(b.von);
                double gross = b.price, vat = b.price * rateOf(nightKey) / (100.0 + rateOf(nightKey));
                for (const Item& it : items) {
                    gross += it.amount;
                    vat += it.amount * rateOf(it.key) / (100.0 + rateOf(it.key));
                }
                gross = round2(gross);
                const QString way = rng_.chance(0.5)   ? QStringLiteral("Bar")
                                    : rng_.chance(0.6) ? QStringLiteral("EC-Karte")
                                                       : QStringLiteral("Überweisung");
                exec(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, ReZaehler, IST_Rechnung, DatumRe, IDAdresseRe, "
                                    "Zahlart, Anzahlung, Anz_Vor_Reise, BetragBrutto, BetragMWST) "
                                    "VALUES (?, ?, ?, 'R', ?, ?, ?, 'N', 'Y', ?, ?)"),
                     {docKey,
                      QStringLiteral("R Üb %1 %2").arg(invoiceCounter, 4, 10, QLatin1Char('0')).arg(date.toString(QStringLiteral("yy"))),
                      invoiceCounter, date, recipient, way, gross, round2(vat)});
                exec(QStringLiteral(
                         "INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe, Reihenfolge) VALUES (?, ?, 0, 1)"),
                     {docKey, b.id});
                int order = 1;
                for (const Item& it : items)
                    exec(QStringLiteral(
                             "INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe, Reihenfolge) VALUES (?, 0, ?, ?)"),
                         {docKey, it.id, ++order});
                exec(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {b.id});
                ++s.invoices;
                // Most invoices are paid at once, some with a down payment before; recent ones may be open.
                if (today_.daysTo(date) > -30 && rng_.chance(0.1)) continue;
                if (rng_.chance(0.25)) {
                    const double down = round2(gross * 0.3);
                    exec(QStringLiteral("INSERT INTO tbZahlung (IDZahlung, IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt) "
                                        "VALUES (?, ?, ?, ?, ?, 'Überweisung', 'Anzahlung')"),
                         {++paymentId, docKey, b.id, qMin(b.created.addDays(7), b.von), down});
                    exec(QStringLiteral("INSERT INTO tbZahlung (IDZahlung, IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt) "
                                        "VALUES (?, ?, ?, ?, ?, ?, 'Restzahlung')"),
                         {++paymentId, docKey, b.id, date, round2(gross - down), way});
                    s.payments += 2;
                } else {
                    exec(QStringLiteral("INSERT INTO tbZahlung (IDZahlung, IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt) "
                                        "VALUES (?, ?, ?, ?, ?, ?, 'Gesamtzahlung')"),
                         {++paymentId, docKey, b.id, date, gross, way});
                    ++s.payments;
                }
            } else if (!past && (b.kind == 4 || rng_.chance(0.4))) {
                // Offers get an offer document, some reservations a confirmation.
                ++docKey;
                ++confirmationCounter;
                const QString letter = b.kind == 4 ? QStringLiteral("A") : QStringLiteral("B");
                exec(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, Beszaehler, IST_Rechnung, DatumRe, IDAdresseRe, "
                                    "Zahlart, Anzahlung, Anz_Vor_Reise, BetragBrutto, BetragMWST) "
                                    "VALUES (?, ?, ?, ?, ?, ?, 'Ohne', 'Y', 'Y', ?, ?)"),
                     {docKey,
                      letter + QStringLiteral(" Üb %1 %2")
                                   .arg(confirmationCounter, 4, 10, QLatin1Char('0'))
                                   .arg(b.created.toString(QStringLiteral("yy"))),
                      confirmationCounter, letter, b.created, recipient, b.price, round2(b.price * 7.0 / 107.0)});
                exec(QStringLiteral(
                         "INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe, Reihenfolge) VALUES (?, ?, 0, 1)"),
                     {docKey, b.id});
                ++s.confirmations;
                if (b.kind != 4 && rng_.chance(0.5)) {
                    exec(QStringLiteral("INSERT INTO tbZahlung (IDZahlung, IdRechnung, IDBelegung, ZahlDatum, Betrag, Zahlart, WasBezahlt) "
                                        "VALUES (?, Null, ?, ?, ?, 'Überweisung', 'Anzahlung')"),
                         {++paymentId, b.id, qMin(b.created.addDays(10), today_), round2(b.price * 0.3)});
                    ++s.payments;
                }
            }
        }
    }

    void parameter(const QString& satz, const QStringList& fields) {
        QStringList columns = {QStringLiteral("Satz")};
        QStringList marks = {QStringLiteral("?")};
        QVariantList values = {satz};
        for (int i = 0; i < fields.size(); ++i) {
            columns << QStringLiteral("F%1").arg(i + 1);
            marks << QStringLiteral("?");
            values << nullable(fields[i]);
        }
        exec(QStringLiteral("INSERT INTO tblParameter (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                 marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
             values);
    }

    void settings() {
        const QString rooms = QString::number(o_.rooms);
        parameter(QStringLiteral("titel"), {QStringLiteral("Tavomera")});
        parameter(QStringLiteral("Räumlichkeiten"), {rooms, QStringLiteral("10"), QStringLiteral("320")});
        parameter(QStringLiteral("Belegungsarten"),
                  {QStringLiteral("frei"), QStringLiteral("Reservierung"), QStringLiteral("Stammgast"), QStringLiteral("Tresen"),
                   QStringLiteral("Angebot"), QStringLiteral("Gruppe"), QStringLiteral("teilbelegt"), QString(), QString()});
        parameter(QStringLiteral("Beschriftungen"), {QStringLiteral("Reserviert von:"), QStringLiteral("Zimmer")});
        parameter(QStringLiteral("Farben"),
                  {QStringLiteral("9399613"), QStringLiteral("16742405"), QStringLiteral("16762112"), QStringLiteral("16773888"),
                   QStringLiteral("16056285"), QStringLiteral("8454016"), QStringLiteral("12632319"), QStringLiteral("16777088"),
                   QStringLiteral("12648384"), QStringLiteral("12615935"), QStringLiteral("10526975")});
        parameter(QStringLiteral("SpaltenBeschriftung"), erstausstattung::spaltenBeschriftungen());
        parameter(QStringLiteral("Spaltenbreiten"), erstausstattung::spaltenBreiten());
        parameter(QStringLiteral("ZeitDarstellung"), {QStringLiteral("35"), QStringLiteral("2")});
        parameter(QStringLiteral("ZimVonBis"), {QStringLiteral("1"), QStringLiteral("10")});
        parameter(QStringLiteral("Währung"), {QStringLiteral("€")});
        parameter(QStringLiteral("Aktualisieren"), {QStringLiteral("0")});
        parameter(QStringLiteral("VorgabeDatum"), {QStringLiteral("0")});
        parameter(QStringLiteral("ErsterTag"), {QStringLiteral("60")});
        parameter(QStringLiteral("AnzeigeSuchen"), {QStringLiteral("0")});
        parameter(QStringLiteral("Stammkunden"), {QStringLiteral("Nein")});
        parameter(QStringLiteral("AlleFreien"), {QStringLiteral("Nein")});
        parameter(QStringLiteral("Wäsche"),
                  {QStringLiteral("Handtücher"), QStringLiteral("7"), QStringLiteral("Bettwäsche"), QStringLiteral("3"),
                   QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("false"), QStringLiteral("true")});
        parameter(QStringLiteral("ReNummer"),
                  {QStringLiteral("Üb"), QStringLiteral("yy"), QStringLiteral("1"), QStringLiteral("Alle"), QStringLiteral("Alle")});
        parameter(QStringLiteral("BeNummer"), {QStringLiteral("Üb"), QStringLiteral("yy"), QStringLiteral("1"), QStringLiteral("Alle")});
        const QList<QPair<QString, QString>> texts = {
            {QStringLiteral("Absender1"), QStringLiteral("Hotel Lindenhof")},
            {QStringLiteral("Absender2"), QStringLiteral("Am Markt 7")},
            {QStringLiteral("Absender3"), QStringLiteral("Telefon 01234-5678")},
            {QStringLiteral("Absender4"), QStringLiteral("12345 Musterstadt")},
            {QStringLiteral("Absender5"), QStringLiteral("www.example.de")},
            {QStringLiteral("Grußformel"), QStringLiteral("Mit freundlichen Grüßen")},
            {QStringLiteral("Brieftext"), QStringLiteral("Wir wünschen Ihnen eine angenehme Heimreise.")},
            {QStringLiteral("Betreff"), QStringLiteral("Zimmerreservierung")},
            {QStringLiteral("Adresse"), QStringLiteral("An")},
            {QStringLiteral("Anrede"), QStringLiteral("Sehr geehrte(r) Frau/Herr")},
            {QStringLiteral("PLZ"), QStringLiteral("12345 Musterstadt")},
            {QStringLiteral("EMAIL"), QStringLiteral("info@example.de")},
            {QStringLiteral("FAX"), QStringLiteral("01234-5679")},
            {QStringLiteral("Internet"), QStringLiteral("www.example.de")},
            {QStringLiteral("Telefon"), QStringLiteral("01234-5678")},
            {QStringLiteral("Bank"), QStringLiteral("Musterbank, IBAN DE00 1234 5678 9012 3456 78")},
            {QStringLiteral("DruckAnzahl"), QStringLiteral("2")},
            {QStringLiteral("WordProgramm"), QStringLiteral("Ja")},
        };
        for (const auto& [key, text] : texts)
            exec(QStringLiteral("INSERT INTO tblTexte (Textbaustein, Inhalt) VALUES (?, ?)"), {key, text});
    }
};

}  // namespace

Summary generate(const QString& folder, const Options& options) {
    if (options.rooms < 1 || options.rooms > 200)
        throw DatabaseError(QStringLiteral("Die Zahl der Zimmer muss zwischen 1 und 200 liegen."));
    if (options.years < 1 || options.years > 50) throw DatabaseError(QStringLiteral("Die Zahl der Jahre muss zwischen 1 und 50 liegen."));
    const QDate today = options.today.isValid() ? options.today : Clock::current().today();
    const QDate until = options.until.isValid() ? options.until : QDate(today.year() + 1, 12, 31);
    const QDate from = until.addYears(-options.years).addDays(1);

    dbfiles::createInstallation(folder, 0, true);
    const QDir dir(folder);
    const dbfiles::FileNames names = dbfiles::FileNames::forInstance(0);
    auto db = Database::open(dir.absoluteFilePath(names.link));
    if (db->scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt() > 0 ||
        db->scalar(QStringLiteral("SELECT Count(*) FROM tblParameter")).toInt() > 0)
        throw DatabaseError(QStringLiteral("Die Datenbanken in '%1' enthalten bereits Daten; sie werden nicht überschrieben.")
                                .arg(QDir::toNativeSeparators(folder)));
    Summary summary;
    {
        Transaction t(*db, true);
        summary = Generator(*db, options, from, until, today).run();
        t.commit();
    }
    // The display rows that the program reads from the sample database, and the reference data
    // of the holiday database.
    auto sample = Database::open(dir.absoluteFilePath(names.sample));
    if (sample->scalar(QStringLiteral("SELECT Count(*) FROM tblParameter WHERE Satz = 'ZeitDarstellung'")).toInt() == 0)
        sample->execute(QStringLiteral("INSERT INTO tblParameter (Satz, F1, F2) VALUES ('ZeitDarstellung', '35', '2')"));
    if (sample->scalar(QStringLiteral("SELECT Count(*) FROM tblParameter WHERE Satz = 'Räumlichkeiten'")).toInt() == 0)
        sample->execute(QStringLiteral("INSERT INTO tblParameter (Satz, F1, F2, F3) VALUES ('Räumlichkeiten', ?, '10', '320')"),
                        {QString::number(options.rooms)});
    auto holiday = Database::open(dir.absoluteFilePath(dbfiles::kHolidayFile));
    if (holiday->scalar(QStringLiteral("SELECT Count(*) FROM tbPLZ")).toInt() == 0) {
        Transaction t(*holiday);
        for (const Town& town : kTowns)
            holiday->execute(QStringLiteral("INSERT INTO tbPLZ (PLZ, Ort) VALUES (?, ?)"),
                             {QString::fromLatin1(town.plz), QString::fromUtf8(town.name)});
        int h = int(holiday->scalar(QStringLiteral("SELECT Max(IDFeiertage) FROM tbFeiertage")).toInt());
        for (int year = from.year(); year <= until.year() + 1; ++year)
            for (const auto& [name, day] : holidays(year))
                holiday->execute(QStringLiteral("INSERT INTO tbFeiertage (IDFeiertage, FTBezeichnung, FTDatum) VALUES (?, ?, ?)"),
                                 {++h, name, day});
        t.commit();
    }
    return summary;
}

}  // namespace tav::generator
