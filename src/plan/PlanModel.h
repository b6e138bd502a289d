#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "plan/PlanEinstellungen.h"
#include "plan/Zeitlog.h"
#include "store/Variablen.h"
#include "store/Zahlstatus.h"

namespace tav {

class Database;
class Dialogs;
class Zimmerliste;

// One cell of the plan: a night of a room (or of the waiting row) with its colour, border and
// the record of the booking drawn in it.
struct Zelle {
    quint32 farbe = 0;
    bool gepunktet = false;  // dotted border: the guest is checked in
    bool ersterTag = false;  // drawn in the brightened first-night colour
    bool markiert = false;   // selected by a press or a drag
    QDate datum;             // the cell's morning date (the day the night ends)

    int buchungId = 0;  // 0 = free
    QString idListe;    // "12,15" when several bookings share the cell
    QDate anreise, abreise;
    QString kuerzel, vorname, nachname;
    int gastId = 0;
    int rechnungsAdresseId = 0;
    int gaeste = 0;
    bool eingecheckt = false;
    bool wartend = false;
    bool angebot = false;

    bool belegt() const { return buchungId != 0; }
    QString datumText() const;    // "dd.mm.yy"
    QString anreiseText() const;  // "dd.mm.yyyy"
    QString abreiseText() const;
};

// One row of the booking query, as the painting needs it.
struct PlanBuchung {
    int id = 0;
    int zimmer = 0;
    QDate von, bis;
    int belegungsart = 0;
    QString belegungsArtName;
    QString kuerzel, vorname, nachname;
    int gastId = 0;
    int rechnungsAdresseId = 0;
    int gaeste = 0;
    bool geloescht = false;
    bool eingecheckt = false;
    double diff = 0;  // room's default guests minus the booking's guests
};

// Pixel geometry of the chart. The sizes are twips converted at 15 twips per pixel: a day
// column is 270 twips, a row is the configured row height, a cell is 60 twips lower than its
// row. links/oben are the pixel position of cell 1 of row 1.
struct PlanGeometrie {
    static constexpr int kTwipsProPixel = 15;
    static constexpr int kSpaltenBreite = 270;

    int links = 0;
    int oben = 0;
    int zeilenHoehe = 320;  // twips
    int tage = 35;
    int zeilen = 11;  // screen rows that exist: V + 1

    static int px(int twips);
    int spaltenX(int spalte) const;                   // left edge of column spalte (1-based); spalte = tage + 1 gives the right end
    int zeilenY(int zeile) const;                     // top of row zeile (1-based)
    int zeilenPixel() const;                          // height of a row in pixels
    QRect zellRechteck(int zeile, int spalte) const;  // the coloured box (row height − 60 twips)
    int breite() const { return spaltenX(tage + 1) - links; }
    int hoehe() const { return zeilenY(zeilen + 1) - oben; }
    // Row and column (x = column, y = row; both 1-based) under a pixel; nullopt off the grid.
    std::optional<QPoint> zelleBei(QPoint p) const;
};

// The status fields, the help line and the floating short-name label for the cell under the
// mouse.
struct MausStatus {
    int zeile = 0, spalte = 0, index = 0;
    int zimmer = 0;                                 // room number (N + 1 for the waiting row)
    QString zimmerText;                             // fldZimmer: the room's label
    QString spalteText;                             // fldTag
    QString datum;                                  // fldDatum "dd.mm.yy"
    QString wochentag;                              // fldWochentag "Ddd"
    QString feiertag;                               // txtFeiertag
    int buchungId = 0;                              // txtIDBelegung
    int gastId = 0;                                 // txtIDAdrReservierung
    int rechnungsAdresseId = 0;                     // txtIdAdrRechnung
    QString hilfe;                                  // lblHilfe
    QString kuerzel;                                // lblKürzel caption; empty = hidden
    QString gastOrt;                                // the guest's city
    QList<int> ueberhaenge;                         // bookings found for the night under the mouse
    Zahlstatus bezahlt = Zahlstatus::KeineBuchung;  // cmdBezahlt
    bool aktualisiert = false;                      // the refresh request was carried out first
};

// What a right click on a booked cell opens the booking menu for.
struct KontextBuchung {
    int buchungId = 0;
    int gastId = 0;
    int rechnungsAdresseId = 0;
    bool angebot = false;
    bool warteZeile = false;
    QDate tag;                  // the night under the mouse
    QList<int> warteBuchungen;  // waiting row: every waiting booking of that night
    QString kuerzel;
};

// The occupancy plan as data: the date window, the grid of cells with its index arithmetic,
// the bookings of the window painted into the cells, the status texts under the mouse, the
// hand-over of a new booking to the reservation form and the refresh timer's counter.
//
// Screen rows are 1 … V + 1; row r shows room r + F − 1, and the room after the last (N + 1)
// is the waiting row. Cell c of a row is the night from day S + c − 1 to day S + c; the
// cell index of (r, c) is (r − 1) · D + c.
class PlanModel {
public:
    static constexpr quint32 kAuswahlFarbe = 0x0000FFFFu;  // yellow: a selected night

