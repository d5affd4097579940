#include "controls/Designer.h"

#include "controls/Form.h"

// The owner chain, not the parent chain: a host may show the designed form inside a window of
// its own, while every placed component is owned by the form.
IDesigner* FindDesigner(const TComponent* Component) {
    for (const TComponent* c = Component; c; c = c->Owner())
        if (const auto* form = dynamic_cast<const TForm*>(c); form && form->Designer())
            return form->Designer();
    return nullptr;
}
