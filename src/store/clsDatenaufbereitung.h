#pragma once

namespace tav {

class Database;
class Dialogs;

// Data clean-up of the menu "Daten aufbereiten" and the conversions of older address data.
// Works on the main database; every text from the data is bound, never spliced into SQL.
class clsDatenaufbereitung {
public:
    clsDatenaufbereitung(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // In every text value of every table (the engine's own tables left out) each ";" and each
    // "~" becomes ",". Ends with its message. Returns the number of values changed.
    int DatenNeu();

    // Parent links Address.IDÜberAdresse become rows of tbAdress_zu_Adress; rows that name a
    // missing address are dropped.
    void AdressZuAdressFüllen();
    // Empties Address.IDÜberAdresse.
    void ÜberAdresseLöschen();

    // Every distinct usage and origin mark (BenutztVon1…5, Herkunft1…5) becomes a category
    // "importiert" in tbAdresskategorie when missing ...
    void VorhandeneKategorienEinrichten();
    // ... and each address is linked to the categories of its marks.
    void UpdateKategorien();

    // Rows whose address no longer exists.
    void NichtVorhandeneKategorienZuordnungLöschen();
    void NichtVorhandeneAuswahlZuordnungLöschen();
    void NichtVorhandeneAnsprechpartnerZuordnungLöschen();

    // Every distinct salutation text becomes a row of tbAnreden when missing ...
    void VorhandeneAnredenEinrichten();
    // ... Address.IDAnrede is set from it and the text is cleared where an ID was found.
    void UpdateAnreden();

private:
    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
