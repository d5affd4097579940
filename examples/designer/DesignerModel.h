#pragma once

// What the designer host does, without its window: a designed form on which components from the
// palette are placed, selected, inspected through their property editors, deleted, saved and
// loaded. The window shows the model and forwards the user's acts to it.

#include "controls/Designer.h"
#include "controls/PropertyEditor.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TComponent;
class TForm;
struct TClassInfo;
struct TFormError;

// One line of the inspector.
struct TInspectorRow {
    std::string Name;
    std::string Value;
    TPropertyAttributes Attributes = 0;
};

class TDesignerModel : public IDesigner {
public:
    TDesignerModel();
    ~TDesignerModel();
    TDesignerModel(const TDesignerModel&) = delete;
    TDesignerModel& operator=(const TDesignerModel&) = delete;

    // IDesigner.
    void Modified() override;
    TForm* Form() const override { return m_Form.get(); }
    // A press on a placed component selects it (with Shift or Ctrl, adds it or takes it out);
    // on the form, it places the palette's chosen class there, or selects nothing.
    void DesignInput(TWinControl& Control, const TMessage& Message) override;

    // The class the next click on the form places (nullptr: none).
    void ChoosePaletteClass(const TClassInfo* Class) { m_PaletteClass = Class; }
    const TClassInfo* PaletteClass() const { return m_PaletteClass; }
    // Places a component of Class on the form at (X, Y), named after its class without the "T"
    // and the first number no component has (FolderEnumerator1), and selects it alone.
    TComponent* Place(const TClassInfo& Class, int X, int Y);

    const std::vector<TComponent*>& Selection() const { return m_Selection; }
    void Select(std::vector<TComponent*> Components);
    // The form's placed components, in placing order.
    std::vector<TComponent*> Components() const;
    // Deletes the selected components.
    void DeleteSelected();

    // The properties of the selection in the first one's stored order: with several selected,
    // only those every one of them has and whose editor takes a multiple selection. A nested
    // object's row is followed by a row for each of its own properties, named by the path down
    // to it ("Font.Height").
    std::vector<TInspectorRow> InspectorRows();
    // The editor of a row's property for the selection (nullptr when there is no such row).
    std::unique_ptr<TPropertyEditor> EditorOf(const std::string& Property);

    // A .vfm path is written as text, any other in the binary form.
    bool Save(const std::string& Path, TFormError& Error);
    // Replaces the form's components with those of the file.
    bool Load(const std::string& Path, TFormError& Error);
    bool IsModified() const { return m_bModified; }
    // The form's name, with "*" while it has changes not saved.
    std::string Title() const;

    // Told whenever the form, the selection or a value changed, for the window to show it.
    std::function<void()> OnChange;
    // Told of each press on the designed form or a component on it, before it is acted on.
    std::function<void()> OnDesignPress;

private:
    void MakeForm();
    std::unique_ptr<TPropertyEditor> TopEditorOf(const std::string& Property);
    // Whether the inspector shows the editor's property for the selection.
    bool Offered(TPropertyEditor& Editor) const;
    void AddRows(std::vector<TInspectorRow>& Rows, const std::string& Path,
                 TPropertyEditor& Editor);
    void Changed();

    std::unique_ptr<TForm> m_Form;
    std::vector<TComponent*> m_Selection;
    const TClassInfo* m_PaletteClass = nullptr;
    bool m_bModified = false;
};
