#pragma once

#include <QString>

class QAbstractItemModel;
class QFormLayout;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace tav::parts {

// The pieces every window of the program builds alike, so that they look and behave alike.

// A button with its object name and help text; never the default button, so that Enter in a
// box does not press it.
QPushButton* button(const QString& name, const QString& text, const QString& help = {}, QWidget* parent = nullptr);

// The framed help line at the foot of a window: room for `lines` lines of wrapped text.
QLabel* helpLine(const QString& text = {}, int lines = 2);

// A read-only result grid: whole rows selected one at a time, no row numbers, left-aligned
// headers, the last column filling the width.
QTableView* resultGrid(const QString& name, QAbstractItemModel* model);

// A row of a form layout whose caption is the box's buddy, so its accelerator key reaches it.
void captionedRow(QFormLayout* layout, const QString& text, QWidget* field);

}  // namespace tav::parts
