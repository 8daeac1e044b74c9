// The scan result files a host program reads after a scan.
#pragma once

#include "mbus/DecodedSlaves.h"

#include <string>
#include <vector>

struct TWriteResult;

TWriteResult Save_XML_File_DLL(const std::string& path, const std::vector<TSlave_MBus>& slaves);
TWriteResult Save_Wireless_XML_File_DLL(const std::string& path, const std::vector<TSlave_wMBus>& slaves);
