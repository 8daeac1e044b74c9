// The tree's outward faces for assistive tools: the object request, answered through the
// accessibility factory, and the queries of the standard tree view with nodes as item handles.
#include "tree/NodeTrees.h"
#include "tree/StringTree.h"
#include "tree/TreeAccessibility.h"
#include "tree/Utf16Text.h"

#include <algorithm>

void TVTAccessibilityFactory::RegisterAccessibleProvider(std::shared_ptr<IVTAccessibleProvider> Provider) {
  if (!Provider) return;
  if (std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), Provider) ==
      FAccessibleProviders.end())
    FAccessibleProviders.push_back(std::move(Provider));
}

void TVTAccessibilityFactory::UnRegisterAccessibleProvider(
    const std::shared_ptr<IVTAccessibleProvider>& Provider) {
  auto it = std::find(FAccessibleProviders.begin(), FAccessibleProviders.end(), Provider);
  if (it != FAccessibleProviders.end()) FAccessibleProviders.erase(it);
}

std::shared_ptr<IAccessible> TVTAccessibilityFactory::CreateIAccessible(TBaseNodeTree* ATree) {
  if (!ATree || FAccessibleProviders.empty()) return nullptr;
  if (!ATree->Accessible()) return FAccessibleProviders[0]->CreateIAccessible(ATree);
  if (ATree->FAccessibleItem) return ATree->FAccessibleItem;
  // Later providers are asked first; the first one stays the last resort.
  for (std::size_t i = FAccessibleProviders.size() - 1; i >= 1; --i)
    if (auto made = FAccessibleProviders[i]->CreateIAccessible(ATree)) return made;
  return FAccessibleProviders[0]->CreateIAccessible(ATree);
}

TVTAccessibilityFactory& GetAccessibilityFactory() {
  static TVTAccessibilityFactory factory;
  return factory;
}

std::intptr_t TBaseNodeTree::GetAccessibleObject(std::intptr_t ObjectId) {
  TVTAccessibilityFactory& factory = GetAccessibilityFactory();
  if (!FAccessible) FAccessible = factory.CreateIAccessible(this);
  if (!FAccessibleItem) FAccessibleItem = factory.CreateIAccessible(this);
  if (ObjectId != OBJID_CLIENT || !FAccessible) return 0;
  return reinterpret_cast<std::intptr_t>(FAccessible.get());
}

bool TBaseNodeTree::IsLiveNode(const void* Node) const {
  if (!Node) return false;
  for (PVNode n = GetFirstNoInit(); n; n = GetNextNoInit(n))
    if (n == Node) return true;
  return false;
}

bool TBaseNodeTree::TreeViewGetItemRect(PVNode Item, bool TextOnly, TRect& R) {
  if (!IsLiveNode(Item)) return false;
  if (!IsVisible(Item) || !FullyVisible(Item)) return false;
  R = GetDisplayRect(Item, NoColumn, TextOnly, false, false);
  return true;
}

PVNode TBaseNodeTree::TreeViewGetNextItem(unsigned Code, PVNode Item) {
  switch (Code) {
  case TVGN_ROOT:
    return GetFirst();
  case TVGN_FIRSTVISIBLE:
    return GetFirstVisible(nullptr, true, true);
  case TVGN_LASTVISIBLE:
    return GetLastVisible(nullptr, true, true);
  case TVGN_DROPHILITE:
    return FDropTargetNode;
  case TVGN_CARET:
    return FFocusedNode;
  case TVGN_NEXT:
  case TVGN_PREVIOUS:
  case TVGN_PARENT:
  case TVGN_CHILD:
  case TVGN_NEXTVISIBLE:
  case TVGN_PREVIOUSVISIBLE:
    break;
  default:
    return nullptr;
  }
  if (!IsLiveNode(Item)) return nullptr;
  switch (Code) {
  case TVGN_NEXT:
    return GetNextSibling(Item);
  case TVGN_PREVIOUS:
    return GetPreviousSibling(Item);
  case TVGN_PARENT:
    return Item->Parent == FRoot ? nullptr : Item->Parent;
  case TVGN_CHILD:
    return GetFirstChild(Item);
  case TVGN_NEXTVISIBLE:
    return GetNextVisible(Item, true);
  default:
    return GetPreviousVisible(Item, true);
  }
}

int TBaseNodeTree::TreeViewGetItem(TVITEMW& Item) {
  if (!(Item.mask & TVIF_HANDLE) || !IsLiveNode(Item.hItem)) return 0;
  PVNode node = Item.hItem;
  auto imageIndex = [&](TVTImageKind kind) {
    bool ghosted = false;
    int index = -1;
    DoGetImageIndex(node, kind, NoColumn, ghosted, index);
    return index;
  };
  if (Item.mask & TVIF_CHILDREN) Item.cChildren = static_cast<int>(node->ChildCount);
  if (Item.mask & TVIF_IMAGE) Item.iImage = imageIndex(ikNormal);
  if (Item.mask & TVIF_SELECTEDIMAGE) Item.iSelectedImage = imageIndex(ikSelected);
  if (Item.mask & TVIF_STATE) {
    Item.stateMask = 0xFF2F;
    std::uint32_t state = 0;
    if (node == FFocusedNode) state |= TVIS_FOCUSED;
    if (node->States.Has(vsSelected)) state |= TVIS_SELECTED;
    if (node->States.Has(vsCutOrCopy)) state |= TVIS_CUT;
    if (node == FDropTargetNode) state |= TVIS_DROPHILITED;
    if (node->States.Has(vsExpanded)) state |= TVIS_EXPANDED;
    state |= (static_cast<std::uint32_t>(imageIndex(ikState) + 1) & 0xF) << 12;
    state |= (static_cast<std::uint32_t>(imageIndex(ikOverlay) + 1) & 0xF) << 8;
    Item.state = state;
  }
  // A buffer of no characters receives nothing, not even the terminator.
  if ((Item.mask & TVIF_TEXT) && Item.pszText && Item.cchTextMax > 0) {
    std::string text;
    if (auto* strings = dynamic_cast<TCustomNodeStringTree*>(this)) text = strings->Text(node, NoColumn);
    const std::u16string wide = Utf8ToUtf16(text);
    std::size_t count = std::min<std::size_t>(wide.size(), static_cast<std::size_t>(Item.cchTextMax - 1));
    // Never half a surrogate pair.
    if (count > 0 && count < wide.size() && wide[count - 1] >= 0xD800 && wide[count - 1] < 0xDC00) --count;
    std::copy_n(wide.begin(), count, Item.pszText);
    Item.pszText[count] = u'\0';
  }
  return 1;
}
