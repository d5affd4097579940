#pragma once

// A published link to a partner view: the stored form names the partner's component, and writing
// takes a component of the partner's kind, or none (a component of another kind is a read error).
// TypeName is the partner's class, as the designer offers it.

#include "components/ClassInfo.h"
#include "framework/ViewLinks.h"

#include <string>
#include <utility>
#include <variant>

template <class Owner, class Link, auto Get, auto Set>
TPropInfo LinkProperty(std::string Name, std::string TypeName) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Component;
    info.TypeName = std::move(TypeName);
    info.Accepts = [](const TComponent& c) { return dynamic_cast<const Link*>(&c) != nullptr; };
    info.Read = [](const TPersistent& c) {
        return TPropValue{dynamic_cast<TComponent*>((static_cast<const Owner&>(c).*Get)())};
    };
    info.Write = [](TPersistent& c, const TPropValue& v) {
        TComponent* const* ref = std::get_if<TComponent*>(&v);
        if (!ref)
            return false;
        auto* link = dynamic_cast<Link*>(*ref);
        if (*ref && !link)
            return false;
        (static_cast<Owner&>(c).*Set)(link);
        return true;
    };
    info.Default = static_cast<TComponent*>(nullptr);
    return info;
}
