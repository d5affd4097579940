// A user let loose in the explorer: random keys and clicks in the tree, picks in the combo, and
// folders made, renamed and removed on the disk meanwhile. After each step has been handled in
// full, the tree's selection, the list's folder and the combo's entry are one folder.

#include "ExplorerTestSupport.h"

#include "combo/NameSpaceCombo.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include "support/Input.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kSteps = 300;
constexpr unsigned kDefaultSeed = 1717;

// The folder a node stands for on the disk; empty for a virtual folder.
std::string NodePath(const TTreeNode* Node) {
    const TNodeData* data = TNameSpaceEnumerator::NodeData(Node);
    wchar_t path[MAX_PATH] = {};
    if (!data || !data->pFQpidl || !SHGetPathFromIDListW(data->pFQpidl.Get(), path))
        return {};
    return WideToUtf8(path);
}

bool Shown(const TTreeNode* Node) {
    for (const TTreeNode* up = Node->Parent(); up; up = up->Parent())
        if (!up->Expanded())
            return false;
    return true;
}

class ExplorerWalk : public testing::Test {
protected:
    void SetUp() override {
        const char* seed = std::getenv("VARNEL_WALK_SEED");
        m_Seed = seed ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : kDefaultSeed;
        m_Random.seed(m_Seed);
        for (const char* folder : {"alpha", "alpha\\beta", "alpha\\beta\\gamma", "alpha\\delta",
                                   "echo", "echo\\foxtrot", "golf"})
            MakeFolder(folder);
        m_Window = OpenExplorer(m_Temp.Path());
        ASSERT_TRUE(m_Window);
        m_Tree = m_Window->Tree();
        m_Combo = m_Window->Combo();
    }

    int Pick(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(m_Random); }
    template <typename T> const T& PickOf(const std::vector<T>& From) {
        return From[Pick(static_cast<int>(From.size()))];
    }

    // The nodes of the test's folders (its own folder included) that are shown now.
    std::vector<TTreeNode*> TempNodes(bool ShownOnly) {
        std::vector<TTreeNode*> nodes;
        const std::wstring root = Utf8ToWide(m_Temp.Path());
        for (TTreeNode* node = m_Tree->Items().GetFirstNode(); node; node = node->GetNext()) {
            const std::wstring path = Utf8ToWide(NodePath(node));
            if (path.size() >= root.size() &&
                CompareStringOrdinal(path.c_str(), static_cast<int>(root.size()), root.c_str(),
                                     static_cast<int>(root.size()), TRUE) == CSTR_EQUAL &&
                (!ShownOnly || Shown(node)))
                nodes.push_back(node);
        }
        return nodes;
    }

    void Scroll(TTreeNode* Node) { TreeView_EnsureVisible(m_Tree->Handle(), Node->ItemId()); }

