// Scroll bars painted in a framework style replace the system's only while such a style is
// active; the platform reports the plain system style, so the system's bars always stay.
#pragma once

class TBaseNodeTree;

// True when a framework style other than the system style is active for the tree.
bool VclStyleEnabled(const TBaseNodeTree& Tree);
// Whether the styled scroll bars take over the tree's bars.
bool StyledScrollBarsEngaged(const TBaseNodeTree& Tree);
