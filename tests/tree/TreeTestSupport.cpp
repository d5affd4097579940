#include "TreeTestSupport.h"

#include "controls/TreeNode.h"
#include "framework/ChangeNotifyThread.h"
#include "tree/NameSpaceEnumerator.h"

std::vector<std::string> Captions(const TTreeNode* Node) {
    std::vector<std::string> captions;
    for (TTreeNode* child = Node->GetFirstChild(); child; child = child->GetNextSibling())
        captions.push_back(child->Text());
    return captions;
}

TTreeNode* Child(const TTreeNode* Node, const std::string& Caption) {
    for (TTreeNode* child = Node ? Node->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling())
        if (child->Text() == Caption)
            return child;
    return nullptr;
}

bool PlaceWatchedTree(TNameSpaceEnumerator& Tree, HWND Host, int Width, int Height) {
    Tree.SetParentWindow(Host);
    Tree.SetBounds(0, 0, Width, Height);
    Tree.HandleNeeded();
    TChangeNotifyThread* watcher = Tree.ChangeThread();
    return !watcher || watcher->WaitUntilWatching(20000);
}