    // The user's steps; each says what it did.
    std::string TreeKey() {
        static const std::vector<std::pair<WORD, const char*>> keys = {
            {VK_LEFT, "Left"},  {VK_RIGHT, "Right"}, {VK_HOME, "Home"},   {VK_END, "End"},
            {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_UP, "Up"},       {VK_DOWN, "Down"},
            {'A', "letter a"},  {'D', "letter d"},   {'E', "letter e"},   {'G', "letter g"},
            {'F', "letter f"},  {'C', "letter c"},   {VK_RIGHT, "Right"}, {VK_LEFT, "Left"}};
        const auto& [key, name] = PickOf(keys);
        m_Tree->SetFocus();
        PressKeys({key});
        return std::string("tree key ") + name;
    }
    std::string ClickNode() {
        const std::vector<TTreeNode*> nodes = TempNodes(false);
        if (nodes.empty())
            return "no folder of the test in the tree";
        // A node in a closed branch: the user opens the way to it first.
        TTreeNode* node = PickOf(nodes);
        Scroll(node);
        const std::string name = node->Text();
        ClickAt(NodeLabelOnScreen(node));
        return "click on " + name;
    }
    // A click on the expand button of the selection's parent (or of another open node).
    std::string Collapse() {
        TTreeNode* selected = m_Tree->Selected();
        TTreeNode* node = selected ? selected->Parent() : nullptr;
        if (!node || Pick(3) == 0) {
            std::vector<TTreeNode*> open;
            for (TTreeNode* n : TempNodes(true))
                if (n->Expanded() && n->HasChildren())
                    open.push_back(n);
            if (open.empty())
                return "nothing to collapse";
            node = PickOf(open);
        }
        if (!Shown(node) || !node->Expanded())
            return "nothing to collapse";
        Scroll(node);
        const std::string name = node->Text();
        ClickAt(NodeButtonOnScreen(node));
        return "collapse " + name;
    }
    std::string ComboPick() {
        m_Combo->SetFocus();
        PressKeys({VK_F4});
        const int moves = 1 + Pick(4);
        const WORD key = Pick(2) ? VK_DOWN : VK_UP;
        for (int i = 0; i < moves; ++i)
            PressKeys({key});
        PressKeys({VK_RETURN});
        m_Tree->SetFocus();
        return "combo pick, " + std::to_string(moves) + (key == VK_DOWN ? " down" : " up");
    }
    // Delete in the tree, on a folder of the test (the shell's confirmation answered either
    // way) or on the desktop, which cannot be deleted; never elsewhere, where a Yes would be real.
    std::string DeleteKey() {
        TTreeNode* selected = m_Tree->Selected();
        const std::string path = NodePath(selected);
        const bool desktop = selected && !selected->Parent();
        const bool ours = path.size() > m_Temp.Path().size() + 1 &&
                          path.compare(0, m_Temp.Path().size() + 1, m_Temp.Path() + "\\") == 0;
        if (!desktop && !ours)
            return "no Delete outside the test's folders";
        const std::string name = selected->Text();
        const int answer = Pick(2) ? IDYES : IDNO;
        {
            const TDialogAnswerer answerer(answer);
            m_Tree->SetFocus();
            PressKeys({VK_DELETE});
        }
        RescanFolders();
        return "Delete on " + name +
               (desktop           ? ""
                : answer == IDYES ? ", answered yes"
                                  : ", answered no");
    }
    // The test's folders as they are on the disk now, relative to its own.
    void RescanFolders() {
        m_Folders.clear();
        std::vector<std::string> pending{""};
        while (!pending.empty()) {
            const std::string folder = pending.back();
            pending.pop_back();
            WIN32_FIND_DATAW found{};
            const std::string base = folder.empty() ? "" : folder + "\\";
            HANDLE search = FindFirstFileW(Utf8ToWide(Full(base + "*")).c_str(), &found);
            if (search == INVALID_HANDLE_VALUE)
                continue;
            do {
                const std::string name = WideToUtf8(found.cFileName);
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." &&
                    name != "..") {
                    m_Folders.insert(base + name);
                    pending.push_back(base + name);
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }
    std::string Refresh() {
        m_Tree->SetFocus();
        PressKeys({VK_F5});
        return "F5 in the tree";
    }

    // The disk.
    std::string Full(const std::string& Relative) const { return m_Temp.Path() + "\\" + Relative; }
    void MakeFolder(const std::string& Relative) {
        m_Temp.MakeFolder(Relative);
        m_Folders.insert(Relative);
    }
    std::string NewName() {
        static const char* names[] = {"apple", "cedar", "dune", "ember", "fern", "grove"};
        return names[Pick(6)] + std::to_string(m_iMade++);
    }
    // A folder of the test below its own; the shown one now and then.
    std::string SomeFolder() {
        const std::string shown = NodePath(m_Tree->Selected());
        if (Pick(3) == 0 && shown.size() > m_Temp.Path().size() + 1 &&
            shown.compare(0, m_Temp.Path().size() + 1, m_Temp.Path() + "\\") == 0) {
            const std::string relative = shown.substr(m_Temp.Path().size() + 1);
            if (m_Folders.count(relative))
                return relative;
        }
        return PickOf(std::vector<std::string>(m_Folders.begin(), m_Folders.end()));
    }
    std::string DiskMake() {
        const std::string parent = m_Folders.empty() || Pick(4) == 0 ? "" : SomeFolder();
        const std::string relative = (parent.empty() ? "" : parent + "\\") + NewName();
        MakeFolder(relative);
        return "made " + relative;
    }
    std::string DiskRename() {
        if (m_Folders.empty())
            return DiskMake();
        const std::string from = SomeFolder();
        const size_t slash = from.rfind('\\');
        const std::string to =
            (slash == std::string::npos ? "" : from.substr(0, slash + 1)) + NewName();
        if (!MoveFileW(Utf8ToWide(Full(from)).c_str(), Utf8ToWide(Full(to)).c_str()))
            return "rename of " + from + " failed";
        RescanFolders();
        return "renamed " + from + " to " + to;
    }
    std::string DiskRemove() {
        if (m_Folders.size() < 3)
            return DiskMake();
        const std::string gone = SomeFolder();
        RemoveTree(Full(gone));
        RescanFolders();
        return "removed " + gone;
    }

    std::string Step() {
        const int roll = Pick(100);
        if (roll < 38)
            return TreeKey();
        if (roll < 55)
            return ClickNode();
        if (roll < 63)
            return Collapse();
        if (roll < 70)
            return ComboPick();
        if (roll < 73)
            return Refresh();
        if (roll < 77)
            return DeleteKey();
        if (m_Folders.size() > 24)
            return DiskRemove();
        if (roll < 84)
            return DiskMake();
        if (roll < 92)
            return DiskRename();
        return DiskRemove();
    }

    TempFolder m_Temp{"varnel-walk"};
    std::set<std::string> m_Folders;
    int m_iMade = 0;
    unsigned m_Seed = kDefaultSeed;
    std::mt19937 m_Random;
    std::unique_ptr<TExplorerWindow> m_Window;
    TNameSpaceEnumerator* m_Tree = nullptr;
    TNameSpaceCombo* m_Combo = nullptr;
};

} // namespace

TEST_F(ExplorerWalk, TreeListAndComboShowOneFolderAfterEveryStep) {
    ASSERT_TRUE(ShownFolders(*m_Window).Agree()) << ShownFolders(*m_Window).Describe();
    const bool trace = std::getenv("VARNEL_WALK_TRACE") != nullptr;
    std::deque<std::string> recent;
    for (int step = 1; step <= kSteps; ++step) {
        recent.push_back(std::to_string(step) + ": " + Step());
        if (trace)
            std::printf("%s\n", recent.back().c_str());
        if (recent.size() > 6)
            recent.pop_front();
        SettleIdle(*m_Window);
        // Delete on the desktop root leaves the tree with no selection at all: no folder named
        // there, none for list and combo to follow until the user selects one again.
        const TShownFolders shown = ShownFolders(*m_Window);
        if (m_Tree->Selected() && !shown.Agree()) {
            std::string steps;
            for (const std::string& line : recent)
                steps += "\n  " + line;
            FAIL() << "seed " << m_Seed << " (VARNEL_WALK_SEED), after step " << step << ": "
                   << shown.Describe() << "\nthe last steps:" << steps;
        }
    }
}
