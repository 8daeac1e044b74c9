// The program's windows: one instance of each, created at start in the order the composition
// names and living until the program ends.
#pragma once

#include "app/Composition.h"
#include "platform/ui/Application.h"

#include <type_traits>

class TFVelmariceFirmWare;
class TFNew_Project;
class TFOpenConf;
class TFAbout;
class TFSoftOptions;

extern TFVelmariceFirmWare* FVelmariceFirmWare;
extern TFNew_Project* FNew_Project;
extern TFOpenConf* FOpenConf;
extern TFAbout* FAbout;
extern TFSoftOptions* FSoftOptions;

// Creates every window of the composition in its order, each running its creation handler; the
// main window comes first, so the shared state is set up before any other window reads it.
void Create_Windows(TWindowOwner owner = TWindowOwner::Application);
// Frees the windows Create_Windows made as free forms, last created first, clearing their
// instance pointers.
void Destroy_Windows();

// Re-applies the texts of the composition's language list, in its order. Windows that keep the
// texts they had (About ...) are not in it.
void Set_Lang_Of_Windows();

// Paints the windows on screen without handling input: the hook that keeps them drawn while a
// started program is waited for.
void Repaint_Windows();

// Destroy_Windows calls free, last registered first.
void Register_Free_Form(void (*free)());

template <auto& Instance> void Free_Window() {
  FreeAndNil(Instance);
}

// The composition's entries for the window whose instance pointer is Instance.
template <auto& Instance> void Create_Window(TWindowOwner owner) {
  using T = std::remove_pointer_t<std::remove_reference_t<decltype(Instance)>>;
  if (owner == TWindowOwner::Application) {
    Application->CreateForm(Instance);
    return;
  }
  // As CreateForm does: the instance is set before the creation handler runs.
  T* form = new T(nullptr);
  Instance = form;
  Register_Free_Form(&Free_Window<Instance>);
  form->AfterConstruction();
}

template <auto& Instance> void Set_Lang_Of() {
  if (Instance) Instance->Set_Lang();
}
