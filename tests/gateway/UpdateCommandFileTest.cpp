#include "gateway/UpdateCommandFile.h"

#include "app/ULanguage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Element tree as indented "name=text" lines, to compare with the expected layout.
void Dump(const TXmlNode& node, int depth, std::string& out) {
  out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.Name();
  if (node.Children().empty()) out += "=" + node.Text();
  out += "\n";
  for (const TXmlNode& child : node.Children())
    Dump(child, depth + 1, out);
}

std::string Header() {
  return "Ethernet_Update\n"
         "  Version=1000\n"
         "  Title=Ormida - SWZ9K59 Ethernet Update\n"
         "  IP_Address_Dev=192.168.2.205\n"
         "  Application_Port=10000\n"
         "  Boot_Port=2008\n"
         "  Boot_Port_Sec=2007\n"
         "  Address_Protection=0x07800\n"
         "  Protections\n"
         "    Protection=0x40B\n"
         "  Operations\n";
}

std::string Operation(const std::string& file, const char* start, const char* bank, const char* readBack,
                      const char* css, const char* internal, const char* goToApp) {
  return std::string("    Operation\n"
                     "      Ope_Protection_Enabled=\n"
                     "      Ope_GoToBoot_Before=0\n"
                     "      Ope_GoToApp_Before=0\n"
                     "      Ope_IP_Address=\n"
                     "      Ope_Port=2008\n"
                     "      Ope_Port_Sec=2007\n"
                     "      Ope_Erase_Memory=0\n") +
         "      Ope_FileName=" + file + "\n" + "      Ope_Start_Address=" + start + "\n" +
         "      Ope_Memory_Type=0\n" + "      Ope_Bank_Type=" + bank + "\n" +
         "      Ope_Read_Back=" + readBack + "\n" + "      Ope_Write_CSS=" + css + "\n" +
         "      Ope_Address_CSS=0x07A00\n"
         "      Ope_Command_CSS=0x02\n" +
         "      Ope_Write_Internal_Data=" + internal + "\n" +
         "      Ope_WID_Address=0x07810\n"
         "      Ope_WID_Command=0x02\n"
         "      Ope_WID_Data=0x00, 0x00, 0x00, 0x01\n" +
         "      Ope_GoToApp_After=" + goToApp + "\n";
}

TEST(UpdateCommandFile, EachOptionWritesItsOperations) {
  const std::string firmware = "/opt/velmaric/MASTER/SimZ9K59.sim";
  const std::string bank1 = "/opt/velmaric/PROJECTS/Plant A/bin/bank1.bin";
  const std::string bank2 = "/opt/velmaric/PROJECTS/Plant A/bin/bank2.bin";
  for (bool readBack : {true, false}) {
    const char* rb = readBack ? "1" : "0";
    const std::string expected[] = {
        Header() + Operation(firmware, "0x8000", "1", rb, "1", "0", "0") +
            Operation(bank1, "0x07000", "2", rb, "0", "1", "0") +
            Operation(bank2, "0x80000", "2", rb, "0", "0", "1"),
        Header() + Operation(firmware, "0x8000", "1", rb, "1", "0", "1"),
        Header() + Operation(bank1, "0x07000", "2", rb, "0", "1", "0") +
            Operation(bank2, "0x80000", "2", rb, "0", "0", "1"),
    };
    for (int option = 0; option < 3; ++option) {
      TUpdateCommand command{"192.168.2.205",
                             option,
                             readBack,
                             "SWZ9K59",
                             "/opt/velmaric/MASTER",
                             "/opt/velmaric/PROJECTS/Plant A"};
      TXmlDocument doc;
      Build_Update_Command(command, doc);
      std::string tree;
      Dump(doc.DocumentElement(), 0, tree);
      EXPECT_EQ(tree, expected[option]) << "option " << option << ", read back " << readBack;
    }
  }
}

TEST(UpdateCommandFile, IsWrittenBesideTheProgramWithoutDeclaration) {
  Load_Default_Texts(); // the write error names the file through its text
  TTempDir dir;
  TUpdateCommand command{"10.0.0.7", 1, false, "SWZ9K59", dir.File("MASTER"), dir.File("PROJECTS/x")};
  dir.Write("Ethernet_Update.xml", "old");
  ASSERT_TRUE(Compile_XML_Parameter_New_Boot(dir.Path(), command).Ok);
  const std::string text = dir.Read("Ethernet_Update.xml");
  EXPECT_TRUE(text.starts_with("<Ethernet_Update>")) << text;
  EXPECT_EQ(text.find("<!--"), std::string::npos) << "no comment";
  EXPECT_NE(text.find("<IP_Address_Dev>10.0.0.7</IP_Address_Dev>"), std::string::npos);
  EXPECT_NE(text.find("<Ope_FileName>" + dir.File("MASTER") + "/SimZ9K59.sim</Ope_FileName>"),
            std::string::npos);
  EXPECT_EQ(text.find('\\'), std::string::npos) << "paths use /";

  dir.SetReadOnly("", true);
  const bool refused = RunUnprivileged(dir, [&] {
    TGatewayResult r = Compile_XML_Parameter_New_Boot(dir.Path(), TUpdateCommand{});
    return !r.Ok && r.Message.find("Ethernet_Update.xml") != std::string::npos;
  });
  dir.SetReadOnly("", false);
  EXPECT_TRUE(refused);
  EXPECT_EQ(dir.Read("Ethernet_Update.xml"), text);
}

} // namespace
