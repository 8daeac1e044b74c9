#include "gateway/LoRaWANTexts.h"

namespace {

constexpr TDefaultText Texts[] = {
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
    {1256, "Error!! The LoRaWAN Access List cannot be read, the tables are shown empty: %s"},
    {1257, "Error!! The LoRaWAN Access List cannot be saved: %s"},
    {1258, "Error!! The Communication Setting cannot be read, the Max Payload Size is not known: %s"},
    {1259, "Warning!! The LoRaWAN Access List holds more rules than the table can show (%d). The others are "
           "not saved"},
};

} // namespace

TTextBlock LoRaWANSetAccessTexts() {
  return Texts;
}
