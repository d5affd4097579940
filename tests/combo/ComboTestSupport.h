#pragma once

// What the combo tests share: a fake namespace with two drives and a chain to build, and a combo
// over it placed in the host window.

#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/SampleNamespace.h"
#include "support/ViewDoubles.h"

#include "combo/NameSpaceCombo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// One line per entry: the caption and the level, "Desktop/1".
std::vector<std::string> EntryLines(const TNameSpaceCombo& Combo);
// The height of a line of text in Font, as the platform measures it.
int FontTextHeight(const TFont& Font);

class FakeComboTest : public testing::Test {
protected:
    void Make(std::vector<FakeItem> Items = ViewsNamespace());
    void TearDown() override;
    // The entry with that caption, or -1.
    int IndexOf(const std::string& Caption) const;
    std::string SelectedCaption() const;

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TFakeViewServices> services;
    std::unique_ptr<TNameSpaceCombo> combo;
    // The small icons the combo is made with (the test keeps it).
    HIMAGELIST images = nullptr;
};
