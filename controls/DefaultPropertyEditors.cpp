#include "controls/DefaultPropertyEditors.h"

#include "components/Component.h"
#include "components/FormDocument.h"
#include "controls/DesignRegistry.h"
#include "controls/Designer.h"
#include "controls/Form.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace {

std::string_view Trimmed(std::string_view Text) {
    const auto first = Text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return Text.substr(first, Text.find_last_not_of(" \t") - first + 1);
}

// The ordinal of a name among Names (ASCII case ignored), or -1.
int IndexOfName(const std::vector<std::string>& Names, std::string_view Name) {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameFormName(Names[i], Name))
            return static_cast<int>(i);
    return -1;
}

const std::vector<std::string>& BooleanNames() {
    static const std::vector<std::string> names = {"False", "True"};
    return names;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Enumerations and Booleans.

TPropertyAttributes TEnumProperty::GetAttributes() {
    return paMultiSelect | paValueList;
}

std::string TEnumProperty::GetValue() {
    const TPropValue value = ReadValue();
    if (const bool* b = std::get_if<bool>(&value))
        return BooleanNames()[*b];
    const std::int64_t* i = std::get_if<std::int64_t>(&value);
    const auto& names = GetPropInfo().EnumNames;
    return i && *i >= 0 && *i < static_cast<std::int64_t>(names.size()) ? names[*i] : std::string();
}

bool TEnumProperty::SetValue(const std::string& Value) {
    const bool boolean = GetPropInfo().Kind == TPropKind::Boolean;
    const std::string_view name = Trimmed(Value);
    const int index = boolean ? IndexOfName(BooleanNames(), name) : GetPropInfo().EnumIndex(name);
    if (index < 0)
        return false;
    return WriteValue(boolean ? TPropValue{index == 1} : TPropValue{std::int64_t{index}});
}

std::vector<std::string> TEnumProperty::GetValues() {
    return GetPropInfo().Kind == TPropKind::Boolean ? BooleanNames() : GetPropInfo().EnumNames;
}

// ---------------------------------------------------------------------------------------------
// Integers.

TPropertyAttributes TIntegerProperty::GetAttributes() {
    return GetPropInfo().Idents.empty() ? paMultiSelect : paMultiSelect | paValueList;
}

std::string TIntegerProperty::GetValue() {
    const TPropValue value = ReadValue();
    const std::int64_t* i = std::get_if<std::int64_t>(&value);
    if (!i)
        return {};
    const std::string* name = GetPropInfo().IdentName(*i);
    return name ? *name : std::to_string(*i);
}

bool TIntegerProperty::SetValue(const std::string& Value) {
    const std::string_view text = Trimmed(Value);
    if (const std::int64_t* named = GetPropInfo().IdentValue(text))
        return WriteValue(*named);
    std::int64_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end)
        return false;
    // The writer refuses what the property's type cannot hold.
    return WriteValue(number);
}

std::vector<std::string> TIntegerProperty::GetValues() {
    std::vector<std::string> names;
    for (const auto& ident : GetPropInfo().Idents)
        names.push_back(ident.first);
    return names;
}

// ---------------------------------------------------------------------------------------------
// Strings.

std::string TStringProperty::GetValue() {
    const TPropValue value = ReadValue();
    const std::string* s = std::get_if<std::string>(&value);
    return s ? *s : std::string();
}

bool TStringProperty::SetValue(const std::string& Value) {
    return WriteValue(Value);
}

// ---------------------------------------------------------------------------------------------
// Sets.

std::string TSetProperty::GetValue() {
    const TPropValue value = ReadValue();
    const std::int64_t* bits = std::get_if<std::int64_t>(&value);
    std::string text = "[";
    const auto& names = GetPropInfo().EnumNames;
    for (size_t i = 0; bits && i < names.size(); ++i)
        if (*bits & (std::int64_t{1} << i))
            text += (text.size() > 1 ? "," : "") + names[i];
    return text + "]";
}

bool TSetProperty::SetValue(const std::string& Value) {
    std::string_view text = Trimmed(Value);
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        text = text.substr(1, text.size() - 2);
    std::int64_t bits = 0;
    while (!Trimmed(text).empty()) {
        const auto comma = text.find(',');
        const int index = GetPropInfo().EnumIndex(Trimmed(text.substr(0, comma)));
        if (index < 0)
            return false;
        bits |= std::int64_t{1} << index;
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return WriteValue(bits);
}

// ---------------------------------------------------------------------------------------------
// Component references.

TPropertyAttributes TComponentProperty::GetAttributes() {
    return paMultiSelect | paValueList;
}

std::string TComponentProperty::GetValue() {
    const TPropValue value = ReadValue();
    TComponent* const* ref = std::get_if<TComponent*>(&value);
    return ref && *ref ? (*ref)->Name() : std::string();
}

bool TComponentProperty::SetValue(const std::string& Value) {
    const std::string_view name = Trimmed(Value);
    if (name.empty())
        return WriteValue(static_cast<TComponent*>(nullptr));
    for (TComponent* c : Candidates())
        if (SameFormName(c->Name(), name))
            return WriteValue(c);
    return false;
}

std::vector<std::string> TComponentProperty::GetValues() {
    std::vector<std::string> names;
    for (const TComponent* c : Candidates())
        names.push_back(c->Name());
    return names;
}

// The named components of the designed form (outside a designer, of the first selected
// component's owner) that the property's writer takes.
std::vector<TComponent*> TComponentProperty::Candidates() const {
    const TComponent* root = Designer() ? Designer()->Form() : nullptr;
    if (!root)
        if (const auto* first = dynamic_cast<const TComponent*>(GetComponent(0)))
            root = first->Owner();
    std::vector<TComponent*> result;
    const auto& accepts = GetPropInfo().Accepts;
    for (int i = 0; root && i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (!c->Name().empty() && (!accepts || accepts(*c)))
            result.push_back(c);
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Nested objects.

TPropertyAttributes TClassProperty::GetAttributes() {
    return paMultiSelect | paSubProperties | paReadOnly;
}

std::string TClassProperty::GetValue() {
    return "(" + GetPropInfo().TypeName + ")";
}

std::vector<std::unique_ptr<TPropertyEditor>> TClassProperty::GetProperties() {
    std::vector<TPersistent*> nested;
    for (int i = 0; i < PropCount(); ++i) {
        const TPropInfo* prop = PropOf(*GetComponent(i));
        if (TPersistent* object = prop && prop->Object ? prop->Object(*GetComponent(i)) : nullptr)
            nested.push_back(object);
    }
    std::vector<std::unique_ptr<TPropertyEditor>> editors;
    if (nested.empty())
        return editors;
    for (const TPropInfo* prop : nested.front()->ClassInfo().PublishedProperties())
        if (auto editor = GetPropertyEditor(Designer(), nested, *prop))
            editors.push_back(std::move(editor));
    return editors;
}
