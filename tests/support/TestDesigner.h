#pragma once

// A form designer as a host would be one, counting what it is told.

#include "controls/Designer.h"

#include <vector>

class TTestDesigner : public IDesigner {
public:
    explicit TTestDesigner(TForm* AForm = nullptr) : m_Form(AForm) {}

    void Modified() override { ++ModifiedCount; }
    TForm* Form() const override { return m_Form; }
    void DesignInput(TWinControl& Control, const TMessage& Message) override {
        Inputs.push_back({&Control, Message.Msg});
    }

    struct TInput {
        TWinControl* Control;
        UINT Msg;
    };
    int ModifiedCount = 0;
    std::vector<TInput> Inputs;

private:
    TForm* m_Form;
};
