#include "app/StartUp.h"

#include "app/UComon.h"
#include "app/ULanguage.h"
#include "app/USettings.h"

void Prepare_Shared_State(const std::string& programDir) {
  Set_Program_Folders(programDir);
  Last_Read_Back = true;
  Load_Setting();
  Set_Model_Identity();
  Load_Language();
  Open_Last_Project();
  Set_Files();
  Row_Clipboard.clear();
  List_MIB_Read.clear();
  List_MIB_Write.clear();
}
