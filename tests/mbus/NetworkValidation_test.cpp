#include "app/ULanguage.h"
#include "mbus/NetworkValidation.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class NetworkValidation : public ::testing::Test {
protected:
  void SetUp() override { Load_Default_Texts(); }
};

// A wired node that passes: primary address 5, nothing ticked.
TNodeBoxes Wired_Boxes() {
  TNodeBoxes b;
  b.Primary_ID = "5";
  b.Secondary_ID = "12345678";
  return b;
}

// A wireless node that passes.
TNodeBoxes Wireless_Boxes() {
  TNodeBoxes b;
  b.Wireless = true;
  b.ManID = "0x2C2D";
  b.Address = "$12345678";
  b.Version = "1";
  b.DevType = "7";
  b.Node_State = b.Ident_Num = b.RSSI = b.Access_Number = "0";
  b.Key.fill("0");
  return b;
}

TNodo Wired_Node(std::int32_t primary, std::int32_t secondary, std::uint8_t idType) {
  TNodo n;
  n.Enable = 1;
  n.MBus_Type = 1;
  n.Node_Pri = primary;
  n.Node_Sec = secondary;
  n.Node_ID_Type = idType;
  return n;
}

struct TNodeCase {
  const char* Name;
  std::function<void(TNodeBoxes&)> Edit;
  std::vector<std::string> Messages;
};

void Run_Node_Cases(const TNodeBoxes& base, const std::vector<TNodeCase>& cases, const TNodi_List& nodes = {},
                    TNetworkSelection sel = {}) {
  for (const TNodeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TNodeBoxes b = base;
    c.Edit(b);
    EXPECT_EQ(Controllo_Dati_New_Nodo(b, nodes, sel), c.Messages);
  }
}

TEST_F(NetworkValidation, WirelessNode) {
  Run_Node_Cases(
      Wireless_Boxes(),
      {
          {"passes", [](TNodeBoxes&) {}, {}},
          {"manufacturer",
           [](TNodeBoxes& b) { b.ManID = "65536"; },
           {"Error!! Manufacturer Id must be between 0x0000 and 0xFFFF"}},
          {"manufacturer with a trailing blank",
           [](TNodeBoxes& b) { b.ManID = "12 "; },
           {"Error!! Manufacturer Id must be between 0x0000 and 0xFFFF"}},
          {"address 0xFFFFFFFF passes", [](TNodeBoxes& b) { b.Address = "0xFFFFFFFF"; }, {}},
          {"address past 32 bits",
           [](TNodeBoxes& b) { b.Address = "4294967296"; },
           {"Error!! Address must be between 0x00000000 and 0xFFFFFF"}},
          {"version",
           [](TNodeBoxes& b) { b.Version = "x100"; },
           {"Error!! Version must be between 0x00 and 0xFF"}},
          {"device type",
           [](TNodeBoxes& b) { b.DevType = ""; },
           {"Error!! Device Type must be between 0x00 and 0xFF"}},
          {"key bytes are not read without Key Enable", [](TNodeBoxes& b) { b.Key[3] = "bad"; }, {}},
          {"key byte 4",
           [](TNodeBoxes& b) { b.Key_Enable = true, b.Key[3] = "256"; },
           {"Error!! Key (Byte 4) must be between 0x00 and 0xFF"}},
          {"key byte 16",
           [](TNodeBoxes& b) { b.Key_Enable = true, b.Key[15] = "-1"; },
           {"Error!! Key (Byte 16) must be between 0x00 and 0xFF"}},
          {"node state unticked still read",
           [](TNodeBoxes& b) { b.Node_State = ""; },
           {"Error!! Modbus Node State must be between 0 and 59999"}},
          {"identification",
           [](TNodeBoxes& b) { b.Ident_Num = "60000"; },
           {"Error!! Modbus Identification Number must be between 0 and 59999"}},
          {"RSSI", [](TNodeBoxes& b) { b.RSSI = "x"; }, {"Error!! Modbus RSSI must be between 0 and 59999"}},
          {"access number",
           [](TNodeBoxes& b) { b.Access_Number = "-5"; },
           {"Error!! Modbus Access Number must be between 0 and 59999"}},
          {"node state and identification both 5",
           [](TNodeBoxes& b) { b.Node_State = b.Ident_Num = "5"; },
           {"Error!! Node State Register must be different from the Identification Number Register"}},
          {"identification and RSSI",
           [](TNodeBoxes& b) { b.Ident_Num = b.RSSI = "7"; },
           {"Error!! RSSI Register must be different from the Identification Number Register"}},
          {"identification and access number",
           [](TNodeBoxes& b) { b.Ident_Num = b.Access_Number = "7"; },
           {"Error!! Access Number Register must be different from the Identification Number Register"}},
          {"node state and RSSI",
           [](TNodeBoxes& b) { b.Node_State = b.RSSI = "7"; },
           {"Error!! RSSI Register must be different from the Node State Register"}},
          {"node state and access number",
           [](TNodeBoxes& b) { b.Node_State = b.Access_Number = "7"; },
           {"Error!! Access Number Register must be different from the Node State Register"}},
          {"RSSI and access number",
           [](TNodeBoxes& b) { b.RSSI = b.Access_Number = "7"; },
           {"Error!! Access Number Register must be different from the RSSI Register"}},
          {"the wired access number check is not run",
           [](TNodeBoxes& b) { b.Access_Number_Ticked = true, b.Access_Number = "5000"; },
           {}},
      });
}

