// Writes the fuzzer's first corpus: forms as the writers make them, binary and text, covering every
// kind of value, nesting and the column set's stored list.

#include "components/FormBinary.h"
#include "components/FormText.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

TFormValue ColumnSet() {
    const char* captions[] = {"Name", "Extension", "Size", "Attributes", "Type", "Modified"};
    const int widths[] = {200, 50, 50, 50, 100, 200};
    std::vector<TFormValue> values;
    for (int i = 0; i < 6; ++i) {
        values.push_back(TFormValue::MakeString(captions[i]));
        values.push_back(TFormValue::MakeInteger(i == 2 ? 1 : 0));
        values.push_back(TFormValue::MakeInteger(widths[i]));
        values.push_back(TFormValue::MakeBoolean(i % 2 == 0));
    }
    return TFormValue::MakeList(std::move(values));
}

std::vector<TFormObject> Forms() {
    TFormObject explorer{"TExplorerWindow", "ExplorerWindow", {}, {}};
    explorer.Properties = {{"Caption", TFormValue::MakeString("Explorer")},
                           {"Width", TFormValue::MakeInteger(640)},
                           {"Color", TFormValue::MakeIdent("clBtnFace")},
                           {"Font.Height", TFormValue::MakeInteger(-11)},
                           {"Font.Style", TFormValue::MakeSet({"fsBold", "fsItalic"})}};
    TFormObject tree{"TNameSpaceEnumerator", "Tree", {}, {}};
    tree.Properties = {{"Align", TFormValue::MakeIdent("alLeft")},
                       {"RootedAt", TFormValue::MakeIdent("raFileSystem")},
                       {"RootFolder", TFormValue::MakeString("C:\\windows\\\xC3\xA9t\xC3\xA9")},
                       {"FolderEnumerator", TFormValue::MakeIdent("List")},
                       {"OnSelectionChange", TFormValue::MakeIdent("TreeSelectionChange")},
                       {"PopupMenu", TFormValue::MakeNil()}};
    TFormObject list{
        "TFolderEnumerator", "List", {{"FolderColumns.FolderColumn", ColumnSet()}}, {}};
    TFormObject menu{"TPopupMenu", "Menu", {}, {{"TMenuItem", "Open", {}, {}}}};
    menu.Children[0].Properties = {{"Caption", TFormValue::MakeString("&Open")},
                                   {"OnClick", TFormValue::MakeIdent("OpenClick")}};
    explorer.Children = {tree, list, menu};

    TFormObject values{"TValues", "", {}, {}};
    values.Properties = {
        {"Small", TFormValue::MakeInteger(-128)},
        {"Medium", TFormValue::MakeInteger(32768)},
        {"Large", TFormValue::MakeInteger(-5000000000LL)},
        {"Long", TFormValue::MakeString(std::string(300, 'x') + "\x01\xFF'")},
        {"Nested", TFormValue::MakeList({TFormValue::MakeList({TFormValue::MakeSet({})}),
                                         TFormValue::MakeBoolean(true)})},
        {"Picture.Data",
         TFormValue::MakeBinary(std::string("BM\x46\0\0\0\xFF", 7) + std::string(90, '\x5A'))},
        {"Empty", TFormValue::MakeBinary("")}};
    return {explorer, values, TFormObject{"T", "", {}, {}}};
}

bool Save(const std::string& Path, const std::string& Bytes) {
    std::ofstream out(Path, std::ios::binary);
    out << Bytes;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    int n = 0;
    for (const TFormObject& form : Forms()) {
        TFormError error;
        std::string binary, text;
        if (!WriteFormBinary(form, binary, error) || !WriteFormText(form, text, error)) {
            std::fprintf(stderr, "%s\n", error.Message().c_str());
            return 1;
        }
        ++n;
        if (!Save(std::string(argv[1]) + "/seed" + std::to_string(n) + ".bin", binary) ||
            !Save(std::string(argv[1]) + "/seed" + std::to_string(n) + ".txt", text))
            return 1;
    }
    return 0;
}
