#pragma once

#include "components/ClassInfo.h"
#include "components/Persistent.h"

#include <string>
#include <string_view>
#include <vector>

enum TOperation { opInsert, opRemove };

// ComponentState flags.
enum TComponentStateFlag : unsigned {
    csLoading = 1,    // being read from a form file; Loaded ends it
    csDesigning = 2,  // placed on a form in the form designer
    csDestroying = 4, // its destructor runs
};
using TComponentState = unsigned;

// A component with an owner. The owner destroys the components it owns (which must therefore
// be made with new); every component owned by the same owner, and every component that asked
// through FreeNotification, hears of a component's removal through Notification(opRemove).
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TComponent* Owner() const { return m_Owner; }
    int ComponentCount() const { return static_cast<int>(m_Components.size()); }
    TComponent* Components(int Index) const {
        return Index >= 0 && Index < ComponentCount() ? m_Components[Index] : nullptr;
    }
    // The owned component of that name (names compare without regard to ASCII case), or
    // nullptr.
    TComponent* FindComponent(std::string_view AName) const;

    const std::string& Name() const { return m_sName; }
    void SetName(const std::string& Value) { m_sName = Value; }

    TComponentState ComponentState() const { return m_State; }
    bool InState(TComponentStateFlag Flag) const { return (m_State & Flag) != 0; }
    // Marks this component and those it owns as placed in the form designer (or not).
    void SetDesigning(bool Value);
    // Marks this component and those it owns as being read; Loaded ends it for each of them.
    void BeginLoading();
    // Called once every property of the component has been read from a form file (and every
    // reference to another component resolved); clears csLoading.
    virtual void Loaded();

    // Asks that AComponent be told (Notification with opRemove) when this component goes away,
    // and the other way round, so neither keeps a reference to a destroyed component.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // The component a form file nests this one in (a control's parent, a menu item's menu), or
    // nullptr; the form reader sets it before any property.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}

    // Told when a component owned by the same owner is inserted or removed, and when a component
    // this one asked to hear of is destroyed. Overrides call the inherited one first.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    // Points a reference Field at Value: told of Value's removal from now on, no longer of the
    // component it named before.
    template <class T> void ReferTo(T*& Field, T* Value) {
        if (Field)
            Field->RemoveFreeNotification(this);
        Field = Value;
        if (Value)
            Value->FreeNotification(this);
    }

    // Destroys every owned component now. The destructor of a class whose owned components
    // refer to its own state calls this first.
    void DestroyComponents();

private:
    friend class TFormBinder;
    // The reader's next component made with this owner is marked csLoading from the start of its
    // construction, so its constructor already knows it is being read.
    static void ExpectLoadingChild(TComponent* Owner);
    // Destroys a component the reader made, when the read fails.
    void DestroyMade();

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    TComponent* m_Owner = nullptr;
    std::vector<TComponent*> m_Components;
    std::vector<TComponent*> m_FreeNotifies;
    std::string m_sName;
    TComponentState m_State = 0;
};
