// Reading a form document into a root component and the components it makes.

#include "components/Component.h"
#include "components/Filer.h"
#include "components/FormStreaming.h"

#include <algorithm>
#include <exception>
#include <new>

namespace {

std::string Joined(const std::vector<std::string>& Names) {
    std::string text;
    for (const std::string& name : Names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

class TFormBinder {
public:
    explicit TFormBinder(TComponent& Root) : m_Root(Root) {}

    bool Read(const TFormObject& Form, TFormError& Error) {
        bool ok = false;
        try {
            if (!SameFormName(Form.ClassName, m_Root.ClassName()))
                Fail(Form.Position, "an object of class " + std::string(m_Root.ClassName()),
                     Form.ClassName);
            m_Root.m_State |= csLoading;
            if (!Form.Name.empty())
                m_Root.SetName(Form.Name);
            ReadBody(m_Root, Form);
            ResolveReferences();
            ok = true;
        } catch (const EReadError& e) {
            Error = e.Error;
        } catch (const std::bad_alloc&) {
            Error = TFormError::At(Form.Position, "a form that fits in memory", Form.Name);
        } catch (const std::exception& e) {
            Error = TFormError::At(Form.Position, std::string("no failure (") + e.what() + ")",
                                   Form.Name);
        }
        if (!ok) {
            // What this read made goes again, latest first, without Loaded; the root was there
            // before and settles with what it got.
            while (!m_Made.empty()) {
                m_Made.back()->DestroyMade();
                m_Made.pop_back();
            }
            TComponent::ExpectLoadingChild(nullptr);
            m_Root.Loaded();
            return false;
        }
        m_Root.Loaded();
        for (TComponent* component : m_Made)
            component->Loaded();
        return true;
    }

private:
    struct TReference {
        TPersistent* Instance = nullptr;
        const TPropInfo* Prop = nullptr;
        std::string Target;
        std::string Property;
        TFormPosition Where;
    };

    [[noreturn]] static void Fail(const TFormPosition& Where, std::string Expected,
                                  std::string Name) {
        throw EReadError{TFormError::At(Where, std::move(Expected), std::move(Name))};
    }

    void ReadBody(TComponent& Component, const TFormObject& Object) {
        for (const TFormProperty& prop : Object.Properties)
            ApplyProperty(Component, prop.Name, prop);
        for (const TFormObject& child : Object.Children)
            ReadChild(Component, child);
    }

    void ReadChild(TComponent& Parent, const TFormObject& Object) {
        const TClassInfo* info = FindComponentClass(Object.ClassName);
        if (!info || !info->Create)
            Fail(Object.Position, "a registered component class", Object.ClassName);
        if (!Object.Name.empty() &&
            (m_Root.FindComponent(Object.Name) || SameFormName(Object.Name, m_Root.Name())))
            Fail(Object.Position, "a component name not used yet in the form", Object.Name);
        TComponent::ExpectLoadingChild(&m_Root);
        TComponent* component = info->Create(&m_Root);
        TComponent::ExpectLoadingChild(nullptr);
        m_Made.push_back(component);
        component->m_State |= csLoading;
        component->SetName(Object.Name);
        component->SetParentComponent(&Parent);
        ReadBody(*component, Object);
    }

    // Path: what is left of the property's name below Target.
    void ApplyProperty(TPersistent& Target, std::string_view Path, const TFormProperty& Prop) {
        const std::size_t dot = Path.find('.');
        const std::string_view head = Path.substr(0, dot);
        const TPropInfo* info = Target.ClassInfo().FindProperty(head);
        if (info && !info->Stored)
            info = nullptr;
        const std::string unknown =
            "a published property of " + std::string(Target.ClassInfo().ClassName);
        if (dot != std::string_view::npos) {
            if (!info)
                Fail(Prop.Position, unknown, Prop.Name);
            if (info->Kind != TPropKind::Persistent)
                Fail(Prop.Position, info->Name + " to have sub-properties", Prop.Name);
            TPersistent* nested = info->Object(Target);
            if (!nested)
                Fail(Prop.Position, info->Name + " to hold an object", Prop.Name);
            ApplyProperty(*nested, Path.substr(dot + 1), Prop);
            return;
        }
        if (info) {
            SetValue(Target, *info, Prop);
            return;
        }
        TReader reader(&m_Root, head, Prop.Value, Prop.Name);
        Target.DefineProperties(reader);
        if (!reader.Found())
            Fail(Prop.Position, unknown, Prop.Name);
    }

    void SetValue(TPersistent& Target, const TPropInfo& Info, const TFormProperty& Prop) {
        const TFormValue& v = Prop.Value;
        const auto fail = [&](std::string Expected) { Fail(v.Position, Expected, Prop.Name); };
        TPropValue value;
        switch (Info.Kind) {
        case TPropKind::Integer: {
            std::int64_t n = 0;
            if (v.Kind == TFormValueKind::Integer) {
                n = v.Integer;
            } else if (v.Kind == TFormValueKind::Ident && !Info.Idents.empty()) {
                const std::int64_t* named = Info.IdentValue(v.Text);
                if (!named)
                    fail("an integer or a known name (" + v.Text + " is none)");
                n = *named;
            } else {
                fail("an integer");
            }
            if (n < Info.Min || n > Info.Max)
                fail("an integer from " + std::to_string(Info.Min) + " to " +
                     std::to_string(Info.Max));
            value = n;
            break;
        }
        case TPropKind::Boolean:
            if (v.Kind != TFormValueKind::Boolean)
                fail("True or False");
            value = v.Boolean;
            break;
        case TPropKind::Enumeration: {
            const int index = v.Kind == TFormValueKind::Ident ? Info.EnumIndex(v.Text) : -1;
            if (index < 0)
                fail("one of " + Joined(Info.EnumNames));
            value = std::int64_t{index};
            break;
        }
        case TPropKind::String:
            if (v.Kind != TFormValueKind::String)
                fail("a string");
            value = StoredFormText(v.Text);
            break;
        case TPropKind::Set: {
            if (v.Kind != TFormValueKind::Set)
                fail("a set of " + Joined(Info.EnumNames));
            std::int64_t bits = 0;
            for (const std::string& member : v.Names) {
                const int i = Info.EnumIndex(member);
                if (i < 0)
                    fail("a set of " + Joined(Info.EnumNames) + " (" + member + " is none)");
                bits |= std::int64_t{1} << i;
            }
            value = bits;
            break;
        }
        case TPropKind::Component:
            if (v.Kind == TFormValueKind::Ident) {
                m_References.push_back({&Target, &Info, v.Text, Prop.Name, v.Position});
                return;
            }
            if (v.Kind != TFormValueKind::Nil)
                fail("a component name or nil");
            value = static_cast<TComponent*>(nullptr);
            break;
        case TPropKind::Event: {
            if (v.Kind == TFormValueKind::Nil) {
                Info.SetHandler(Target, std::any());
                Target.SetHandlerName(Info, "");
                return;
            }
            if (v.Kind != TFormValueKind::Ident)
                fail("a handler name or nil");
            const TMethodInfo* method = m_Root.ClassInfo().FindMethod(v.Text);
            if (!method)
                fail("a handler published by " + std::string(m_Root.ClassName()) + " (" + v.Text +
                     " is none)");
            if (method->Type != Info.EventType || !Info.SetHandler(Target, method->Bind(m_Root)))
                fail("a handler of the event's kind (" + v.Text + " is not)");
            Target.SetHandlerName(Info, method->Name);
            return;
        }
        case TPropKind::Persistent:
            fail("sub-properties (" + Info.Name + ".Name = ...), not a value");
        }
        if (!Info.Write(Target, value))
            fail("a value " + Info.Name + " takes");
    }

    void ResolveReferences() {
        for (const TReference& ref : m_References) {
            TComponent* target = SameFormName(ref.Target, m_Root.Name())
                                     ? &m_Root
                                     : m_Root.FindComponent(ref.Target);
            if (!target)
                Fail(ref.Where, "a component of the form named " + ref.Target, ref.Property);
            if (!ref.Prop->Write(*ref.Instance, TPropValue{target}))
                Fail(ref.Where,
                     "a component of the kind " + ref.Prop->Name + " takes (" + ref.Target +
                         " is " + std::string(target->ClassName()) + ")",
                     ref.Property);
        }
    }

    TComponent& m_Root;
    std::vector<TComponent*> m_Made;
    std::vector<TReference> m_References;
};

bool ReadComponent(TComponent& Root, const TFormObject& Form, TFormError& Error) {
    return TFormBinder(Root).Read(Form, Error);
}
