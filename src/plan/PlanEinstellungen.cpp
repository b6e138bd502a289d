#include "plan/PlanEinstellungen.h"

#include "store/Parameter.h"
#include "store/Variablen.h"

namespace tav {

namespace {
constexpr quint32 kWeiss = 0x00FFFFFFu;
constexpr quint32 kHellgrau = 0x00C0C0C0u;
}  // namespace

quint32 PlanEinstellungen::farbe(int n) const {
    if (n >= 1 && n <= farben.size()) return farben[n - 1];
    const quint32 frei = farben.isEmpty() ? kWeiss : farben[0];
    if (n == 1) return frei;
    if (n >= 10) return farbe::brighten(frei, farbe::kWochenendeHeller);
    return kHellgrau;
}

quint32 PlanEinstellungen::artFarbe(int kind) const {
    if (kind < 0 || kind > 8) return farbe(1);
    return farbe(kind + 1);
}

PlanEinstellungen PlanEinstellungen::aus(Variablen& v) {
    PlanEinstellungen e;
    e.tage = v.tage > 1 ? v.tage : 35;
    e.startWochentag = v.startWochentag;
    e.raeume = qMax(0, v.raeume);
    e.sichtbareZeilen = v.sichtbareZeilen > 0 ? v.sichtbareZeilen : 10;
    e.zeilenHoehe = v.zeilenHoehe >= 120 ? v.zeilenHoehe : 320;
    e.ersterTag = v.ersterTag;
    e.farben = v.farben;
    e.belegungsartNamen = v.belegungsartNamen;
    e.hatTeilbelegt = v.hatTeilbelegt;
    e.teilbelegtFarbe = v.teilbelegtFarbe;
    e.beispieldaten = v.beispieldaten || v.beispielAusMenue ||
                      (!v.beispielPfad.isEmpty() && v.arbeitsPfad.compare(v.beispielPfad, Qt::CaseInsensitive) == 0);
    e.titel = v.titel;
    e.programmordner = v.programmordner;
    e.aktualisieren = &v.aktualisieren;
    e.uebergabe = &v.uebergabe;
    if (v.db) {
        Parameter p(*v.db);
        e.legendeUeberschrift = p.columnLabel(QStringLiteral("F1"));
        e.zimmerUeberschrift = p.columnLabel(QStringLiteral("F2"));
    }
    return e;
}

}  // namespace tav
