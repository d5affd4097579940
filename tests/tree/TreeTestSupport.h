#pragma once

// What the tree tests share: readers of a node's children (the stand-ins for the list and the
// combo are in support/ViewDoubles.h).

#include "support/FakeViewServices.h"
#include "support/ViewDoubles.h"

#include <string>
#include <vector>

class TTreeNode;

// The captions of a node's children, in order, and the child with a caption (nullptr if none).
std::vector<std::string> Captions(const TTreeNode* Node);
TTreeNode* Child(const TTreeNode* Node, const std::string& Caption);
