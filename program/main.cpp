// Program start: the application, the windows in their fixed order, and the message loop until the
// main window closes.
#include "app/UStartProgram.h"
#include "app/Windows.h"
#include "platform/Dialogs.h"
#include "platform/ui/Application.h"
#include "platform/ui/Resources.h"
#include "program/Composition.h"
#include "tree/NodeTrees.h"

#include <string>

int main() {
  Application->Initialize();
  // The tree's panning pictures and cursors are among the resources the program cannot do without.
  if (const std::string missing = ValidateResources(TreeResourceNames()); !missing.empty()) {
    MessageDlg(missing, mtError, mbOK);
    return 1;
  }
  // While the updater runs the windows stay drawn, and take no input.
  Set_Start_Program_Idle(&Repaint_Windows);
  Set_Composition(Velmaric_Composition());
  Create_Windows();
  Application->Run();
  return 0;
}
