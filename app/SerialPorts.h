// The serial ports present on the machine, numbered as COM ports: the devices ttyS*, ttyUSB* and
// ttyACM* in that order, each group by its number, become COM1, COM2, ...
#pragma once

#include <string>
#include <vector>

struct TSerialPort {
  int Number = 0;     // n of "COMn"
  std::string Device; // full path of the device file
};

// Where the ports are looked for; tests point these at folders of their own.
struct TSerialPortFolders {
  std::string Devices = "/dev";
  // Kernel facts per tty: a built-in UART slot without a chip says "0" in its "type" file.
  std::string TtyClass = "/sys/class/tty";
};

// At most 256 ports, in the stable order above.
std::vector<TSerialPort> Serial_Ports(const TSerialPortFolders& folders = {});

// The numbers of the ports present, as decimal texts ("1", "2", ...). A port held open by another
// program is listed too.
std::vector<std::string> List_COM_Ports(const TSerialPortFolders& folders = {});

// The device file of COMn; empty when there is no such port.
std::string COM_Port_Device(int Number, const TSerialPortFolders& folders = {});
