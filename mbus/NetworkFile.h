// The network file M_Bus.xml: root "M-Bus_Network", the comment "SW_VERSION = 1.002" after it, one
// "Nodo" per node holding one "Variabile" per variable, every value an attribute.
#pragma once

#include "mbus/NetworkModel.h"
#include "platform/AtomicFile.h"

#include <string>
#include <string_view>

struct TNetworkRead {
  TNodi_List Nodes;
  // False when the file could not be parsed or its reading stopped at a variable without one of
  // its required numbers: the nodes hold what was read before, and saving them would lose the rest.
  bool Complete = true;
  std::string Message; // for the user; empty when there is nothing to say
};

// A missing file gives an empty, complete network without a message.
TNetworkRead Read_MBus_Network(const std::string& path);
TNetworkRead Parse_MBus_Network(std::string_view xml);

std::string MBus_Network_Xml(const TNodi_List& nodes);
// Written whole or not at all; on failure Error holds the message for the user.
TWriteResult Write_MBus_Network(const std::string& path, const TNodi_List& nodes);
