// The checks the network editor runs when a node or a variable is stored, and those of the New-ID
// dialog for pasted ones. They work on what the editor's boxes hold, so they need no window; each
// gives its messages in the order the editor shows them, empty when the entry may be stored.
#pragma once

#include "mbus/NetworkModel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The editor's selection: list index of the node and of the variable within it, -1 for none.
struct TNetworkSelection {
  int IND_NODO = -1;
  int IND_VAR = -1;
};

// The node boxes as typed, the ticks and the choices.
struct TNodeBoxes {
  bool Wireless = false; // the M-Bus type box shows "wM-Bus"
  // wireless
  std::string ManID, Address, Version, DevType;
  bool Key_Enable = false;
  std::array<std::string, 16> Key;
  std::string RSSI;
  // wired
  bool Primary_Chosen = true; // "Primary ID Node" rather than "Secondary ID Node"
  std::string Primary_ID, Secondary_ID;
  // both (a wired node's registers count only when ticked)
  bool Node_State_Ticked = false, Ident_Num_Ticked = false, Access_Number_Ticked = false, MSD_Ticked = false;
  std::string Node_State, Ident_Num, Access_Number;
  std::string MSD_Register, MSD_Length, MSD_Offset;
};

struct TVariableBoxes {
  std::string PositionData, Storage_Number, Tariff, Length, TP_Year, Position;
  int Type_Of_Data = 0; // index chosen in the type list
  int Dimension = 0;    // index chosen in the dimension list
  bool TP_Ticked = false;
};

std::vector<std::string> Controllo_Dati_New_Nodo(const TNodeBoxes& boxes, const TNodi_List& nodes,
                                                 const TNetworkSelection& sel);
// newvar 1 when adding, 0 when modifying the selected variable.
std::vector<std::string> Controllo_Dati_New_Var(const TVariableBoxes& boxes, int newvar,
                                                const TNodi_List& nodes, const TNetworkSelection& sel);
// The first register conflict of R (the variable's register), S (a second one, 0 for none) and the
// time point block from Y (0 for none) with the enabled nodes and their enabled variables.
std::optional<std::string> Check_Registers(std::int32_t R, std::int32_t S, std::int32_t Y, int NewVar,
                                           const TNodi_List& nodes, const TNetworkSelection& sel);
// The message when the wired address of this type is taken (the node being modified excepted).
std::optional<std::string> Check_Node_ID(std::int32_t ID, int type_ID, const TNodi_List& nodes,
                                         const TNetworkSelection& sel);
// The same over every node, for a pasted one.
std::optional<std::string> Check_Node_ID2(std::int32_t ID, int type_ID, const TNodi_List& nodes);
