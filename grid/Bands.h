// Alternating row colours of the string grid.
#pragma once

#include "platform/Colors.h"
#include "platform/Persistent.h"

class TBands : public TPersistent {
public:
  // Fires OnChange when the value changes.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Colours and lengths fire OnChange when they change while Active; the lengths keep
  // TotalLength their sum.
  TColor PrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value);
  int PrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(int Value);
  TColor SecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value);
  int SecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(int Value);
  bool Print() const { return FPrint; }
  void SetPrint(bool Value) { FPrint = Value; }
  int TotalLength() const { return FTotalLength; }

  // Copies the six settings of other bands without OnChange (TotalLength follows); other sources
  // are ignored.
  void Assign(const TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  void ChangedWhileActive();
  bool FActive = false;
  TColor FPrimaryColor = clInfoBk;
  int FPrimaryLength = 1;
  TColor FSecondaryColor = clWindow;
  int FSecondaryLength = 1;
  bool FPrint = false;
  int FTotalLength = 2;
};
