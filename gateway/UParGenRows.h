// Row geometry of the communication parameters panels and the helpers that build their rows.
#pragma once

#include "gateway/GatewayLook.h"
#include "platform/ui/StdCtrls.h"

#include <span>
#include <string>
#include <string_view>

namespace ParGenRows {

constexpr int Label_Left = 14;
constexpr int Control_Left = 191;
constexpr int Control_Width = 238;
constexpr int Edit_Height = 21;
constexpr int List_Height = 22;
constexpr int Check_Width = 415;
constexpr int Check_Height = 17;
constexpr int Label_Below_Control = 3; // a label's top is this far below its control's top
constexpr int Row_Pitch = 28;
constexpr int Octet_Width = 55;
constexpr int Octet_Lefts[4] = {191, 252, 313, 374};
constexpr int Dot_Lefts[3] = {247, 308, 369};
constexpr int Panel_Bottom_Margin = 12;

using GatewayLook::Make;

// A row's label at its label top.
inline TLabel* Row_Label(TComponent* owner, TWinControl* parent, const std::string& name, int labelTop) {
  auto* label = Make<TLabel>(owner, parent, name);
  label->SetLeft(Label_Left);
  label->SetTop(labelTop);
  return label;
}

inline TEdit* Row_Edit(TComponent* owner, TWinControl* parent, const std::string& name, int labelTop) {
  auto* edit = Make<TEdit>(owner, parent, name);
  edit->SetBounds(Control_Left, labelTop - Label_Below_Control, Control_Width, Edit_Height);
  return edit;
}

inline TComboBox* Row_List(TComponent* owner, TWinControl* parent, const std::string& name, int labelTop,
                           std::span<const std::string_view> items) {
  auto* list = Make<TComboBox>(owner, parent, name);
  list->SetStyle(csDropDownList);
  list->SetBounds(Control_Left, labelTop - Label_Below_Control, Control_Width, List_Height);
  for (std::string_view item : items)
    list->Items().Add(std::string(item));
  return list;
}

inline TCheckBox* Row_Check(TComponent* owner, TWinControl* parent, const std::string& name, int top) {
  auto* check = Make<TCheckBox>(owner, parent, name);
  check->SetBounds(Label_Left, top, Check_Width, Check_Height);
  return check;
}

} // namespace ParGenRows
