#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class TTreeNode;

// The children of the node a fill is working on, by caption in their order, so that each item the
// fill enumerates finds the child it may reuse without a walk over all the children. Claiming a
// child sets its record's bFound, the mark the fill's sweep reads: a claimed child is never handed
// out twice, and one without a record is handed out once and never marked.
class TNodeReuseIndex {
public:
    // Indexes ParentNode's children, leaving out those `Excluded` names.
    void Build(TTreeNode* ParentNode, const std::function<bool(const TTreeNode*)>& Excluded);
    // Forgets the children: the fill has ended.
    void Clear();
    // Whether the index holds ParentNode's children: a fill of ParentNode is under way.
    bool Covers(const TTreeNode* ParentNode) const {
        return ParentNode && ParentNode == m_ParentNode;
    }
    // The first child captioned Caption not claimed yet, now claimed; nullptr when none is left.
    TTreeNode* Claim(const std::string& Caption);

private:
    TTreeNode* m_ParentNode = nullptr;
    std::unordered_map<std::string, std::vector<TTreeNode*>> m_Children;
    // Per caption, the first candidate not passed yet.
    std::unordered_map<std::string, size_t> m_Next;
};
