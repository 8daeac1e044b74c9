// Turning a finished scan into the configuration's M_Bus.xml, with Modbus registers numbered.
#pragma once

#include "mbus/DecodedSlaves.h"

#include <functional>
#include <string>
#include <vector>

struct TSaveConfXML {
  int Append = 0; // 1: add the nodes to the existing file
  int XML_Code_Dev = 0;
  int Mod_Start = 1;
  int Index_Baud = 0;
  int Index_Par = 0;
  int Node_ID_Type = 0;
  int SND_NKE = 0;
  int Reset_App = 0;
  int Cut_After = 3;
  int StartModnode = 0; // 1: registers restart at each slave's SMN_Array entry
  std::vector<int> SMN_Array;
  bool En_NodeState = false;
  bool En_IdeNum = false;
  std::string File_Name;
};

struct TSaveConfResult {
  bool Written = false;
  std::string Error; // why nothing was written; empty when there was nothing to write
  explicit operator bool() const { return Written; }
};

// Whether a wired slave or record counts as checked, from its node in the result tree; a record
// without a node always counts.
using TCheckedProc = std::function<bool(const void* node)>;

// Registers a record of this data field code takes, and the dimension code written for it.
int Save_Registers_Of(int dimension, int nbyte);
int Save_Dim_Of(int dimension);

TSaveConfResult Save_XML_Conf_Wired(const std::vector<TSlave_MBus>& slaves, const TSaveConfXML& data,
                                    bool Check_BCD, const TCheckedProc& checked = {});
TSaveConfResult Save_XML_Conf_Wireless(const std::vector<TSlave_wMBus>& slaves, const TSaveConfXML& data,
                                       bool Check_BCD);

// Column 0 of the per-node start address grid, one row per slave: the wired primary and secondary
// address, the wireless address in decimal (unsigned: it is a 32-bit identity).
std::vector<std::string> Start_Add_Captions(const std::vector<TSlave_MBus>& slaves);
std::vector<std::string> Start_Add_Captions(const std::vector<TSlave_wMBus>& slaves);
