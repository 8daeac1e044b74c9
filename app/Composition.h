// What the program is made of, named by the executable rather than by the shell: the windows in
// creation order, the windows a language change re-texts, the built-in text blocks, and what the
// main window's steps do. The shell works from this table alone, so the subsystems depend on the
// shell and never the other way.
#pragma once

#include "app/DefaultTexts.h"

#include <span>
#include <string_view>

// As start-up forms the application owns the windows and the first becomes its main form;
// otherwise (tests) they are free forms that Destroy_Windows frees.
enum class TWindowOwner { Application, Free };

using TCreateWindow = void (*)(TWindowOwner);
using TSetLangOfWindow = void (*)();

// A step of the main window that works on the open configuration: the button, by name, and what
// its click does once a configuration is open.
struct TStepAction {
  std::string_view Button;
  void (*Run)();
};

struct TComposition {
  // The main window first.
  std::span<const TCreateWindow> Windows;
  // Every window but the main one that follows a language change.
  std::span<const TSetLangOfWindow> Language_Order;
  // In the order they are entered into the text table.
  std::span<const TTextBlock> Texts;
  std::span<const TStepAction> Steps;
};

// The table stays the caller's; it must outlive its use.
void Set_Composition(const TComposition& composition);
// Empty until set.
const TComposition& Composition();
