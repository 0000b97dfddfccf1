#pragma once
// Small persistent classes and components that exercise every kind of
// published property the stored form and Assign handle.

#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/EventBinding.h"
#include "platform/Filer.h"
#include "platform/ZeroFloats.h"

#include <QStringList>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace TestTypes {
Q_NAMESPACE
enum TTestAlign { taNone, taTop, taBottom, taLeft, taRight };
Q_ENUM_NS(TTestAlign)
enum TTestStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
Q_DECLARE_FLAGS(TTestStyles, TTestStyle)
Q_FLAG_NS(TTestStyles)
} // namespace TestTypes
Q_DECLARE_OPERATORS_FOR_FLAGS(TestTypes::TTestStyles)

using namespace TestTypes;

// Readable QString values in test failure messages.
inline void PrintTo(const QString& AValue, std::ostream* AStream) {
    *AStream << '"' << AValue.toStdString() << '"';
}

// Events seen by the test classes, in order.
std::vector<std::string>& TestLog();

#define TEST_PROP(Type, Name, Init)                                                                \
public:                                                                                            \
    Type Get##Name() const {                                                                       \
        return F##Name;                                                                            \
    }                                                                                              \
    void Set##Name(Type AValue) {                                                                  \
        F##Name = AValue;                                                                          \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type F##Name = Init;

class TTestFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
    Q_PROPERTY(int32_t Height READ GetHeight WRITE SetHeight)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(TestTypes::TTestStyles Style READ GetStyle WRITE SetStyle)
    Q_CLASSINFO("default:Name", "'Arial'")
    Q_CLASSINFO("default:Height", "-11")
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Style", "[]")
    TEST_PROP(QString, Name, QStringLiteral("Arial"))
    TEST_PROP(int32_t, Height, -11)
    TEST_PROP(TColor, Color, clWhite)
    TEST_PROP(TTestStyles, Style, {})
public:
    void Assign(TPersistent* ASource) override {
        AssignPublished(ASource, TTestFont::staticMetaObject, false);
    }
};

// A range whose constructor values are not zero, so zeros must be stored.
class TTestRange : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(double Low READ GetLow WRITE SetLow)
    Q_PROPERTY(double High READ GetHigh WRITE SetHigh)
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
    Q_CLASSINFO("default:Enabled", "True")
    TEST_PROP(double, Low, -1000.0)
    TEST_PROP(double, High, 1000.0)
    TEST_PROP(bool, Enabled, true)
public:
    void Assign(TPersistent* ASource) override {
        AssignPublished(ASource, TTestRange::staticMetaObject, false);
    }
    void DefineProperties(TFiler& AFiler) override;
};

// Every scalar kind, sub-objects, a not-stored and a read-only property.
class TTestAxis : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TTestRange* Range READ GetRange)
    Q_PROPERTY(TTestFont* Font READ GetFont)
    Q_PROPERTY(TestTypes::TTestAlign Align READ GetAlign WRITE SetAlign)
    Q_PROPERTY(int32_t Samples READ GetSamples WRITE SetSamples)
    Q_PROPERTY(double Step READ GetStep WRITE SetStep)
    Q_PROPERTY(float SingleStep READ GetSingleStep WRITE SetSingleStep)
    Q_PROPERTY(QString Title READ GetTitle WRITE SetTitle)
    Q_PROPERTY(QChar Letter READ GetLetter WRITE SetLetter)
    Q_PROPERTY(int8_t I8 READ GetI8 WRITE SetI8)
    Q_PROPERTY(uint8_t U8 READ GetU8 WRITE SetU8)
    Q_PROPERTY(int16_t I16 READ GetI16 WRITE SetI16)
    Q_PROPERTY(uint16_t U16 READ GetU16 WRITE SetU16)
    Q_PROPERTY(uint32_t U32 READ GetU32 WRITE SetU32)
    Q_PROPERTY(int64_t I64 READ GetI64 WRITE SetI64)
    Q_PROPERTY(uint64_t U64 READ GetU64 WRITE SetU64)
    Q_PROPERTY(int32_t Hidden READ GetHidden WRITE SetHidden STORED false)
    Q_PROPERTY(int32_t Computed READ GetComputed)
    Q_PROPERTY(bool _Range READ ExpanderEntry STORED false)
    Q_CLASSINFO("default:Align", "taBottom")
    Q_CLASSINFO("default:Samples", "512")
    Q_CLASSINFO("default:Letter", "'x'")
    TEST_PROP(TTestAlign, Align, taBottom)
    TEST_PROP(int32_t, Samples, 512)
    TEST_PROP(double, Step, 10.0)
    TEST_PROP(float, SingleStep, 0.5f)
    TEST_PROP(QString, Title, QString())
    TEST_PROP(QChar, Letter, u'x')
    TEST_PROP(int8_t, I8, 0)
    TEST_PROP(uint8_t, U8, 0)
    TEST_PROP(int16_t, I16, 0)
    TEST_PROP(uint16_t, U16, 0)
    TEST_PROP(uint32_t, U32, 0)
    TEST_PROP(int64_t, I64, 0)
    TEST_PROP(uint64_t, U64, 0)
    TEST_PROP(int32_t, Hidden, 0)
