#pragma once

#include <QString>

class QAbstractItemModel;
class QFormLayout;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace tav::bausteine {

// The pieces every window of the program builds alike, so that they look and behave alike.

// A button with its object name and help text; never the default button, so that Enter in a
// box does not press it.
QPushButton* knopf(const QString& name, const QString& text, const QString& hilfe = {}, QWidget* eltern = nullptr);

// The framed help line at the foot of a window: room for `zeilen` lines of wrapped text.
QLabel* hilfeZeile(const QString& text = {}, int zeilen = 2);

// A read-only result grid: whole rows selected one at a time, no row numbers, left-aligned
// headers, the last column filling the width.
QTableView* trefferTabelle(const QString& name, QAbstractItemModel* modell);

// A row of a form layout whose caption is the box's buddy, so its accelerator key reaches it.
void beschrifteteZeile(QFormLayout* layout, const QString& text, QWidget* feld);

}  // namespace tav::bausteine
