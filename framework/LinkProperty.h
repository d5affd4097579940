#pragma once

// A published link to a partner view: the stored form names the partner's component, and writing
// takes a component of the partner's kind, or none (a component of another kind is a read error).
// TypeName is the partner's class, as the designer offers it.

#include "components/ClassInfo.h"
#include "framework/ViewLinks.h"

#include <string>
#include <utility>

template <class Owner, class Link, auto Get, auto Set>
TPropInfo LinkProperty(std::string Name, std::string TypeName) {
    return ComponentProperty<Owner, Link>(std::move(Name), std::move(TypeName), Get, Set);
}
