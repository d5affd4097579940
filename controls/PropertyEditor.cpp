#include "controls/PropertyEditor.h"

#include "components/FormDocument.h"
#include "components/Persistent.h"
#include "controls/Designer.h"

#include <algorithm>
#include <utility>

TPropertyEditor::TPropertyEditor(IDesigner* Designer, std::vector<TPersistent*> Components,
                                 const TPropInfo& Prop)
    : m_Designer(Designer), m_Components(std::move(Components)), m_Prop(Prop) {}

void TPropertyEditor::Edit() {
    if (!(GetAttributes() & paValueList))
        return;
    const std::vector<std::string> values = GetValues();
    if (values.empty())
        return;
    const std::string current = GetValue();
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&](const std::string& v) { return SameFormName(v, current); });
    SetValue(it == values.end() || it + 1 == values.end() ? values.front() : *(it + 1));
}

TPropertyAttributes TPropertyEditor::GetAttributes() {
    return paMultiSelect;
}

std::string TPropertyEditor::GetValue() {
    return {};
}

bool TPropertyEditor::SetValue(const std::string&) {
    return false;
}

std::vector<std::string> TPropertyEditor::GetValues() {
    return {};
}

std::vector<std::unique_ptr<TPropertyEditor>> TPropertyEditor::GetProperties() {
    return {};
}

TPersistent* TPropertyEditor::GetComponent(int Index) const {
    return Index >= 0 && Index < PropCount() ? m_Components[Index] : nullptr;
}

void TPropertyEditor::Modified() {
    if (m_Designer)
        m_Designer->Modified();
}

// The components may be of different classes, each with its own entry for the property: each is
// written and read through its own, never through the first one's.
const TPropInfo* TPropertyEditor::PropOf(const TPersistent& Component) const {
    const TPropInfo* own = Component.ClassInfo().FindProperty(m_Prop.Name);
    return own && own->Kind == m_Prop.Kind && own->TypeName == m_Prop.TypeName ? own : nullptr;
}

bool TPropertyEditor::WriteValue(const TPropValue& Value) {
    bool all = true;
    bool any = false;
    for (TPersistent* component : m_Components) {
        const TPropInfo* prop = PropOf(*component);
        const bool took = prop && prop->Write && prop->Write(*component, Value);
        all = all && took;
        any = any || took;
    }
    if (any)
        Modified();
    return all;
}

TPropValue TPropertyEditor::ReadValue() const {
    const TPropInfo* prop = m_Components.empty() ? nullptr : PropOf(*m_Components.front());
    return prop && prop->Read ? prop->Read(*m_Components.front()) : TPropValue{};
}
