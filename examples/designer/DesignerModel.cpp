#include "DesignerModel.h"

#include "components/FormDocument.h"
#include "components/FormStreaming.h"
#include "controls/DesignRegistry.h"
#include "controls/Form.h"

#include <algorithm>
#include <memory>

namespace {

bool EndsWith(const std::string& Text, const std::string& End) {
    return Text.size() >= End.size() && SameFormName(Text.substr(Text.size() - End.size()), End);
}

// A placed component belongs to the form until the designer takes it back to end it; its
// destructor takes it off the form and out of its partners' links.
void Destroy(TComponent* Component) {
    const std::unique_ptr<TComponent> taken(Component);
}

} // namespace

TDesignerModel::TDesignerModel() {
    MakeForm();
}

TDesignerModel::~TDesignerModel() {
    m_Selection.clear();
    m_Form.reset();
}

void TDesignerModel::MakeForm() {
    m_Selection.clear();
    m_Form = std::make_unique<TForm>(nullptr);
    // Designing before anything is placed: every component owned by the form is designing from
    // its construction, so none starts watching the disk.
    m_Form->SetDesigning(true);
    m_Form->SetDesigner(this);
    m_Form->SetName("Form1");
    m_Form->SetCaption("Form1");
}

void TDesignerModel::Modified() {
    m_bModified = true;
    Changed();
}

void TDesignerModel::Changed() {
    if (OnChange)
        OnChange();
}

void TDesignerModel::DesignInput(TWinControl& Control, const TMessage& Message) {
    if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_RBUTTONDOWN)
        return;
    if (OnDesignPress)
        OnDesignPress();
    if (&Control == m_Form.get()) {
        if (m_PaletteClass && Message.Msg == WM_LBUTTONDOWN) {
            Place(*std::exchange(m_PaletteClass, nullptr),
                  static_cast<short>(LOWORD(Message.LParam)),
                  static_cast<short>(HIWORD(Message.LParam)));
            return;
        }
        Select({});
        return;
    }
    std::vector<TComponent*> selection = m_Selection;
    const auto it = std::find(selection.begin(), selection.end(), &Control);
    if (!(Message.WParam & (MK_SHIFT | MK_CONTROL)))
        selection = {&Control};
    else if (it != selection.end())
        selection.erase(it);
    else
        selection.push_back(&Control);
    Select(std::move(selection));
}

TComponent* TDesignerModel::Place(const TClassInfo& Class, int X, int Y) {
    if (!Class.Create)
        return nullptr;
    const std::string stem(Class.ClassName.substr(Class.ClassName.starts_with("T") ? 1 : 0));
    int number = 1;
    while (m_Form->FindComponent(stem + std::to_string(number)))
        ++number;
    TComponent* made = Class.Create(m_Form.get());
    made->SetName(stem + std::to_string(number));
    if (auto* control = dynamic_cast<TWinControl*>(made)) {
        control->SetParent(m_Form.get());
        control->SetBounds(X, Y, control->Width(), control->Height());
    }
    m_Selection = {made};
    Modified();
    return made;
}

void TDesignerModel::Select(std::vector<TComponent*> Components) {
    m_Selection = std::move(Components);
    Changed();
}

std::vector<TComponent*> TDesignerModel::Components() const {
    std::vector<TComponent*> result;
    for (int i = 0; i < m_Form->ComponentCount(); ++i)
        result.push_back(m_Form->Components(i));
    return result;
}

void TDesignerModel::DeleteSelected() {
    const std::vector<TComponent*> doomed = std::exchange(m_Selection, {});
    if (doomed.empty())
        return;
    for (TComponent* c : doomed)
        if (c != m_Form.get())
            Destroy(c);
    Modified();
}

std::unique_ptr<TPropertyEditor> TDesignerModel::EditorOf(const std::string& Property) {
    // A nested object's property is named by the path down to it: "Font.Height".
    const size_t dot = Property.find('.');
    auto editor = TopEditorOf(Property.substr(0, dot));
    std::string rest = dot == std::string::npos ? std::string() : Property.substr(dot + 1);
    while (editor && !rest.empty()) {
        if (!(editor->GetAttributes() & paSubProperties))
            return nullptr;
        const size_t next = rest.find('.');
        const std::string name = rest.substr(0, next);
        std::unique_ptr<TPropertyEditor> found;
        for (auto& sub : editor->GetProperties())
            if (SameFormName(sub->GetName(), name) && Offered(*sub)) {
                found = std::move(sub);
                break;
            }
        editor = std::move(found);
        rest = next == std::string::npos ? std::string() : rest.substr(next + 1);
    }
    return editor;
}

std::unique_ptr<TPropertyEditor> TDesignerModel::TopEditorOf(const std::string& Property) {
    if (m_Selection.empty())
        return nullptr;
    std::vector<TPersistent*> selected(m_Selection.begin(), m_Selection.end());
    const TPropInfo* prop = m_Selection.front()->ClassInfo().FindProperty(Property);
    if (!prop)
        return nullptr;
    // Every selected component must publish a property of that name and type.
    for (const TComponent* c : m_Selection) {
        const TPropInfo* theirs = c->ClassInfo().FindProperty(Property);
        if (!theirs || theirs->TypeName != prop->TypeName || theirs->Kind != prop->Kind)
            return nullptr;
    }
    auto editor = GetPropertyEditor(this, std::move(selected), *prop);
    return editor && Offered(*editor) ? std::move(editor) : nullptr;
}

bool TDesignerModel::Offered(TPropertyEditor& Editor) const {
    return m_Selection.size() == 1 || (Editor.GetAttributes() & paMultiSelect);
}

void TDesignerModel::AddRows(std::vector<TInspectorRow>& Rows, const std::string& Path,
                             TPropertyEditor& Editor) {
    Rows.push_back({Path, Editor.GetValue(), Editor.GetAttributes()});
    if (Editor.GetAttributes() & paSubProperties)
        for (auto& sub : Editor.GetProperties())
            if (Offered(*sub))
                AddRows(Rows, Path + "." + sub->GetName(), *sub);
}

std::vector<TInspectorRow> TDesignerModel::InspectorRows() {
    std::vector<TInspectorRow> rows;
    if (m_Selection.empty())
        return rows;
    for (const TPropInfo* prop : m_Selection.front()->ClassInfo().PublishedProperties())
        if (auto editor = TopEditorOf(prop->Name))
            AddRows(rows, prop->Name, *editor);
    return rows;
}

bool TDesignerModel::Save(const std::string& Path, TFormError& Error) {
    const TFormFormat format = EndsWith(Path, ".vfm") ? TFormFormat::Text : TFormFormat::Binary;
    if (!SaveComponentFile(*m_Form, Path, format, Error))
        return false;
    m_bModified = false;
    Changed();
    return true;
}

bool TDesignerModel::Load(const std::string& Path, TFormError& Error) {
    // A file that does not read leaves the form as it was.
    auto previous = std::exchange(m_Form, nullptr);
    MakeForm();
    if (!LoadComponentFile(*m_Form, Path, Error)) {
        m_Form = std::move(previous);
        return false;
    }
    m_bModified = false;
    Changed();
    return true;
}

std::string TDesignerModel::Title() const {
    return m_Form->Name() + (m_bModified ? "*" : "");
}
