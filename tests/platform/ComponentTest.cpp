#include "TestComponents.h"

#include "platform/Exceptions.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <locale.h>

namespace {

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { TestLog().clear(); }
};

TEST_F(ComponentTest, OwnerFreesOwnedComponentsLastFirstAfterBeforeDestruction) {
    const int liveBefore = TTestChild::Live;
    {
        auto owner = MakeOwned<TTestChild>(nullptr);
        owner->SetName(QStringLiteral("Owner"));
        auto* a = new TTestChild(owner.get());
        a->SetName(QStringLiteral("A"));
        auto* b = new TTestGrandChild(owner.get());
        b->SetName(QStringLiteral("B"));
        EXPECT_EQ(owner->ComponentCount(), 2);
        EXPECT_EQ(b->ComponentIndex(), 1);
        EXPECT_EQ(TTestChild::Live, liveBefore + 3);
    }
    EXPECT_EQ(TTestChild::Live, liveBefore);
    // The owner's BeforeDestruction sees it whole; each owned component gets
    // its own BeforeDestruction (with its dynamic type) before its destructor.
    const std::vector<std::string> expected{
        "before Owner child", "~Owner", "before B grandchild", "~B", "before A child", "~A"};
    // The owner's destructor body logs before the base destructor frees the
    // owned components.
    EXPECT_EQ(TestLog(), expected);
}

TEST_F(ComponentTest, FreeingAnOwnedComponentLeavesItsOwner) {
    auto owner = MakeOwned<TTestChild>(nullptr);
    auto* a = new TTestChild(owner.get());
    auto* b = new TTestChild(owner.get());
    EXPECT_FALSE(a->ComponentState().testFlag(csDestroying));
    EXPECT_FALSE(owner->ComponentState().testFlag(csDesigning));
    TPersistent::Free(a);
    ASSERT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST_F(ComponentTest, NamesAreValidatedAndUniquePerOwner) {
    auto owner = MakeOwned<TTestChild>(nullptr);
    auto* a = new TTestChild(owner.get());
    auto* b = new TTestChild(owner.get());
    a->SetName(QStringLiteral("Timer1"));
    EXPECT_THROW(b->SetName(QStringLiteral("timer1")), EComponentError);
    EXPECT_THROW(b->SetName(QStringLiteral("1Timer")), EComponentError);
    EXPECT_THROW(b->SetName(QStringLiteral("Timer 2")), EComponentError);
    EXPECT_TRUE(b->GetName().isEmpty());
    b->SetName(QStringLiteral("_Timer2"));
    EXPECT_EQ(owner->FindComponent(QStringLiteral("TIMER1")), a);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("_timer2")), b);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("Missing")), nullptr);
    EXPECT_THROW(owner->Components(2), EListError);
    EXPECT_THROW(owner->Components(-1), EListError);
    // Moving a component to an owner that already has the name is refused.
    auto other = MakeOwned<TTestChild>(nullptr);
    auto* clash = new TTestChild(other.get());
    clash->SetName(QStringLiteral("Timer1"));
    EXPECT_THROW(owner->InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), other.get());
}

TEST_F(ComponentTest, FreedComponentIsForgottenByThoseReferringToIt) {
    auto owner = MakeOwned<TTestChild>(nullptr);
    auto* a = new TTestChild(owner.get());
    auto* b = new TTestChild(owner.get());
    auto outsider = MakeOwned<TTestChild>(nullptr);
    a->SetBuddy(b);
    outsider->SetBuddy(b);
    TPersistent::Free(b);
    EXPECT_EQ(a->GetBuddy(), nullptr);        // told as a sibling of the same owner
    EXPECT_EQ(outsider->GetBuddy(), nullptr); // told through FreeNotification
    // Freeing the referring side first leaves nothing dangling either.
    auto* c = new TTestChild(owner.get());
    outsider->SetBuddy(c);
    outsider.reset();
    TPersistent::Free(c);
}

TEST_F(ComponentTest, FormatMessagePrintsUnsignedAsUnsigned) {
    EXPECT_EQ(FormatMessage("Index out of range = %u", 4294967295u),
              QStringLiteral("Index out of range = 4294967295"));
    EXPECT_EQ(FormatMessage("Row out of range = %u", static_cast<uint32_t>(-1)),
              QStringLiteral("Row out of range = 4294967295"));
    EXPECT_EQ(FormatMessage("%s: %.1f", "x", 1.5), QStringLiteral("x: 1.5"));
}

TEST_F(ComponentTest, FormatMessageWritesAPointWhateverTheThreadsLocale) {
    const locale_t german = newlocale(LC_ALL_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
    if (!german)
        GTEST_SKIP() << "no de_DE.UTF-8 locale here (tools/install-deps.sh makes one)";
    const locale_t previous = uselocale(german);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const QString message = FormatMessage("%s: %.1f", "x", 1.5);
    char after[16];
    std::snprintf(after, sizeof after, "%.1f", 2.5);
    uselocale(previous);
    freelocale(german);
    ASSERT_STREQ(probe, "1,5") << "the locale writes a decimal comma";
    EXPECT_EQ(message, QStringLiteral("x: 1.5"));
    EXPECT_STREQ(after, "2,5") << "the thread's own locale comes back";
}

} // namespace
