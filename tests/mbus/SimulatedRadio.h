// A gateway in configuration mode with a Telit or a RadioCrafts radio module behind it, as the
// fake gateway's script.
#pragma once

#include "MBusTestSupport.h"
#include "mbus/GatewayProtocol.h"
#include "support/FakeGateway.h"

#include <memory>
#include <string>
#include <vector>

struct TModuleOptions {
  bool RadioCrafts = false;
  std::string Telit_Answer = "OK\r"; // to every Telit command
  std::size_t Memory_Size = 257;     // the RadioCrafts memory read, prompt included
};

// The gateway in configuration mode with a Telit or a RadioCrafts module behind it.
inline TFakeGateway::TScript Radio(TModuleOptions o = {}) {
  auto expectIndex = std::make_shared<bool>(false);
  return [o, expectIndex](const TGatewayBytes& r) -> std::vector<TGatewayReply> {
    const std::string text(r.begin(), r.end());
    if (text == Gateway_Text::Enable_Configuration) return {{Bytes_Of(Gateway_Text::Configuration_Enabled)}};
    if (text == Gateway_Text::Type_Radio_Module)
      return {{Bytes_Of(o.RadioCrafts ? Gateway_Text::RadioCrafts : Gateway_Text::Telit)}};
    if (text == Gateway_Text::Disable_Configuration)
      return {{Bytes_Of(Gateway_Text::Configuration_Disabled)}};
    if (!o.RadioCrafts) return {{Bytes_Of(o.Telit_Answer)}};
    const TGatewayReply prompt{Hex("3E")};
    if (r.size() == 1 && *expectIndex) {
      *expectIndex = false;
      return {};
    }
    if (r.size() == 1) {
      switch (r[0]) {
      case 0x30: {
        TGatewayBytes memory(o.Memory_Size, 0x11);
        memory.back() = 0x3E;
        return {{memory}};
      }
      case 0x42:
      case 0x4B:
      case 0x41:
        *expectIndex = true;
        return {prompt};
      case 0x58:
        return {};
      default:
        return {prompt};
      }
    }
    return {prompt};
  };
}
