#pragma once

#include <QWidget>

namespace tav {

// The small window shown while the main window is loaded (caption "Initialisierung").
class frmMaskeAufbauen : public QWidget {
    Q_OBJECT
public:
    explicit frmMaskeAufbauen(const QString& titel, QWidget* parent = nullptr);
};

}  // namespace tav
