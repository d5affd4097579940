#include "ComboTestSupport.h"

std::vector<std::string> EntryLines(const TNameSpaceCombo& Combo) {
    std::vector<std::string> lines;
    for (int i = 0; i < Combo.EntryCount(); ++i)
        lines.push_back(Combo.Entry(i)->sCaption + "/" + std::to_string(Combo.Entry(i)->iLevel));
    return lines;
}

int FontTextHeight(const TFont& Font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

void FakeComboTest::Make(std::vector<FakeItem> Items) {
    shell = std::make_unique<FakeShell>(std::move(Items), &malloc);
    services = std::make_unique<TFakeViewServices>(*shell);
    services->SmallImageList = images;
    combo = std::make_unique<TNameSpaceCombo>(nullptr, services.get());
    combo->SetBounds(10, 10, 260, 24);
    combo->SetParentWindow(host.Handle());
    ASSERT_TRUE(combo->HandleAllocated());
}

void FakeComboTest::TearDown() {
    combo.reset();
    EXPECT_EQ(malloc.LiveBlocks(), 0) << "every list of every entry is freed";
    if (shell) {
        EXPECT_EQ(shell->LiveObjects(), 0) << "every folder and enumerator is released";
    }
}

int FakeComboTest::IndexOf(const std::string& Caption) const {
    for (int i = 0; i < combo->EntryCount(); ++i)
        if (combo->Entry(i)->sCaption == Caption)
            return i;
    return -1;
}

std::string FakeComboTest::SelectedCaption() const {
    const TItemEntry* entry = combo->Entry(combo->ItemIndex());
    return entry ? entry->sCaption : "(none)";
}