public:
    TTestAxis() : FRange(MakeOwned<TTestRange>()), FFont(MakeOwned<TTestFont>()) {}
    TTestRange* GetRange() const { return FRange.get(); }
    TTestFont* GetFont() const { return FFont.get(); }
    int32_t GetComputed() const { return FSamples * 2; }
    void Assign(TPersistent* ASource) override {
        AssignPublished(ASource, TTestAxis::staticMetaObject, false);
    }
    void DefineProperties(TFiler& AFiler) override;
    // Older forms stored the range as "MinMax = (low high)"; read, never written.
    void ReadMinMax(TReader& AReader);

private:
    TOwned<TTestRange> FRange;
    TOwned<TTestFont> FFont;
};

class TTestMarker : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
    Q_PROPERTY(TestTypes::TTestAlign Align READ GetAlign WRITE SetAlign)
    Q_PROPERTY(TTestFont* Font READ GetFont)
    TEST_PROP(QString, Caption, QString())
    TEST_PROP(double, Position, 1.0)
    TEST_PROP(TTestAlign, Align, taNone)
public:
    explicit TTestMarker(TCollection* ACollection)
        : TCollectionItem(ACollection), FFont(MakeOwned<TTestFont>()) {}
    TTestFont* GetFont() const { return FFont.get(); }
    void Assign(TPersistent* ASource) override {
        AssignPublished(ASource, TCollectionItem::staticMetaObject, true);
    }
    void DefineProperties(TFiler& AFiler) override { DefineZeroFloats(AFiler, this); }

protected:
    ~TTestMarker() override { TestLog().push_back("~marker " + FCaption.toStdString()); }

private:
    TOwned<TTestFont> FFont;
};

class TTestMarkers : public TCollection {
    Q_OBJECT
public:
    explicit TTestMarkers(TPersistent* AOwner) : TCollection(AOwner, ItemFactory<TTestMarker>()) {}
    int Updates = 0;
    std::vector<std::pair<int, TCollectionNotification>> Notes;
    // Whether every item told about was a complete TTestMarker.
    bool AllWhole = true;

protected:
    void Update(TCollectionItem*) override { ++Updates; }
    void Notify(TCollectionItem* AItem, TCollectionNotification AAction) override {
        Notes.emplace_back(AItem->ID(), AAction);
        AllWhole = AllWhole && qobject_cast<TTestMarker*>(AItem) != nullptr;
    }
};

// A component that logs its life and keeps a count of live instances.
class TTestChild : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int32_t Value READ GetValue WRITE SetValue)
    Q_PROPERTY(TTestChild* Buddy READ GetBuddy WRITE SetBuddy)
    TEST_PROP(int32_t, Value, 0)
public:
    Q_INVOKABLE explicit TTestChild(TComponent* AOwner);
    static int Live;
    int LoadedCalls = 0;
    bool SawLoadingInLoaded = false;
    bool ReadingDuringSet = false;
    TTestChild* GetBuddy() const { return FBuddy; }
    void SetBuddy(TTestChild* AValue);
    void Loaded() override;
    // A stored event, bound to a method of the root.
    std::function<void(TTestChild*)> OnClick;
    QString OnClickName;
    void DefineProperties(TFiler& AFiler) override;
    using TComponent::Notification;

