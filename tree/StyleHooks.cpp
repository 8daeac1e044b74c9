#include "tree/StyleHooks.h"

#include "tree/NodeTrees.h"

bool VclStyleEnabled(const TBaseNodeTree&) {
  return false;
}

bool StyledScrollBarsEngaged(const TBaseNodeTree& Tree) {
  return VclStyleEnabled(Tree);
}
