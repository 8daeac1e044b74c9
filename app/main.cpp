// Program start. The main window takes over here once it exists; until then the program sets up its
// state and writes the settings back as on close.
#include "app/StartUp.h"
#include "app/USettings.h"
#include "platform/Files.h"

int main() {
  Prepare_Shared_State(ProgramFolder());
  return Save_Setting() ? 0 : 1;
}
