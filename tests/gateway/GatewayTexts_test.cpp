#include "app/DefaultTexts.h"
#include "app/ULanguage.h"
#include "gateway/BootTexts.h"
#include "gateway/LoRaWANTexts.h"
#include "gateway/ParGenTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The gateway windows' built-in English texts, as quoted for them, byte for byte.

// Communication parameters window: captions, hints, list items and check messages.
const std::map<int, std::string> Par_Gen_Texts = {
    {400, "Set Communication"},
    {401, "Set Communication Setting"},
    {402, "OK"},
    {403, "Cancel"},
    {404, "Confirm and Save the current configuration"},
    {405, "Exit and Discard the current configuration"},
    {406, "LoRaWAN"},
    {407, "RF Band"},
    {408, "Select the RF Band of LoRaWAN"},
    {409, "Network Type"},
    {410, "Select the Network Type of LoRaWAN"},
    {411, "Activation Method"},
    {412, "Select the Activation Method of LoRaWAN"},
    {413, "Device Address"},
    {414, "Insert the Device Address of LoRaWAN (4 Byte in Hexadecimal) [DevAddr]"},
    {415, "JoinEUI"},
    {416, "Insert the JoinEUI (8 Byte in Hexadecimal) ex Application Identifier [AppEUI]"},
    {417, "Network Session Key"},
    {418, "Insert the Network Session Key of LoRaWAN (16 Byte in Hexadecimal) [NwkSKey]"},
    {419, "Application Session Key"},
    {420, "Insert the Application Session Key of LoRaWAN (16 Byte in Hexadecimal) [AppSKey]"},
    {421, "Application Key"},
    {422, "Insert the Application Key of LoRaWAN (16 Byte in Hexadecimal). Insert the same AppKEY of LoRaWAN "
          "Gateway [AppKey]"},
    {423, "Modbus Slave"},
    {436, "Ethernet"},
    {437, "IP Address"},
    {438, "Insert First byte of IP Address"},
    {439, "Insert Second byte of IP Address"},
    {440, "Insert Third byte of IP Address"},
    {441, "Insert Fourth byte of IP Address"},
    {442, "SubNet Mask"},
    {443, "Insert First byte of SubNet Mask"},
    {444, "Insert Second byte of SubNet Mask"},
    {445, "Insert Third byte of SubNet Mask"},
    {446, "Insert Fourth byte of SubNet Mask"},
    {447, "Gateway"},
    {448, "Enable/disable the Default Gateway"},
    {449, "Insert First byte of Default Gateway"},
    {450, "Insert Second byte of Default Gateway"},
    {451, "Insert Third byte of Default Gateway"},
    {452, "Insert Fourth byte of Default Gateway"},
    {459, "TCP Port"},
    {460, "Insert the communication port to use for TCP, from 0 to 65535 but different from 10000"},
    {461, "UDP Port"},
    {462, "Insert the communication port to use for UDP, from 0 to 65535 but different from 10000"},
    {465, "Error Ethernet!! IP Address 1 must be between 0 and 255"},
    {466, "Error Ethernet!! IP Address 2 must be between 0 and 255"},
    {467, "Error Ethernet!! IP Address 3 must be between 0 and 255"},
    {468, "Error Ethernet!! IP Address 4 must be between 0 and 255"},
    {469, "Error Ethernet!! SubNet Mask 1 must be between 0 and 255"},
    {470, "Error Ethernet!! SubNet Mask 2 must be between 0 and 255"},
    {471, "Error Ethernet!! SubNet Mask 3 must be between 0 and 255"},
    {472, "Error Ethernet!! SubNet Mask 4 must be between 0 and 255"},
    {473, "Error Ethernet!! GATEWAY IP 1 must be between 0 and 255"},
    {474, "Error Ethernet!! GATEWAY IP 2 must be between 0 and 255"},
    {475, "Error Ethernet!! GATEWAY IP 3 must be between 0 and 255"},
    {476, "Error Ethernet!! GATEWAY IP 4 must be between 0 and 255"},
    {481, "Error Ethernet!! TCP Port must be between 0 and 65535 and different from 10000"},
    {482, "Error Ethernet!! UDP Port must be between 0 and 65535 and different from 10000"},
    {483, "Adaptive DataRate"},
    {484, "Enable/Disable the Adaptive Datarate"},
    {485, "DataRate"},
    {486, "Select the DataRate"},
    {487, "Transmission Type"},
    {488, "Select the Transmission Type, Confirmed or Unconfirmed"},
    {489, "Max Payload Size"},
    {490, "Dimension of Payload Size"},
    {491, "Port Field"},
    {492, "FPort"},
    {493, "Error LoRa!! RF Band cannot be empty"},
    {494, "Error LoRa!! Network Type cannot be empty"},
    {495, "Error LoRa!! DataRate cannot be empty"},
    {496, "Error LoRa!! Transmission Type cannot be empty"},
    {497, "Error LoRa!! Payload Size must be between 1 and %d"},
    {499, "Error LoRa!! Activation Method cannot be empty"},
    {505, "BACnet Master"},
    {546, "BACnet Slave"},
    {631, "M-Bus"},
    {633, "Not Present"},
    {634, "Present"},
    {644, "M-Bus Wireless"},
    {646, "Not Present"},
    {647, "Present"},
    {658, "Modbus Master"},
    {674, "Modbus TCP Master"},
    {709, "Modbus TCP Slave"},
    {741, "Serial"},
    {751, "CAN"},
    {754, "CANopen"},
    {769, "DeviceNet Master"},
    {775, "DeviceNet Slave"},
    {787, "DMX"},
    {793, "EtherNet/IP Master"},
    {824, "EtherNet/IP"},
    {866, "J1939"},
    {877, "KNX"},
    {883, "NMEA 2000"},
    {891, "PROFIBUS"},
    {903, "PROFINET"},
    {947, "IEC61850 Client"},
    {2500, "IEC61850 Server"},
    {2544, "TLS (Transport Layer Security) Server"},
    {2557, "NTP (Network Time Protocol)"},
    {2563, "MQTT"},
    {2590, "Wi-Fi"},
    {2593, "Access Point"},
    {2594, "Client Mode"},
    {2595, "WiFi Direct"},
    {2630, "Unsecured"},
    {2631, "WPA"},
    {2632, "WPA2"},
    {2633, "WEP"},
    {2654, "Auto Search"},
    {2655, "1"},
    {2656, "2"},
    {2657, "3"},
    {2658, "4"},
    {2659, "5"},
    {2660, "6"},
    {2661, "7"},
    {2662, "8"},
    {2663, "9"},
    {2664, "10"},
    {2665, "11"},
    {2692, "TLS (Transport Layer Security)"},
    {2707, "OPC UA Client"},
    {2746, "OPC UA Server"},
    {2784, "S7comm"},
    {2813, "SNMP Manager"},
    {2843, "SNMP Agent"},
    {2904, "Frequency Sub-Band"},
    {2905, "Select the Sub-Band Frequency"},
    {2906, "Ethernet Connection"},
    {2907, "Device Name (Hostname)"},
    {2908, "Insert the Device Name (hostname)"},
    {2909, "Obtain an IP Address Automatically (DHCP for Cable Connection)"},
    {2910, "Obtain an IP Address Automatically from server DHCP for the connection via Cable"},
    {2911, "Obtain an IP Address Automatically (DHCP for Wi-Fi Connection)"},
    {2912, "Obtain an IP Address Automatically from server DHCP for the connection via Wi-Fi"},
    {2913, "Enable DNS"},
    {2914, "Enable/Disable the DNS"},
    {2915, "Primary DNS"},
    {2916, "Insert First byte of Primary DNS"},
    {2917, "Insert Second byte of Primary DNS"},
    {2918, "Insert Third byte of Primary DNS"},
    {2919, "Insert Fourth byte of Primary DNS"},
    {2920, "Secondary DNS"},
    {2921, "Insert First byte of Secondary DNS"},
    {2922, "Insert Second byte of Secondary DNS"},
    {2923, "Insert Third byte of Secondary DNS"},
    {2924, "Insert Fourth byte of Secondary DNS"},
    {2925, "Error Primary DNS!! DNS 1 must be between 0 and 255"},
    {2926, "Error Primary DNS!! DNS 2 must be between 0 and 255"},
    {2927, "Error Primary DNS!! DNS 3 must be between 0 and 255"},
    {2928, "Error Primary DNS!! DNS 4 must be between 0 and 255"},
    {2929, "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
    {2930, "Error Secondary DNS!! DNS 2 must be between 0 and 255"},
    {2931, "Error Secondary DNS!! DNS 3 must be between 0 and 255"},
    {2932, "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
};

// Update dialog.
const std::map<int, std::string> Boot_Texts = {
    {1000, "Update Device by Serial"},
    {1001, "Update Device Using the Serial Port"},
    {1002, "Update Device by Ethernet (UDP)"},
    {1003, "Update Device Using the Ethernet Port"},
    {1004, "Update Device by USB"},
    {1005, "Update Device Using the USB Port"},
    {1006, "Insert the IP Address of Device"},
    {1009, "List of Devices Find in Network"},
    {1010, "Search"},
    {1011, "IP Address"},
    {1012, "MAC Address"},
    {1013, "Find all Ormida Devices"},
    {1014, "Select Update Options"},
    {1015, "Firmware + Configuration"},
    {1016, "Firmware"},
    {1017, "Configuration"},
    {1018, "Read Back"},
    {1019, "Cancel"},
    {1020, "Execute Update Firmware"},
    {1021, "Insert first byte of IP Address"},
    {1022, "Insert second byte of IP Address"},
    {1023, "Insert third byte of IP Address"},
    {1024, "Insert fourth byte of IP Address"},
    {1029, "Serch Qzr Device in Network"},
    {1030, "Select a device in the list"},
    {1031, "Enable or disable the option to find all Ormida Devices"},
    {1032, "Select the operation to do in update"},
    {1033, "Enable or disable the possibility to read back the Firmware/Configuration"},
    {1034, "Exit without to do the Update"},
    {1035, "Start the update of Device"},
    {1036, "Device Not Found!"},
    {1037, "Error!!! Check the Ip Address"},
};

// LoRaWAN rule editor; 1243 goes before the row number of each check message.
const std::map<int, std::string> LoRaWAN_Texts = {
    {1200, "Set LoRaWAN Access"},
    {1201, "Set LoRaWAN Access"},
    {1202, "OK"},
    {1203, "Cancel"},
    {1204, "Delete Row"},
    {1205, "Insert Row"},
    {1206, "Copy Row"},
    {1207, "Paste Row"},
    {1208, "Confirm and save the LoRaWAN Access List"},
    {1209, "Exit without save the LoRaWAN Access List"},
    {1210, "Delete the Selected Row in the table"},
    {1211, "Insert a Row in the Table"},
    {1212, "Copy all Fields of the Selected Row"},
    {1213, "Paste the Copied Fields in the Selected Row"},
    {1214, "LoRaWAN Uplink"},
    {1215, "LoRaWAN Downlink"},
    {1216, "N"},
    {1217, "Enable"},
    {1218, "Start Byte"},
    {1219, "Num. Byte"},
    {1220, "On Change"},
    {1221, "On CMD"},
    {1222, "On Timer"},
    {1223, "Time (s)"},
    {1224, "Mnemonic"},
    {1225, "Enable/Disable the LoRaWAN Uplink Rule"},
    {1226, "Insert the Start Byte of LoRaWAN Uplink Rule"},
    {1227, "Insert the Number of Byte of LoRaWAN Uplink Rule"},
    {1228, "Enable/Disable the Possibility to Send the LoRaWAN Uplink when Data Change"},
    {1229, "Enable/Disable the Possibility to Send the LoRaWAN Uplink when Arrive a Commnad"},
    {1230, "Enable/Disable the Possibility to Send the LoRaWAN Uplink on timer"},
    {1231, "Insert the Time in seconds between the sending of LoRaWAN Uplink, the time Must between 30 and "
           "86400 seconds"},
    {1232, "Insert a description of the LoRaWAN Uplink Rule"},
    {1233, "N"},
    {1234, "Enable"},
    {1235, "Start Byte"},
    {1236, "Num. Byte"},
    {1237, "Mnemonic"},
    {1238, "Enable/Disable the LoRaWAN Downlink Rule"},
    {1239, "Insert the Start Byte of LoRaWAN Downlink Rule"},
    {1240, "Insert the Number of Byte of LoRaWAN Downlink Rule"},
    {1241, "Insert a description of the LoRaWAN Downlink Rule"},
    {1242, "Warning!! Max Payload Size not Set Up. Set it in \"Set Communication\" section"},
    {1243, "Error row "},
    {1244, "!! [LoraWAN Uplink] Start Byte must be between 0 and 1536"},
    {1245, "!! [LoraWAN Uplink] Number Byte must be between 0 and "},
    {1246, "!! [LoraWAN Uplink] Time (s) must be between 30 and 86400"},
    {1247, "!! [LoraWAN Downlink] Start Byte must be between 0 and 1536"},
    {1248, "!! [LoraWAN Downlink] Number Byte must be between 0 and "},
    {1249, "Are you sure to delete the Row number "},
    {1250, "FPort"},
    {1251, "Port Field (1-223)"},
    {1252, "FPort"},
    {1253, "Port Field (1-223)"},
    {1254, "!! [LoraWAN Uplink] FPort must be between 1 and 223"},
    {1255, "!! [LoraWAN Downlink] FPort must be between 1 and 223"},
};

// Messages the windows gained for faults they now report; each takes a spare number of its block.
const std::set<int> Added_Messages = {
    1038, 1039, 1040, 1041, 1042,                                     // update dialog
    1256, 1257, 1258, 1259,                                           // LoRaWAN rule editor
    2933, 2934, 2935, 2936, 2937, 2938, 2939, 2940, 2941, 2942, 2943, // communication parameters window
    2944,
};

constexpr int Empty_Text_Slot = 2592;

struct TBlockCase {
  const char* Name;
  TTextBlock Block;
  const std::map<int, std::string>* Quoted;
  std::vector<std::pair<int, int>> Owned; // the numbers the window owns
};

bool Owns(const TBlockCase& c, int number) {
  for (const auto& [first, last] : c.Owned)
    if (number >= first && number <= last) return true;
  return false;
}

std::vector<TBlockCase> Block_Cases() {
  return {
      {"communication parameters", ParGenTexts(), &Par_Gen_Texts, {{400, 999}, {2500, 2999}}},
      {"update dialog", BootTexts(), &Boot_Texts, {{1000, 1099}}},
      {"LoRaWAN rule editor", LoRaWANSetAccessTexts(), &LoRaWAN_Texts, {{1200, 1299}}},
  };
}

TEST(GatewayTexts, TableHoldsEveryQuotedTextByteForByte) {
  Load_Default_Texts();
  ASSERT_EQ(Lang_Texts.size(), static_cast<std::size_t>(Lang_Text_Count));
  for (const TBlockCase& c : Block_Cases())
    for (const auto& [number, text] : *c.Quoted)
      EXPECT_EQ(Lang_Texts[static_cast<std::size_t>(number)], text) << c.Name << ", text " << number;
}

// A number entered without a quotation would hide a spare slot's blank behind a made-up text.
TEST(GatewayTexts, BlocksEnterOnlyQuotedTextsAndTheAddedMessages) {
  for (const TBlockCase& c : Block_Cases()) {
    std::set<int> entered;
    for (const TDefaultText& t : c.Block) {
      entered.insert(t.Number);
      EXPECT_TRUE(Owns(c, t.Number)) << c.Name << ", text " << t.Number << " outside its block";
      const bool quoted = c.Quoted->count(t.Number) > 0;
      const bool added = Added_Messages.count(t.Number) > 0;
      EXPECT_TRUE(quoted || added || t.Number == Empty_Text_Slot) << c.Name << ", text " << t.Number;
      if (added) {
        EXPECT_FALSE(quoted) << "added text " << t.Number << " takes a quoted number";
        EXPECT_NE(t.Text.find_first_not_of(' '), std::string_view::npos) << "text " << t.Number;
      }
    }
    for (const auto& [number, text] : *c.Quoted)
      EXPECT_TRUE(entered.count(number)) << c.Name << ", quoted text " << number << " missing from its block";
  }
}

} // namespace
