// Drawing the combo's entries: icon, indentation, caption and highlight.

#include "combo/NameSpaceCombo.h"

namespace {

// Pixels of indentation per level while the list is open.
constexpr int kIndentPerLevel = 10;
// Space between the icon and the caption.
constexpr int kIconGap = 4;

} // namespace

// The combo's own: the framework's default owner drawing adds a focus rectangle around the whole
// item, which the entries draw around their captions instead.
void TNameSpaceCombo::CNDrawItem(TMessage& Message) {
    const DRAWITEMSTRUCT* dis = Message.DrawItemStruct();
    if (!dis)
        return;
    // The edit portion alone; with the selected or focus bit it is drawn as its entry.
    m_bEditDraw = dis->itemState == ODS_COMBOBOXEDIT;
    const TOwnerDrawState state = dis->itemState & 0xFF;
    const int index = static_cast<int>(dis->itemID);
    TCanvas& canvas = Canvas();
    canvas.SetHandle(dis->hDC);
    canvas.Font = Font();
    canvas.Brush = TBrush{Color(), bsSolid};
    if (index >= 0 && (state & odSelected)) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.SetColor(clHighlightText);
    }
    // An empty box, or an item string added before its entry (the fill adds the string first,
    // and the control may draw it at once): only the background.
    if (Entry(index))
        DrawItem(index, dis->rcItem, state);
    else
        canvas.FillRect(dis->rcItem);
    canvas.SetHandle(nullptr);
    Message.Result = TRUE;
}

void TNameSpaceCombo::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
    TCanvas& canvas = Canvas();
    const TItemEntry* entry = Entry(Index);
    // An entry's background is never the highlight colour: only its caption box is.
    canvas.Brush = TBrush{Color(), bsSolid};
    canvas.FillRect(Rect);
    if (!entry)
        return;
    if (State & odSelected)
        canvas.Font.SetColor(clHighlightText);

    // The closed box shows its entry without indentation.
    int x = GetDroppedState() && !m_bEditDraw ? Rect.left + entry->iLevel * kIndentPerLevel
                                              : Rect.left + 1;
    m_ilSmall->SetDrawingStyle(dsNormal);
    if (State & odSelected) {
        m_ilSmall->SetDrawingStyle(dsSelected);
        m_ilSmall->SetBlendColor(clHighlight);
        m_ilSmall->Draw(canvas, x, Rect.top, entry->iSelImageIndex);
    } else {
        m_ilSmall->Draw(canvas, x, Rect.top, entry->iImageIndex);
    }

    const int textHeight = canvas.TextHeight(entry->sCaption);
    const int y = Rect.top + (ItemHeight() - textHeight) / 2;
    x += m_ilSmall->Width() + kIconGap;
    // Windows marks the highlighted entry of the open list selected and focused; Wine marks it
    // selected only. Either way its caption is written in the highlight-text colour, so it gets
    // the highlight box to be readable on; the focus rectangle stays with the focus.
    const RECT box{x, y, x + canvas.TextWidth(entry->sCaption), y + textHeight};
    if (State & (odSelected | odFocused)) {
        canvas.Brush = TBrush{clHighlight, bsSolid};
        canvas.FillRect(box);
    }
    canvas.TextOut(x, y, entry->sCaption);
    // After the caption, whose opaque background covers exactly the box and would erase it.
    if (State & odFocused)
        canvas.DrawFocusRect(box);
}
