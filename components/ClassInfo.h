#pragma once

#include "components/Events.h"
#include "components/Messages.h"

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <variant>
#include <vector>

class TComponent;
class TPersistent;

// What a class tells about itself: its name, its ancestor, how to make one from its name, its
// published properties (once, in declaration order), the handlers it publishes for events and
// the messages its handlers are bound to. Form files are read and written through these tables
// alone, and the property inspector lists them.

enum class TPropKind {
    Integer, // a whole number, in the range of its type; some have names (clWindow)
    Boolean,
    Enumeration, // the ordinal, stored by its name
    String,
    Component,  // a reference to another component of the form, stored by its name
    Persistent, // a nested object (a Font), stored as its own properties under this name
    Event,      // a handler, stored by the name of a published method of the form's class
    Set,        // a bit set over EnumNames, bit i for name i
};

// A property value: nothing, an integer (also an enumeration's ordinal or a set's bits), a
// Boolean, a text or a component reference.
using TPropValue = std::variant<std::monostate, std::int64_t, bool, std::string, TComponent*>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    // The name of the property's type, by which property editors are registered for it:
    // "Boolean", "Integer", "string", an enumeration's, a set's or a class's own name. Events
    // have none (their handler's type stands for it).
    std::string TypeName;
    std::function<TPropValue(const TPersistent&)> Read;
    // False when the value is of the wrong kind, out of range or names a component of the wrong
    // class.
    std::function<bool(TPersistent&, const TPropValue&)> Write;
    // The stored default: a property holding it is left out of a form file. Nothing: always
    // stored.
    TPropValue Default;
    // Enumerations: the value names by ordinal. Sets: the member names by bit.
    std::vector<std::string> EnumNames;
    // Integers: the range Write takes, and names for some values (colours, cursors).
    std::int64_t Min = std::numeric_limits<std::int64_t>::min();
    std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    std::vector<std::pair<std::string, std::int64_t>> Idents;
    // Lookups shared by the form files' reader and writer and the property editors, names
    // compared as form files compare them: a name's index among EnumNames (-1 for none), the
    // name Idents gives a value and the value it gives a name (nullptr for none).
    int EnumIndex(std::string_view Name) const;
    const std::string* IdentName(std::int64_t Value) const;
    const std::int64_t* IdentValue(std::string_view Name) const;
    // Component: whether the writer takes that component (of the property's class or
    // interface).
    std::function<bool(const TComponent&)> Accepts;
    // Persistent: the nested object, owned by the instance.
    std::function<TPersistent*(TPersistent&)> Object;
    // Event: the handler's type (a std::function), whether one is assigned, and assigning one
    // (an empty std::any clears it; false when the handler is of another type).
    const std::type_info* EventType = nullptr;
    std::function<bool(const TPersistent&)> Assigned;
    std::function<bool(TPersistent&, const std::any&)> SetHandler;
    // False for a property the form file keeps elsewhere (a component's Name, in its header).
    bool Stored = true;

    bool HoldsDefault(const TPersistent& Instance) const;
};

// A handler method the class publishes for the events of its form's components.
struct TMethodInfo {
    std::string Name;
    const std::type_info* Type = nullptr; // the std::function an event must have to take it
    // The handler bound to an instance of the class, as that std::function.
    std::any (*Bind)(TPersistent& Instance) = nullptr;
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
    std::vector<TPropInfo> Properties{};
    std::vector<TMessageEntry> Messages{};
    // When set, the class publishes only these of its ancestors' properties, in this order,
    // ahead of its own, and hides the rest (from form files and the inspector alike). Unset: it
    // publishes what its parent publishes.
    std::optional<std::vector<std::string_view>> Republished{};
    std::vector<TMethodInfo> Methods{};

