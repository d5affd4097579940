#include "controls/ClassInfo.h"

#include "controls/Component.h"

#include <algorithm>

namespace {

std::vector<const TClassInfo*>& Registry() {
    static std::vector<const TClassInfo*> registry;
    return registry;
}

} // namespace

bool TPropInfo::HoldsDefault(const TComponent& Instance) const {
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
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* info = this; info; info = info->Parent)
        chain.push_back(info);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& prop : (*it)->Properties)
            result.push_back(&prop);
    return result;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view Name) const {
    for (const TClassInfo* info = this; info; info = info->Parent)
        for (const TPropInfo& prop : info->Properties)
            if (prop.Name == Name)
                return &prop;
    return nullptr;
}

void RegisterComponentClass(const TClassInfo& Info) {
    if (!FindComponentClass(Info.ClassName))
        Registry().push_back(&Info);
}

const TClassInfo* FindComponentClass(std::string_view ClassName) {
    const auto& registry = Registry();
    const auto it = std::find_if(registry.begin(), registry.end(), [&](const TClassInfo* info) {
        return info->ClassName == ClassName;
    });
    return it == registry.end() ? nullptr : *it;
}

TComponent* CreateComponent(std::string_view ClassName, TComponent* AOwner) {
    const TClassInfo* info = FindComponentClass(ClassName);
    if (!info || !info->Create)
        return nullptr;
    return info->Create(AOwner);
}
