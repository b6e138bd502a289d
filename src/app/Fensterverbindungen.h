#pragma once

namespace tav {

class Dialogs;
class frmMain;

// Connects the plan's and the menu's requests to the windows of the other parts (quick
// address search, seasons, reservation form …) and reports those windows as there.
void fensterVerbinden(frmMain& hauptfenster, Dialogs& dialogs);

}  // namespace tav
