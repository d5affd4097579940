#include "tree/NodeReuseIndex.h"

#include "controls/TreeNode.h"
#include "tree/NodeData.h"

namespace {

TNodeData* Record(const TTreeNode* Node) {
    return static_cast<TNodeData*>(Node->Data());
}

} // namespace

void TNodeReuseIndex::Build(TTreeNode* ParentNode,
                            const std::function<bool(const TTreeNode*)>& Excluded) {
    Clear();
    m_ParentNode = ParentNode;
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (Excluded && Excluded(child))
            continue;
        m_Children[child->Text()].push_back(child);
    }
}

void TNodeReuseIndex::Clear() {
    m_ParentNode = nullptr;
    m_Children.clear();
    m_Next.clear();
}

TTreeNode* TNodeReuseIndex::Claim(const std::string& Caption) {
    const auto found = m_Children.find(Caption);
    if (found == m_Children.end())
        return nullptr;
    size_t& next = m_Next[Caption];
    std::vector<TTreeNode*>& candidates = found->second;
    // Claimed children carry bFound; the cursor passes them once.
    while (next < candidates.size()) {
        TTreeNode* node = candidates[next++];
        TNodeData* data = Record(node);
        if (data && data->bFound)
            continue;
        if (data)
            data->bFound = true;
        return node;
    }
    return nullptr;
}
