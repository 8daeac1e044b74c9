// The device update dialog: the user gives the device's IPv4 address and what to update; the
// dialog checks that the device answers echo requests, writes the updater's command file beside
// the program and runs the maker's updater, which writes firmware and images into the device.
#pragma once

#include "controls/LbButton.h"
#include "grid/ProCGrid.h"
#include "platform/Ping.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr int Boot_Form_Serial = 0;
constexpr int Boot_Form_Ethernet = 1;
constexpr int Boot_Form_USB = 2;

// The reachability check: requests of this many bytes, each waited for this long, until two are
// answered or the check has run longer than its time.
constexpr int Ping_Packet_Size = 1024;
constexpr int Ping_Timeout_Ms = 400;
constexpr std::int64_t Ping_Check_Ms = 5000;
constexpr std::int64_t Ping_Wait_Step_Ms = 10;

inline constexpr char Updater_Program[] = "Ethernet_Update.exe";

class TFBoot : public TForm {
public:
  explicit TFBoot(TComponent* AOwner);
  ~TFBoot() override;

  // 0 serial, 1 Ethernet (UDP), 2 USB; this build uses 1 only.
  int Form_Type = Boot_Form_Ethernet;
  // The last echo request: 0 none yet, 1 answered, 2 not answered.
  int ping_res = 0;

  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_IP_Address = nullptr;
  TLabel* L_IP_Address = nullptr;
  std::array<TEdit*, 4> E_IP{}; // named E_IP1 .. E_IP4
  TPanel* P_Eth_Search = nullptr;
  TLabel* L_List_Device = nullptr;
  TLbButton* Btn_Search = nullptr;
  TProColumnGrid* ACG_List_Devices = nullptr; // stays empty: the search has no action
  TCheckBox* CB_Find_All_Qzr = nullptr;
  TPanel* P_Options = nullptr;
  TLabel* L_Update_Option = nullptr;
  TComboBox* CB_Update_Options = nullptr;
  TCheckBox* CB_Update_Option_Read_Back = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_Cancel = nullptr;
  TLbButton* Btn_Update = nullptr;

  // Lays the dialog out for Form_Type and restores the remembered address and choices.
  void FormShow(TObject* Sender);
  // "." in an address box moves to the next box and is never typed.
  void Octet_KeyPress(TObject* Sender, WideChar& Key);
  // Checks the address and the device, remembers them, writes the command file, runs the updater.
  void Btn_UpdateClick(TObject* Sender);
  // Echo requests to `address` until two are answered or the time is up; true when the last was
  // answered. A request that could not be sent ends the check with false.
  bool Send_Ping(const std::string& address);
  void PingReply(const TEchoReply& reply);
  // Writes Ethernet_Update.xml for the address and the choices shown; false (reported) on failure.
  bool Compile_XML_Parameter_New_Boot(const std::string& address);
  void Set_Lang();

  // The address of the four boxes, each a decimal number 0 to 255 written without leading zeros;
  // nothing when a box holds anything else.
  std::optional<std::string> Device_Address() const;
  // True while the reachability check runs.
  bool Checking() const { return FChecking; }

private:
  void Create_Controls();
  // The updater and, when the option writes it, the firmware file exist; false (reported) otherwise.
  bool Update_Files_Present();
  void Run_Updater();
  bool FChecking = false;
  std::optional<TEchoReply> FEchoFailure; // the request that ended the check early
};

// The single instance (created at program start by the shell; cleared when it is destroyed).
extern TFBoot* FBoot;
