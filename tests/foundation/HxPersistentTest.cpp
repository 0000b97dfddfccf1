// Settings objects: construction, change notification, Assign by published
// properties and zero floats in the stored form.
#include "TestSettings.h"

#include "platform/Exceptions.h"
#include "platform/StoredForm.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

TOwned<TTestSettings> MakeRoot(TNotifyEvent AOnChange = nullptr) {
    return MakeOwned<TTestSettings>(static_cast<TPersistent*>(nullptr), THxLock::Create(nullptr),
                                    std::move(AOnChange));
}

// The "_Floats" entries the text stores for APath, in order.
QStringList ZeroFloatEntries(const QString& AText, const QString& APath) {
    const QRegularExpression line(QRegularExpression::escape(APath) +
                                      QStringLiteral("\\._Floats = \\((.*)\\)\\s*$"),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(AText);
    if (!match.hasMatch())
        return {};
    QStringList names;
    const QRegularExpression entry(QStringLiteral("\\(\\s*(\\w+)\\s+([-0-9.eE+]+)\\s*\\)"));
    for (auto it = entry.globalMatch(match.captured(1)); it.hasNext();) {
        const QRegularExpressionMatch e = it.next();
        EXPECT_EQ(e.captured(2).toDouble(), 0.0) << e.captured(0).toStdString();
        names << e.captured(1);
    }
    return names;
}

} // namespace

TEST(HxPersistent, CannotBeMadeWithoutALock) {
    try {
        MakeOwned<THxPersistent>();
        FAIL() << "constructed without a lock";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Calling THxPersistent.Create without lock!"));
    }
    EXPECT_THROW(MakeOwned<TTestSettings>(static_cast<TPersistent*>(nullptr), THxLockPtr()),
                 Exception);
    EXPECT_THROW(MakeOwned<TTestSettings>(static_cast<THxPersistent*>(nullptr), nullptr),
                 Exception);
}

TEST(HxPersistent, EveryConstructorSharesTheGivenLockAndKeepsTheOwner) {
    const THxLockPtr lock = THxLock::Create(nullptr);
    TOwned<TComponent> component = MakeOwned<TComponent>(nullptr);
    auto fromComponent = MakeOwned<TTestRange>(component.get(), lock);
    auto fromOwnerProperty =
        MakeOwned<TTestRange>(static_cast<TPersistent*>(component.get()), lock);
    auto fromPersistent = MakeOwned<TTestRange>(fromComponent.get());
    auto collection = MakeOwned<TTestCollection>(fromComponent.get(), ItemFactory<TTestItem>());
    auto* item = static_cast<TTestItem*>(collection->Add());
    auto fromItem = MakeOwned<TTestRange>(item);

    for (THxPersistent* p : {static_cast<THxPersistent*>(fromComponent.get()),
                             static_cast<THxPersistent*>(fromOwnerProperty.get()),
                             static_cast<THxPersistent*>(fromPersistent.get()),
                             static_cast<THxPersistent*>(fromItem.get())}) {
        EXPECT_EQ(p->Lock()->Instance(), lock->Instance());
        EXPECT_NE(p->Lock(), lock) << "each object has a wrapper of its own";
    }
    EXPECT_EQ(fromComponent->GetOwner(), component.get());
    EXPECT_EQ(fromOwnerProperty->GetOwner(), component.get());
    EXPECT_EQ(fromPersistent->GetOwner(), fromComponent.get());
    EXPECT_EQ(fromItem->GetOwner(), item);
}

TEST(HxPersistentNotify, RaisesOnChangeWithItselfOnlyForRealChanges) {
    std::vector<TPersistent*> senders;
    auto settings = MakeRoot([&](TPersistent* ASender) { senders.push_back(ASender); });
    settings->SetMid(4.0);
    settings->SetCaption(QString());
    EXPECT_TRUE(senders.empty());
    settings->SetMid(8.0);
    settings->SetCaption(QStringLiteral("x"));
    EXPECT_EQ(senders, (std::vector<TPersistent*>{settings.get(), settings.get()}));
    senders.clear();
    settings->SetSync(stSingleBuffer);
    EXPECT_TRUE(senders.empty()) << "a synchronisation mode change does not notify";
    EXPECT_EQ(settings->GetSync(), stSingleBuffer);
}

TEST(HxOptionalVisibility, VisibleByDefaultAndAChangeRaisesOnChange) {
    int changes = 0;
    auto root = MakeRoot();
    auto frame =
        MakeOwned<THxOptionalVisibilityProperty>(root.get(), [&](TPersistent*) { ++changes; });
    auto other = MakeOwned<THxOptionalVisibilityProperty>(root.get(), root->Lock());
    EXPECT_TRUE(frame->GetVisible());
    EXPECT_TRUE(other->GetVisible());
    frame->SetVisible(true);
    EXPECT_EQ(changes, 0);
    frame->SetVisible(false);
    frame->SetVisible(false);
    EXPECT_FALSE(frame->GetVisible());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(frame->Lock()->Instance(), root->Lock()->Instance());
}

