// Objects and components: the ownership tree every form, control and timer lives in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TObject {
public:
  virtual ~TObject() = default;
  // Name of the object's class as written in the code ("TEdit", "TFParGen").
  std::string ClassName() const;
};

// One UTF-16 unit of typed text, as the key-press events see it.
using WideChar = char16_t;

// Modifier keys and mouse buttons held during an input event.
enum TShiftStateFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum TOperation { opInsert, opRemove };

// An object with an owner that destroys it, a name to be found by, and free notifications.
class TComponent : public TObject {
public:
  explicit TComponent(TComponent* AOwner);
  // Destroys the owned components (last created first), then leaves the owner.
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t tag) { FTag = tag; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  // The owned component of that name (letter case ignored), or nullptr.
  TComponent* FindComponent(const std::string& name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  // Asks to be told (Notification with opRemove) when `component` is destroyed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // True from the moment destruction begins; events are no longer fired then.
  bool Destroying() const { return FDestroying; }
  // Marks this component and everything it owns as being destroyed, then deletes it.
  void Free();

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation) {}
  // Runs in Free before anything is destroyed (forms fire OnDestroy here).
  virtual void BeforeDestruction() {}
  // Marks the component and what it owns as being destroyed (no delete).
  void MarkDestroying();
  // Lets go of the owned components without destroying them (for the end of the process).
  void AbandonComponents();

private:
  TComponent* FOwner = nullptr;
  std::string FName;
  std::intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FDestroying = false;
};

// Deletes a component through Free and clears the pointer (FreeAndNil).
template <class T> void FreeAndNil(T*& component) {
  T* c = component;
  component = nullptr;
  if (c) c->Free();
}