protected:
    ~TTestChild() override;
    void BeforeDestruction() override;
    void Notification(TComponent* AComponent, TOperation AOperation) override;
    // The class name as this object's virtual call sees it.
    virtual std::string Kind() const { return "child"; }

private:
    TTestChild* FBuddy = nullptr;
};

// A child whose dynamic type must still be visible in BeforeDestruction.
class TTestGrandChild : public TTestChild {
    Q_OBJECT
public:
    using TTestChild::TTestChild;

protected:
    std::string Kind() const override { return "grandchild"; }
};

// A component that stores the components whose parent it is inside its own
// block, as controls on a panel are stored.
class TTestPanel : public TTestChild {
    Q_OBJECT
public:
    using TTestChild::TTestChild;
    void GetChildren(const TGetChildProc& AProc, TComponent* ARoot) override;
};

// A child with a parent: stored inside the panel rather than by the root.
class TTestControl : public TTestChild {
    Q_OBJECT
public:
    using TTestChild::TTestChild;
    TComponent* Parent = nullptr;
    bool HasParent() const override { return Parent != nullptr; }
    TComponent* GetParentComponent() const override { return Parent; }
    void SetParentComponent(TComponent* AParent) override { Parent = AParent; }
};

class TTestForm : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(int32_t Left READ GetLeft WRITE SetLeft)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(QStringList Lines READ GetLines WRITE SetLines)
    Q_PROPERTY(TTestAxis* Axis READ GetAxis)
    Q_PROPERTY(TTestMarkers* Markers READ GetMarkers)
    Q_PROPERTY(TTestChild* Buddy READ GetBuddy WRITE SetBuddy)
    Q_CLASSINFO("type:Color", "TColor")
    TEST_PROP(QString, Caption, QString())
    TEST_PROP(int32_t, Left, 0)
    TEST_PROP(TColor, Color, clBtnFace)
    TEST_PROP(bool, Visible, false)
    TEST_PROP(QStringList, Lines, {})
    TEST_PROP(TTestChild*, Buddy, nullptr)
public:
    Q_INVOKABLE explicit TTestForm(TComponent* AOwner);
    TTestAxis* GetAxis() const { return FAxis.get(); }
    TTestMarkers* GetMarkers() const { return FMarkers.get(); }
    int LoadedCalls = 0;
    void Loaded() override;
    void Assign(TPersistent* ASource) override {
        AssignPublished(ASource, TTestForm::staticMetaObject, true);
    }
    // Event handlers named by stored forms.
    std::vector<QObject*> Clicks;
    int Ticks = 0;
    Q_INVOKABLE void Tick() { ++Ticks; }
    Q_INVOKABLE void TakesText(const QString&) {}

public slots:
    void ChildClicked(TPersistent* ASender) { Clicks.push_back(ASender); }
    void FormOnly(TTestForm* ASender) { Clicks.push_back(ASender); }

protected:
    ~TTestForm() override = default;

private:
    TOwned<TTestAxis> FAxis;
    TOwned<TTestMarkers> FMarkers;
};

// Binary data stored through the filer's binary hook, as a picture's bytes.
class TTestPicture : public TPersistent {
    Q_OBJECT
public:
    QByteArray Data;
    void DefineProperties(TFiler& AFiler) override;
};

class TTestImage : public TTestChild {
    Q_OBJECT
    Q_PROPERTY(TTestPicture* Picture READ GetPicture)
public:
    Q_INVOKABLE explicit TTestImage(TComponent* AOwner)
        : TTestChild(AOwner), FPicture(MakeOwned<TTestPicture>()) {}
    TTestPicture* GetPicture() const { return FPicture.get(); }

private:
    TOwned<TTestPicture> FPicture;
};

// A form whose class creates a stored child itself, as an ancestor form
// does; the stored form applies to it with 'inherited'.
class TTestAncestorForm : public TTestForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestAncestorForm(TComponent* AOwner);
    TTestChild* Header = nullptr;
};

// Another family: Assign between it and the form is refused.
class TTestOther : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    TEST_PROP(QString, Caption, QString())
};

// Registers the test component classes once.
void RegisterTestClasses();
