// The smallest edit link for the grid's tests: a one-line edit, in the cell or on the link's pop-up.
#pragma once

#include "grid/EditLink.h"
#include "platform/ui/StdCtrls.h"

#include <cstdint>
#include <string>
#include <vector>

class TTestLink : public TEditLink {
public:
  using TEditLink::TEditLink;
  TWinControl* GetEditControl() override { return FEdit; }
  void CreateEditor(TWinControl* AParent) override {
    if (!FEdit) {
      FEdit = new TEdit(AParent);
      FEdit->OnKeyDown = [this](TObject* s, std::uint16_t& k, TShiftState sh) {
        Keys.push_back(k);
        EditKeyDown(s, k, sh);
      };
      FEdit->OnExit = [this](TObject* s) { EditExit(s); };
    }
    FEdit->SetParent(AParent);
    ++Created;
  }
  void DestroyEditor() override {
    delete FEdit;
    FEdit = nullptr;
  }
  std::string GetEditorValue() override { return FEdit ? FEdit->Text() : std::string(); }
  void SetEditorValue(const std::string& s) override {
    if (FEdit) FEdit->SetText(s);
  }
  TEdit* Edit() const { return FEdit; }
  std::vector<std::uint16_t> Keys;
  int Created = 0;

private:
  TEdit* FEdit = nullptr;
};