TEST_F(NetworkValidation, WiredNode) {
  const TNodi_List nodes = {Wired_Node(5, 1, 0), Wired_Node(1, 12345678, 1)};
  Run_Node_Cases(
      Wired_Boxes(),
      {
          {"primary address 255 passes", [](TNodeBoxes& b) { b.Primary_ID = "255"; }, {}},
          {"primary address 256",
           [](TNodeBoxes& b) { b.Primary_ID = "256"; },
           {"Error!! Primary ID Node M-Bus must be between 0 and 255"}},
          {"secondary address",
           [](TNodeBoxes& b) { b.Primary_Chosen = false, b.Secondary_ID = "100000000"; },
           {"Error!! Secondary ID Node M-Bus must be between 0 and 99999999"}},
          {"node state unticked is not read", [](TNodeBoxes& b) { b.Node_State = "junk"; }, {}},
          {"node state ticked",
           [](TNodeBoxes& b) { b.Node_State_Ticked = true, b.Node_State = "1537"; },
           {"Error!! Modbus Node State must be between 0 and 1536"}},
          {"identification ticked",
           [](TNodeBoxes& b) { b.Ident_Num_Ticked = true, b.Ident_Num = ""; },
           {"Error!! Modbus Identification Number must be between 0 and 1536"}},
          {"both 0 pass",
           [](TNodeBoxes& b) {
             b.Node_State_Ticked = b.Ident_Num_Ticked = true, b.Node_State = b.Ident_Num = "0";
           },
           {}},
          {"both 5",
           [](TNodeBoxes& b) {
             b.Node_State_Ticked = b.Ident_Num_Ticked = true, b.Node_State = b.Ident_Num = "5";
           },
           {"Error!! Node State Register must be different from the Identification Number Register"}},
          {"equal but one unticked",
           [](TNodeBoxes& b) { b.Node_State_Ticked = true, b.Node_State = b.Ident_Num = "5"; },
           {}},
      },
      {});
  // The address checks against the network.
  Run_Node_Cases(
      Wired_Boxes(),
      {
          {"primary 5 taken", [](TNodeBoxes&) {}, {"Error!! ID Node is already used"}},
          {"the same number as secondary is free",
           [](TNodeBoxes& b) { b.Primary_Chosen = false, b.Secondary_ID = "5"; },
           {}},
          {"secondary taken",
           [](TNodeBoxes& b) { b.Primary_Chosen = false; },
           {"Error!! ID Node is already used"}},
          {"taken, and a later check fails too",
           [](TNodeBoxes& b) { b.Node_State_Ticked = true, b.Node_State = "2000"; },
           {"Error!! ID Node is already used", "Error!! Modbus Node State must be between 0 and 1536"}},
      },
      nodes);
}

