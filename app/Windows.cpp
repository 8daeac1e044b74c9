#include "app/Windows.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UVelmariceFirmWare.h"

#include <vector>

TFVelmariceFirmWare* FVelmariceFirmWare = nullptr;
TFNew_Project* FNew_Project = nullptr;
TFOpenConf* FOpenConf = nullptr;
TFAbout* FAbout = nullptr;
TFSoftOptions* FSoftOptions = nullptr;

namespace {

std::vector<void (*)()>& Free_Forms() {
  static std::vector<void (*)()> list;
  return list;
}

} // namespace

void Register_Free_Form(void (*free)()) {
  Free_Forms().push_back(free);
}

void Create_Windows(TWindowOwner owner) {
  Application->Initialize();
  for (TCreateWindow create : Composition().Windows)
    create(owner);
}

void Destroy_Windows() {
  auto& forms = Free_Forms();
  while (!forms.empty()) {
    auto free = forms.back();
    forms.pop_back();
    free();
  }
}

void Set_Lang_Of_Windows() {
  for (TSetLangOfWindow set_lang : Composition().Language_Order)
    set_lang();
}

void Repaint_Windows() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (TForm* form = Screen->Forms(i); form->Showing()) form->Update();
}
