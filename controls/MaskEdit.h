#pragma once

#include "controls/Edit.h"

// A text box that takes only what its edit mask allows. The one mask it knows is "999;1;_":
// three optional digit positions, each shown as "_" while blank. Typing a digit overwrites the
// position at the caret and moves on; anything else, and anything past the last position, is
// refused with a beep, as is a paste that holds other than digits or does not fit from the caret.
// Backspace and Delete blank positions without moving the others. Text reads the positions with
// blanks as spaces ("12_" reads "12 "); a number set as Text shows from the first position.
class TMaskEdit : public TEdit {
public:
    explicit TMaskEdit(TComponent* AOwner);
    ~TMaskEdit() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& EditMask() const { return m_sEditMask; }
    // False, and the mask unchanged, for a mask other than "999;1;_" or none ("").
    bool TrySetEditMask(const std::string& Value);
    void SetEditMask(const std::string& Value) { TrySetEditMask(Value); }
    bool Masked() const { return !m_sEditMask.empty(); }

    std::string Text() const override;
    // While masked, only up to three digits, spaces or blanks are taken; anything else leaves
    // the text as it was.
    void SetText(const std::string& Value) override;
    // While masked the length is the mask's.
    void SetMaxLength(int Value) override;

protected:
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMClear(TMessage& Message);
    void WMUndo(TMessage& Message);

private:
    // The positions as shown, blanks as the blank character.
    std::wstring Positions() const;
    // Shows Positions with the caret at Caret.
    void ShowPositions(const std::wstring& Positions, int Caret);
    // Blanks the selection, or the one position at Position when nothing is selected; the caret
    // goes to Caret (or the selection's start).
    void BlankSelectionOr(int Position, int Caret);

    std::string m_sEditMask;
};
