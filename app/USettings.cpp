#include "app/USettings.h"

#include "app/ShellTexts.h"
#include "app/UComon.h"
#include "app/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Xml.h"

namespace {

// One value of the file: the text of <Value> inside <Group> inside the root; `def` when either is missing.
std::string ReadValue(const TXmlNode& root, const char* group, const char* value, const char* def) {
  const TXmlNode node = root.Child(group).Child(value);
  return node ? node.Text() : std::string(def);
}

bool ReadFlag(const TXmlNode& root, const char* value) {
  return ReadValue(root, "lastinternet", value, "0") == "1";
}

const char* FlagText(bool on) {
  return on ? "1" : "0";
}

} // namespace

std::string Setting_File_Name() {
  return JoinPath(Program_Dir, "Velmaric.xml");
}

bool Load_Setting() {
  TXmlDocument doc;
  bool readable = true;
  const std::string file = Setting_File_Name();
  if (FileExists(file)) readable = static_cast<bool>(doc.LoadFromFile(file));
  // A missing or damaged file leaves a null root, and every value takes its default.
  const TXmlNode root = doc.DocumentElement();
  Project_Name = ReadValue(root, "lastproj", "projectname", "");
  Last_IP_Address = ReadValue(root, "lastipadd", "ipaddress", Default_IP_Address);
  Language_Name = ReadValue(root, "lastlang", "language", Default_Language_Name);
  Opt_Enable_Internet = ReadFlag(root, "enable_internet");
  Opt_Enable_Update = ReadFlag(root, "enable_update");
  Opt_Jump_Field_Tables = ReadFlag(root, "enable_jump_field_tables");
  Opt_Double_Click_Auto_Size = ReadFlag(root, "Double_Click_Auto_Size");
  return readable;
}

bool Save_Setting() {
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("Conf_Settings");
  root.AddChild("lastproj").AddChild("projectname", Project_Name);
  root.AddChild("lastipadd").AddChild("ipaddress", Last_IP_Address);
  root.AddChild("lastlang").AddChild("language", Language_Name);
  TXmlNode flags = root.AddChild("lastinternet");
  flags.AddChild("enable_internet", FlagText(Opt_Enable_Internet));
  flags.AddChild("enable_update", FlagText(Opt_Enable_Update));
  flags.AddChild("enable_jump_field_tables", FlagText(Opt_Jump_Field_Tables));
  flags.AddChild("Double_Click_Auto_Size", FlagText(Opt_Double_Click_Auto_Size));

  std::string error;
  if (doc.SaveToFile(Setting_File_Name(), &error)) return true;
  MessageDlg(Lang_Text(Text_Settings_Not_Saved) + "\n" + error, mtError, mbOK);
  return false;
}