TEST_F(NetworkValidation, NodeAddressUniqueness) {
  TNodo radio = Wired_Node(7, 7, 0);
  radio.MBus_Type = 0;
  const TNodi_List nodes = {Wired_Node(5, 1, 0), radio};
  // Modifying node 0: its own address does not count; adding (a variable selected) it does.
  EXPECT_EQ(Check_Node_ID(5, 0, nodes, {0, -1}), std::nullopt);
  EXPECT_EQ(Check_Node_ID(5, 0, nodes, {0, 2}), "Error!! ID Node is already used");
  EXPECT_EQ(Check_Node_ID(5, 0, nodes, {1, -1}), "Error!! ID Node is already used");
  // Wireless nodes never conflict in the node check, but do for a pasted node.
  EXPECT_EQ(Check_Node_ID(7, 0, nodes, {}), std::nullopt);
  EXPECT_EQ(Check_Node_ID2(7, 0, nodes), std::nullopt) << "a wireless node counts only when wired";
  EXPECT_EQ(Check_Node_ID2(5, 0, nodes), "Error!! ID Node is already used");
  EXPECT_EQ(Check_Node_ID2(5, 1, nodes), std::nullopt);
}

TEST_F(NetworkValidation, ManufacturerDataAndAccessNumber) {
  Run_Node_Cases(
      Wired_Boxes(),
      {
          {"register 0 with length 0 passes",
           [](TNodeBoxes& b) { b.MSD_Ticked = true, b.MSD_Register = "0", b.MSD_Length = "0"; },
           {}},
          {"register out of range",
           [](TNodeBoxes& b) { b.MSD_Ticked = true, b.MSD_Register = "1537"; },
           {"Error!! Manufacturer Specific Data must be between 0 and 1536"}},
          {"same as identification",
           [](TNodeBoxes& b) {
             b.Ident_Num_Ticked = b.MSD_Ticked = true, b.Ident_Num = b.MSD_Register = "9";
           },
           {"Error!! Manufacturer Specific Data must be different from the Identification Number Register"}},
          {"same as node state",
           [](TNodeBoxes& b) {
             b.Node_State_Ticked = b.MSD_Ticked = true, b.Node_State = b.MSD_Register = "9";
           },
           {"Error!! Manufacturer Specific Data must be different from the Node State Register"}},
          {"length 0",
           [](TNodeBoxes& b) {
             b.MSD_Ticked = true, b.MSD_Register = "3", b.MSD_Length = "0", b.MSD_Offset = "0";
           },
           {"Error!! Length of Manufacturer Specific Data must be between 1 and 241"}},
          {"offset 241",
           [](TNodeBoxes& b) {
             b.MSD_Ticked = true, b.MSD_Register = "3", b.MSD_Length = "1", b.MSD_Offset = "241";
           },
           {"Error!! Offset of Manufacturer Specific Data must be between 0 and 240"}},
          {"200 plus 42",
           [](TNodeBoxes& b) {
             b.MSD_Ticked = true, b.MSD_Register = "3", b.MSD_Length = "200", b.MSD_Offset = "42";
           },
           {"Error!! Length plus Offset of Manufacturer Specific Data must be less than or equal to 241"}},
          {"200 plus 41 passes",
           [](TNodeBoxes& b) {
             b.MSD_Ticked = true, b.MSD_Register = "3", b.MSD_Length = "200", b.MSD_Offset = "41";
           },
           {}},
          {"access number range",
           [](TNodeBoxes& b) { b.Access_Number_Ticked = true, b.Access_Number = "1537"; },
           {"Error!! Access Number Register must be between 0 and 1536"}},
          {"access number and identification",
           [](TNodeBoxes& b) {
             b.Ident_Num_Ticked = b.Access_Number_Ticked = true, b.Ident_Num = b.Access_Number = "4";
           },
           {"Error!! Access Number Register must be different from the Identification Number Register"}},
          {"access number and node state",
           [](TNodeBoxes& b) {
             b.Node_State_Ticked = b.Access_Number_Ticked = true, b.Node_State = b.Access_Number = "4";
           },
           {"Error!! Access Number Register must be different from the Node State Register"}},
          {"access number and manufacturer data",
           [](TNodeBoxes& b) {
             b.MSD_Ticked = b.Access_Number_Ticked = true, b.MSD_Register = b.Access_Number = "4";
             b.MSD_Length = "1", b.MSD_Offset = "0";
           },
           {"Error!! Access Number Register must be different from the Manufacturer Specific Data Register"}},
      });
  Run_Node_Cases(Wireless_Boxes(), {{"wireless manufacturer data is checked too",
                                     [](TNodeBoxes& b) { b.MSD_Ticked = true, b.MSD_Register = "1537"; },
                                     {"Error!! Manufacturer Specific Data must be between 0 and 1536"}}});
}

