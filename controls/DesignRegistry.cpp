#include "controls/DesignRegistry.h"

#include "components/FormDocument.h"
#include "components/Persistent.h"
#include "controls/DefaultPropertyEditors.h"

#include <algorithm>

namespace {

std::vector<TPalettePage>& Pages() {
    static std::vector<TPalettePage> pages;
    return pages;
}

struct TEditorEntry {
    std::string PropertyType;
    const TClassInfo* ComponentClass;
    std::string PropertyName;
    TPropertyEditorFactory Factory;
};

std::vector<TEditorEntry>& Editors() {
    static std::vector<TEditorEntry> editors;
    return editors;
}

bool OnPalette(const TClassInfo* Info) {
    return std::any_of(Pages().begin(), Pages().end(), [&](const TPalettePage& page) {
        return std::find(page.Classes.begin(), page.Classes.end(), Info) != page.Classes.end();
    });
}

bool Matches(const TEditorEntry& Entry, const std::vector<TPersistent*>& Components,
             const TPropInfo& Prop) {
    if (Entry.PropertyType != Prop.TypeName)
        return false;
    if (!Entry.PropertyName.empty() && !SameFormName(Entry.PropertyName, Prop.Name))
        return false;
    return !Entry.ComponentClass ||
           std::all_of(Components.begin(), Components.end(), [&](const TPersistent* c) {
               return c->ClassInfo().InheritsFrom(*Entry.ComponentClass);
           });
}

// Whether Candidate is a closer match than Best.
bool MoreSpecific(const TEditorEntry& Candidate, const TEditorEntry& Best) {
    const TClassInfo* mine = Candidate.ComponentClass;
    const TClassInfo* theirs = Best.ComponentClass;
    if (mine && theirs && mine != theirs)
        return mine->InheritsFrom(*theirs);
    if (mine != theirs)
        return mine != nullptr;
    return !Candidate.PropertyName.empty() && Best.PropertyName.empty();
}

std::unique_ptr<TPropertyEditor>
DefaultEditor(IDesigner* Designer, std::vector<TPersistent*> Components, const TPropInfo& Prop) {
    switch (Prop.Kind) {
    case TPropKind::Boolean:
    case TPropKind::Enumeration:
        return std::make_unique<TEnumProperty>(Designer, std::move(Components), Prop);
    case TPropKind::Integer:
        return std::make_unique<TIntegerProperty>(Designer, std::move(Components), Prop);
    case TPropKind::String:
        return std::make_unique<TStringProperty>(Designer, std::move(Components), Prop);
    case TPropKind::Set:
        return std::make_unique<TSetProperty>(Designer, std::move(Components), Prop);
    case TPropKind::Component:
        return std::make_unique<TComponentProperty>(Designer, std::move(Components), Prop);
    case TPropKind::Persistent:
        return std::make_unique<TClassProperty>(Designer, std::move(Components), Prop);
    case TPropKind::Event:
        break;
    }
    return nullptr;
}

} // namespace

void RegisterComponents(std::string_view Page, std::initializer_list<const TClassInfo*> Classes) {
    auto& pages = Pages();
    auto page = std::find_if(pages.begin(), pages.end(),
                             [&](const TPalettePage& p) { return p.Name == Page; });
    for (const TClassInfo* info : Classes) {
        if (!info || OnPalette(info))
            continue;
        RegisterComponentClass(*info);
        if (page == pages.end()) {
            pages.push_back({std::string(Page), {}});
            page = pages.end() - 1;
        }
        page->Classes.push_back(info);
    }
}

const std::vector<TPalettePage>& PalettePages() {
    return Pages();
}

void RegisterPropertyEditor(std::string_view PropertyType, const TClassInfo* ComponentClass,
                            std::string_view PropertyName, TPropertyEditorFactory Factory) {
    if (!Factory)
        return;
    for (TEditorEntry& entry : Editors())
        if (entry.PropertyType == PropertyType && entry.ComponentClass == ComponentClass &&
            SameFormName(entry.PropertyName, PropertyName)) {
            entry.Factory = Factory;
            return;
        }
    Editors().push_back(
        {std::string(PropertyType), ComponentClass, std::string(PropertyName), Factory});
}

std::unique_ptr<TPropertyEditor> GetPropertyEditor(IDesigner* Designer,
                                                   std::vector<TPersistent*> Components,
                                                   const TPropInfo& Prop) {
    if (Components.empty() || Prop.Kind == TPropKind::Event)
        return nullptr;
    const TEditorEntry* best = nullptr;
    const auto& editors = Editors();
    for (auto it = editors.rbegin(); it != editors.rend(); ++it)
        if (Matches(*it, Components, Prop) && (!best || MoreSpecific(*it, *best)))
            best = &*it;
    if (best)
        return best->Factory(Designer, std::move(Components), Prop);
    return DefaultEditor(Designer, std::move(Components), Prop);
}
