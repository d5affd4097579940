#include "components/Persistent.h"

#include <algorithm>

const TClassInfo& TPersistent::StaticClassInfo() {
    static const TClassInfo info{.ClassName = "TPersistent"};
    return info;
}

void TPersistent::DefineProperties(TFiler&) {}

const std::string& TPersistent::HandlerName(const TPropInfo& Event) const {
    static const std::string none;
    const auto it = std::find_if(m_HandlerNames.begin(), m_HandlerNames.end(),
                                 [&](const auto& entry) { return entry.first == &Event; });
    return it == m_HandlerNames.end() ? none : it->second;
}

void TPersistent::SetHandlerName(const TPropInfo& Event, std::string Name) {
    const auto it = std::find_if(m_HandlerNames.begin(), m_HandlerNames.end(),
                                 [&](const auto& entry) { return entry.first == &Event; });
    if (it != m_HandlerNames.end()) {
        if (Name.empty())
            m_HandlerNames.erase(it);
        else
            it->second = std::move(Name);
    } else if (!Name.empty()) {
        m_HandlerNames.emplace_back(&Event, std::move(Name));
    }
}
