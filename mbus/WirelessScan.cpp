// One step of the wireless scan: configuration mode, the radio module's set-up (Telit text
// commands or RadioCrafts binary ones), listening, key downloads, and configuration mode left.
#include "mbus/GatewayProtocol.h"
#include "mbus/ScanEngine.h"
#include "platform/Clock.h"

#include <string>

namespace {

constexpr std::uint8_t Prompt = 0x3E;

bool N_Mode(std::int32_t mode) {
  return mode == 15 || mode == 17;
}

std::string Decimal(long v) {
  return std::to_string(v);
}

} // namespace

void TMBusScanDecode::Wireless_Close_Transport() {
  if (Select_Hardware == TSelectHard::shEthernet)
    UDP_Server.Deactivate();
  else
    Comm.Close();
}

// A wait step for an answer that must be exactly `expected`; an answer judged in a turn is not
// overruled by the time-out passing in the same turn.
bool TMBusScanDecode::Wireless_Wait(std::string_view expected, int next) {
  if (const auto answer = Answer()) {
    const bool right = Answer_Is(*answer, expected);
    if (!right) FResult.store(2);
    Step_Scan.store(right ? next : 500);
    return right;
  }
  if (Check_TimeOut()) {
    FResult.store(2);
    Step_Scan.store(500);
  }
  return false;
}

bool TMBusScanDecode::Wireless_Prompt_Wait(int next) {
  return Wireless_Wait(std::string_view("\x3E", 1), next);
}

