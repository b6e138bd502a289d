#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

#include "reservation/ReservierungLogik.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tav {

class KollisionsDialog;
class QtDialogs;

// The reservation form: one booking with its guest address, prices and status. Everything it
// does is asked of a ReservierungLogik; the window copies its boxes into the logic before
// an operation and shows the logic's fields afterwards.
class frmReservierung : public QDialog {
    Q_OBJECT
public:
    // Windows of later parts that the form opens; the program fills them in. A button whose
    // window is not there stays disabled.
    struct Anschluesse {
        std::function<void(int buchungId, QWidget* parent)> rechnungen;  // documents of the booking
        std::function<void(int buchungId, QWidget* parent)> zahlungen;   // invoices and payments of the booking
        std::function<void(int adressId, QWidget* parent)> konto;        // account overview of an address
        // Message boxes of the forms the program opens; nullptr: real boxes over each form.
        Dialogs* dialogs = nullptr;
    };
    static Anschluesse& anschluesse();

    // dialogs: message boxes (nullptr: real ones over this window); kollision: the collision
    // dialog of the save (nullptr: frmCollision).
    frmReservierung(Database& db, Database* beispielDb, const FormularEinstellungen& einstellungen, AdressUmgebung umgebung,
                    QWidget* parent = nullptr, Dialogs* dialogs = nullptr, KollisionsDialog* kollision = nullptr);
    ~frmReservierung() override;

    // ---- entries for the plan and the quick address search ----
    // Opens the form modally on the plan's hand-over variablen().uebergabe: a new booking (room,
    // arrival, departure), a stored booking (its ID) or the waiting bookings of a day.
    static void oeffnen(QWidget* parent);
    // The same for a hand-over the plan passes along (its signals neueReservierung and
    // reservierungOeffnen): it becomes variablen().uebergabe first.
    static void oeffnen(const Uebergabe& uebergabe, QWidget* parent);
    // Opens a stored booking.
    static void oeffnenBuchung(int buchungId, QWidget* parent);
    // Opens a new booking for an address chosen in the quick search (arrival and departure as given).
    static void oeffnenNeu(int adressId, const QDate& anreise, const QDate& abreise, QWidget* parent);

    // Starts on a hand-over; false when there is nothing to show.
    bool starten(Uebergabe& uebergabe);
    // A new booking for an address.
    void neueBuchungFuerAdresse(int adressId, const QDate& anreise, const QDate& abreise, int belegungsart = -1);

    ReservierungLogik& logik() { return *logik_; }

    // ---- the guest address ----
    QComboBox* cboGastNeu;
    QLineEdit* fldVorname;
    QComboBox* cboAnrede;
    QLineEdit* fldFirma;
    QLineEdit* fldStrasse;
    QLineEdit* fldPLZ;
    QComboBox* fldStadt;
    QComboBox* cboLand;
    QLineEdit* fldTelefon;
    QLineEdit* fldFax;
    QLineEdit* fldEmail;
    QLineEdit* fldBemerkAdr;
    QCheckBox* chStammkunde;
    QPushButton* cmdNeuAdress;
    QPushButton* cmdEditAdress;
    QPushButton* cmdAdresseSpeichern;
    QComboBox* cboAdrRechnung;

    // ---- the stay ----
    QComboBox* cboZimmer;
    QRadioButton* optAlleZimmer;   // OptZiAuswahl1: all rooms
    QRadioButton* optFreieZimmer;  // OptZiAuswahl1: free rooms
    QLineEdit* fldVon;
    QLineEdit* fldBis;
    QLineEdit* fldResTage;
    QFrame* lbWarnung;
    QLabel* lbWarnungSchrift;
    QComboBox* cboArt;
    QLineEdit* fldAnzahlGäste;
    QLineEdit* txtAnz_Kinder;
    QLineEdit* txtAlter_Kinder;
    QCheckBox* chFrühstück;
    QCheckBox* chMittag;
    QCheckBox* chAbendessen;
    QLabel* lblWäsche1;
    QLineEdit* fldWäsche1;
    QLabel* lblWäsche2;
    QLineEdit* fldWäsche2;
    QLineEdit* fldKürzel;
    QPlainTextEdit* fldInfo;
    QLineEdit* txtResDatum;
    QLineEdit* txtBeNummer;
    QLineEdit* txtBeNummer_eigen;
    QComboBox* cboZahlart;

