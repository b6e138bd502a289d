#pragma once

#include <QDialog>

#include "startup/DatenbankLogik.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

// The database locations dialog "Pfade einstellen": shows the three paths, forwards the
// buttons to DatenbankLogik. Saving accepts the dialog and emits gespeichert(); "Programm
// beenden" emits beenden().
class frmDatenbank : public QDialog {
    Q_OBJECT
public:
    frmDatenbank(Variablen& v, Dialogs& dialogs, SettingsStore& settings, QWidget* parent = nullptr);

    DatenbankLogik& logik() { return logik_; }
    bool gespeichertWurde() const { return gespeichert_; }
    bool beendenGewaehlt() const { return beenden_; }

signals:
    void gespeichert();
    void beenden();

private:
    void anzeigen();
    QLineEdit* pfadFeld(const QString& name, const QString& beispiel, const QString& hilfe);

    DatenbankLogik logik_;
    bool gespeichert_ = false;
    bool beenden_ = false;
    QLabel* lblQuelle_ = nullptr;
    QLabel* lblZentrale_ = nullptr;
    QLineEdit* txtDatenbankAktuell_ = nullptr;
    QLineEdit* txtZentrale_ = nullptr;
    QLineEdit* txtExcelSicherung_ = nullptr;
    QLineEdit* txtDBPfadAlt_ = nullptr;
    QCheckBox* chBeispieldaten_ = nullptr;
};

}  // namespace tav
