#pragma once

#include "components/Messages.h"

class TComponent;
class TForm;
class TWinControl;

// What the form designer (the host that places components on a form and inspects them) offers
// the framework and the property editors. The host implements it and hands it to the form it
// designs (TForm::SetDesigner).
class IDesigner {
public:
    // The designed form changed: it is marked so, and its form file is to be written again.
    virtual void Modified() = 0;
    // The form being designed: its components are the ones a reference may name.
    virtual TForm* Form() const = 0;
    // Mouse or key input that reached a designing control (or the form itself). The control
    // never handles it: on a designed form a click selects, it does not act.
    virtual void DesignInput(TWinControl& Control, const TMessage& Message) = 0;

protected:
    ~IDesigner() = default;
};

// The designer of the form that owns Component (or of Component when it is that form), or
// nullptr when no form up its owner chain is being designed.
IDesigner* FindDesigner(const TComponent* Component);