    bool InheritsFrom(const TClassInfo& Ancestor) const;
    // Every published property, in stored order: the ancestors' first (or the re-published
    // ones), then the class's own in declaration order.
    std::vector<const TPropInfo*> PublishedProperties() const;
    // The published property of that name (ASCII case ignored), or nullptr.
    const TPropInfo* FindProperty(std::string_view Name) const;
    // The published handler of that name in this class or an ancestor (ASCII case ignored).
    const TMethodInfo* FindMethod(std::string_view Name) const;
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
    info.TypeName = "Boolean";
    info.Read = [Get](const TPersistent& c) {
        return TPropValue{(static_cast<const C&>(c).*Get)()};
    };
    info.Write = [Set](TPersistent& c, const TPropValue& v) {
        const bool* b = std::get_if<bool>(&v);
        if (b)
            (static_cast<C&>(c).*Set)(*b);
        return b != nullptr;
    };
    if (Default)
        info.Default = *Default;
    return info;
}

// An integer property takes only values its type holds; Idents names some of them.
template <class C, class T>
TPropInfo IntegerProperty(std::string Name, T (C::*Get)() const, void (C::*Set)(T),
                          std::optional<std::int64_t> Default = {},
                          std::vector<std::pair<std::string, std::int64_t>> Idents = {}) {
    static_assert(std::is_integral_v<T> && sizeof(T) <= sizeof(std::int64_t));
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Integer;
    info.TypeName = "Integer";
    info.Min = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    info.Max = std::is_unsigned_v<T> && sizeof(T) == sizeof(std::int64_t)
                   ? std::numeric_limits<std::int64_t>::max()
                   : static_cast<std::int64_t>(std::numeric_limits<T>::max());
    info.Read = [Get](const TPersistent& c) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(c).*Get)())};
    };
    info.Write = [Set, min = info.Min, max = info.Max](TPersistent& c, const TPropValue& v) {
        const std::int64_t* i = std::get_if<std::int64_t>(&v);
        if (!i || *i < min || *i > max)
            return false;
        (static_cast<C&>(c).*Set)(static_cast<T>(*i));
        return true;
    };
    if (Default)
        info.Default = *Default;
    info.Idents = std::move(Idents);
    return info;
}

template <class C, class E>
TPropInfo EnumProperty(std::string Name, std::string TypeName, E (C::*Get)() const,
                       void (C::*Set)(E), std::vector<std::string> Names,
                       std::optional<std::type_identity_t<E>> Default = {}) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Enumeration;
    info.TypeName = std::move(TypeName);
    info.Read = [Get](const TPersistent& c) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(c).*Get)())};
    };
    const auto count = static_cast<std::int64_t>(Names.size());
    info.Write = [Set, count](TPersistent& c, const TPropValue& v) {
        const std::int64_t* i = std::get_if<std::int64_t>(&v);
        if (!i || *i < 0 || *i >= count)
            return false;
        (static_cast<C&>(c).*Set)(static_cast<E>(*i));
        return true;
    };
    info.EnumNames = std::move(Names);
    info.Min = 0;
    info.Max = count - 1;
    if (Default)
        info.Default = static_cast<std::int64_t>(*Default);
    return info;
}

// A set of up to 32 members: bit i stands for Names[i].
template <class C, class S>
TPropInfo SetProperty(std::string Name, std::string TypeName, S (C::*Get)() const,
                      void (C::*Set)(S), std::vector<std::string> Names,
                      std::type_identity_t<S> Default = {}) {
    static_assert(std::is_unsigned_v<S> && sizeof(S) <= 4);
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Set;
    info.TypeName = std::move(TypeName);
    info.Read = [Get](const TPersistent& c) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(c).*Get)())};
    };
    const std::int64_t all = (std::int64_t{1} << Names.size()) - 1;
    info.Write = [Set, all](TPersistent& c, const TPropValue& v) {
        const std::int64_t* i = std::get_if<std::int64_t>(&v);
        if (!i || (*i & ~all) != 0)
            return false;
        (static_cast<C&>(c).*Set)(static_cast<S>(*i));
        return true;
    };
    info.EnumNames = std::move(Names);
    info.Default = static_cast<std::int64_t>(Default);
    return info;
}

