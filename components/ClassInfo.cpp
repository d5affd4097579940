#include "components/ClassInfo.h"

#include "components/Component.h"
#include "components/FormDocument.h"

#include <algorithm>

namespace {

std::vector<const TClassInfo*>& Registry() {
    static std::vector<const TClassInfo*> registry;
    return registry;
}

// A property any ancestor of Info declares, published there or not.
const TPropInfo* DeclaredByAncestor(const TClassInfo& Info, std::string_view Name) {
    for (const TClassInfo* info = Info.Parent; info; info = info->Parent)
        for (const TPropInfo& prop : info->Properties)
            if (SameFormName(prop.Name, Name))
                return &prop;
    return nullptr;
}

} // namespace

bool TPropInfo::HoldsDefault(const TPersistent& Instance) const {
    if (std::holds_alternative<std::monostate>(Default) || !Read)
        return false;
    return Read(Instance) == Default;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Ancestor) const {
    for (const TClassInfo* info = this; info; info = info->Parent)
        if (info == &Ancestor)
            return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::PublishedProperties() const {
    std::vector<const TPropInfo*> result;
    if (Republished) {
        for (std::string_view name : *Republished)
            if (const TPropInfo* prop = DeclaredByAncestor(*this, name))
                result.push_back(prop);
    } else if (Parent) {
        result = Parent->PublishedProperties();
    }
    for (const TPropInfo& prop : Properties)
        result.push_back(&prop);
    return result;
}

int TPropInfo::EnumIndex(std::string_view Name) const {
    for (std::size_t i = 0; i < EnumNames.size(); ++i)
        if (SameFormName(EnumNames[i], Name))
            return static_cast<int>(i);
    return -1;
}

const std::string* TPropInfo::IdentName(std::int64_t Value) const {
    for (const auto& [name, value] : Idents)
        if (value == Value)
            return &name;
    return nullptr;
}

const std::int64_t* TPropInfo::IdentValue(std::string_view Name) const {
    for (const auto& [name, value] : Idents)
        if (SameFormName(name, Name))
            return &value;
    return nullptr;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view Name) const {
    for (const TPropInfo* prop : PublishedProperties())
        if (SameFormName(prop->Name, Name))
            return prop;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view Name) const {
    for (const TClassInfo* info = this; info; info = info->Parent)
        for (const TMethodInfo& method : info->Methods)
            if (SameFormName(method.Name, Name))
                return &method;
    return nullptr;
}

void RegisterComponentClass(const TClassInfo& Info) {
    if (!FindComponentClass(Info.ClassName))
        Registry().push_back(&Info);
}

const TClassInfo* FindComponentClass(std::string_view ClassName) {
    const auto& registry = Registry();
    const auto it = std::find_if(registry.begin(), registry.end(), [&](const TClassInfo* info) {
        return SameFormName(info->ClassName, ClassName);
    });
    return it == registry.end() ? nullptr : *it;
}

TComponent* CreateComponent(std::string_view ClassName, TComponent* AOwner) {
    const TClassInfo* info = FindComponentClass(ClassName);
    if (!info || !info->Create)
        return nullptr;
    return info->Create(AOwner);
}