void TMBusScanDecode::Scan_Decode_Wireless() {
  if (FAbortScan.load() || FStopScan.load()) Step_Scan.store(500);
  const int step = Step_Scan.load();
  const bool ethernet = Select_Hardware == TSelectHard::shEthernet;
  // Over the serial transport the command steps have nothing to send and stay where they are.
  if (!ethernet && step < 500) return;

  const std::int64_t text = TimeOut_Text(Add_TimeOut);
  auto send_text = [&](const std::string& command, int next) {
    TimeOut_Calc = text;
    Send_Command(command, Port_Wireless);
    Step_Scan.store(next);
  };
  auto send_bytes = [&](std::vector<std::uint8_t> bytes, std::int64_t timeout, int next) {
    TimeOut_Calc = timeout;
    Req_Array = std::move(bytes);
    Send_Command(Port_Wireless);
    Step_Scan.store(next);
  };
  // Any answer, or the time-out, moves on.
  auto any_answer = [&](int next) {
    if (Answer() || Check_TimeOut()) Step_Scan.store(next);
  };
  // An answer starting with the prompt moves on (its length is not checked).
  auto prompt_first = [&](int next) {
    if (const auto answer = Answer()) {
      const bool right = !answer->empty() && answer->front() == Prompt;
      if (!right) FResult.store(2);
      Step_Scan.store(right ? next : 500);
    } else if (Check_TimeOut()) {
      FResult.store(2);
      Step_Scan.store(500);
    }
  };
  // The device whose key is being loaded, copied under the list's lock.
  auto key_device = [&] {
    return List_Slave_wMBus().SnapshotAt(Wireless_Key_Index).value_or(TSlave_wMBus{});
  };

  switch (step) {
  case 0:
    Wireless_Receive_Message.store(false);
    FResult.store(1);
    send_text(std::string(Gateway_Text::Enable_Configuration), 1);
    return;
  case 1:
    Wireless_Wait(Gateway_Text::Configuration_Enabled, 2);
    return;
  case 2:
    FResult.store(1);
    send_text(std::string(Gateway_Text::Type_Radio_Module), 3);
    return;
  case 3:
    if (const auto answer = Answer()) {
      if (Answer_Is(*answer, Gateway_Text::Telit)) {
        RadioModule.store(TRadioModule::rmTelit);
        Step_Scan.store(100);
      } else if (Answer_Is(*answer, Gateway_Text::RadioCrafts)) {
        RadioModule.store(TRadioModule::rmRadioCrafts);
        Step_Scan.store(300);
      } else {
        FResult.store(2);
        Step_Scan.store(500);
      }
    } else if (Check_TimeOut()) {
      FResult.store(2);
      Step_Scan.store(500);
    }
    return;
  case 134: // Telit listening
  case 320: // RadioCrafts listening
    return;
  case 500:
    Count_Disable_Analyzer = 0;
    FAbortScan.store(false);
    FStopScan.store(false);
    Step_Scan.store(501);
    return;
  case 501:
    if (!ethernet || Count_Disable_Analyzer >= 3) {
      Step_Scan.store(503);
      return;
    }
    ++Count_Disable_Analyzer;
    send_text(std::string(Gateway_Text::Disable_Configuration), 502);
    return;
  case 502:
    if (const auto answer = Answer())
      Step_Scan.store(Answer_Is(*answer, Gateway_Text::Configuration_Disabled) ? 503 : 501);
    else if (Check_TimeOut())
      Step_Scan.store(501);
    return;
  case 503:
    Wireless_Close_Transport();
    if (!SaveXMLFile.empty() && Result_Writer) Result_Writer(SaveXMLFile, TMBusType::mtWireless);
    {
      std::lock_guard lock(End_Mutex);
      FInScan.store(false, std::memory_order_release);
    }
    End_Condition.notify_all();
    return;
  default:
    break;
  }

  // ---- Telit set-up (100 to 133) and key download (200 to 221): command steps even, waits odd.
  if ((step >= 100 && step <= 133) || (step >= 200 && step <= 221)) {
    if (step % 2 == 1) {
      const int command = step - 1;
      int next = command + 2;
      if (command == 110 || command == 122 || command == 128)
        next = N_Mode(wMBusMode) ? command + 4 : command + 2;
      if (command == 132) next = 134;
      if (command == 216) next = 218;
      if (command == 218) next = Index_Key_Send + 1 < 16 ? 218 : 220;
      if (command == 220) next = 132;
      if (!Wireless_Wait(Gateway_Text::Telit_OK, next)) return;
      if (command == 132) Wireless_Receive_Message.store(true);
      if (command == 216) Index_Key_Send = 0;
      if (command == 218) ++Index_Key_Send;
      if (command == 220) Index_Key_Send = 0;
      return;
    }
    std::string command;
    if (step >= 200) {
      const TSlave_wMBus d = key_device();
      const auto address = static_cast<std::uint32_t>(d.ALA_Address);
      switch (step) {
      case 200:
        Wireless_Receive_Message.store(false);
        command = "+++";
        break;
      case 202:
        command = "ATS461=" + Decimal(d.ALA_Manufacturer & 0xFF) + "\r";
        break;
      case 204:
        command = "ATS462=" + Decimal(d.ALA_Manufacturer >> 8) + "\r";
        break;
      case 206:
        command = "ATS463=" + Decimal(address & 0xFF) + "\r";
        break;
      case 208:
        command = "ATS464=" + Decimal((address >> 8) & 0xFF) + "\r";
        break;
      case 210:
        command = "ATS465=" + Decimal((address >> 16) & 0xFF) + "\r";
        break;
      case 212:
        command = "ATS466=" + Decimal(address >> 24) + "\r";
        break;
      case 214:
        command = "ATS467=" + Decimal(d.ALA_Version) + "\r";
        break;
      case 216:
        command = "ATS468=" + Decimal(d.ALA_DeviceType) + "\r";
        break;
      case 218:
        command = "ATS" + Decimal(470 + Index_Key_Send) + "=" +
                  Decimal(Wireless_Key[static_cast<std::size_t>(Index_Key_Send & 15)]) + "\r";
        break;
      case 220:
        command = "ATS460=5\r";
        break;
      }
    } else {
      switch (step) {
      case 100:
        command = "+++";
        break;
      case 102:
        command = "ATR\r";
        break;
      case 104:
        command = "ATS400=" + Decimal(wMBusMode) + "\r";
        break;
      case 106:
        command = "ATS401=0\r";
        break;
      case 108:
        command = "ATS402=191\r";
        break;
      case 110:
        command = "ATS420=" + Decimal(wMBusRadioChannel) + "\r";
        break;
      case 112:
        command = "ATS421=0\r";
        break;
      case 114:
        command = "ATS422=3\r";
        break;
      case 116:
        command = "ATS430=5\r";
        break;
      case 118:
        command = "ATS431=5\r";
        break;
      case 120:
        command = "ATS440=0\r";
        break;
      case 122:
        command = "ATS441=0\r";
        break;
      case 124:
        command = "ATS442=0\r";
        break;
      case 126:
        command = "ATS452=0\r";
        break;
      case 128:
        command = "ATS453=0\r";
        break;
      case 130:
        command = "ATS454=0\r";
        break;
      case 132:
        command = "ATO\r";
        break;
      }
    }
    send_text(command, step + 1);
    return;
  }

  // ---- RadioCrafts set-up (300 to 319) and key download (400 to 419).
  const std::int64_t index_timeout = 100 + Add_TimeOut;
  auto entry = [&] { return static_cast<std::uint8_t>(key_device().RadioCrafts_Ind_Tab_Decript); };
  switch (step) {
  case 300:
    Index_RadioCrafts_Position_Used = 1;
    send_bytes({0x00}, text, 301);
    return;
  case 301:
    Wireless_Prompt_Wait(302);
    return;
  case 302:
    send_bytes({0x30}, text, 303);
    return;
  case 303:
    // The module's 256-byte memory followed by the prompt.
    if (const auto answer = Answer()) {
      const bool right = answer->size() == 257 && answer->back() == Prompt;
      if (!right) FResult.store(2);
      Step_Scan.store(right ? 304 : 500);
    } else if (Check_TimeOut()) {
      FResult.store(2);
      Step_Scan.store(500);
    }
    return;
  case 304:
    send_bytes({0x4D}, text, 305);
    return;
  case 305:
    Wireless_Prompt_Wait(306);
    return;
  case 306:
    send_bytes(Build_RadioCrafts_Config(wMBusMode), 500 + Add_TimeOut, 307);
    return;
  case 307:
    any_answer(308);
    return;
  case 308:
    send_bytes({0xFF}, text, 309);
    return;
  case 309:
    if (Wireless_Prompt_Wait(310)) Index_RadioCrafts_Erase_Position = 0;
    return;
  case 310:
    // Keys use entries 1 to 64, so all 64 are cleared.
    if (Index_RadioCrafts_Erase_Position >= RadioCrafts_Table_Entries)
      Step_Scan.store(318);
    else
      send_bytes({0x42}, text, 311);
    return;
  case 311:
    Wireless_Prompt_Wait(313);
    return;
  case 313:
    if (Index_RadioCrafts_Erase_Position >= RadioCrafts_Table_Entries) {
      Step_Scan.store(318);
    } else {
      ++Index_RadioCrafts_Erase_Position;
      Step_Scan.store(314);
    }
    return;
  case 314:
    send_bytes({static_cast<std::uint8_t>(Index_RadioCrafts_Erase_Position)}, index_timeout, 315);
    return;
  case 315:
    any_answer(316);
    return;
  case 316:
    send_bytes(std::vector<std::uint8_t>(8, 0x00), text, 317);
    return;
  case 317:
    prompt_first(310);
    return;
  case 318:
    send_bytes({0x58}, text, 319);
    return;
  case 319:
    Wireless_Receive_Message.store(true);
    Step_Scan.store(320);
    return;
  case 400:
    Wireless_Receive_Message.store(false);
    send_bytes({0x00}, text, 401);
    return;
  case 401:
    Wireless_Prompt_Wait(402);
    return;
  case 402:
    send_bytes({0x42}, text, 403);
    return;
  case 403:
    Wireless_Prompt_Wait(404);
    return;
  case 404:
    send_bytes({entry()}, index_timeout, 405);
    return;
  case 405:
    any_answer(406);
    return;
  case 406: {
    const TSlave_wMBus d = key_device();
    const auto a = static_cast<std::uint32_t>(d.ALA_Address);
    send_bytes({static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(a >> 8),
                static_cast<std::uint8_t>(a >> 16), static_cast<std::uint8_t>(a >> 24),
                static_cast<std::uint8_t>(d.ALA_Manufacturer),
                static_cast<std::uint8_t>(d.ALA_Manufacturer >> 8), d.ALA_Version, d.ALA_DeviceType},
               text, 407);
    return;
  }
  case 407:
    prompt_first(408);
    return;
  case 408:
    send_bytes({0x4B}, text, 409);
    return;
  case 409:
    Wireless_Prompt_Wait(410);
    return;
  case 410:
    send_bytes({entry()}, index_timeout, 411);
    return;
  case 411:
    any_answer(412);
    return;
  case 412: {
    const TSlave_wMBus d = key_device();
    send_bytes(std::vector<std::uint8_t>(d.Key.begin(), d.Key.end()), text, 413);
    return;
  }
  case 413:
    prompt_first(414);
    return;
  case 414:
    send_bytes({0x41}, text, 415);
    return;
  case 415:
    Wireless_Prompt_Wait(416);
    return;
  case 416:
    send_bytes({entry()}, index_timeout, 417);
    return;
  case 417:
    any_answer(418);
    return;
  case 418:
    send_bytes({0x00, 0x40}, text, 419);
    return;
  case 419:
    Wireless_Prompt_Wait(318);
    return;
  default:
    return;
  }
}
