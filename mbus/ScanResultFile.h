// The scan result files a host program reads after a scan.
#pragma once

#include "mbus/DecodedSlaves.h"

#include <string>
#include <vector>

struct TWriteResult;

TWriteResult Save_XML_File_DLL(const std::string& path, const std::vector<TSlave_MBus>& slaves);
TWriteResult Save_Wireless_XML_File_DLL(const std::string& path, const std::vector<TSlave_wMBus>& slaves);

enum class TMBusType;

// The engine's result writer: the program-wide list of the scan's kind, taken under its lock.
void Write_Scan_Result_File(const std::string& path, TMBusType type);
