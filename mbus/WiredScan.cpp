// One step of the wired scan: analyzer mode, the line set-up, then every primary address or the
// digit-by-digit secondary search, and the gateway back to normal operation.
#include "mbus/GatewayProtocol.h"
#include "mbus/LongFrame.h"
#include "mbus/RequestFrames.h"
#include "mbus/ScanEngine.h"
#include "platform/Clock.h"

#include <cstdlib>

namespace {

// Selection and wait steps of the eight digit levels (A most significant).
constexpr int Select_Step(int level) {
  return 108 + 2 * level;
}
constexpr int Wait_Step(int level) {
  return 109 + 2 * level;
}

} // namespace

void TMBusScanDecode::Decode_Frame(const std::vector<std::uint8_t>& frame, bool& finished, bool& decoded) {
  bool noFurtherFrame = true;
  const int index =
      Add_Wired_Slave(frame, Num_Frame_Read == 0 ? -1 : Index_Device, List_Slave_MBus(), noFurtherFrame);
  decoded = index >= 0;
  if (!decoded) return; // the decoder refused it (its L field disagrees with its length)
  Index_Device = index;
  ++Num_Frame_Read;
  finished = noFurtherFrame || Num_Frame_Read >= Cut_After;
}

void TMBusScanDecode::Wired_Close_Transport() {
  if (Select_Hardware == TSelectHard::shEthernet)
    UDP_Server.Deactivate();
  else
    Comm.Close();
}

void TMBusScanDecode::Wired_Level_Select(int level) {
  if (FStopScan.load()) {
    Step_Scan.store(200); // a stopped secondary search sends no end notification
    return;
  }
  ++Index[static_cast<std::size_t>(level)];
  for (int below = level + 1; below < 8; ++below)
    Index[static_cast<std::size_t>(below)] = -1;
  if (Index[static_cast<std::size_t>(level)] >= 10) {
    if (level == 0) {
      Type_To_Send_In_Last_Step = 2;
      Enable_Send_In_Last_Step = true;
      Step_Scan.store(200);
    } else {
      Step_Scan.store(Select_Step(level - 1));
    }
    return;
  }
  Clock().SleepMs(Secondary_Pause);
  Req_Array = Build_Select_Secondary(Index, {Fix_C_Field, Fix_C_Field_Value});
  Send_Command(Wired_Port());
  Step_Scan.store(Wait_Step(level));
}

void TMBusScanDecode::Wired_Level_Wait(int level) {
  const auto answer = Answer();
  // An answer that is there decides, even when the time-out has passed too.
  if (!answer) {
    if (Check_TimeOut()) Step_Scan.store(Select_Step(level));
    return;
  }
  if (Is_Ack(*answer)) {
    Num_Frame_Read = 0;
    Sec_Add_Next_Step = Select_Step(level);
    Step_Scan.store(124);
  } else if (Is_No_Slave(*answer)) {
    Step_Scan.store(Select_Step(level));
  } else {
    // Several slaves answered at once: fix this digit and search the next.
    Step_Scan.store(level < 7 ? Select_Step(level + 1) : Select_Step(level));
  }
}

