#pragma once

#include <QString>

namespace tav {

// The address part of the reservation form, as the booking save sees it: the guest and the
// invoice address chosen, the country typed, saving the address first, and the usage marks.
// The address logic implements it; tests give a scripted stand-in.
class AdressTeil {
public:
    virtual ~AdressTeil() = default;

    // Text of the country box of the guest address.
    virtual QString land() const = 0;
    // Saves the address part (AdressSpeichern); shows its own message and returns false on failure.
    virtual bool adressSpeichern() = 0;
    // Address.ID of the chosen guest; 0 when none.
    virtual int gastId() const = 0;
    // Address.ID of the chosen invoice address; 0 when none (the guest's address is used).
    virtual int rechnungsadresseId() const = 0;
    // Shows and chooses an invoice address (taken over from the guest's last stay).
    virtual void setRechnungsadresse(int addressId) = 0;
    // Sets or clears the usage marks of an address after a booking was saved or deleted.
    virtual void adresseBenutzt(int addressId, bool setzen) = 0;
};

}  // namespace tav
