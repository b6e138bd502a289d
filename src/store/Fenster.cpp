#include "store/Fenster.h"

#include "store/Variablen.h"

namespace tav {

Aufruf aufrufAus(const Uebergabe& u) {
    Aufruf a;
    a.anreise = u.anreise;
    a.abreise = u.abreise;
    a.neueBuchung = u.neueBuchung;
    a.zimmerZeile = u.zimmerZeile;
    a.zimmerNummer = u.zimmerNummer;
    a.buchungId = u.buchungId;
    a.belegungsart = u.belegungsart;
    a.warteTag = u.warteTag;
    a.warteBuchungen = u.warteBuchungen;
    return a;
}

Uebergabe uebergabeAus(const Aufruf& a) {
    Uebergabe u;
    u.anreise = a.anreise;
    u.abreise = a.abreise;
    u.neueBuchung = a.neueBuchung;
    u.zimmerZeile = a.zimmerZeile;
    u.zimmerNummer = a.zimmerNummer;
    u.buchungId = a.buchungId;
    u.belegungsart = a.belegungsart;
    u.warteTag = a.warteTag;
    u.warteBuchungen = a.warteBuchungen;
    return u;
}

}  // namespace tav