void TMBusScanDecode::Scan_Decode() {
  if (FAbortScan.load()) Step_Scan.store(200);
  const bool ethernet = Select_Hardware == TSelectHard::shEthernet;
  const TCFieldChoice c{Fix_C_Field, Fix_C_Field_Value};
  const int after_setup = ScanType == TScanType::saPrimaryAddress ? 2 : 100;
  const std::int64_t shortTimeOut = TimeOut_Short(Baudrate, Add_TimeOut);
  const std::int64_t longTimeOut = TimeOut_Long(Baudrate, Add_TimeOut);

  switch (const int step = Step_Scan.load()) {
  case 0:
    Enable_Send_In_Last_Step = false;
    FResult.store(1);
    if (!ethernet) {
      Step_Scan.store(after_setup);
      break;
    }
    TimeOut_Calc = TimeOut_Text(Add_TimeOut);
    Send_Command(Gateway_Text::Enable_Analyzer, Wired_Port());
    Step_Scan.store(1);
    break;
  case 1:
  case 301: {
    // Once an answer is judged in a turn, the time-out of that turn does not overrule it.
    if (const auto answer = Answer()) {
      const bool right =
          Answer_Is(*answer, step == 1 ? Gateway_Text::Analyzer_Enabled : Gateway_Text::Setup_Done);
      if (right && step == 1) {
        ID_Dev_Primary = -1;
        Step_Scan.store(300);
      } else if (right) {
        Step_Scan.store(after_setup);
      } else {
        FResult.store(2);
        Step_Scan.store(200);
      }
    } else if (Check_TimeOut()) {
      FResult.store(2);
      Step_Scan.store(200);
    }
    break;
  }
  case 300:
    FResult.store(1);
    if (!ethernet) {
      Step_Scan.store(after_setup);
      break;
    }
    TimeOut_Calc = TimeOut_Text(Add_TimeOut);
    Req_Array = Build_Serial_Setup(Baudrate, Parity);
    Send_Command(Wired_Port());
    Step_Scan.store(301);
    break;

  // ---- primary scan
  case 2:
    TimeOut_Calc = shortTimeOut;
    ID_Dev_Primary = -1;
    Notify(1, 0, 0, 1);
    Clock().SleepMs(Primary_Pause);
    Req_Array = Build_SND_NKE(MBus_Address_Broadcast);
    Send_Command(Wired_Port());
    Step_Scan.store(3);
    break;
  case 3:
  case 8:
    if (Answer() || Check_TimeOut()) Step_Scan.store(step == 3 ? 4 : 9);
    break;
  case 4:
    TimeOut_Calc = shortTimeOut;
    Num_Frame_Read = 0;
    ++ID_Dev_Primary;
    if (ID_Dev_Primary > Last_Primary || FStopScan.load()) {
      Type_To_Send_In_Last_Step = 1;
      Enable_Send_In_Last_Step = true;
      FResult.store(1);
      Step_Scan.store(200);
    } else {
      Step_Scan.store(App_Reset ? 5 : SND_NKE ? 7 : 9);
    }
    break;
  case 5:
    Clock().SleepMs(Primary_Pause);
    Req_Array = Build_App_Reset(static_cast<std::uint8_t>(ID_Dev_Primary), c);
    Send_Command(Wired_Port());
    Step_Scan.store(6);
    break;
  case 6: {
    const auto answer = Answer();
    if ((answer && Is_Ack(*answer)) || Check_TimeOut()) Step_Scan.store(SND_NKE ? 7 : 9);
    break;
  }
  case 7:
    Clock().SleepMs(Primary_Pause);
    Req_Array = Build_SND_NKE(static_cast<std::uint8_t>(ID_Dev_Primary));
    Send_Command(Wired_Port());
    Step_Scan.store(8);
    break;
  case 9:
    TimeOut_Calc = longTimeOut;
    Clock().SleepMs(Primary_Pause);
    Req_Array = Build_REQ_UD2(static_cast<std::uint8_t>(ID_Dev_Primary), Num_Frame_Read, c);
    Send_Command(Wired_Port());
    Step_Scan.store(10);
    break;
  case 10: {
    ID_Dev_Found = false;
    if (const auto answer = Answer()) {
      bool finished = false, decoded = false;
      if (Is_Valid_Long_Frame(*answer)) Decode_Frame(*answer, finished, decoded);
      if (decoded && finished) {
        ID_Dev_Found = true;
        Notify(2, ID_Dev_Primary, 1, 1);
        Step_Scan.store(4);
      } else if (decoded) {
        Step_Scan.store(9);
      } else {
        Notify(2, ID_Dev_Primary, 0, 1);
        Step_Scan.store(4);
      }
    } else if (Check_TimeOut()) {
      Notify(2, ID_Dev_Primary, 0, 1);
      Step_Scan.store(4);
    }
    break;
  }

  // ---- secondary search
  case 100:
    TimeOut_Calc = shortTimeOut;
    Notify(1, 0, 0, 2);
    Step_Scan.store(SND_NKE ? 101 : App_Reset ? 103 : 105);
    break;
  case 101:
  case 103:
  case 105:
    Clock().SleepMs(Secondary_Pause);
    Req_Array = step == 101   ? Build_SND_NKE(MBus_Address_Selected)
                : step == 103 ? Build_App_Reset(MBus_Address_Broadcast, c)
                              : Build_SND_NKE(MBus_Address_Broadcast);
    Send_Command(Wired_Port());
    Step_Scan.store(step + 1);
    break;
  case 102:
  case 104:
  case 106: {
    const auto answer = Answer();
    const bool done = step == 106 ? answer.has_value() : answer && Is_Ack(*answer);
    if (done || Check_TimeOut()) Step_Scan.store(step == 102 ? (App_Reset ? 103 : 105) : step + 1);
    break;
  }
  case 107:
    Index.fill(-1);
    Step_Scan.store(108);
    break;
  case 124:
    TimeOut_Calc = longTimeOut;
    Clock().SleepMs(Secondary_Pause);
    Req_Array = Build_REQ_UD2(MBus_Address_Selected, Num_Frame_Read, c);
    Send_Command(Wired_Port());
    Step_Scan.store(125);
    break;
  case 125: {
    ID_Dev_Found = false;
    if (Check_TimeOut()) {
      TimeOut_Calc = shortTimeOut;
      Step_Scan.store(Sec_Add_Next_Step);
    }
    const auto answer = Answer();
    if (!answer) break;
    bool finished = false, decoded = false;
    if (Is_Valid_Long_Frame(*answer)) Decode_Frame(*answer, finished, decoded);
    if (decoded && finished) {
      TimeOut_Calc = shortTimeOut;
      ID_Dev_Found = true;
      const std::string id = List_Slave_MBus().Locked([](const std::vector<TSlave_MBus>& slaves) {
        return slaves.empty() ? std::string() : slaves.back().Secondary_Addresss;
      });
      char* end = nullptr;
      const long value = id.empty() ? 0 : std::strtol(id.c_str(), &end, 16);
      Notify(2, end && *end == 0 ? static_cast<int>(value) : 0, 1, 2);
      Step_Scan.store(Sec_Add_Next_Step);
    } else if (decoded) {
      Step_Scan.store(124);
    } else {
      TimeOut_Calc = shortTimeOut;
      Step_Scan.store(Sec_Add_Next_Step);
    }
    break;
  }

  // ---- closing
  case 200:
    Count_Disable_Analyzer = 0;
    FAbortScan.store(false);
    Step_Scan.store(201);
    break;
  case 201:
    if (!ethernet || Count_Disable_Analyzer >= 3) {
      Step_Scan.store(203);
      break;
    }
    ++Count_Disable_Analyzer;
    TimeOut_Calc = TimeOut_Text(Add_TimeOut);
    Send_Command(Gateway_Text::Disable_Analyzer, Wired_Port());
    Step_Scan.store(202);
    break;
  case 202:
    if (const auto answer = Answer())
      Step_Scan.store(Answer_Is(*answer, Gateway_Text::Analyzer_Disabled) ? 203 : 201);
    else if (Check_TimeOut())
      Step_Scan.store(201);
    break;
  case 203: {
    Wired_Close_Transport();
    const bool notify = Enable_Send_In_Last_Step;
    const int kind = static_cast<int>(Type_To_Send_In_Last_Step);
    if (!SaveXMLFile.empty() && Result_Writer) Result_Writer(SaveXMLFile, TMBusType::mtWired);
    if (notify) Notify(3, 0, 0, kind);
    {
      std::lock_guard lock(End_Mutex);
      FInScan.store(false, std::memory_order_release);
    }
    End_Condition.notify_all();
    break;
  }
  default:
    if (step >= 108 && step <= 123) {
      const int level = (step - 108) / 2;
      if (step % 2 == 0)
        Wired_Level_Select(level);
      else
        Wired_Level_Wait(level);
    }
    break;
  }
}
