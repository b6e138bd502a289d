#pragma once

#include <QDialog>

#include "backup/DatensicherungLogik.h"

class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace tav {

// The backup window "Datensicherung": tab "Einstellungen + Datensicherung" with the backup
// root, the number of backups kept and the three backup commands; tab "Wiederherstellung von
// Daten" with the list of backups, the content of the chosen folder and the restore commands.
// Every rule and message lives in DatensicherungLogik.
class frmDatensicherung : public QDialog {
    Q_OBJECT
public:
    frmDatensicherung(DatensicherungLogik& logik, Dialogs& dialogs, QWidget* parent = nullptr);

    // Opens the window modally; true when a database restore asks for the main window to be
    // loaded anew.
    static bool oeffnen(DatensicherungLogik& logik, Dialogs& dialogs, QWidget* parent);

    QTabWidget* tabs() const { return tabs_; }

protected:
    void done(int r) override;

private:
    void anzeigen();
    void listeAnzeigen();
    void auswahlGeaendert();
    void felderLesen();
    template <typename F>
    void geschuetzt(const QString& was, F&& tun);

    DatensicherungLogik& logik_;
    Dialogs& dialogs_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* txtExcelSicherung_ = nullptr;
    QLineEdit* txtAnzDS_ = nullptr;
    QLineEdit* txtAnzDSVorhanden_ = nullptr;
    QRadioButton* opDB_ = nullptr;
    QRadioButton* opWord_ = nullptr;
    QListWidget* List1_ = nullptr;
    QLineEdit* txtAuswahl_ = nullptr;
    QListWidget* lstFile_ = nullptr;
};

}  // namespace tav
