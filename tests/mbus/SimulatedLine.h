// A gateway in analyzer mode with meters behind it, as the fake gateway's script: it confirms the
// gateway commands, answers the M-Bus requests of the meters on its line, and labels requests
// for readable comparisons.
#pragma once

#include "MBusTestSupport.h"
#include "mbus/GatewayProtocol.h"
#include "mbus/RequestFrames.h"
#include "support/FakeGateway.h"

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A meter on the simulated line: its primary address, its identification number and the frames
// it answers REQ_UD2 with, one after the other.
struct TSimSlave {
  int Primary = -1;
  std::string Id; // eight digits
  std::vector<TBytes> Frames;
};

// A long frame from the meter with this identification number; `more` announces a further frame.
inline TBytes Meter_Frame(const std::string& id, int address, bool more = false, int value = 10000) {
  char body[200];
  std::snprintf(body, sizeof body,
                "08 %02X 72 %c%c %c%c %c%c %c%c 93 15 33 03 2A 00 00 00 04 13 %02X %02X 00 00 %s", address,
                id[6], id[7], id[4], id[5], id[2], id[3], id[0], id[1], value & 0xFF, (value >> 8) & 0xFF,
                more ? "1F" : "");
  return LongFrame(body);
}

struct TLineOptions {
  bool Confirm_Analyzer = true;
  bool Confirm_Setup = true;
  int Confirm_Disable_After = 0; // disable attempts answered wrongly before the right answer; -1 never
  std::vector<TGatewayReply> Extra_Before_Enable; // sent before the answer to the enable command
  std::optional<TGatewayBytes> Enable_Answer;     // replaces the right answer
};

inline TLineOptions Opts(const std::function<void(TLineOptions&)>& edit) {
  TLineOptions o;
  edit(o);
  return o;
}

inline std::string Text_Of(const TGatewayBytes& b) {
  return std::string(b.begin(), b.end());
}

// The gateway in analyzer mode with the meters behind it.
inline TFakeGateway::TScript Line(std::vector<TSimSlave> slaves, TLineOptions o = {}) {
  struct TState {
    std::vector<TSimSlave> Slaves;
    TLineOptions Options;
    std::map<int, std::size_t> Next_Frame; // per slave
    int Selected = -1;
    int Disable_Seen = 0;
  };
  auto state = std::make_shared<TState>(TState{std::move(slaves), std::move(o), {}, -1, 0});
  return [state](const TGatewayBytes& r) -> std::vector<TGatewayReply> {
    TState& s = *state;
    const std::string text = Text_Of(r);
    if (text == Gateway_Text::Enable_Analyzer) {
      std::vector<TGatewayReply> replies = s.Options.Extra_Before_Enable;
      if (s.Options.Enable_Answer)
        replies.push_back({*s.Options.Enable_Answer});
      else if (s.Options.Confirm_Analyzer)
        replies.push_back({Bytes_Of(Gateway_Text::Analyzer_Enabled)});
      return replies;
    }
    if (text.starts_with("Ormida_S_M:"))
      return s.Options.Confirm_Setup ? std::vector<TGatewayReply>{{Bytes_Of(Gateway_Text::Setup_Done)}}
                                     : std::vector<TGatewayReply>{};
    if (text == Gateway_Text::Disable_Analyzer) {
      const int seen = s.Disable_Seen++;
      if (s.Options.Confirm_Disable_After < 0) return {};
      if (seen < s.Options.Confirm_Disable_After) return {{Bytes_Of("\n\rAnalyzer_Mode Disabled!\n\r!")}};
      return {{Bytes_Of(Gateway_Text::Analyzer_Disabled)}};
    }
    auto slave_at = [&](int a) -> TSimSlave* {
      for (TSimSlave& m : s.Slaves)
        if (m.Primary == a) return &m;
      return nullptr;
    };
    const TGatewayReply ack{Hex("E5")};
    if (r.size() == 5 && r[0] == 0x10 && r[1] == 0x40) { // SND_NKE
      if (r[2] == 0xFD) s.Selected = -1;
      if (r[2] == 0xFF && !s.Slaves.empty()) return {ack};
      if (slave_at(r[2])) return {ack};
      return {};
    }
    if (r.size() == 9 && r[6] == 0x50)
      return slave_at(r[5]) || r[5] == 0xFF ? std::vector{ack} : std::vector<TGatewayReply>{};
    if (r.size() == 5 && r[0] == 0x10) { // REQ_UD2
      TSimSlave* m = r[2] == 0xFD
                         ? (s.Selected >= 0 ? &s.Slaves[static_cast<std::size_t>(s.Selected)] : nullptr)
                         : slave_at(r[2]);
      if (!m || m->Frames.empty()) return {};
      std::size_t& next = s.Next_Frame[m->Primary * 1000 + static_cast<int>(m - s.Slaves.data())];
      const TBytes frame = m->Frames[std::min(next, m->Frames.size() - 1)];
      ++next;
      return {{frame}};
    }
    if (r.size() == 17 && r[6] == 0x52) { // selection
      char mask[9] = {};
      for (int pair = 0; pair < 4; ++pair) {
        const std::uint8_t b = r[static_cast<std::size_t>(10 - pair)];
        mask[pair * 2] = (b >> 4) == 0xF ? '?' : static_cast<char>('0' + (b >> 4));
        mask[pair * 2 + 1] = (b & 0xF) == 0xF ? '?' : static_cast<char>('0' + (b & 0xF));
      }
      std::vector<int> matches;
      for (std::size_t i = 0; i < s.Slaves.size(); ++i) {
        bool match = true;
        for (int d = 0; d < 8; ++d)
          if (mask[d] != '?' && mask[d] != s.Slaves[i].Id[static_cast<std::size_t>(d)]) match = false;
        if (match) matches.push_back(static_cast<int>(i));
      }
      if (matches.empty()) return {{Bytes_Of("NO_SLAVE\n\r")}};
      if (matches.size() == 1) {
        s.Selected = matches[0];
        s.Next_Frame[s.Slaves[static_cast<std::size_t>(s.Selected)].Primary * 1000 + s.Selected] = 0;
        return {ack};
      }
      return {{Hex("E5 E5")}};
    }
    return {};
  };
}

// Requests as short labels: gateway texts as they are, frames by kind.
inline std::string Label(const TGatewayBytes& r) {
  const std::string text = Text_Of(r);
  if (text.starts_with("Ormida_S_M:"))
    return "SETUP " + std::to_string(r[11] << 24 | r[12] << 16 | r[13] << 8 | r[14]) + " " +
           std::to_string(r[16]);
  if (text.starts_with("Ormida")) return text;
  char buf[40];
  if (r.size() == 5 && r[1] == 0x40) return std::snprintf(buf, sizeof buf, "NKE %d", r[2]), buf;
  if (r.size() == 5) return std::snprintf(buf, sizeof buf, "UD2 %02X %d", r[1], r[2]), buf;
  if (r.size() == 9) return std::snprintf(buf, sizeof buf, "RST %02X %d", r[4], r[5]), buf;
  if (r.size() == 17) {
    std::string mask;
    for (int pair = 0; pair < 4; ++pair)
      for (int nib :
           {r[static_cast<std::size_t>(10 - pair)] >> 4, r[static_cast<std::size_t>(10 - pair)] & 0xF})
        mask += nib == 0xF ? 'x' : static_cast<char>('0' + nib);
    return "SEL " + mask;
  }
  return "?";
}

inline std::vector<std::string> Labels(const std::vector<TGatewayBytes>& requests) {
  std::vector<std::string> out;
  for (const auto& r : requests)
    out.push_back(Label(r));
  return out;
}