    // ---- prices ----
    QComboBox* cboTarif;
    QLineEdit* fldPreis;
    QCheckBox* chFix;
    QPushButton* cmdSaisonpreis;

    // ---- status ----
    QPushButton* lbChecked;
    QLineEdit* fldCheckDatum;
    QPushButton* cmdHeute;
    QPushButton* cmdAnmeldung;
    QPushButton* cmdAbgerechnet;
    QPushButton* cmdBezahlt;
    QPushButton* cmdBlockbuchung;

    // ---- buttons ----
    QPushButton* cmdReservieren;
    QPushButton* cmdZu;
    QPushButton* cmdWarten;
    QPushButton* cmdLöschen;
    QPushButton* cmdBestVorschau;
    QPushButton* cmdRechnung;
    QPushButton* cmdZahlDetails;
    QPushButton* cmdSchliessen;

    // ---- the waiting bookings of a day ----
    QLabel* lblWarteposition;
    QPushButton* cmdErster;
    QPushButton* cmdVoriger;
    QPushButton* cmdNächster;
    QPushButton* cmdLetzter;

    // ---- menus ----
    QAction* mnuWeiterePersonen;
    QAction* mnuZimmerauswahl;
    QAction* mnuStatus;
    QAction* mnuRechnungAdr;
    QAction* mnuRechnungsadresse;
    QAction* mnuvorhAngebot;
    QAction* mnuVorhBest;
    QAction* mnuVorhRechnung;
    QMenu* mnuWeitereDokumente;
    QAction* mnuPfade;
    QAction* cmdGroesser;
    QAction* cmdKleiner;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void aufbauen();
    void verbinden();
    void tabReihenfolge();

    // The boxes of the booking part into the logic, and everything the logic holds back.
    void uebernehmen();
    void anzeigen();
    void adresseAnzeigen();
    void listenFuellen();
    void adresslistenFuellen();
    void zimmerlisteFuellen();
    void groesseAnwenden();
    void fokusSetzen();
    // Runs an operation of the logic between copying the boxes in and showing them again.
    void ausfuehren(const std::function<void()>& was);
    void folgefensterOeffnen();
    void schliessenWennVerlangt();

    bool tasteFiltern(QObject* watched, QKeyEvent* key);
    bool feldVerlassen(QObject* watched);
    void zurueck(QWidget* feld);

    std::unique_ptr<QtDialogs> eigeneDialogs_;
    std::unique_ptr<KollisionsDialog> eigeneKollision_;
    Database& db_;
    Dialogs& dialogs_;
    std::unique_ptr<ReservierungLogik> logik_;
    QLabel* lblHilfe_ = nullptr;
    QFormLayout* gastForm_ = nullptr;
    QFormLayout* aufenthaltForm_ = nullptr;
    QFormLayout* preisForm_ = nullptr;
    QFormLayout* statusForm_ = nullptr;
    QWidget* adressKnoepfe_ = nullptr;
    QWidget* warteZeile_ = nullptr;
    QLabel* lblArt_ = nullptr;
    bool fuellen_ = false;      // the window is filling its boxes: no edit events
    bool gastTippen_ = false;   // the guest box holds what the user types
    bool rechnungTippen_ = false;  // the invoice-address box holds what the user types
    bool zurueckLaeuft_ = false;   // the focus goes back to a refused box: the box it leaves is not checked
    bool pruefen_ = false;      // a leave check shows its message
    Groesse gezeigteGroesse_ = Groesse::Gross;
    bool groesseGesetzt_ = false;
};

}  // namespace tav
