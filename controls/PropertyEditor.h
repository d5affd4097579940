#pragma once

#include "components/ClassInfo.h"

#include <memory>
#include <string>
#include <vector>

class IDesigner;
class TPersistent;

// How the property inspector may present and change a property.
enum TPropertyAttribute : unsigned {
    paValueList = 1,     // the value is one of GetValues (a drop-down list)
    paSubProperties = 2, // a nested object: its own properties are listed below it (GetProperties)
    paDialog = 4,        // Edit opens a dialog: the inspector shows an ellipsis button
    paMultiSelect = 8,   // shown also while several components are selected
    paReadOnly = 16,     // the value cannot be typed in
};
using TPropertyAttributes = unsigned;

// Presents one published property of the selected components in the property inspector and
// changes it. The first selected component is GetComponent(0); its value is the one shown, and a
// value set goes to every selected component. A change that took tells the designer
// (Modified), which marks the form as changed.
//
// This base class reads and writes the value by the property's kind through its class table;
// the editors for particular kinds and the registered ones override what they need.
class TPropertyEditor {
public:
    // Designer: the host's (nullptr outside a designer); Components: the selected ones, at
    // least one, each publishing Prop.
    TPropertyEditor(IDesigner* Designer, std::vector<TPersistent*> Components,
                    const TPropInfo& Prop);
    TPropertyEditor(const TPropertyEditor&) = delete;
    TPropertyEditor& operator=(const TPropertyEditor&) = delete;

    // The four slots every editor has, in this order; the destructor and the value-list and
    // nested-object slots follow them.
    // The ellipsis button or a double click: the base steps a value list on to its next value.
    virtual void Edit();
    virtual TPropertyAttributes GetAttributes();
    // The text the inspector shows for the value.
    virtual std::string GetValue();
    // Takes a value typed or picked in the inspector; false when it is no value of the property
    // (nothing changes then).
    virtual bool SetValue(const std::string& Value);
    virtual ~TPropertyEditor() = default;
    // The values of a value list, in the order offered.
    virtual std::vector<std::string> GetValues();
    // A nested object's own properties, each with its editor.
    virtual std::vector<std::unique_ptr<TPropertyEditor>> GetProperties();

    TPersistent* GetComponent(int Index) const;
    int PropCount() const { return static_cast<int>(m_Components.size()); }
    const TPropInfo& GetPropInfo() const { return m_Prop; }
    const std::string& GetName() const { return m_Prop.Name; }
    IDesigner* Designer() const { return m_Designer; }
    // Tells the designer that the selected components changed.
    void Modified();

protected:
    // Writes Value to every selected component; true when each took it (the designer is told
    // when any did).
    bool WriteValue(const TPropValue& Value);
    TPropValue ReadValue() const;
    // A component's own entry for the property (of the same name, kind and type); nullptr when
    // it has none.
    const TPropInfo* PropOf(const TPersistent& Component) const;

private:
    IDesigner* m_Designer;
    std::vector<TPersistent*> m_Components;
    const TPropInfo& m_Prop;
};

using TPropertyEditorFactory = std::unique_ptr<TPropertyEditor> (*)(
    IDesigner* Designer, std::vector<TPersistent*> Components, const TPropInfo& Prop);

// The factory of an editor class, for RegisterPropertyEditor.
template <class E>
std::unique_ptr<TPropertyEditor> NewPropertyEditor(IDesigner* Designer,
                                                   std::vector<TPersistent*> Components,
                                                   const TPropInfo& Prop) {
    return std::make_unique<E>(Designer, std::move(Components), Prop);
}
