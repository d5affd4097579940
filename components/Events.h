#pragma once

#include <functional>
#include <utility>

class TObject;

// Events are public callback members of the controls (for instance `OnChange`), empty until a
// user fills them. The framework raises an event only when it is assigned.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Binds a method of an object to an event, the usual way a component fills the events of the
// control it extends:  OnExpanding = MethodEvent(this, &TMyTree::Expanding);
template <class C, class R, class... A>
std::function<R(A...)> MethodEvent(C* Object, R (C::*Method)(A...)) {
    return [Object, Method](A... args) -> R { return (Object->*Method)(std::forward<A>(args)...); };
}
