#pragma once

namespace tav {

// Qt's own texts (file dialogs, colour dialogs, the print dialog, context menus of text boxes)
// in German, from the translations that come with Qt. False when they are not installed: the
// program still works, with those texts in English.
bool deutscheQtTexteLaden();

}  // namespace tav