TEST(HxPersistentAssign, CopiesPublishedPropertiesAndSubObjects) {
    auto source = MakeRoot();
    source->SetLow(-2.0);
    source->SetMid(0.0);
    source->SetHigh(12.5);
    source->SetCaption(QStringLiteral("Levels"));
    source->SetSync(stQueue);
    source->GetFrame()->SetVisible(false);

    int changes = 0;
    auto dest = MakeRoot([&](TPersistent*) { ++changes; });
    dest->Assign(source.get());
    EXPECT_EQ(dest->GetLow(), -2.0);
    EXPECT_EQ(dest->GetMid(), 0.0);
    EXPECT_EQ(dest->GetHigh(), 12.5);
    EXPECT_EQ(dest->GetCaption(), QStringLiteral("Levels"));
    EXPECT_EQ(dest->GetSync(), stQueue);
    EXPECT_FALSE(dest->GetFrame()->GetVisible()) << "the sub-object is assigned, not replaced";
    EXPECT_NE(dest->GetFrame(), source->GetFrame());
    EXPECT_EQ(changes, 4) << "through the setters: four values changed";
}

TEST(HxPersistentAssign, AnotherClassOfTheFamilyCopiesTheNamesItShares) {
    auto range =
        MakeOwned<TTestRange>(static_cast<TPersistent*>(nullptr), THxLock::Create(nullptr));
    range->SetLow(-9.0);
    auto dest = MakeRoot();
    dest->Assign(range.get());
    EXPECT_EQ(dest->GetLow(), -9.0);
    EXPECT_EQ(dest->GetHigh(), 7.0);
}

TEST(HxPersistentAssign, AnotherFamilyRaisesTheCannotAssignError) {
    auto dest = MakeRoot();
    auto collection =
        MakeOwned<TTestCollection>(static_cast<TPersistent*>(nullptr), ItemFactory<TTestItem>());
    TCollectionItem* item = collection->Add();
    try {
        dest->Assign(item);
        FAIL() << "an item was assigned to a settings object";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TTestItem to a TTestSettings"));
    }
    EXPECT_THROW(dest->Assign(nullptr), EConvertError);
    EXPECT_EQ(dest->Lock()->Instance()->GetCounts().CountLocks, 0)
        << "the write lock is released on the error";
}

TEST(HxPersistentZeroFloats, ZerosSurviveTheStoredForm) {
    auto holder = MakeOwned<TTestHolder>(nullptr);
    holder->SetName(QStringLiteral("Holder"));
    holder->GetSettings()->SetLow(0.0);
    holder->GetSettings()->SetMid(1.5);
    holder->GetSettings()->SetHigh(0.0);
    const QString text = ComponentToText(holder.get());
    EXPECT_EQ(ZeroFloatEntries(text, QStringLiteral("Settings")), (QStringList{"Low", "High"}))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Settings.Mid = 1.5"))) << text.toStdString();

    auto copy = MakeOwned<TTestHolder>(nullptr);
    ASSERT_EQ(copy->GetSettings()->GetLow(), 3.0);
    ReadComponentFromText(text, copy.get());
    EXPECT_EQ(copy->GetSettings()->GetLow(), 0.0);
    EXPECT_EQ(copy->GetSettings()->GetMid(), 1.5);
    EXPECT_EQ(copy->GetSettings()->GetHigh(), 0.0);
}

TEST(HxPersistentZeroFloats, NothingStoredWithoutAZero) {
    auto holder = MakeOwned<TTestHolder>(nullptr);
    holder->SetName(QStringLiteral("Holder"));
    const QString text = ComponentToText(holder.get());
    EXPECT_FALSE(text.contains(QStringLiteral("_Floats"))) << text.toStdString();
}

TEST(HxPersistentZeroFloats, UnknownEntryIsSkippedAndTheRestRead) {
    auto holder = MakeOwned<TTestHolder>(nullptr);
    ReadComponentFromText(QStringLiteral("object Holder: TTestHolder\n"
                                         "  Settings.Sync = stQueue\n"
                                         "  Settings._Floats = (\n"
                                         "    (Bogus 0)\n"
                                         "    (High 0)\n"
                                         "    (Caption 0))\n"
                                         "  Settings.Mid = 2.5\n"
                                         "end\n"),
                          holder.get());
    EXPECT_EQ(holder->GetSettings()->GetHigh(), 0.0);
    EXPECT_EQ(holder->GetSettings()->GetLow(), 3.0);
    EXPECT_EQ(holder->GetSettings()->GetMid(), 2.5);
    EXPECT_EQ(holder->GetSettings()->GetCaption(), QString()) << "not a float property";
    EXPECT_EQ(holder->GetSettings()->GetSync(), stQueue);
}
