#include "components/Component.h"

#include "components/FormDocument.h"

#include <algorithm>

namespace {

TComponent*& LoadingOwner() {
    static TComponent* owner = nullptr;
    return owner;
}

void Erase(std::vector<TComponent*>& list, TComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// A form file keeps a component's name in its object header, not among its properties. Written
// through the property table (the designer's inspector), the name must be one a form file can
// hold and that no other component of the same owner has: references are resolved by name, and
// a form with a name twice or a name that is no identifier does not read back.
TPropInfo NameProperty() {
    TPropInfo info = StringProperty("Name", &TComponent::Name, &TComponent::SetName);
    info.Stored = false;
    info.Write = [](TPersistent& p, const TPropValue& v) {
        auto& component = static_cast<TComponent&>(p);
        const std::string* name = std::get_if<std::string>(&v);
        if (!name || !IsFormIdent(*name))
            return false;
        // The reader's rule: no other component of the form, nor the form itself, has it.
        const TComponent* owner = component.Owner();
        const TComponent* other = owner ? owner->FindComponent(*name) : nullptr;
        if ((other && other != &component) || (owner && SameFormName(*name, owner->Name())))
            return false;
        component.SetName(*name);
        return true;
    };
    return info;
}

} // namespace

void TComponent::ExpectLoadingChild(TComponent* Owner) {
    LoadingOwner() = Owner;
}

void TComponent::DestroyMade() {
    delete this;
}

const TClassInfo& TComponent::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TComponent",
        .Parent = &TPersistent::StaticClassInfo(),
        .Create = nullptr,
        .Properties = {NameProperty()},
        .Messages = {},
    };
    return info;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner && AOwner == LoadingOwner()) {
        m_State |= csLoading;
        LoadingOwner() = nullptr;
    }
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    m_State |= csDestroying;
    // Everyone who asked hears of the removal while this object is still whole enough to be
    // compared against.
    while (!m_FreeNotifies.empty()) {
        TComponent* other = m_FreeNotifies.back();
        m_FreeNotifies.pop_back();
        Erase(other->m_FreeNotifies, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (m_Owner)
        m_Owner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
    if (AName.empty())
        return nullptr;
    for (TComponent* c : m_Components)
        if (SameFormName(c->m_sName, AName))
            return c;
    return nullptr;
}

void TComponent::SetDesigning(bool Value) {
    m_State = Value ? (m_State | csDesigning) : (m_State & ~csDesigning);
    for (TComponent* c : m_Components)
        c->SetDesigning(Value);
}

void TComponent::BeginLoading() {
    m_State |= csLoading;
    for (TComponent* c : m_Components)
        c->BeginLoading();
}

void TComponent::Loaded() {
    m_State &= ~csLoading;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    if (std::find(m_FreeNotifies.begin(), m_FreeNotifies.end(), AComponent) == m_FreeNotifies.end())
        m_FreeNotifies.push_back(AComponent);
    auto& theirs = AComponent->m_FreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    Erase(m_FreeNotifies, AComponent);
    Erase(AComponent->m_FreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Every owned component hears of what happens to its siblings. Walk by index from the end:
    // a handler may destroy components.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount())
            continue;
        TComponent* c = m_Components[i];
        if (c != AComponent)
            c->Notification(AComponent, Operation);
    }
}

void TComponent::DestroyComponents() {
    while (!m_Components.empty())
        delete m_Components.back(); // its destructor removes it from the list
}

void TComponent::InsertComponent(TComponent* AComponent) {
    AComponent->m_Owner = this;
    if (InState(csDesigning))
        AComponent->m_State |= csDesigning;
    m_Components.push_back(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    Erase(m_Components, AComponent);
    AComponent->m_Owner = nullptr;
    Notification(AComponent, opRemove);
}
