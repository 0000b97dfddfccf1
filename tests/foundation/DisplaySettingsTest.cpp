#include "BitmapTestSupport.h"

#include "foundation/HxCanvasImpl.h"
#include "foundation/HxOptionalPenProperty.h"
#include "foundation/KvDisplayBrush.h"
#include "foundation/KvDisplayFont.h"
#include "foundation/KvDisplayPen.h"
#include "foundation/KvOptionalLabel.h"
#include "platform/Component.h"
#include "platform/StoredForm.h"

#include <QVariant>
#include <gtest/gtest.h>
#include <vector>

// A component that stores display settings with a form.
class TSettingsHolder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayPen* Pen READ GetPen)
    Q_PROPERTY(TKvDisplayBrush* Brush READ GetBrush)
    Q_PROPERTY(TKvDisplayFont* Font READ GetFont)
public:
    explicit TSettingsHolder(TComponent* AOwner)
        : TComponent(AOwner), FPen(MakeOwned<TKvDisplayPen>(psSolid, clRed)),
          FBrush(MakeOwned<TKvDisplayBrush>(bsClear, clRed)), FFont(MakeOwned<TKvDisplayFont>()) {
        FFont->SetColor(clWhite);
    }
    TKvDisplayPen* GetPen() const { return FPen.get(); }
    TKvDisplayBrush* GetBrush() const { return FBrush.get(); }
    TKvDisplayFont* GetFont() const { return FFont.get(); }

private:
    TOwned<TKvDisplayPen> FPen;
    TOwned<TKvDisplayBrush> FBrush;
    TOwned<TKvDisplayFont> FFont;
};

namespace {

TEST(DisplaySettings, BrushKeepsItsColourThroughClearAndSolid) {
    TGmBasicBitmap bitmap(4, 4);
    THxCanvasImpl canvas(bitmap.Canvas());
    const TOwned<TKvDisplayBrush> brush = MakeOwned<TKvDisplayBrush>(bsSolid, clWhite);
    auto paint = [&] {
        canvas.SetFromDisplayBrush(brush.get());
        canvas.FillRect(Rect(0, 0, 4, 4));
        return ColorAt(bitmap, 2, 2);
    };
    brush->SetColor(clRed);
    brush->SetStyle(bsClear);
    PutColor(bitmap, 2, 2, clBlack);
    EXPECT_EQ(paint(), clBlack) << "a clear brush paints nothing";
    EXPECT_EQ(brush->Color(), clRed);
    brush->SetStyle(bsSolid);
    EXPECT_EQ(paint(), clRed);

    // a colour chosen while clear shows once the brush is solid again
    brush->SetStyle(bsClear);
    brush->SetColor(clGreen);
    EXPECT_EQ(paint(), clRed);
    brush->SetStyle(bsSolid);
    EXPECT_EQ(paint(), clGreen);
}

TEST(DisplaySettings, AssigningABrushCopiesColourAndStyle) {
    const TOwned<TKvDisplayBrush> source = MakeOwned<TKvDisplayBrush>(bsClear, clNavy);
    const TOwned<TKvDisplayBrush> dest = MakeOwned<TKvDisplayBrush>(bsSolid, clYellow);
    int changes = 0;
    dest->OnChange = [&] { ++changes; };
    dest->Assign(source.get());
    EXPECT_EQ(dest->Color(), clNavy);
    EXPECT_EQ(dest->Style(), bsClear);
    EXPECT_GE(changes, 1);
}

TEST(DisplaySettings, CreationValuesAndFontFamily) {
    const TOwned<TKvDisplayPen> pen = MakeOwned<TKvDisplayPen>(psDot, clAqua);
    EXPECT_EQ(pen->Style(), psDot);
    EXPECT_EQ(pen->Color(), clAqua);
    const TOwned<TKvDisplayBrush> brush = MakeOwned<TKvDisplayBrush>(bsClear, 255);
    EXPECT_EQ(brush->Style(), bsClear);
    EXPECT_EQ(brush->Color(), 255);

    const TOwned<TKvDisplayFont> font = MakeOwned<TKvDisplayFont>();
    font->setProperty("Family", QStringLiteral("Arial"));
    EXPECT_EQ(font->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(font->property("Family").toString(), QStringLiteral("Arial"));
    font->SetUniSize(10);
    EXPECT_EQ(font->Height(), -13); // 10 points at 96 pixels per inch
    EXPECT_EQ(font->Size(), 10);
}

TEST(DisplaySettings, ValuesEqualToTheFrameworkDefaultsSurviveTheStoredForm) {
    // black, solid and the window-text colour are the framework's defaults,
    // not these objects' creation values
    const TOwned<TSettingsHolder> written = MakeOwned<TSettingsHolder>(nullptr);
    written->SetName(QStringLiteral("Holder"));
    written->GetPen()->SetColor(clBlack);
    written->GetBrush()->SetStyle(bsSolid);
    written->GetBrush()->SetColor(clWhite);
    written->GetFont()->SetColor(clWindowText);
    const QString text = ComponentToText(written.get());
    EXPECT_EQ(text.count(QStringLiteral("Family")), 0) << text.toStdString();

    const TOwned<TSettingsHolder> read = MakeOwned<TSettingsHolder>(nullptr);
    ReadComponentFromText(text, read.get());
    EXPECT_EQ(read->GetPen()->Color(), clBlack);
    EXPECT_EQ(read->GetPen()->Style(), psSolid);
    EXPECT_EQ(read->GetBrush()->Style(), bsSolid);
    EXPECT_EQ(read->GetBrush()->Color(), clWhite);
    EXPECT_EQ(read->GetFont()->Color(), clWindowText);
}

TEST(DisplaySettings, OptionalPenStartsVisibleBlackAndSolid) {
    const THxLockPtr lock = THxLock::Create(nullptr);
    std::vector<TPersistent*> senders;
    const TOwned<THxOptionalPenProperty> line = MakeOwned<THxOptionalPenProperty>(
        nullptr, lock, [&](TPersistent* ASender) { senders.push_back(ASender); });
    EXPECT_TRUE(line->GetVisible());
    EXPECT_EQ(line->GetPen()->Style(), psSolid);
    EXPECT_EQ(line->GetPen()->Color(), clBlack);

    line->GetPen()->SetColor(clRed);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], line->GetPen()) << "the pen's change reaches the handler directly";