// A variable that passes: register 50.
TVariableBoxes Var_Boxes() {
  TVariableBoxes b;
  b.PositionData = "50";
  b.Storage_Number = "0";
  b.Tariff = "0";
  b.Position = "1";
  return b;
}

struct TVarCase {
  const char* Name;
  std::function<void(TVariableBoxes&)> Edit;
  std::vector<std::string> Messages;
};

TEST_F(NetworkValidation, VariableBoxes) {
  const TVarCase cases[] = {
      {"passes", [](TVariableBoxes&) {}, {}},
      {"register in hexadecimal with a leading blank",
       [](TVariableBoxes& b) { b.PositionData = " $10"; },
       {}},
      {"register 0",
       [](TVariableBoxes& b) { b.PositionData = "0"; },
       {"Error!! Position Data must be between 1 and 1536"}},
      {"register empty",
       [](TVariableBoxes& b) { b.PositionData = ""; },
       {"Error!! Position Data must be between 1 and 1536"}},
      {"storage number 0xFFFFFFFF passes", [](TVariableBoxes& b) { b.Storage_Number = "0xFFFFFFFF"; }, {}},
      {"storage number",
       [](TVariableBoxes& b) { b.Storage_Number = "4294967296"; },
       {"Error!! Storage Number must be between 0x00000000 and 0xFFFFFFFF"}},
      {"tariff",
       [](TVariableBoxes& b) { b.Tariff = "x100000"; },
       {"Error!! Tariff must be between 0x00000 and 0xFFFFF"}},
      {"length read only for variable length", [](TVariableBoxes& b) { b.Length = "500"; }, {}},
      {"length",
       [](TVariableBoxes& b) { b.Dimension = 7, b.Length = "192"; },
       {"Error!! Length (Variable Len) must be between 0 and 191"}},
      {"year register only for a ticked time point",
       [](TVariableBoxes& b) { b.TP_Ticked = true, b.TP_Year = "0"; },
       {}},
      {"year register",
       [](TVariableBoxes& b) { b.Type_Of_Data = 20, b.TP_Ticked = true, b.TP_Year = "59996"; },
       {"Error!! Year Time Point Register must be between 1 and 59995"}},
      {"register inside its own block",
       [](TVariableBoxes& b) { b.Type_Of_Data = 20, b.TP_Ticked = true, b.TP_Year = "45"; },
       {"Error!! ModBus Register and Time Point Registers must be different"}},
      {"register just past its own block",
       [](TVariableBoxes& b) { b.Type_Of_Data = 20, b.TP_Ticked = true, b.TP_Year = "44"; },
       {}},
      {"position",
       [](TVariableBoxes& b) { b.Position = "513"; },
       {"Error!! Variable position must be between 1 and 512"}},
  };
  for (const TVarCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TVariableBoxes b = Var_Boxes();
    c.Edit(b);
    EXPECT_EQ(Controllo_Dati_New_Var(b, 1, {}, {}), c.Messages);
  }
}

TNodi_List Register_Network() {
  TNodo meter = Wired_Node(1, 1, 0);
  meter.Description = "Meter 3";
  meter.Node_State = 10;
  meter.Ident_Num = 11;
  TVariabile energy;
  energy.Enable = true;
  energy.Description = "Energy";
  energy.PositionData = 20;
  TVariabile date;
  date.Enable = true;
  date.Description = "Date";
  date.PositionData = 30;
  date.TP_Mod_Regs = true;
  date.TP_Mod_Year = 95;
  TVariabile off;
  off.Description = "Off";
  off.PositionData = 40;
  meter.Var_List = {energy, date, off};

  TNodo radio = Wired_Node(1, 1, 0);
  radio.MBus_Type = 0;
  radio.Description = "Radio";
  radio.Node_State = 0;
  radio.Ident_Num = 0;
  radio.RSSI = 60;

  TNodo disabled = Wired_Node(2, 1, 0);
  disabled.Enable = 0;
  disabled.Node_State = 70;
  return {meter, radio, disabled};
}

struct TRegisterCase {
  const char* Name;
  std::int32_t R, S, Y;
  std::optional<std::string> Message;
};

