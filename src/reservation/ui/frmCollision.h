#pragma once

#include <QDialog>
#include <QList>

#include "reservation/CollisionLogik.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tav {

// The collision dialog: the new booking at the top, the colliding bookings below, three rows
// at a time (the scroll bar moves over the list from four on), each with the rooms it can be
// moved to and its waiting box; the four buttons decide. Everything it does is asked of the
// CollisionLogik it shows.
class frmCollision final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kZeilen = 3;

    explicit frmCollision(CollisionLogik& pruefung, QWidget* parent = nullptr);

    // The collision shown in the first row.
    int erste() const { return erste_; }

private:
    struct Zeile {
        QLabel* lblKuerzel = nullptr;
        QLabel* lblVon = nullptr;
        QLabel* lblBis = nullptr;
        QComboBox* cboBez = nullptr;
        QCheckBox* chkLoeschen = nullptr;
    };

    void zeilenZeigen();
    void zielGewaehlt(int zeile);
    void wartenGeaendert(int zeile, bool an);

    CollisionLogik& pruefung_;
    int erste_ = 0;
    QLabel* lblUeberschrift_ = nullptr;
    QLineEdit* txtKuerzel_ = nullptr;
    QLineEdit* txtVon_ = nullptr;
    QLineEdit* txtBis_ = nullptr;
    QLineEdit* txtBezeichnungNeu_ = nullptr;
    QList<Zeile> zeilen_;
    QScrollBar* scrColli_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdAendern_ = nullptr;
    QPushButton* cmdAbbrechen_ = nullptr;
    QPushButton* cmdWarten_ = nullptr;
};

// The collision dialog of the save as a real window.
class QtKollisionsDialog final : public KollisionsDialog {
public:
    explicit QtKollisionsDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void zeigen(CollisionLogik& pruefung) override;

private:
    QWidget* parent_;
};

}  // namespace tav
