#include "app/DefaultTexts.h"
#include "app/ShellTexts.h"
#include "app/ULanguage.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

// The shell's built-in English texts, as quoted for its windows and messages.
const std::map<int, std::string> Shell_Texts = {
    {0, "Begin"},
    {1, "Step 1"},
    {2, "Step 2"},
    {3, "Step 3"},
    {4, "Step 4"},
    {5, "Step 5"},
    {6, "Step 6"},
    {7, "Step 7"},
    {8, "Step 8"},
    {9, "None Configuration Opened "},
    {10, "Use Step1 to open or create new configuration"},
    {11, "Opened Configuration of the Converter : "},
    {12, "Information"},
    {13, "Options"},
    {14, "Close Configurator"},
    {15, "New Configuration"},
    {16, "Open Configuration"},
    {17, "Update Device UDP"},
    {18, "Error! Project not Valid"},
    {19, "New Version Available. Click Here for more Details"},
    {20, "Set Communication"},
    {21, "Set LoRaWAN Access"},
    {22, "Create a new configuration for the device"},
    {23, "Open an exists configuration"},
    {24, "Set the main parameters of Protocols"},
    {25, "Set the Rules in Uplink and Downlink for LoRaWAN"},
    {26, "Update the actual Firmware and/or Configuration in the device"},
    {27, "Set BACnet Access"},
    {30, "Error in configuration, Num. Byte not conformed with Max Payload Size"},
    {35, "M_Bus network configuration already exists for this configuration. Do you want to continue?"},
    {84, "SNMP MIB"},
    {85, "Create the SNMP MIB for Actual Configuration"},
    {100, "Create New Configuration"},
    {101, "Create New Configuration"},
    {102, "Name of the new Configuration"},
    {103, "OK"},
    {104, "Cancel"},
    {105, "Error! Name project is not valid"},
    {106, "Error! Name project is not valid because directory already exists"},
    {107, "Error! Name Project is not valid"},
    {108, "Insert here the name of new configuration"},
    {109, "Confirm the Name of new Configuration"},
    {110, "Cancel the New Configuration"},
    {200, "Open Configuration"},
    {201, "Open an Existing Configuration"},
    {202, "List of Avaliable Configurations"},
    {203, "OK"},
    {204, "Cancel"},
    {205, "Select from this list the configuration to open"},
    {206, "Open the Selected Configuration"},
    {207, "Cancel open of Configuration"},
    {300, "Software Options"},
    {301, "Software Options"},
    {302, "Language"},
    {303, "Connection Options"},
    {304, "Selected Language : "},
    {305, "Page "},
    {306, " / "},
    {307, "Previous"},
    {308, "Next"},
    {309, "Enable Internet Connection"},
    {310, "Check Software Update at Start of Program"},
    {311, "Check Available Update"},
    {312, "OK"},
    {313, "Cancel"},
    {314, "New Version Available. Click Here for more Details"},
    {315, "No Update Available"},
    {316, "Do you want to change the Language from "},
    {317, " to "},
    {318, "?"},
    {319, "Software Settings"},
    {320, "Jump into next field in the tables by pressing the Enter Key"},
    {321, "Enable Auto Size of Table Columns by Double Click"},
    {1100, "Row Already used. Do you want to overwrite the values?"},
    {1101, "Error in the Copy values!!! Copy a valid row before Paste it"},
    {1102, "Error!!! Copy a valid row before Paste it"},
    {1106, "Error!!! The table is full. Delete a row before Insert a new one"},
};

TEST(DefaultTexts, ShellTextsMatchTheirQuotationsByteForByte) {
  Load_Default_Texts();
  ASSERT_EQ(Lang_Texts.size(), 6300u);
  for (const auto& [number, text] : Shell_Texts)
    EXPECT_EQ(Lang_Texts[number], text) << "text " << number;
}

// A number entered without a quotation would hide a spare slot's blank behind a made-up text.
TEST(DefaultTexts, ShellBlocksEnterOnlyQuotedTextsAndTheAddedMessages) {
  const std::set<int> added = {Text_Settings_Not_Saved,       Text_Images_Not_Built,
                               Text_Folder_Not_Created,       Text_File_Not_Written,
                               Text_Configuration_Unreadable, Text_Configuration_Missing,
                               Text_Update_Check_Failed};
  Load_Default_Texts();
  std::set<int> entered;
  for (TTextBlock block :
       {MainWindowTexts(), NewProjectTexts(), OpenConfTexts(), SoftOptionsTexts(), RowRoutineTexts()})
    for (const TDefaultText& text : block) {
      entered.insert(text.Number);
      EXPECT_TRUE(Shell_Texts.count(text.Number) || added.count(text.Number))
          << "text " << text.Number << " is not quoted";
    }
  for (const auto& [number, text] : Shell_Texts)
    EXPECT_TRUE(entered.count(number)) << "quoted text " << number << " missing from its block";
  for (int number : added) {
    EXPECT_FALSE(Shell_Texts.count(number)) << "added message " << number << " takes a quoted number";
    EXPECT_NE(Lang_Text(number).find_first_not_of(' '), std::string::npos) << number;
  }
}

TEST(DefaultTexts, EveryNumberIsEnteredOnceAndInRange) {
  std::set<int> seen;
  for (const TTextBlock& block : DefaultTextBlocks())
    for (const TDefaultText& text : block) {
      EXPECT_GE(text.Number, 0);
      EXPECT_LT(text.Number, Lang_Text_Count);
      EXPECT_TRUE(seen.insert(text.Number).second) << "text " << text.Number << " entered twice";
    }
}

TEST(DefaultTexts, SpareSlotsHoldOneBlankAndSlot2592IsEmpty) {
  Load_Default_Texts();
  std::set<int> entered;
  for (const TTextBlock& block : DefaultTextBlocks())
    for (const TDefaultText& text : block)
      entered.insert(text.Number);
  for (int n = 0; n < Lang_Text_Count; ++n) {
    if (entered.count(n)) continue;
    if (n == 2592)
      EXPECT_EQ(Lang_Texts[n], "");
    else
      EXPECT_EQ(Lang_Texts[n], " ") << "spare text " << n;
  }
}

TEST(DefaultTexts, ReloadingRestoresTextsChangedSince) {
  Load_Default_Texts();
  Lang_Texts[18] = "changed";
  Lang_Texts.resize(10);
  Load_Default_Texts();
  ASSERT_EQ(Lang_Texts.size(), 6300u);
  EXPECT_EQ(Lang_Texts[18], "Error! Project not Valid");
}

TEST(DefaultTexts, TextOutsideTheTableIsEmpty) {
  Load_Default_Texts();
  EXPECT_EQ(Lang_Text(-1), "");
  EXPECT_EQ(Lang_Text(6300), "");
  EXPECT_EQ(Lang_Text(6299), " ");
  EXPECT_EQ(Lang_Text(9), "None Configuration Opened ");
}

} // namespace
