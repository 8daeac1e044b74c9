#include "platform/ui/Classes.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

std::string TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                              std::free);
  std::string result = status == 0 && name ? name.get() : mangled;
  // Classes local to a function or namespace keep only their own name.
  if (auto colon = result.rfind("::"); colon != std::string::npos) result.erase(0, colon + 2);
  return result;
}

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

} // namespace

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FDestroying = true;
  for (TComponent* c : std::vector<TComponent*>(FFreeNotifies)) {
    c->RemoveFreeNotification(this);
    c->Notification(this, opRemove);
  }
  FFreeNotifies.clear();
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    FComponents.pop_back();
    last->FOwner = nullptr;
    last->MarkDestroying();
    delete last;
  }
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) {
  FName = name;
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) return nullptr;
  return FComponents[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component == this) return;
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  // Owners mostly own many (a window owns its controls): room for several at once.
  if (FComponents.empty()) FComponents.reserve(16);
  FComponents.push_back(component);
  component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* component) {
  // Components mostly go last made first: look from the end.
  auto rit = std::find(FComponents.rbegin(), FComponents.rend(), component);
  if (rit == FComponents.rend()) return;
  FComponents.erase(std::prev(rit.base()));
  component->FOwner = nullptr;
  Notification(component, opRemove);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  auto& theirs = component->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  std::erase(FFreeNotifies, component);
  if (component) std::erase(component->FFreeNotifies, this);
}

void TComponent::MarkDestroying() {
  if (FDestroying) return;
  FDestroying = true;
  for (TComponent* c : FComponents)
    c->MarkDestroying();
}

void TComponent::AbandonComponents() {
  for (TComponent* c : FComponents)
    c->FOwner = nullptr;
  FComponents.clear();
}

void TComponent::Free() {
  BeforeDestruction();
  MarkDestroying();
  delete this;
}
