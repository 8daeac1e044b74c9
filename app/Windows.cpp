#include "app/Windows.h"

#include "app/UAbout.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "app/UVelmariceFirmWare.h"
#include "gateway/UBoot.h"
#include "gateway/UParGen.h"
#include "platform/ui/Application.h"

#include <type_traits>
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

template <auto& Instance> void Free_Window() {
  FreeAndNil(Instance);
}

template <auto& Instance> void Create_Window(TWindowOwner owner) {
  using T = std::remove_pointer_t<std::remove_reference_t<decltype(Instance)>>;
  if (owner == TWindowOwner::Application) {
    Application->CreateForm(Instance);
    return;
  }
  // As CreateForm does: the instance is set before the creation handler runs.
  T* form = new T(nullptr);
  Instance = form;
  Free_Forms().push_back(&Free_Window<Instance>);
  form->AfterConstruction();
}

using TCreate = void (*)(TWindowOwner);

// Creation order. FLoRa_Set_Access follows FBoot, then the windows of the other protocols.
const TCreate Windows_In_Creation_Order[] = {
    &Create_Window<FVelmariceFirmWare>,
    &Create_Window<FNew_Project>,
    &Create_Window<FOpenConf>,
    &Create_Window<FAbout>,
    &Create_Window<FSoftOptions>,
    &Create_Window<FParGen>,
    &Create_Window<FBoot>,
};

template <auto& Instance> void Set_Lang_Of() {
  if (Instance) Instance->Set_Lang();
}

// Language order. FLoRa_Set_Access follows FParGen, then the windows of the other protocols;
// About and the small entry windows of the M-Bus scan keep their texts.
void (*const Windows_In_Language_Order[])() = {
    &Set_Lang_Of<FNew_Project>, &Set_Lang_Of<FOpenConf>, &Set_Lang_Of<FSoftOptions>,
    &Set_Lang_Of<FBoot>,        &Set_Lang_Of<FParGen>,
};

} // namespace

void Create_Windows(TWindowOwner owner) {
  Application->Initialize();
  for (TCreate create : Windows_In_Creation_Order)
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
  for (auto set_lang : Windows_In_Language_Order)
    set_lang();
}

void Repaint_Windows() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (TForm* form = Screen->Forms(i); form->Showing()) form->Update();
}
