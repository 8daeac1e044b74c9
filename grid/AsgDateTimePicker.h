// The grid's date and time picker: the platform's picker with a flat one-pixel border in a chosen
// colour, custom drop-down button colours, and a Metro look in which it draws its own frame and
// drop-down button.
#pragma once

#include "controls/FlatDateTimePicker.h"

#include <cstdint>
#include <string>

class TAsgDateTimePicker : public TFlatDateTimePicker {
public:
  explicit TAsgDateTimePicker(TComponent* AOwner);

  // "1.0.0.0"; writing changes nothing.
  std::string Version() const;
  void SetVersion(const std::string&) {}
  std::uint32_t GetVersionNr() const { return 0x01000000; }

  bool IsWinXP() const { return FIsWinXP; }
  // Whether this draws anything over the platform's picker now.
  bool DrawsOwnParts() const { return PaintsOver(); }

protected:
  bool PaintsOver() const override;
  void PaintOver(TCanvas& canvas) override;

private:
  bool MetroActive() const;
  bool NewerPlatform() const;
  bool FlatBorderShown() const;
  bool MetroBordersShown() const;
  void DrawFlatBorder(TCanvas& canvas);
  void DrawMetroBorders(TCanvas& canvas);
};