template <class C, class R, class A>
TPropInfo StringProperty(std::string Name, R (C::*Get)() const, void (C::*Set)(A),
                         std::optional<std::string> Default = {}) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::String;
    info.TypeName = "string";
    info.Read = [Get](const TPersistent& c) {
        return TPropValue{std::string((static_cast<const C&>(c).*Get)())};
    };
    info.Write = [Set](TPersistent& c, const TPropValue& v) {
        const std::string* s = std::get_if<std::string>(&v);
        if (s)
            (static_cast<C&>(c).*Set)(*s);
        return s != nullptr;
    };
    if (Default)
        info.Default = *Default;
    return info;
}

// A reference to another component; the default is no component. T may be a component class
// or an interface the component implements.
template <class C, class T>
TPropInfo ComponentProperty(std::string Name, std::string TypeName, T* (C::*Get)() const,
                            void (C::*Set)(T*)) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Component;
    info.TypeName = std::move(TypeName);
    info.Accepts = [](const TComponent& c) { return dynamic_cast<const T*>(&c) != nullptr; };
    info.Read = [Get](const TPersistent& c) {
        return TPropValue{dynamic_cast<TComponent*>((static_cast<const C&>(c).*Get)())};
    };
    info.Write = [Set](TPersistent& c, const TPropValue& v) {
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

// A nested object the instance owns (a control's Font), stored as "Name.Sub" entries.
template <class C, class T>
TPropInfo PersistentProperty(std::string Name, std::string TypeName, T& (C::*Get)()) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Persistent;
    info.TypeName = std::move(TypeName);
    info.Object = [Get](TPersistent& c) -> TPersistent* { return &(static_cast<C&>(c).*Get)(); };
    return info;
}

// An event held in a public std::function member of the class.
template <class C, class F> TPropInfo EventProperty(std::string Name, F C::*Field) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Event;
    info.EventType = &typeid(F);
    info.Assigned = [Field](const TPersistent& c) {
        return static_cast<bool>(static_cast<const C&>(c).*Field);
    };
    info.SetHandler = [Field](TPersistent& c, const std::any& h) {
        if (!h.has_value()) {
            static_cast<C&>(c).*Field = nullptr;
            return true;
        }
        const F* handler = std::any_cast<F>(&h);
        if (handler)
            static_cast<C&>(c).*Field = *handler;
        return handler != nullptr;
    };
    return info;
}

// An event behind a reader and a writer method.
template <class C, class F>
TPropInfo EventProperty(std::string Name, const F& (C::*Get)() const, void (C::*Set)(F)) {
    TPropInfo info;
    info.Name = std::move(Name);
    info.Kind = TPropKind::Event;
    info.EventType = &typeid(F);
    info.Assigned = [Get](const TPersistent& c) {
        return static_cast<bool>((static_cast<const C&>(c).*Get)());
    };
    info.SetHandler = [Set](TPersistent& c, const std::any& h) {
        if (!h.has_value()) {
            (static_cast<C&>(c).*Set)(nullptr);
            return true;
        }
        const F* handler = std::any_cast<F>(&h);
        if (handler)
            (static_cast<C&>(c).*Set)(*handler);
        return handler != nullptr;
    };
    return info;
}

// A handler method published for the events of a form's components, for a class's Methods
// table:  PublishedMethod<&TMyForm::TreeSelectionChange>("TreeSelectionChange")
template <class> struct TMethodTraits;
template <class C, class R, class... A> struct TMethodTraits<R (C::*)(A...)> {
    using Class = C;
    using Event = std::function<R(A...)>;
};

template <auto Method> TMethodInfo PublishedMethod(std::string Name) {
    using Traits = TMethodTraits<decltype(Method)>;
    using Event = typename Traits::Event;
    TMethodInfo info;
    info.Name = std::move(Name);
    info.Type = &typeid(Event);
    info.Bind = [](TPersistent& instance) -> std::any {
        return Event(MethodEvent(&static_cast<typename Traits::Class&>(instance), Method));
    };
    return info;
}
