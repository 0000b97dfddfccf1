#include "TestComponents.h"

#include "platform/Exceptions.h"
#include "platform/PublishedProperties.h"

#include <gtest/gtest.h>

namespace {

TEST(AssignTest, CopiesPublishedStoredPropertiesAndRecursesIntoSubObjects) {
    auto source = MakeOwned<TTestForm>(nullptr);
    auto dest = MakeOwned<TTestForm>(nullptr);
    source->SetName(QStringLiteral("Source"));
    dest->SetName(QStringLiteral("Dest"));
    source->SetCaption(QStringLiteral("caption"));
    source->SetColor(clRed);
    source->SetLines({QStringLiteral("x")});
    source->GetAxis()->SetAlign(taTop);
    source->GetAxis()->SetU64(UINT64_MAX);
    source->GetAxis()->SetHidden(99); // not stored: stays
    source->GetAxis()->GetRange()->SetLow(-0.0);
    source->GetAxis()->GetFont()->SetStyle(fsItalic);
    auto* m = static_cast<TTestMarker*>(source->GetMarkers()->Add());
    m->SetCaption(QStringLiteral("m"));
    m->GetFont()->SetHeight(-30);
    auto* buddy = new TTestChild(source.get());
    source->SetBuddy(buddy); // a reference: not copied

    TTestAxis* destAxis = dest->GetAxis();
    TTestRange* destRange = destAxis->GetRange();
    dest->Assign(source.get());

    EXPECT_EQ(dest->GetName(), QStringLiteral("Dest")); // the form skips "Name"
    EXPECT_EQ(dest->GetCaption(), QStringLiteral("caption"));
    EXPECT_EQ(dest->GetColor(), clRed);
    EXPECT_EQ(dest->GetLines(), QStringList{QStringLiteral("x")});
    // Sub-objects are assigned into the destination's own instances.
    EXPECT_EQ(dest->GetAxis(), destAxis);
    EXPECT_EQ(destAxis->GetRange(), destRange);
    EXPECT_EQ(destAxis->GetAlign(), taTop);
    EXPECT_EQ(destAxis->GetU64(), UINT64_MAX);
    EXPECT_EQ(destAxis->GetHidden(), 0);
    EXPECT_TRUE(std::signbit(destRange->GetLow()));
    EXPECT_EQ(destAxis->GetFont()->GetStyle(), fsItalic);
    ASSERT_EQ(dest->GetMarkers()->Count(), 1);
    auto* copied = static_cast<TTestMarker*>(dest->GetMarkers()->Items(0));
    EXPECT_NE(copied, m);
    EXPECT_EQ(copied->GetCaption(), QStringLiteral("m"));
    EXPECT_EQ(copied->GetFont()->GetHeight(), -30);
    EXPECT_EQ(dest->GetBuddy(), nullptr);
}

TEST(AssignTest, AnotherFamilyRaisesCannotAssign) {
    auto range = MakeOwned<TTestRange>();
    auto other = MakeOwned<TTestOther>();
    try {
        range->Assign(other.get());
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TTestOther to a TTestRange"));
    }
    EXPECT_THROW(range->Assign(nullptr), EConvertError);
    auto markers = MakeOwned<TTestMarkers>(nullptr);
    EXPECT_THROW(markers->Assign(range.get()), EConvertError);
}

TEST(PublishedPropertiesTest, EnumerationsByNameAndLookupIgnoringCase) {
    auto axis = MakeOwned<TTestAxis>();
    EXPECT_EQ(GetEnumProp(axis.get(), QStringLiteral("Align")), QStringLiteral("taBottom"));
    SetEnumProp(axis.get(), QStringLiteral("align"), QStringLiteral("taLeft"));
    EXPECT_EQ(axis->GetAlign(), taLeft);
    EXPECT_THROW(SetEnumProp(axis.get(), QStringLiteral("Align"), QStringLiteral("taleft")),
                 EConvertError);
    EXPECT_THROW(SetEnumProp(axis.get(), QStringLiteral("Samples"), QStringLiteral("taLeft")),
                 EConvertError);
    EXPECT_THROW(GetEnumProp(axis.get(), QStringLiteral("Nope")), EConvertError);

    SetPropValue(axis.get(), QStringLiteral("SAMPLES"), 7);
    EXPECT_EQ(GetPropValue(axis.get(), QStringLiteral("Samples")).toInt(), 7);
    EXPECT_THROW(SetPropValue(axis.get(), QStringLiteral("Computed"), 1), EConvertError);

    // QObject's own objectName is not published; inherited ones come first.
    std::vector<QString> names;
    for (const QMetaProperty& p : PublishedProperties(TTestChild::staticMetaObject))
        names.push_back(QString::fromLatin1(p.name()));
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("Name"), QStringLiteral("Value"),
                                           QStringLiteral("Buddy")}));
    EXPECT_EQ(DeclaredDefault(TTestAxis::staticMetaObject, "Samples"), QStringLiteral("512"));
    EXPECT_FALSE(DeclaredDefault(TTestAxis::staticMetaObject, "Step").has_value());
}

TEST(ColorIdentTest, NamedColoursBothWays) {
    EXPECT_EQ(ColorToIdent(clBtnFace), QStringLiteral("clBtnFace"));
    EXPECT_EQ(ColorToIdent(0xFFFFFF), QStringLiteral("clWhite"));
    EXPECT_TRUE(ColorToIdent(RGBColor(1, 2, 3)).isEmpty());
    TColor c = 0;
    ASSERT_TRUE(IdentToColor(QStringLiteral("CLRED"), c));
    EXPECT_EQ(c, 0x0000FF);
    EXPECT_FALSE(IdentToColor(QStringLiteral("clNoSuch"), c));
}

} // namespace
