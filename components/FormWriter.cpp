// Writing a root component and what it owns into a form document.

#include "components/Component.h"
#include "components/Filer.h"
#include "components/FormStreaming.h"

namespace {

struct TWriteFault {
    std::string Expected;
    std::string Name;
};

class TFormComposer {
public:
    explicit TFormComposer(TComponent& Root) : m_Root(Root) {}

    void WriteObject(TComponent& Component, TFormObject& Out) {
        Out.ClassName = std::string(Component.ClassName());
        Out.Name = Component.Name();
        WriteProperties(Component, "", Out.Properties);
        for (int i = 0; i < m_Root.ComponentCount(); ++i) {
            TComponent* child = m_Root.Components(i);
            if (NestedIn(*child) != &Component)
                continue;
            Out.Children.emplace_back();
            WriteObject(*child, Out.Children.back());
        }
    }

private:
    // The component a component's object goes in: its parent when the form holds that too.
    TComponent* NestedIn(TComponent& Component) const {
        TComponent* parent = Component.GetParentComponent();
        return parent && parent != &m_Root && parent->Owner() == &m_Root ? parent : &m_Root;
    }

    void WriteProperties(TPersistent& Object, const std::string& Prefix,
                         std::vector<TFormProperty>& Out) {
        for (const TPropInfo* info : Object.ClassInfo().PublishedProperties()) {
            if (!info->Stored)
                continue;
            const std::string name = Prefix + info->Name;
            switch (info->Kind) {
            case TPropKind::Persistent:
                if (TPersistent* nested = info->Object(Object))
                    WriteProperties(*nested, name + ".", Out);
                continue;
            case TPropKind::Event: {
                const std::string& handler = Object.HandlerName(*info);
                if (info->Assigned(Object) && !handler.empty())
                    Out.push_back({name, TFormValue::MakeIdent(handler), {}});
                continue;
            }
            default:
                if (!info->HoldsDefault(Object))
                    Out.push_back({name, Stored(*info, info->Read(Object), name), {}});
            }
        }
        TWriter writer(&m_Root, Prefix, Out);
        Object.DefineProperties(writer);
        if (!writer.Ok())
            throw TWriteFault{"an entry whose data is one whole value", writer.FailedEntry()};
    }

    TFormValue Stored(const TPropInfo& Info, const TPropValue& Value, const std::string& Name) {
        const std::int64_t* n = std::get_if<std::int64_t>(&Value);
        switch (Info.Kind) {
        case TPropKind::Integer:
            if (!n)
                break;
            if (const std::string* ident = Info.IdentName(*n))
                return TFormValue::MakeIdent(*ident);
            return TFormValue::MakeInteger(*n);
        case TPropKind::Boolean:
            if (const bool* b = std::get_if<bool>(&Value))
                return TFormValue::MakeBoolean(*b);
            break;
        case TPropKind::Enumeration:
            if (n && *n >= 0 && *n < static_cast<std::int64_t>(Info.EnumNames.size()))
                return TFormValue::MakeIdent(Info.EnumNames[static_cast<std::size_t>(*n)]);
            throw TWriteFault{"a value of the enumeration", Name};
        case TPropKind::String:
            if (const std::string* s = std::get_if<std::string>(&Value))
                return TFormValue::MakeString(*s);
            break;
        case TPropKind::Set: {
            if (!n)
                break;
            std::vector<std::string> members;
            for (std::size_t i = 0; i < Info.EnumNames.size(); ++i)
                if (*n & (std::int64_t{1} << i))
                    members.push_back(Info.EnumNames[i]);
            if (*n >> Info.EnumNames.size())
                throw TWriteFault{"members of the set only", Name};
            return TFormValue::MakeSet(std::move(members));
        }
        case TPropKind::Component: {
            TComponent* const* ref = std::get_if<TComponent*>(&Value);
            if (!ref)
                break;
            if (!*ref)
                return TFormValue::MakeNil();
            if ((*ref == &m_Root || (*ref)->Owner() == &m_Root) && !(*ref)->Name().empty())
                return TFormValue::MakeIdent((*ref)->Name());
            throw TWriteFault{"a reference to a named component of the form", Name};
        }
        case TPropKind::Persistent:
        case TPropKind::Event:
            break;
        }
        throw TWriteFault{"a value of the property's kind", Name};
    }

    TComponent& m_Root;
};

} // namespace

bool WriteComponent(TComponent& Root, TFormObject& Form, TFormError& Error) {
    TFormObject out;
    try {
        TFormComposer(Root).WriteObject(Root, out);
    } catch (const TWriteFault& fault) {
        Error = TFormError{0, 0, fault.Expected, fault.Name};
        return false;
    }
    Form = std::move(out);
    return true;
}
