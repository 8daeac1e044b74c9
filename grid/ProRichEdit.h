// The grid's rich edit: it converts and measures rich-text cells, and edits edRichEdit cells.
// It stands on the platform's rich-edit stand-in: the text shown and edited is the document's
// plain text, and each character keeps its vertical offset (superscript, subscript).
#pragma once

#include "platform/ui/StdCtrls.h"

#include <string>
#include <vector>

class TProStringGrid;
struct TRichPlainText;

class TProRichEdit : public TEdit {
public:
  explicit TProRichEdit(TComponent* AOwner);
  TProStringGrid* Grid() const { return FGrid; }
  void ReCreate() {}

  // The document: loading shows its plain text; RTF writes 7-bit RTF of the text and offsets.
  void LoadRTF(const std::string& Rtf);
  std::string RTF() const;
  void Clear();
  // A cell's stored text: RTF as its document, encoded wide text as its decoded plain text.
  void ShowStored(const std::string& Stored);
  // The content as the grid's current cell stores it: encoded wide text where that cell holds it
  // and no character is raised or lowered (that form keeps no offsets), else RTF.
  std::string StoredText() const;
  // Offsets in half-points, one per character of the text.
  const std::vector<int>& Offsets() const { return FOffsets; }

  // The selection (or, without one, what is typed next) raised, lowered or set back by 40 twips.
  void SelNormal() { SetSelOffset(0); }
  void SelSubscript() { SetSelOffset(-SubSuperOffset); }
  void SelSuperscript() { SetSelOffset(SubSuperOffset); }
  bool IsSelNormal() const { return SelOffsetIs(0); }
  bool IsSelSubscript() const { return SelOffsetIs(-SubSuperOffset); }
  bool IsSelSuperscript() const { return SelOffsetIs(SubSuperOffset); }

  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }
  bool Locked() const { return FLocked; }
  // The size the content asks for: the plain text measured in the control's font.
  int ReqWidth() const { return FReqWidth; }
  int ReqHeight() const { return FReqHeight; }

  unsigned DialogCode() const override;
  TNotifyEvent OnSelectionChange;

  static constexpr int SubSuperOffset = 4; // 40 twips in half-points

protected:
  void Change() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  void SetSelOffset(int Offset);
  bool SelOffsetIs(int Offset) const;
  // Keeps one offset per character after the text changed; new characters take the typing one.
  void FollowText();
  void Measure();
  // Offsets missing from the document are 0.
  void Load(TRichPlainText Plain);
  TProStringGrid* FGrid;
  std::vector<int> FOffsets;
  std::u32string FLastText;
  int FTypingOffset = 0;
  bool FTypingSet = false;
  bool FLocked = false;
  bool FLoading = false;
  int FReqWidth = 0, FReqHeight = 0;
};
