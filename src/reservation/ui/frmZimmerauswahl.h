#pragma once

#include <QDialog>
#include <optional>

class QPushButton;
class QRadioButton;

namespace tav {

// The small dialog that sets which rooms the room box of the reservation form lists:
// "Zimmerauswahl aus" "allen" or "freien" rooms.
class frmZimmerauswahl : public QDialog {
    Q_OBJECT
public:
    explicit frmZimmerauswahl(bool freie, QWidget* parent = nullptr);

    bool freie() const;
    // Shows the dialog modally; the choice, or nothing when it was cancelled.
    static std::optional<bool> waehlen(bool freie, QWidget* parent);

    QRadioButton* optAllen;
    QRadioButton* optFreien;
    QPushButton* cmdOK;
    QPushButton* cmdAbbrechen;
};

}  // namespace tav