TEST_F(NetworkValidation, RegisterConflicts) {
  const TNodi_List nodes = Register_Network();
  const std::string var = "\", Variable \"";
  const TRegisterCase cases[] = {
      {"free", 500, 0, 0, std::nullopt},
      {"node state", 10, 0, 0, "Error!! ModBus Register already use in the Node \"Meter 3\" (Node State)"},
      {"identification", 11, 0, 0,
       "Error!! ModBus Register already use in the Node \"Meter 3\" (Identification Number)"},
      {"RSSI of a wireless node", 60, 0, 0,
       "Error!! ModBus Register already use in the Node \"Radio\" (RSSI)"},
      {"a disabled node's node state", 70, 0, 0, std::nullopt},
      {"scale on node state", 500, 10, 0,
       "Error!! ModBus Register Scale already use in the Node \"Meter 3\" (Node State)"},
      {"scale on identification", 500, 11, 0,
       "Error!! ModBus Register Scale already use in the Node \"Meter 3\" (Identification Number)"},
      {"scale on RSSI", 500, 60, 0, "Error!! ModBus Register Scale already use in the Node \"Radio\" (RSSI)"},
      {"block over node state", 500, 0, 5,
       "Error!! Time Point Registers already use in the Node \"Meter 3\" (Node State)"},
      {"block over identification", 500, 0, 11,
       "Error!! Time Point Registers already use in the Node \"Meter 3\" (Identification Number)"},
      {"block over RSSI", 500, 0, 55,
       "Error!! Time Point Registers already use in the Node \"Radio\" (RSSI)"},
      {"variable register", 20, 0, 0,
       "Error!! ModBus Register already use in the Node \"Meter 3" + var + "Energy\" (Modbus Register)"},
      {"a disabled variable's register", 40, 0, 0, std::nullopt},
      {"register 100 in the block from 95", 100, 0, 0,
       "Error!! ModBus Register already use in the Node \"Meter 3" + var + "Date\" (Time Point)"},
      {"register 101 past it", 101, 0, 0, std::nullopt},
      {"scale on a variable register", 500, 20, 0,
       "Error!! ModBus Register Scale already use in the Node \"Meter 3" + var +
           "Energy\" (Modbus Register)"},
      // The time point block is six registers in every row.
      {"scale 100 in the block from 95", 500, 100, 0,
       "Error!! ModBus Register Scale already use in the Node \"Meter 3" + var + "Date\" (Time Point)"},
      {"new block from 15 over register 20", 500, 0, 15,
       "Error!! Time Point Registers already use in the Node \"Meter 3" + var + "Energy\" (Modbus Register)"},
      {"new block from 14 passes register 20", 500, 0, 14, std::nullopt},
      {"new block overlapping the block from 95", 500, 0, 100,
       "Error!! Time Point Registers already use in the Node \"Meter 3" + var + "Date\" (Time Point)"},
      {"new block before it", 500, 0, 90,
       "Error!! Time Point Registers already use in the Node \"Meter 3" + var + "Date\" (Time Point)"},
      {"new block just after it", 500, 0, 101, std::nullopt},
      {"new block just before it", 500, 0, 89, std::nullopt},
  };
  for (const TRegisterCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Check_Registers(c.R, c.S, c.Y, 1, nodes, {}), c.Message);
  }
}

TEST_F(NetworkValidation, ModifyingAVariableSkipsOnlyItself) {
  const TNodi_List nodes = Register_Network();
  TVariableBoxes b = Var_Boxes();
  b.PositionData = "20";
  EXPECT_EQ(Controllo_Dati_New_Var(b, 0, nodes, {0, 0}), std::vector<std::string>{});
  EXPECT_EQ(Controllo_Dati_New_Var(b, 1, nodes, {0, 0}),
            std::vector<std::string>{
                "Error!! ModBus Register already use in the Node \"Meter 3\", Variable \"Energy\" "
                "(Modbus Register)"});
  // A new block from 96 against register 100 (the mended six-register rows), through the whole check.
  TNodi_List hundred = nodes;
  hundred[0].Var_List[0].PositionData = 100;
  b.PositionData = "500";
  b.Type_Of_Data = 20;
  b.TP_Ticked = true;
  b.TP_Year = "95";
  EXPECT_EQ(
      Controllo_Dati_New_Var(b, 1, hundred, {}),
      std::vector<std::string>{"Error!! Time Point Registers already use in the Node \"Meter 3\", Variable "
                               "\"Energy\" (Modbus Register)"});
}

} // namespace
