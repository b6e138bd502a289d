#pragma once

#include <QDate>
#include <QDialog>
#include <QHash>
#include <QList>
#include <functional>
#include <memory>

#include "platform/SettingsStore.h"
#include "reservation/ReservierungLogik.h"
#include "reservation/ui/ReservierungsMaske.h"
#include "reservation/ui/Tastenregeln.h"

class QComboBox;
class QPushButton;
class QTimer;

namespace tav {

class Fenster;
class KollisionsDialog;
class QtDialogs;
class Adressprogramm;
class Blockprogramm;
class Shell;
class WeitereDokumente;
enum class Ziel;  // store/Fenster.h
struct Aufruf;

// The reservation form: one booking with its guest address, prices and status. Everything it
// does is asked of a ReservierungLogik; the window copies its boxes into the logic before
// an operation and shows the logic's fields afterwards. Its widgets are private (the
// ReservierungsMaske base); the invoices, payments and address accounts of other subsystems open
// through the window service `Fenster`, and their buttons are disabled where it has none.
class frmReservierung : public QDialog, private ReservierungsMaske {
    Q_OBJECT
public:
    // dialogs: message boxes (nullptr: real ones over this window); kollision: the collision
    // dialog of the save (nullptr: frmCollision); fenster: the windows of other subsystems (nullptr: none);
    // shell: opens documents and starts the address program (nullptr: the system's).
    frmReservierung(Database& db, Database* beispielDb, const FormularEinstellungen& einstellungen, AdressUmgebung umgebung,
                    QWidget* parent = nullptr, Dialogs* dialogs = nullptr, KollisionsDialog* kollision = nullptr,
                    Fenster* fenster = nullptr, Shell* shell = nullptr);
    ~frmReservierung() override;

    // ---- entries for the plan and the quick address search ----
    // The message boxes of the forms these entries open; nullptr: real boxes over each form.
    static void setEinstiegsDialogs(Dialogs* dialogs);
    // The shell of those forms (documents opened); nullptr: the system's.
    static void setEinstiegsShell(Shell* shell);
    // Opens the form modally on the plan's hand-over variablen().uebergabe: a new booking (room,
    // arrival, departure), a stored booking (its ID) or the waiting bookings of a day.
    static void oeffnen(QWidget* parent, Fenster* fenster = nullptr);
    // The same for a hand-over the plan passes along (its signals neueReservierung and
    // reservierungOeffnen): it becomes variablen().uebergabe first.
    static void oeffnen(const Uebergabe& uebergabe, QWidget* parent, Fenster* fenster = nullptr);
    // Opens a stored booking.
    static void oeffnenBuchung(int buchungId, QWidget* parent, Fenster* fenster = nullptr);
    // Opens a new booking for an address chosen in the quick search (arrival and departure as given).
    static void oeffnenNeu(int adressId, const QDate& anreise, const QDate& abreise, QWidget* parent, Fenster* fenster = nullptr);

    // Starts on a hand-over; false when there is nothing to show.
    bool starten(Uebergabe& uebergabe);
    // A new booking for an address.
    void neueBuchungFuerAdresse(int adressId, const QDate& anreise, const QDate& abreise, int belegungsart = -1);

    ReservierungLogik& logik() { return *logik_; }

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- wiring (ReservierungVerbinden.cpp) ----
    void verbinden();

    // ---- the boxes and the logic (ReservierungAnzeige.cpp) ----
    // The boxes of the booking part into the logic, and everything the logic holds back.
    void uebernehmen();
    void anzeigen();
    void anzeigenOhneAdresse();  // the booking part of anzeigen
    void adresseAnzeigen();
    void listenFuellen();
    void adresslistenFuellen();
    void zimmerlisteFuellen();
    void groesseAnwenden();
    void fokusSetzen();
    // The list of a combo box, kept when it has not changed (so that typing is not disturbed).
    static void liste(QComboBox* c, const QStringList& eintraege);
    // The same while the window fills its boxes: no edit events.
    void listeNachfuellen(QComboBox* c, const QStringList& eintraege);

    // ---- keys, mouse and leaving boxes (ReservierungTasten.cpp) ----
    // The key rules and the checks on leaving each box.
    void eingabeRegelnAnlegen();
    bool feldVerlassen(QObject* watched);
    bool mausKlick(QObject* watched, QEvent* event);
    void zurueck(QWidget* feld);

    // ---- operations ----
    // Runs an operation of the logic between copying the boxes in and showing them again.
    void ausfuehren(const std::function<void()>& was);
    void folgefensterOeffnen();
    void schliessenWennVerlangt();
    bool fensterDa(Ziel ziel) const;
    void fensterOeffnen(Ziel ziel, const Aufruf& aufruf);

    // ---- the further documents and the address program (ReservierungDokumente.cpp) ----
    void dokumenteVerbinden();
    // The menu entries show the stored names; an entry without a file is disabled.
    void dokumenteAnzeigen();
    // timeAdresse: a different address chosen in the address program is offered.
    void adressprogrammAbfragen();
    // cmdBlockbuchung, timeBlock and timerKontrolle: the block program opened for this booking,
    // the booking shown again while it runs, and once more when its window closed, with the
    // plan's refresh flag set.
    void blockprogrammVerbinden();
    void blockAbfragen();
    void nachladen();
    // The form closes while the block window is open: a timer of the application goes on
    // watching it and sets the plan's refresh flag when it is gone.
    void blockWeiterBeobachten();
    // One document of the booking (Formulardruck::Formular): refusal and save, the template,
    // the extras dialog, the data file and the merge, then the copy shown (the registration
    // form printed). True when it was made.
    bool dokumentErstellen(int formular);

    std::unique_ptr<Shell> eigeneShell_;
    Shell* shell_ = nullptr;
    SettingsStore einstellungenSpeicher_;
    std::unique_ptr<WeitereDokumente> dokumente_;
    std::unique_ptr<Adressprogramm> adressprogramm_;
    QPushButton* cmdADressverw = nullptr;
    QTimer* timeAdresse = nullptr;
    std::unique_ptr<Blockprogramm> blockprogramm_;
    QTimer* timeBlock = nullptr;
    QTimer* timerKontrolle = nullptr;
    bool rechnungHatteFokus_ = false;  // of the guest box and the invoice-address box, the invoice box had the focus last
    bool abfrageLaeuft_ = false;

    std::unique_ptr<QtDialogs> eigeneDialogs_;
    std::unique_ptr<KollisionsDialog> eigeneKollision_;
    Database& db_;
    Dialogs& dialogs_;
    Fenster* fenster_;
    std::unique_ptr<ReservierungLogik> logik_;
    QList<Tastenregel> tastenregeln_;
    QHash<const QObject*, std::function<bool()>> verlassenRegeln_;  // false: the box is refused
    bool fuellen_ = false;                                          // the window is filling its boxes: no edit events
    bool gastTippen_ = false;                                       // the guest box holds what the user types
    bool rechnungTippen_ = false;                                   // the invoice-address box holds what the user types
    bool zurueckLaeuft_ = false;  // the focus goes back to a refused box: the box it leaves is not checked
    bool pruefen_ = false;        // a leave check shows its message
    Groesse gezeigteGroesse_ = Groesse::Gross;
    bool groesseGesetzt_ = false;
};

}  // namespace tav