    PlanModel(Database& db, Dialogs& dialogs, const Zimmerliste& rooms, PlanEinstellungen einstellungen);

    const PlanEinstellungen& einstellungen() const { return e_; }
    const Zimmerliste& raeumeListe() const { return rooms_; }

    // ---- window and grid ----
    QDate start() const { return start_; }
    int tage() const { return e_.tage; }
    int raeume() const { return e_.raeume; }
    int sichtbareZeilen() const { return e_.sichtbareZeilen; }
    int bildschirmZeilen() const { return e_.sichtbareZeilen + 1; }
    int erstesZimmer() const { return erstesZimmer_; }
    // The largest first visible room: the last screen still ends with the waiting row.
    int letztesErstesZimmer() const;

    int zellIndex(int zeile, int spalte) const { return (zeile - 1) * e_.tage + spalte; }
    int zeileVonIndex(int index) const { return (index - 1) / e_.tage + 1; }
    int spalteVonIndex(int index) const { return (index - 1) % e_.tage + 1; }
    int zellenAnzahl() const { return bildschirmZeilen() * e_.tage; }
    // Room of a screen row (N + 1 = waiting row); 0 when the row shows nothing.
    int zimmerDerZeile(int zeile) const;
    bool istWarteZeile(int zeile) const { return zimmerDerZeile(zeile) == e_.raeume + 1; }
    // Screen row of a room / of the waiting row (may lie outside 1 … V + 1).
    int zeileDesZimmers(int zimmer) const { return zimmer - erstesZimmer_ + 1; }
    int warteZeile() const { return e_.raeume + 1 - erstesZimmer_ + 1; }
    // The date a column stands under (the evening of its night) and its morning date.
    QDate tagDerSpalte(int spalte) const { return start_.addDays(spalte - 1); }
    QDate morgenDerSpalte(int spalte) const { return start_.addDays(spalte); }

    const Zelle& zelle(int index) const { return zellen_[size_t(index - 1)]; }
    const Zelle& zelle(int zeile, int spalte) const { return zelle(zellIndex(zeile, spalte)); }
    // The IDs of the bookings loaded by the last load, in query order.
    const QList<int>& buchungsIds() const { return buchungsIds_; }

    // The room label of a screen row ("Vorläufig" style label for the waiting row) and tool tip.
    QString zeilenLabel(int zeile) const;
    QString zeilenTooltip(int zeile) const;

    // ---- showing the window ----
    // Sets S, resets the cells, reads the holidays of the window and loads the bookings.
    void zeigeFenster(QDate start);
    void neuLaden() { zeigeFenster(start_); }
    void setErstesZimmer(int f);  // scrolling; reloads
    void zellenZuruecksetzen();
    void buchungenLaden();
    void buchungMalen(const PlanBuchung& b);
    // Holidays of the window (date -> name).
    const QHash<QDate, QString>& feiertage() const { return feiertage_; }
    QString feiertagAm(QDate d) const;

