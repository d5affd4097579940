#pragma once

#include "components/ClassInfo.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TFiler;

// The root of every object that events name as their Sender.
class TObject {
public:
    virtual ~TObject() = default;
};

// An object that form files can store: its published properties come from its class table, and
// DefineProperties adds data of its own shape (a column set's list of values). Components are
// persistents; so are the nested values they publish (a control's Font).
class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    std::string_view ClassName() const { return ClassInfo().ClassName; }

    // Tells the filer about stored data that is not a published property, through
    // Filer.DefineProperty. Overrides call the inherited one first.
    virtual void DefineProperties(TFiler& Filer);

    // The name of the published method an event property was bound to by a form file, which
    // writing the form stores again; empty for a handler assigned in code.
    const std::string& HandlerName(const TPropInfo& Event) const;
    void SetHandlerName(const TPropInfo& Event, std::string Name);

private:
    std::vector<std::pair<const TPropInfo*, std::string>> m_HandlerNames;
};
