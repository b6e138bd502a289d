#pragma once

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QFormLayout;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tav {

struct FormularEinstellungen;

// The widgets of the reservation form. frmReservierung holds them as a private base; tests
// reach a control by its objectName (cmdSpeichern, fldVon, ...).
struct ReservierungsMaske {
    // Builds every widget into fenster and lays them out; the linen boxes carry the names of
    // einstellungen.
    void aufbauen(QDialog& fenster, const FormularEinstellungen& einstellungen);
    // The order of the Tab key: guest, stay, prices, status, buttons, the waiting row.
    void tabReihenfolge(QDialog& fenster) const;
    // The small form keeps what a booking needs: guest, room, dates, kind, guests, short name,
    // price, status, save and close.
    void groesseZeigen(bool gross);

    // ---- the guest address ----
    QComboBox* cboGastNeu = nullptr;
    QLineEdit* fldVorname = nullptr;
    QComboBox* cboAnrede = nullptr;
    QLineEdit* fldFirma = nullptr;
    QLineEdit* fldStrasse = nullptr;
    QLineEdit* fldPLZ = nullptr;
    QComboBox* fldStadt = nullptr;
    QComboBox* cboLand = nullptr;
    QLineEdit* fldTelefon = nullptr;
    QLineEdit* fldFax = nullptr;
    QLineEdit* fldEmail = nullptr;
    QLineEdit* fldBemerkAdr = nullptr;
    QCheckBox* chStammkunde = nullptr;
    QPushButton* cmdNeuAdress = nullptr;
    QPushButton* cmdEditAdress = nullptr;
    QPushButton* cmdAdresseSpeichern = nullptr;
    QComboBox* cboAdrRechnung = nullptr;

    // ---- the stay ----
    QComboBox* cboZimmer = nullptr;
    QRadioButton* optAlleZimmer = nullptr;   // OptZiAuswahl1_0: all rooms
    QRadioButton* optFreieZimmer = nullptr;  // OptZiAuswahl1_1: free rooms
    QLineEdit* fldVon = nullptr;
    QLineEdit* fldBis = nullptr;
    QLineEdit* fldResTage = nullptr;
    QFrame* lbWarnung = nullptr;
    QLabel* lbWarnungSchrift = nullptr;
    QComboBox* cboArt = nullptr;
    QLineEdit* fldAnzahlGäste = nullptr;
    QLineEdit* txtAnz_Kinder = nullptr;
    QLineEdit* txtAlter_Kinder = nullptr;
    QCheckBox* chFrühstück = nullptr;
    QCheckBox* chMittag = nullptr;
    QCheckBox* chAbendessen = nullptr;
    QLabel* lblWäsche1 = nullptr;
    QLineEdit* fldWäsche1 = nullptr;
    QLabel* lblWäsche2 = nullptr;
    QLineEdit* fldWäsche2 = nullptr;
    QLineEdit* fldKürzel = nullptr;
    QPlainTextEdit* fldInfo = nullptr;
    QLineEdit* txtResDatum = nullptr;
    QLineEdit* txtBeNummer = nullptr;
    QLineEdit* txtBeNummer_eigen = nullptr;
    QComboBox* cboZahlart = nullptr;

    // ---- prices ----
    QComboBox* cboTarif = nullptr;
    QLineEdit* fldPreis = nullptr;
    QCheckBox* chFix = nullptr;
    QPushButton* cmdSaisonpreis = nullptr;

    // ---- status ----
    QPushButton* lbChecked = nullptr;
    QLineEdit* fldCheckDatum = nullptr;
    QPushButton* cmdHeute = nullptr;
    QPushButton* cmdAnmeldung = nullptr;
    QPushButton* cmdAbgerechnet = nullptr;
    QPushButton* cmdBezahlt = nullptr;
    QPushButton* cmdBlockbuchung = nullptr;

    // ---- buttons ----
    QPushButton* cmdReservieren = nullptr;
    QPushButton* cmdZu = nullptr;
    QPushButton* cmdWarten = nullptr;
    QPushButton* cmdLöschen = nullptr;
    QPushButton* cmdBestVorschau = nullptr;
    QPushButton* cmdRechnung = nullptr;
    QPushButton* cmdZahlDetails = nullptr;
    QPushButton* cmdSchliessen = nullptr;

    // ---- the waiting bookings of a day ----
    QLabel* lblWarteposition = nullptr;
    QPushButton* cmdErster = nullptr;
    QPushButton* cmdVoriger = nullptr;
    QPushButton* cmdNächster = nullptr;
    QPushButton* cmdLetzter = nullptr;

    // ---- menus ----
    QAction* mnuWeiterePersonen = nullptr;
    QAction* mnuZimmerauswahl = nullptr;
    QAction* mnuStatus = nullptr;
    QAction* mnuRechnungAdr = nullptr;
    QAction* mnuRechnungsadresse = nullptr;
    QAction* mnuvorhAngebot = nullptr;
    QAction* mnuVorhBest = nullptr;
    QAction* mnuVorhRechnung = nullptr;
    QMenu* mnuWeitereDokumente = nullptr;
    QAction* mnuPfade = nullptr;
    QAction* mnuRechnungEinfach = nullptr;  // the quick invoice of the booking
    QAction* cmdGroesser = nullptr;
    QAction* cmdKleiner = nullptr;

    // ---- frame ----
    QLabel* lblHilfe = nullptr;
    QLabel* lblArt = nullptr;  // the caption of the kind box, which names the kind
    QFormLayout* gastForm = nullptr;
    QFormLayout* aufenthaltForm = nullptr;
    QFormLayout* preisForm = nullptr;
    QFormLayout* statusForm = nullptr;
    QWidget* adressKnoepfe = nullptr;
    QWidget* warteZeile = nullptr;
};

}  // namespace tav
