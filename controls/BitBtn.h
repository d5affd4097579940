#pragma once

#include "controls/Button.h"

#include "identifiers/Holders.h"

// The standard buttons a bitmap button can be: each brings its caption, its glyph and what it
// does (bkOK is the Default button ending the form with mrOk; bkCancel the Cancel button ending
// it with mrCancel). Stored as bkCustom, bkOK, bkCancel.
enum TBitBtnKind { bkCustom, bkOK, bkCancel };

// A push button with a glyph beside its caption.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TBitBtnKind Kind() const { return m_Kind; }
    // Takes the kind's Default, Cancel and ModalResult, and its caption unless one was read from
    // the form file already.
    void SetKind(TBitBtnKind Value);

protected:
    void CreateWnd() override;

private:
    void ApplyGlyph();

    TBitBtnKind m_Kind = bkCustom;
    OwnedIcon m_hGlyph;
};
