#include "gateway/BootTexts.h"

namespace {

constexpr TDefaultText Texts[] = {
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
    {1038, "Error!!! The device cannot be searched: %s"},
    {1039, "Error!!! The update program %s cannot be started: %s"},
    {1040, "Error!!! The file %s cannot be written: %s"},
    {1041, "Error!!! The update program %s is missing"},
    {1042, "Error!!! The firmware file %s is missing"},
};

} // namespace

TTextBlock BootTexts() {
  return Texts;
}