    // ---- navigation ----
    enum class Schritt { TagZurueck, TagVor, WocheZurueck, WocheVor, MonatZurueck, MonatVor, DreiMonateZurueck, DreiMonateVor, Heute };
    static QDate verschiebe(QDate start, Schritt schritt);
    void navigiere(Schritt schritt) { zeigeFenster(verschiebe(start_, schritt)); }

    // ---- the mouse ----
    // Status for the cell under the mouse; nullopt when an evaluation is already running
    // (a nested event is ignored). Carries out a pending refresh request first. A failed read
    // gives an empty status (no box) and leaves the refresh request for the next move.
    std::optional<MausStatus> mausBewegung(int zeile, int spalte);
    // Any button pressed on a cell: remembers its day as the arrival. The left button also
    // marks a free cell (free, Saturday or Sunday colour) and starts a selection; on any other
    // colour it says that a booking is there. Returns true when a selection started.
    bool druecken(int zeile, int spalte, bool linkeTaste);
    // Shows the dragged range from the pressed night to (zeile, spalte) as selected.
    void ziehen(int zeile, int spalte);
    // Left button released: on a free cell of a room the hand-over is filled and returned; on
    // a booked cell or the waiting row the message is shown and the window repainted.
    std::optional<Uebergabe> loslassen(int zeile, int spalte);
    // Right button released: the booking the menu is for, or nullopt on a free cell.
    std::optional<KontextBuchung> rechtsLoslassen(int zeile, int spalte);
    bool auswahlLaeuft() const { return auswahl_; }
    void auswahlAufheben();
    // Hands an existing booking (or the waiting bookings of a night) to the reservation form.
    Uebergabe oeffnen(const KontextBuchung& k);
    // "&Neu": a booking without a room, arriving today and leaving tomorrow.
    Uebergabe neueReservierungOhneZimmer();
    // The booking kind chosen in the legend for the next new booking (-1 = none).
    void setBelegungsart(int kind) { belegungsart_ = kind; }
    int belegungsart() const { return belegungsart_; }
    const Uebergabe& uebergabe() const { return *uebergabe_; }

    // ---- refresh ----
    // One tick of the refresh timer; true on every fifth tick (the caller refreshes).
    bool timerTick();
    int timerZaehler() const { return zaehler_; }
    int aktualisierenFlag() const { return *aktualisieren_; }
    void setAktualisierenFlag(int wert) { *aktualisieren_ = wert; }

    Zeitlog& zeitlog() { return log_; }

    // For printing: the short name of each booking of the window on its first cell.
    struct DruckBeschriftung {
        int zeile = 0, spalte = 0;
        QString text;
    };
    QList<DruckBeschriftung> druckBeschriftungen();

    // The legend entries that have a name: (entry 1 … 9, name, colour).
    struct LegendenEintrag {
        int eintrag = 0;
        QString name;
        quint32 farbe = 0;
    };
    QList<LegendenEintrag> legende() const;

private:
    bool istFreiFarbe(quint32 farbe) const;
    MausStatus mausStatus(int zeile, int spalte);
    QList<int> nachtBuchungen(int zeile, QDate tag, QString* ort);

    Database& db_;
    Dialogs& dialogs_;
    const Zimmerliste& rooms_;
    PlanEinstellungen e_;
    Zeitlog log_;

    QDate start_;
    int erstesZimmer_ = 1;
    std::vector<Zelle> zellen_;
    QList<int> buchungsIds_;
    QHash<QDate, QString> feiertage_;

    // mouse state
    bool laeuft_ = false;
    bool auswahl_ = false;
    int auswahlZeile_ = 0, auswahlSpalte_ = 0;
    QDate anreise_;
    int belegungsart_ = -1;
    int zahlstatusId_ = -1;
    Zahlstatus zahlstatus_ = Zahlstatus::KeineBuchung;

    int zaehler_ = 0;
    int eigenesFlag_ = 0;
    Uebergabe eigeneUebergabe_;
    int* aktualisieren_;
    Uebergabe* uebergabe_;
};

}  // namespace tav
