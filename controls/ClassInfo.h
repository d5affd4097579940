#pragma once

#include "controls/Messages.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

class TComponent;

// What a class tells about itself: its name, its ancestor, how to make one from its name, its
// published properties (once, in declaration order) and the messages its handlers are bound to.
// Form files are read and written through these tables, and the property inspector lists them.

enum class TPropKind { Integer, Boolean, Enumeration, String, Component };

// A property value: nothing, an integer (also an enumeration's ordinal), a Boolean, a text or a
// component reference.
using TPropValue = std::variant<std::monostate, std::int64_t, bool, std::string, TComponent*>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    std::function<TPropValue(const TComponent&)> Read;
    // False when the value is of the wrong kind or names a component of the wrong class.
    std::function<bool(TComponent&, const TPropValue&)> Write;
    // The stored default: a property holding it is left out of a form file. Nothing: always
    // stored.
    TPropValue Default;
    // Enumerations: the value names by ordinal.
    std::vector<std::string> EnumNames;

    bool HoldsDefault(const TComponent& Instance) const;
};

struct TMessageEntry {
    UINT Msg = 0;
    void (*Handler)(TComponent& Instance, TMessage& Message) = nullptr;
};

struct TClassInfo {
    std::string_view ClassName;
    const TClassInfo* Parent = nullptr;
    // Makes an instance owned by AOwner; empty for classes that cannot be made by name.
    TComponent* (*Create)(TComponent* AOwner) = nullptr;
    std::vector<TPropInfo> Properties;
    std::vector<TMessageEntry> Messages;

    bool InheritsFrom(const TClassInfo& Ancestor) const;
    // Every published property, the ancestors' first, each class's in declaration order.
    std::vector<const TPropInfo*> PublishedProperties() const;
    const TPropInfo* FindProperty(std::string_view Name) const;
};

// The registry of classes that can be made from their names (form files name the class of each
// component they hold). Registering a class twice keeps the first.
void RegisterComponentClass(const TClassInfo& Info);
const TClassInfo* FindComponentClass(std::string_view ClassName);
// A new component of the named class owned by AOwner, or nullptr when the class is unknown.
TComponent* CreateComponent(std::string_view ClassName, TComponent* AOwner);

template <class C> TComponent* ConstructComponent(TComponent* AOwner) {
    return new C(AOwner);
}

// Binds a handler method to a message number, for a class's Messages table:
//   MessageHandler<WM_RBUTTONUP, &TMyTree::WMRButtonUp>()
template <class> struct THandlerClass;
template <class C> struct THandlerClass<void (C::*)(TMessage&)> { using Type = C; };

template <UINT Msg, auto Handler> TMessageEntry MessageHandler() {
    using C = typename THandlerClass<decltype(Handler)>::Type;
    return {Msg, [](TComponent& instance, TMessage& message) {
                (static_cast<C&>(instance).*Handler)(message);
            }};
}

// Property declarations for a class's Properties table, from its reader and writer methods.
template <class C>
TPropInfo BooleanProperty(std::string Name, bool (C::*Get)() const, void (C::*Set)(bool),
                          std::optional<bool> Default = {}) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Boolean;
    info.Read = [Get](const TComponent& c) {
        return TPropValue{(static_cast<const C&>(c).*Get)()};
    };
    info.Write = [Set](TComponent& c, const TPropValue& v) {
        const bool* b = std::get_if<bool>(&v);
        if (b)
            (static_cast<C&>(c).*Set)(*b);
        return b != nullptr;
    };
    if (Default)
        info.Default = *Default;
    return info;
}

template <class C, class T>
TPropInfo IntegerProperty(std::string Name, T (C::*Get)() const, void (C::*Set)(T),
                          std::optional<std::int64_t> Default = {}) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Integer;
    info.Read = [Get](const TComponent& c) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(c).*Get)())};
    };
    info.Write = [Set](TComponent& c, const TPropValue& v) {
        const std::int64_t* i = std::get_if<std::int64_t>(&v);
        if (i)
            (static_cast<C&>(c).*Set)(static_cast<T>(*i));
        return i != nullptr;
    };
    if (Default)
        info.Default = *Default;
    return info;
}

template <class C, class E>
TPropInfo EnumProperty(std::string Name, E (C::*Get)() const, void (C::*Set)(E),
                       std::vector<std::string> Names,
                       std::optional<std::type_identity_t<E>> Default = {}) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Enumeration;
    info.Read = [Get](const TComponent& c) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(c).*Get)())};
    };
    const auto count = static_cast<std::int64_t>(Names.size());
    info.Write = [Set, count](TComponent& c, const TPropValue& v) {
        const std::int64_t* i = std::get_if<std::int64_t>(&v);
        if (!i || *i < 0 || *i >= count)
            return false;
        (static_cast<C&>(c).*Set)(static_cast<E>(*i));
        return true;
    };
    info.EnumNames = std::move(Names);
    if (Default)
        info.Default = static_cast<std::int64_t>(*Default);
    return info;
}

template <class C, class R, class A>
TPropInfo StringProperty(std::string Name, R (C::*Get)() const, void (C::*Set)(A),
                         std::optional<std::string> Default = {}) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::String;
    info.Read = [Get](const TComponent& c) {
        return TPropValue{std::string((static_cast<const C&>(c).*Get)())};
    };
    info.Write = [Set](TComponent& c, const TPropValue& v) {
        const std::string* s = std::get_if<std::string>(&v);
        if (s)
            (static_cast<C&>(c).*Set)(*s);
        return s != nullptr;
    };
    if (Default)
        info.Default = *Default;
    return info;
}

// A reference to another component; the default is no component.
template <class C, class T>
TPropInfo ComponentProperty(std::string Name, T* (C::*Get)() const, void (C::*Set)(T*)) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Component;
    info.Read = [Get](const TComponent& c) {
        return TPropValue{static_cast<TComponent*>((static_cast<const C&>(c).*Get)())};
    };
    info.Write = [Set](TComponent& c, const TPropValue& v) {
        TComponent* const* ref = std::get_if<TComponent*>(&v);
        if (!ref)
            return false;
        T* target = dynamic_cast<T*>(*ref);
        if (*ref && !target)
            return false;
        (static_cast<C&>(c).*Set)(target);
        return true;
    };
    info.Default = static_cast<TComponent*>(nullptr);
    return info;
}
