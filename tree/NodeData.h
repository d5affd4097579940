#pragma once

#include "identifiers/ComPtr.h"
#include "identifiers/OwnedPidl.h"

#include <windows.h>
#include <shlobj.h>

// What the tree keeps for one node, in the node's Data. The tree owns it and everything in it; it
// is freed when its node is deleted or when a refill gives the node a fresh record.
struct TNodeData {
    // The folder that enumerated the item (the desktop for the root).
    ComPtr<IShellFolder> sfFolder;
    // From the desktop to the item; empty for the root of a tree rooted at the desktop.
    OwnedPidl pFQpidl;
    // Relative to sfFolder: one item for a child, the root's whole list for the root.
    OwnedPidl pPidl;
    // Mark of the mark and sweep of a refill.
    bool bFound = false;
    // The expand button as filling last set it; a new window gets it back from here.
    bool bFolder = false;
    // The children were enumerated: expanding does not enumerate again, refresh descends here.
    bool bExpandedOnce = false;
    // Carried over when a refill replaces the record.
    bool bSort = false;
    // The item's attributes as the fill read them (at least those of a plain folder's test):
    // the node's icons are found from them when first drawn or read.
    SFGAOF ulAttributes = 0;
    // The window's expand button is known to be bFolder: the fill put it there, and nothing that
    // may change it behind the tree (an expansion, the loss of the last child, a new window) has
    // happened since. Asking the window instead costs a message per node, and the control looks
    // every item it is sent up among all its items.
    bool bButtonKnown = false;
};
