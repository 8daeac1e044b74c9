// What the tree offers to screen readers and to tools written for the standard tree view: the
// accessibility factory with its providers, and the tree-view item record and codes.
#pragma once

#include "tree/NodeTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

// An accessible object as a provider makes it.
class IAccessible {
public:
  virtual ~IAccessible() = default;
};

class IVTAccessibleProvider {
public:
  virtual ~IVTAccessibleProvider() = default;
  virtual std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree* ATree) = 0;
};

// One per process; the program registers no provider, so trees get no accessible object.
class TVTAccessibilityFactory {
public:
  void RegisterAccessibleProvider(std::shared_ptr<IVTAccessibleProvider> Provider);
  void UnRegisterAccessibleProvider(const std::shared_ptr<IVTAccessibleProvider>& Provider);
  std::shared_ptr<IAccessible> CreateIAccessible(TBaseNodeTree* ATree);
  std::size_t ProviderCount() const { return FAccessibleProviders.size(); }

private:
  std::vector<std::shared_ptr<IVTAccessibleProvider>> FAccessibleProviders;
};

TVTAccessibilityFactory& GetAccessibilityFactory();

constexpr std::intptr_t OBJID_CLIENT = -4;

// The tree-view item record; nodes of the tree stand in for item handles.
struct TVITEMW {
  std::uint32_t mask = 0;
  PVNode hItem = nullptr;
  std::uint32_t state = 0;
  std::uint32_t stateMask = 0;
  char16_t* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  std::intptr_t lParam = 0;
};

constexpr std::uint32_t TVIF_TEXT = 0x1, TVIF_IMAGE = 0x2, TVIF_STATE = 0x8, TVIF_HANDLE = 0x10,
                        TVIF_SELECTEDIMAGE = 0x20, TVIF_CHILDREN = 0x40;
constexpr std::uint32_t TVIS_FOCUSED = 0x1, TVIS_SELECTED = 0x2, TVIS_CUT = 0x4, TVIS_DROPHILITED = 0x8,
                        TVIS_EXPANDED = 0x20;
constexpr unsigned TVGN_ROOT = 0, TVGN_NEXT = 1, TVGN_PREVIOUS = 2, TVGN_PARENT = 3, TVGN_CHILD = 4,
                   TVGN_FIRSTVISIBLE = 5, TVGN_NEXTVISIBLE = 6, TVGN_PREVIOUSVISIBLE = 7, TVGN_DROPHILITE = 8,
                   TVGN_CARET = 9, TVGN_LASTVISIBLE = 10;
