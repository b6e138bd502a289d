#pragma once

#include <QDialog>
#include <QList>

#include "settings/ParameterLogik.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

namespace tav {

// The settings dialog ("Einstellungen"): the tabs "Anzeige", "Farben", "Texte",
// "Bezeichnungen" and "Zusatzspalten", the help area, apply and close. The rooms and the
// attribute rows are saved on their own tabs; the other tabs are written by "&Übernehmen" and
// OK. A statement that fails shows a German message naming the file; the dialog stays open.
class frmParameter : public QDialog {
    Q_OBJECT
public:
    // seite: the tab to open ("Allgemein", "Farben", "Zimmer", "ZusatzspaltenEinrichten",
    // "ZusatzspaltenZuordnen"); beispiel: the sample database with the display rows.
    frmParameter(Database& db, Database* beispiel, Dialogs& dialogs, Fenster& fenster, const QString& seite = {},
                 QWidget* parent = nullptr);
    static void oeffnen(Database& db, Database* beispiel, Dialogs& dialogs, Fenster& fenster, const QString& seite, QWidget* parent);

    ParameterLogik& logik() { return logik_; }
    bool geaendert() const { return geaendert_; }

    QTabWidget* tabParameter;
    QLabel* lblHilfe;
    QPushButton* cmdUebernehmen;
    QPushButton* cmdStandard;
    QPushButton* cmdOK;
    QPushButton* cmdSchliessen;
    // "Anzeige"
    QLineEdit* fldAnzZimmer;
    QLineEdit* txtDarstellen;
    QComboBox* cboHöhe;
    QLineEdit* txtTage;
    QComboBox* cboWochentag;
    QLineEdit* txtErsterTag;
    QLineEdit* txtWaehrung;
    QList<QLineEdit*> txtWaesche;  // name 1, interval 1, name 2, interval 2
    QCheckBox* chFrühstück;
    QCheckBox* chMittag;
    QCheckBox* chAbend;
    QLineEdit* txtMWST;
    QPushButton* cmdMWST;
    // "Farben"
    QList<QRadioButton*> optBelArt;
    QList<QLineEdit*> txtFarbe;  // F1 … F11
    QList<QPushButton*> cmdFarbe;
    QPushButton* cmdAddTyp;
    QPushButton* cmdSubTyp;
    QPushButton* cmdUmbenennen;
    // "Texte"
    QList<QLineEdit*> txtTexte;  // in the order of ParameterLogik::textBausteine(), without "Brieftext"
    QTextEdit* txtBrieftext;
    QLineEdit* txtDruckAnzahl;
    QCheckBox* chkWord;
    QRadioButton* opMitAbsender;
    QRadioButton* opOhneAbsender;
    // "Bezeichnungen"
    QPushButton* cmdErster;
    QPushButton* cmdVoriger;
    QPushButton* cmdNaechster;
    QPushButton* cmdLetzter;
    QLineEdit* txtAlteZimmernummer;
    QLineEdit* txtNeueZimmer;
    QLineEdit* txtBemerkungen;
    QComboBox* cboSpalte1;
    QComboBox* cboSpalte2;
    QLineEdit* txtAnzahlG;
    QLineEdit* txtPreis;
    QRadioButton* opRaucher;
    QRadioButton* opNichtraucher;
    QComboBox* txtBlockKat;
    QComboBox* cboPosition;
    QPushButton* cmdSpeichernNaechster;
    QPushButton* cmdSpeichernPosition;
    QPushButton* cmdSpeichernEnde;
    QPushButton* cmdSaisonpreise;
    QPushButton* cmdVerschieben;
    // "Zusatzspalten"
    QListWidget* lstZusatz;
    QLineEdit* txtBeschriftung;
    QLineEdit* txtBedeutung;
    QLineEdit* txtZusatzFarbe;
    QPushButton* cmdZusatzFarbe;
    QRadioButton* opLinks;
    QRadioButton* opRechts;
    QPushButton* cmdZusatzNeu;
    QPushButton* cmdZusatzSpeichern;
    QPushButton* cmdZusatzLoeschen;

    // Shows room i (0-based) of the list on "Bezeichnungen".
    void zimmerZeigen(int index);
    int zimmerIndex() const { return zimmerIndex_; }

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* seiteAnzeige();
    QWidget* seiteFarben();
    QWidget* seiteTexte();
    QWidget* seiteBezeichnungen();
    QWidget* seiteZusatzspalten();
    void allgemeinAnzeigen();
    void allgemeinLesen();
    void farbenAnzeigen();
    void zimmerLaden();
    bool zimmerSpeichern(Speicherart art);
    bool zimmerVerlassen();
    void attributeLaden(int feld = 0);
    void attributZeigen(int row);
    bool uebernehmen();
    void farbeWaehlen(QLineEdit* feld);
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Dialogs& dialogs_;
    Fenster& fenster_;
    ParameterLogik logik_;
    QList<ZimmerZeile> zimmer_;
    QList<Attribut> attribute_;
    int zimmerIndex_ = -1;
    int attributZeile_ = -1;
    bool geaendert_ = false;
    bool zimmerGeaendert_ = false;
    bool zeigen_ = false;
};

}  // namespace tav
