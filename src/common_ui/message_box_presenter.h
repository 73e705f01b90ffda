#pragma once

// The station's message box as the presenter of commonModule::Show_Alert.
namespace commonUi {

// From now on every message goes to Form_Alert (written to the error output
// instead while the program has no windows). The program calls it at start-up.
void registerMessageBox();

}  // namespace commonUi