    const TOwned<TKvDisplayPen> other = MakeOwned<TKvDisplayPen>(psDash, clBlue);
    other->SetWidth(3);
    line->SetPen(other.get());
    EXPECT_NE(line->GetPen(), other.get());
    EXPECT_EQ(line->GetPen()->Style(), psDash);
    EXPECT_EQ(line->GetPen()->Color(), clBlue);
    EXPECT_EQ(line->GetPen()->Width(), 3);
    EXPECT_EQ(senders.size(), 2u);

    line->SetVisible(false);
    EXPECT_FALSE(line->GetVisible());
    EXPECT_EQ(senders.size(), 3u);
    EXPECT_EQ(senders[2], line.get());
    // the pen is a published sub-object
    EXPECT_EQ(line->property("Pen").value<TKvDisplayPen*>(), line->GetPen());
}

TEST(DisplaySettings, LabelFontDefaultsAndChangeNotification) {
    const THxLockPtr lock = THxLock::Create(nullptr);
    int changes = 0;
    const TOwned<TKvOptionalLabel> label =
        MakeOwned<TKvOptionalLabel>(nullptr, lock, [&](TPersistent* ASender) {
            EXPECT_NE(ASender, nullptr);
            ++changes;
        });
    EXPECT_TRUE(label->GetVisible());
    EXPECT_EQ(label->GetFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(label->GetFont()->Size(), 8);
    EXPECT_EQ(label->GetFont()->Height(), -11);
    EXPECT_EQ(label->GetFont()->Color(), 0xFFFFFF);
    EXPECT_TRUE(label->GetText().isEmpty());
    EXPECT_EQ(changes, 0);

    label->GetFont()->SetColor(clYellow);
    EXPECT_EQ(changes, 1);

    label->SetVisible(true);
    EXPECT_EQ(changes, 1) << "an unchanged value raises nothing";
    label->SetVisible(false);
    EXPECT_EQ(changes, 2);

    label->SetText(QStringLiteral("Levels"));
    EXPECT_EQ(changes, 3);
    label->SetText(QStringLiteral("Levels"));
    EXPECT_EQ(changes, 3);
    label->SetText(QStringLiteral("levels"));
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(label->property("Text").toString(), QStringLiteral("levels"));

    const TOwned<TKvDisplayFont> font = MakeOwned<TKvDisplayFont>();
    font->SetName(QStringLiteral("Courier"));
    const int before = changes;
    label->SetFont(font.get());
    EXPECT_EQ(label->GetFont()->Name(), QStringLiteral("Courier"));
    EXPECT_NE(label->GetFont(), font.get());
    EXPECT_GT(changes, before);
}

TEST(DisplaySettings, LabelsCopyThroughAssign) {
    const THxLockPtr lock = THxLock::Create(nullptr);
    const TOwned<TKvOptionalLabel> source = MakeOwned<TKvOptionalLabel>(nullptr, lock, nullptr);
    source->SetText(QStringLiteral("Caption"));
    source->SetVisible(false);
    source->GetFont()->SetName(QStringLiteral("Courier"));
    const TOwned<TKvOptionalLabel> dest = MakeOwned<TKvOptionalLabel>(nullptr, lock, nullptr);
    dest->Assign(source.get());
    EXPECT_EQ(dest->GetText(), QStringLiteral("Caption"));
    EXPECT_FALSE(dest->GetVisible());
    EXPECT_EQ(dest->GetFont()->Name(), QStringLiteral("Courier"));
}

} // namespace

#include "DisplaySettingsTest.moc"
