// A small window of the host application holding the framework's three controls: a tree, a
// report list and an owner-drawn combo box filled with plain text. With VARNEL_SCREENSHOT set
// to a .bmp path, it saves a picture of its window there and ends.

#include "controls/Application.h"
#include "controls/ComboBox.h"
#include "controls/ListView.h"
#include "controls/TreeView.h"
#include "identifiers/WideText.h"

#include "support/ExampleWindow.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        Application().Terminate();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void FillTree(TCustomTreeView& tree) {
    TTreeNodes& nodes = tree.Items();
    TTreeNode* desktop = nodes.AddChild(nullptr, "Desktop");
    TTreeNode* computer = nodes.AddChild(desktop, "My Computer");
    TTreeNode* drive = nodes.AddChild(computer, "Local Disk (C:)");
    for (const char* name : {"Program Files", "users", "windows"})
        nodes.AddChild(drive, name);
    nodes.AddChild(computer, "Control Panel");
    nodes.AddChild(desktop, "Documents");
    nodes.AddChild(desktop, "Trash");
    desktop->Expand(false);
    computer->Expand(false);
    drive->Expand(false);
    tree.SetSelected(drive);
}

void FillList(TCustomListView& list) {
    struct Row {
        const char *Name, *Size, *Type;
    };
    const Row rows[] = {{"Program Files", "", "File folder"},
                        {"users", "", "File folder"},
                        {"windows", "", "File folder"},
                        {"readme.txt", "1KB", "Text Document"},
                        {"setup.log", "12KB", "Log file"}};
    for (const char* caption : {"Name", "Size", "Type"}) {
        TListColumn* column = list.Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(caption[0] == 'S' ? 60 : 130);
        if (caption[0] == 'S')
            column->SetAlignment(taRightJustify);
    }
    list.Items().BeginUpdate();
    for (const Row& row : rows) {
        TListItem* item = list.Items().Add();
        item->SetCaption(row.Name);
        item->SubItems().Add(row.Size);
        item->SubItems().Add(row.Type);
    }
    list.Items().EndUpdate();
    list.SetSelected(list.Items()[3]);
}

} // namespace

int main() {
    HWND host = MakeExampleWindow(L"ControlsDemoHost", L"Controls demo", HostProc, 640, 400);
    if (!host)
        return 1;

    TCustomComboBox combo(nullptr);
    combo.SetStyle(csOwnerDrawFixed);
    combo.SetBounds(8, 8, 300, 24);
    combo.SetItemHeight(18);
    for (const char* s : {"Desktop", "My Computer", "Local Disk (C:)", "Documents"})
        combo.Items().Add(s);
    combo.SetItemIndex(2);
    combo.SetParentWindow(host);

    TCustomTreeView tree(nullptr);
    tree.SetBounds(8, 40, 220, 310);
    tree.SetHideSelection(false);
    tree.SetParentWindow(host);
    FillTree(tree);

    TCustomListView list(nullptr);
    list.SetViewStyle(vsReport);
    list.SetHideSelection(false);
    list.SetBounds(236, 40, 380, 310);
    list.SetParentWindow(host);
    FillList(list);

    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    // The controls were placed while the host was hidden: they make their windows now.
    combo.HandleNeeded();
    tree.HandleNeeded();
    list.HandleNeeded();

    return RunOrSaveScreenshot(host);
}
