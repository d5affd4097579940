#include "components/Component.h"
#include "controls/ListView.h"
#include "controls/TreeView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the removal notices it hears and whether it was destroyed.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, std::vector<std::string>* Log = nullptr, bool* Destroyed = nullptr)
        : TComponent(AOwner), m_Log(Log), m_Destroyed(Destroyed) {}
    ~TProbe() override {
        if (m_Destroyed)
            *m_Destroyed = true;
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && m_Log)
            m_Log->push_back(Name() + " heard " + AComponent->Name() + " go");
        if (Operation == opRemove && AComponent == Partner)
            Partner = nullptr;
    }
    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCalls;
    }
    TComponent* Partner = nullptr;
    int LoadedCalls = 0;

private:
    std::vector<std::string>* m_Log;
    bool* m_Destroyed;
};

TEST(ComponentTest, OwnerDestroysWhatItOwnsAndSiblingsHearOfRemovals) {
    std::vector<std::string> log;
    bool childDestroyed = false;
    auto* owner = new TProbe(nullptr, &log);
    owner->SetName("Form");
    auto* a = new TProbe(owner, &log, &childDestroyed);
    a->SetName("A");
    auto* b = new TProbe(owner, &log);
    b->SetName("B");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("a"), a);
    EXPECT_EQ(a->Owner(), owner);

    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    // The owner passes the notice on to what it owns, then acts itself.
    EXPECT_EQ(log, (std::vector<std::string>{"B heard A go", "Form heard A go"}));

    delete owner;
    EXPECT_TRUE(childDestroyed);
}

TEST(ComponentTest, FreeNotificationTellsAnUnrelatedComponentEitherWay) {
    std::vector<std::string> log;
    TProbe tree(nullptr, &log);
    tree.SetName("Tree");
    {
        TProbe list(nullptr, &log);
        list.SetName("List");
        tree.Partner = &list;
        list.FreeNotification(&tree);
    }
    EXPECT_EQ(tree.Partner, nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"Tree heard List go"});

    // The registration works both ways, and the survivor keeps no pointer to the one gone.
    log.clear();
    auto* combo = new TProbe(nullptr, &log);
    combo->SetName("Combo");
    tree.FreeNotification(combo);
    delete combo;
    EXPECT_EQ(log, std::vector<std::string>{"Tree heard Combo go"});
}

TEST(ComponentTest, LoadingAndDesigningStatesReachOwnedComponents) {
    TProbe form(nullptr);
    auto* child = new TProbe(&form);
    form.SetDesigning(true);
    EXPECT_TRUE(child->InState(csDesigning));
    auto* late = new TProbe(&form);
    EXPECT_TRUE(late->InState(csDesigning));

    form.BeginLoading();
    EXPECT_TRUE(child->InState(csLoading));
    child->Loaded();
    EXPECT_FALSE(child->InState(csLoading));
    EXPECT_EQ(child->LoadedCalls, 1);
    EXPECT_TRUE(form.InState(csLoading));
}

TEST(ComponentTest, ClassesAreMadeFromTheirNames) {
    RegisterComponentClass(TCustomTreeView::StaticClassInfo());
    RegisterComponentClass(TCustomListView::StaticClassInfo());
    TProbe form(nullptr);
    TComponent* made = CreateComponent("TCustomTreeView", &form);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), "TCustomTreeView");
    EXPECT_NE(dynamic_cast<TCustomTreeView*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_EQ(CreateComponent("TNoSuchClass", &form), nullptr);
    EXPECT_TRUE(made->ClassInfo().InheritsFrom(TWinControl::StaticClassInfo()));
}

TEST(ComponentTest, PublishedPropertiesAreReadAndWrittenThroughTheTable) {
    TCustomListView list(nullptr);
    const TClassInfo& info = list.ClassInfo();
    const auto props = info.PublishedProperties();
    ASSERT_FALSE(props.empty());
    EXPECT_EQ(props.front()->Name, "Name"); // ancestors first, in declaration order

    const TPropInfo* viewStyle = info.FindProperty("ViewStyle");
    ASSERT_NE(viewStyle, nullptr);
    EXPECT_EQ(viewStyle->Kind, TPropKind::Enumeration);
    EXPECT_TRUE(viewStyle->HoldsDefault(list));
    EXPECT_TRUE(viewStyle->Write(list, TPropValue{std::int64_t{vsReport}}));
    EXPECT_EQ(list.ViewStyle(), vsReport);
    EXPECT_FALSE(viewStyle->HoldsDefault(list));
    EXPECT_EQ(viewStyle->EnumNames[vsReport], "vsReport");
    EXPECT_FALSE(viewStyle->Write(list, TPropValue{std::int64_t{9}})); // out of range
    EXPECT_FALSE(viewStyle->Write(list, TPropValue{true}));            // wrong kind
    EXPECT_EQ(list.ViewStyle(), vsReport);

    // Component references take components of the right class only.
    const TPropInfo* images = info.FindProperty("SmallImages");
    ASSERT_NE(images, nullptr);
    auto* imageList = new TImageList(nullptr);
    EXPECT_TRUE(images->Write(list, TPropValue{static_cast<TComponent*>(imageList)}));
    EXPECT_EQ(list.SmallImages(), imageList);
    TCustomTreeView tree(nullptr);
    EXPECT_FALSE(images->Write(list, TPropValue{static_cast<TComponent*>(&tree)}));
    // The list forgets an image list that goes away.
    delete imageList;
    EXPECT_EQ(list.SmallImages(), nullptr);
    EXPECT_TRUE(images->HoldsDefault(list));
}

} // namespace
