#include "platform/Filer.h"

#include "platform/ClassRegistry.h"
#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/PublishedProperties.h"
#include "platform/StoredFormLexer.h"

#include <QBuffer>
#include <QMetaEnum>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool SameText(const QString& A, const char* B) {
    return A.compare(QLatin1String(B), Qt::CaseInsensitive) == 0;
}

// Integer properties, by metatype: range and width.
struct TIntegerType {
    int64_t Min;
    uint64_t Max;
};

bool IntegerType(int AId, TIntegerType& AType) {
    switch (AId) {
    case QMetaType::Char:
        AType = {std::numeric_limits<char>::min(),
                 static_cast<uint64_t>(std::numeric_limits<char>::max())};
        return true;
    case QMetaType::SChar:
        AType = {INT8_MIN, INT8_MAX};
        return true;
    case QMetaType::UChar:
        AType = {0, UINT8_MAX};
        return true;
    case QMetaType::Short:
        AType = {INT16_MIN, INT16_MAX};
        return true;
    case QMetaType::UShort:
        AType = {0, UINT16_MAX};
        return true;
    case QMetaType::Int:
        AType = {INT32_MIN, INT32_MAX};
        return true;
    case QMetaType::UInt:
        AType = {0, UINT32_MAX};
        return true;
    case QMetaType::Long:
        AType = {std::numeric_limits<long>::min(),
                 static_cast<uint64_t>(std::numeric_limits<long>::max())};
        return true;
    case QMetaType::ULong:
        AType = {0, std::numeric_limits<unsigned long>::max()};
        return true;
    case QMetaType::LongLong:
        AType = {INT64_MIN, INT64_MAX};
        return true;
    case QMetaType::ULongLong:
        AType = {0, UINT64_MAX};
        return true;
    default:
        return false;
    }
}

bool IsUnsignedType(int AId) {
    return AId == QMetaType::UChar || AId == QMetaType::UShort || AId == QMetaType::UInt ||
           AId == QMetaType::ULong || AId == QMetaType::ULongLong;
}

// A variant of exactly AType holding AValue's low bytes (integers, enums and
// flags of any width; little-endian).
QVariant OrdinalVariant(QMetaType AType, int64_t AValue) {
    QVariant result(AType, nullptr);
    const auto size = static_cast<size_t>(AType.sizeOf());
    std::memcpy(result.data(), &AValue, std::min(size, sizeof AValue));
    return result;
}

// The value of an integer, enum or flag variant, sign-extended from its
// width unless the type is unsigned.
int64_t OrdinalValue(const QVariant& AValue) {
    const auto size = static_cast<size_t>(AValue.metaType().sizeOf());
    uint64_t bits = 0;
    std::memcpy(&bits, AValue.constData(), std::min(size, sizeof bits));
    if (size < sizeof bits && !IsUnsignedType(AValue.metaType().id())) {
        const unsigned shift = static_cast<unsigned>(64 - 8 * size);
        return static_cast<int64_t>(bits << shift) >> shift;
    }
    return static_cast<int64_t>(bits);
}

QString FlagsText(const QMetaEnum& AEnum, int64_t AValue) {
    QStringList names;
    for (int i = 0; i < AEnum.keyCount(); ++i) {
        const int64_t key = AEnum.value(i);
        if (key != 0 && (AValue & key) == key)
            names << QString::fromLatin1(AEnum.key(i));
    }
    return QLatin1Char('[') + names.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// The stored-form text of a scalar property value; empty when the type has
// no text form.
QString ValueText(const QMetaObject& AClass, const QMetaProperty& AProp, const QVariant& AValue) {
    const int id = AProp.metaType().id();
    if (AProp.isFlagType())
        return FlagsText(AProp.enumerator(), OrdinalValue(AValue));
    if (AProp.isEnumType()) {
        const char* key = AProp.enumerator().valueToKey(static_cast<int>(OrdinalValue(AValue)));
        if (!key)
            throw EWriteError(QStringLiteral("Property %1 holds %2, which is not a value of %3")
                                  .arg(QString::fromLatin1(AProp.name()))
                                  .arg(OrdinalValue(AValue))
                                  .arg(QString::fromLatin1(AProp.enumerator().name())));
        return QString::fromLatin1(key);
    }
    TIntegerType range{};
    if (IntegerType(id, range)) {
        const int64_t value = OrdinalValue(AValue);
        if (id == QMetaType::Int && DeclaredType(AClass, AProp.name()) == QLatin1String("TColor")) {
            const QString ident = ColorToIdent(static_cast<TColor>(value));
            if (!ident.isEmpty())
                return ident;
        }
        return IsUnsignedType(id) ? QString::number(static_cast<uint64_t>(value))
                                  : QString::number(value);
    }
    switch (id) {
    case QMetaType::Bool:
        return AValue.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return FloatToStoredText(AValue.toDouble());
    case QMetaType::Float:
        return FloatToStoredText(AValue.toFloat());
    case QMetaType::QString:
        return StringToStoredText(AValue.toString());
    case QMetaType::QChar:
        return StringToStoredText(QString(AValue.toChar()));
    case QMetaType::QStringList: {
        QStringList parts;
        for (const QString& s : AValue.toStringList())
            parts << StringToStoredText(s);
        return QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    default:
        return QString();
    }
}

bool IsDefaultValue(const QMetaObject& AClass, const QMetaProperty& AProp, const QVariant& AValue) {
    if (IsFloatProperty(AProp))
        return AValue.toDouble() == 0.0;
    if (const auto declared = DeclaredDefault(AClass, AProp.name())) {
        const QString text = ValueText(AClass, AProp, AValue);
        const bool ident = !text.isEmpty() && (text[0].isLetter() || text[0] == u'_');
        return text.compare(*declared, ident ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
    }
    TIntegerType range{};
    if (IntegerType(AProp.metaType().id(), range))
        return AProp.metaType().sizeOf() == 8 && OrdinalValue(AValue) == 0;
    switch (AProp.metaType().id()) {
    case QMetaType::QString:
        return AValue.toString().isEmpty();
    case QMetaType::QStringList:
        return AValue.toStringList().isEmpty();
    default:
        return false;
    }
}

// The float nearest to a number token's text; false when that is beyond
// the largest float. Reading the text as a float directly avoids rounding
// twice (through a double).
bool NumberToFloat(const TToken& AToken, float& AValue) {
    const QByteArray latin = AToken.Text.toLatin1();
    const char* first = latin.constData() + (latin.startsWith('+') ? 1 : 0);
    const char* last = latin.constData() + latin.size();
    const auto result = std::from_chars(first, last, AValue);
    if (result.ec == std::errc() && result.ptr == last)
        return true;
    // Out of range is either an overflow or a value too small for any
    // float, which becomes a signed zero.
    const double v =
        AToken.Kind == TTokenKind::tkFloat ? AToken.Float : static_cast<double>(AToken.Integer);
    // Halfway between FLT_MAX and the next power of two, and above, rounds
    // to infinity.
    const double overflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
    if (std::fabs(v) >= overflow)
        return false;
    AValue = static_cast<float>(v);
    return true;
}

// Clears a component state flag when the scope ends.
class TStateGuard {
public:
    TStateGuard(TComponent* AComponent, void (TComponent::*ASetter)(bool))
        : FComponent(AComponent), FSetter(ASetter) {
        (FComponent->*FSetter)(true);
    }
    ~TStateGuard() { (FComponent->*FSetter)(false); }
    TStateGuard(const TStateGuard&) = delete;
    TStateGuard& operator=(const TStateGuard&) = delete;

private:
    TComponent* FComponent;
    void (TComponent::*FSetter)(bool);
};

} // namespace

// ---------------------------------------------------------------- TFiler

TFiler::TFiler(TComponent* ARoot) : FRoot(ARoot) {}

TFiler::~TFiler() = default;

// ---------------------------------------------------------------- TReader

TReader::TReader(const QString& AText, TComponent* ARoot)
    : TFiler(ARoot), FLexer(std::make_unique<TStoredFormLexer>(AText)) {}

TReader::~TReader() = default;

int TReader::Line() const {
    return FLexer->Peek().Line;
}

void TReader::Error(const QString& AMessage) const {
    throw EReadError(QStringLiteral("Line %1: %2").arg(Line()).arg(AMessage));
}

namespace {

[[noreturn]] void ErrorAt(int ALine, const QString& AMessage) {
    throw EReadError(QStringLiteral("Line %1: %2").arg(ALine).arg(AMessage));
}

} // namespace

namespace {

constexpr int MaxNesting = 200;

// Counts one level of nesting for the lifetime of the scope.
class TDepthGuard {
public:
    explicit TDepthGuard(int& ADepth) : FDepth(ADepth) { ++FDepth; }
    ~TDepthGuard() { --FDepth; }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;

private:
    int& FDepth;
};

} // namespace

void TReader::Enter() {
    if (FDepth >= MaxNesting)
        Error(QStringLiteral("Nesting deeper than %1 levels").arg(MaxNesting));
}

void TReader::Expect(char ASymbol) {
    if (!FLexer->IsSymbol(ASymbol))
        Error(QStringLiteral("'%1' expected but %2 found")
                  .arg(QChar::fromLatin1(ASymbol))
                  .arg(TokenDescription(FLexer->Peek())));
    FLexer->Next();
}

bool TReader::AtKeyword(const char* AKeyword) {
    const TToken& t = FLexer->Peek();
    return t.Kind == TTokenKind::tkIdent && SameText(t.Text, AKeyword);
}

namespace {

// "object", "inherited" or "inline", or null.
const char* BlockKeyword(const TToken& AToken) {
    if (AToken.Kind != TTokenKind::tkIdent)
        return nullptr;
    for (const char* keyword : {"object", "inherited", "inline"})
        if (SameText(AToken.Text, keyword))
            return keyword;
    return nullptr;
}

// True when AComponent is of the class named AClassName or derives from it.
bool IsOfClass(const TComponent* AComponent, const QString& AClassName) {
    for (const QMetaObject* m = AComponent->metaObject(); m; m = m->superClass())
        if (AClassName == QLatin1String(m->className()))
            return true;
    return false;
}

} // namespace

TReader::THeader TReader::ReadHeader() {
    THeader header;
    header.Line = Line();
    header.Keyword = BlockKeyword(FLexer->Peek());
    FLexer->Next();
    // "object Name: Class", "object Class" (no name) or "object : Class".
    if (FLexer->IsSymbol(':')) {
        FLexer->Next();
        header.ClassName = ReadIdent();
    } else {
        const QString first = ReadIdent();
        if (FLexer->IsSymbol(':')) {
            FLexer->Next();
            header.Name = first;
            header.ClassName = ReadIdent();
        } else {
            header.ClassName = first;
        }
    }
    if (FLexer->IsSymbol('[')) {
        FLexer->Next();
        const TToken& t = FLexer->Peek();
        if (t.Kind != TTokenKind::tkInteger)
            Error(QStringLiteral("Child order expected in '[...]' but %1 found")
                      .arg(TokenDescription(t)));
        header.Order = t.Unsigned || t.Integer < 0 ? -1 : t.Integer;
        header.HasOrder = true;
        header.OrderText = t.Text;
        FLexer->Next();
        Expect(']');
    }
    return header;
}

void TReader::ReadRootComponent() {
    try {
        if (!BlockKeyword(FLexer->Peek()))
            Error(QStringLiteral("'object' expected but %1 found")
                      .arg(TokenDescription(FLexer->Peek())));
        const THeader header = ReadHeader();
        if (header.ClassName != FRoot->ClassName())
            ErrorAt(header.Line, QStringLiteral("Class %1 does not match the class %2 being read")
                                     .arg(header.ClassName, FRoot->ClassName()));
        if (header.HasOrder)
            ErrorAt(header.Line,
                    QStringLiteral("The root has no child order '[%1]'").arg(header.OrderText));
        FRoot->SetLoading(true);
        try {
            FRoot->SetName(header.Name);
        } catch (const EComponentError& e) {
            ErrorAt(header.Line, e.Message());
        }
        if (qstrcmp(header.Keyword, "inherited") == 0)
            FRoot->SetAncestor(true);
        FLoaded.emplace_back(FRoot);
        FCurrent = FRoot;
        FOwner = FRoot->Owner();
        FParent = nullptr;
        FScope = FRoot;
        {
            TStateGuard reading(FRoot, &TComponent::SetReading);
            FRoot->ReadState(*this);
        }
        if (FLexer->Peek().Kind != TTokenKind::tkEOF)
            Error(QStringLiteral("Text after the final 'end': %1")
                      .arg(TokenDescription(FLexer->Peek())));
        ResolveFixups();
        for (const QPointer<TComponent>& c : FLoaded)
            if (c)
                c->Loaded();
    } catch (...) {
        FFixups.clear();
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
            if (*it)
                TPersistent::Free(it->data());
        FCreated.clear();
        // Components that existed before (the ancestor's) stay, not loading.
        for (const QPointer<TComponent>& c : FLoaded)
            if (c)
                c->SetLoading(false);
        FLoaded.clear();
        FRoot->SetReading(false);
        FRoot->SetLoading(false);
        throw;
    }
}

void TReader::ReadData(TComponent* AComponent) {
    TComponent* const savedCurrent = FCurrent;
    FCurrent = AComponent;
    while (!AtKeyword("end") && !BlockKeyword(FLexer->Peek())) {
        if (FLexer->Peek().Kind == TTokenKind::tkEOF)
            Error(QStringLiteral("Unexpected end of text: 'end' of %1 expected")
                      .arg(AComponent->GetName()));
        ReadProperty(AComponent);
    }
    std::vector<TChildOrder> orders;
    while (!AtKeyword("end")) {
        if (FLexer->Peek().Kind == TTokenKind::tkEOF)
            Error(QStringLiteral("Unexpected end of text: 'end' of %1 expected")
                      .arg(AComponent->GetName()));
        ReadComponent(orders);
    }
    ApplyChildOrders(orders);
    FLexer->Next();
    FCurrent = savedCurrent;
}

void TReader::ApplyChildOrders(std::vector<TChildOrder>& AOrders) {
    // Applied once every sibling is read, lowest place first, so that each
    // child ends where its suffix says.
    std::stable_sort(AOrders.begin(), AOrders.end(),
                     [](const TChildOrder& A, const TChildOrder& B) { return A.Order < B.Order; });
    for (const TChildOrder& order : AOrders) {
        if (!order.Parent || !order.Child)
            continue;
        int64_t count = 0;
        order.Parent->GetChildren([&count](TComponent*) { ++count; }, FScope);
        if (order.Order < 0 || order.Order >= count)
            ErrorAt(order.Line,
                    QStringLiteral("Child order [%1] of %2 out of range: %3 has %4 children")
                        .arg(order.Order < 0 ? QStringLiteral("negative")
                                             : QString::number(order.Order))
                        .arg(order.Child->GetName(), order.Parent->GetName())
                        .arg(count));
        order.Parent->SetChildOrder(order.Child, static_cast<int>(order.Order));
    }
}

void TReader::ReadComponent(std::vector<TChildOrder>& AOrders) {
    Enter();
    const TDepthGuard depth(FDepth);
    if (!BlockKeyword(FLexer->Peek()))
        Error(QStringLiteral("'object' or 'end' expected but %1 found")
                  .arg(TokenDescription(FLexer->Peek())));
    const THeader header = ReadHeader();
    const int line = header.Line;
    const bool isInherited = qstrcmp(header.Keyword, "inherited") == 0;
    const bool isInline = qstrcmp(header.Keyword, "inline") == 0;
    if (isInherited && header.Name.isEmpty())
        ErrorAt(line, QStringLiteral("'inherited' needs the name of the component it applies to"));

    TComponent* const parent = FCurrent;
    TComponent* owner = parent->GetChildOwner();
    if (!owner)
        owner = FScope;
    TComponent* const childParent = parent->GetChildParent();
    // 'inherited' and 'inline' apply to the component of that name when the
    // owner's class created it already, and create it when there is none.
    TComponent* component = (isInherited || isInline) && !header.Name.isEmpty()
                                ? owner->FindComponent(header.Name)
                                : nullptr;
    if (component) {
        if (!IsOfClass(component, header.ClassName))
            ErrorAt(line, QStringLiteral("Component %1 is a %2, not a %3")
                              .arg(header.Name, component->ClassName(), header.ClassName));
        if (std::find(FLoaded.begin(), FLoaded.end(), QPointer<TComponent>(component)) ==
            FLoaded.end())
            FLoaded.emplace_back(component);
        component->SetLoading(true);
    } else {
        const TComponentFactory factory = GetComponentClass(header.ClassName);
        if (!factory)
            ErrorAt(line, QStringLiteral("Class %1 not found").arg(header.ClassName));
        try {
            component = factory(owner);
            FCreated.emplace_back(component);
            component->SetLoading(true);
            component->SetName(header.Name);
            component->SetParentComponent(childParent);
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            ErrorAt(line, e.Message());
        }
        FLoaded.emplace_back(component);
    }
    if (isInherited)
        component->SetAncestor(true);
    if (isInline)
        component->SetInline(true);
    if (header.HasOrder)
        AOrders.push_back({childParent, component, header.Order, line});

    TComponent* const savedOwner = FOwner;
    TComponent* const savedParent = FParent;
    TComponent* const savedScope = FScope;
    FOwner = owner;
    FParent = childParent;
    if (isInline)
        FScope = component;
    {
        TStateGuard reading(component, &TComponent::SetReading);
        component->ReadState(*this);
    }
    FOwner = savedOwner;
    FParent = savedParent;
    FScope = savedScope;
}

void TReader::ReadProperties(TPersistent* AInstance) {
    while (!AtKeyword("end")) {
        if (FLexer->Peek().Kind == TTokenKind::tkEOF)
            Error(QStringLiteral("Unexpected end of text: 'end' expected"));
        ReadProperty(AInstance);
    }
    FLexer->Next();
}

void TReader::ReadProperty(TPersistent* AInstance) {
    const int line = Line();
    if (FLexer->Peek().Kind != TTokenKind::tkIdent)
        Error(QStringLiteral("Property name expected but %1 found")
                  .arg(TokenDescription(FLexer->Peek())));
    const QString path = FLexer->Next().Text;
    Expect('=');
    try {
        const QStringList parts = path.split(u'.');
        QObject* instance = AInstance;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            const QMetaProperty prop = FindPublishedProperty(*instance->metaObject(), parts[i]);
            if (!prop.isValid())
                ErrorAt(line, QStringLiteral("Property %1 does not exist in %2")
                                  .arg(parts[i],
                                       QString::fromLatin1(instance->metaObject()->className())));
            QObject* sub = IsObjectProperty(prop) ? prop.read(instance).value<QObject*>() : nullptr;
            if (!sub)
                ErrorAt(line, QStringLiteral("Property %1 of %2 holds no object")
                                  .arg(parts[i],
                                       QString::fromLatin1(instance->metaObject()->className())));
            instance = sub;
        }
        const QString name = parts.last();
        const QMetaProperty prop = FindPublishedProperty(*instance->metaObject(), name);
        if (prop.isValid()) {
            ReadPropValue(instance, prop);
            return;
        }
        auto* persistent = qobject_cast<TPersistent*>(instance);
        FPropName = name;
        FPropHandled = false;
        if (persistent)
            persistent->DefineProperties(*this);
        const bool handled = FPropHandled;
        FPropName.clear();
        if (!handled)
            ErrorAt(line, QStringLiteral("Property %1 does not exist in %2")
                              .arg(path, QString::fromLatin1(instance->metaObject()->className())));
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        ErrorAt(line, QStringLiteral("Property %1: %2").arg(path, e.Message()));
    }
}

void TReader::DefineProperty(const QString& AName, const TReaderProc& AReadData, const TWriterProc&,
                             bool) {
    if (FPropHandled || !AReadData || AName.compare(FPropName, Qt::CaseInsensitive) != 0)
        return;
    FPropHandled = true;
    AReadData(*this);
}

void TReader::DefineBinaryProperty(const QString& AName, const TStreamProc& AReadData,
                                   const TStreamProc&, bool) {
    if (FPropHandled || !AReadData || AName.compare(FPropName, Qt::CaseInsensitive) != 0)
        return;
    FPropHandled = true;
    if (FLexer->Peek().Kind != TTokenKind::tkBinary)
        Error(QStringLiteral("Binary data '{ ... }' expected for property %1 but %2 found")
                  .arg(AName, TokenDescription(FLexer->Peek())));
    const int line = Line();
    QByteArray bytes = FLexer->Next().Bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    try {
        AReadData(device);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        ErrorAt(line, QStringLiteral("Property %1: %2").arg(AName, e.Message()));
    }
}

void TReader::ReadPropValue(QObject* AInstance, const QMetaProperty& AProp) {
    const int line = Line();
    const QString propName = QString::fromLatin1(AProp.name());
    auto invalid = [&](const QString& AExpected) {
        Error(QStringLiteral("Invalid value for property %1: %2 expected but %3 found")
                  .arg(propName, AExpected, TokenDescription(FLexer->Peek())));
    };
    if (IsObjectProperty(AProp)) {
        const QMetaObject* cls = PropertyClass(AProp);
        if (FLexer->IsSymbol('<')) {
            auto* collection = qobject_cast<TCollection*>(AProp.read(AInstance).value<QObject*>());
            if (!collection)
                invalid(QStringLiteral("a value that is not a collection"));
            ReadCollection(collection);
            return;
        }
        if (!cls || !cls->inherits(&TComponent::staticMetaObject))
            ErrorAt(line, QStringLiteral(
                              "Property %1 is an object: its own properties are stored instead")
                              .arg(propName));
        if (FLexer->Peek().Kind != TTokenKind::tkIdent)
            invalid(QStringLiteral("a component name"));
        if (!AProp.isWritable())
            ErrorAt(line, QStringLiteral("Property %1 is read-only").arg(propName));
        const QString name = FLexer->Next().Text;
        if (SameText(name, "nil"))
            AProp.write(AInstance, QVariant::fromValue<QObject*>(nullptr));
        else
            FFixups.push_back({AInstance, AProp.propertyIndex(), name, line, FScope});
        return;
    }
    if (!AProp.isWritable())
        ErrorAt(line, QStringLiteral("Property %1 is read-only").arg(propName));

    const QMetaType type = AProp.metaType();
    const int id = type.id();
    QVariant value;
    TIntegerType range{};
    if (AProp.isFlagType()) {
        if (!FLexer->IsSymbol('['))
            invalid(QStringLiteral("a set"));
        FLexer->Next();
        int64_t bits = 0;
        while (!FLexer->IsSymbol(']')) {
            if (FLexer->Peek().Kind != TTokenKind::tkIdent)
                invalid(QStringLiteral("a value of %1")
                            .arg(QString::fromLatin1(AProp.enumerator().name())));
            bool ok = false;
            const QString key = FLexer->Peek().Text;
            const int v = AProp.enumerator().keyToValue(key.toLatin1().constData(), &ok);
            if (!ok)
                invalid(QStringLiteral("a value of %1")
                            .arg(QString::fromLatin1(AProp.enumerator().name())));
            bits |= v;
            FLexer->Next();
            if (FLexer->IsSymbol(','))
                FLexer->Next();
            else if (!FLexer->IsSymbol(']'))
                invalid(QStringLiteral("',' or ']'"));
        }
        FLexer->Next();
        value = OrdinalVariant(type, bits);
    } else if (AProp.isEnumType()) {
        bool ok = false;
        const TToken& t = FLexer->Peek();
        const int v = t.Kind == TTokenKind::tkIdent
                          ? AProp.enumerator().keyToValue(t.Text.toLatin1().constData(), &ok)
                          : 0;
        if (!ok)
            invalid(QStringLiteral("a value of %1")
                        .arg(QString::fromLatin1(AProp.enumerator().name())));
        FLexer->Next();
        value = OrdinalVariant(type, v);
    } else if (IntegerType(id, range)) {
        const TToken& t = FLexer->Peek();
        int64_t v = 0;
        TColor color = 0;
        if (t.Kind == TTokenKind::tkIdent && id == QMetaType::Int && IdentToColor(t.Text, color)) {
            v = color;
        } else if (t.Kind == TTokenKind::tkInteger) {
            const bool negative = !t.Unsigned && t.Integer < 0;
            const bool fits =
                negative ? t.Integer >= range.Min : static_cast<uint64_t>(t.Integer) <= range.Max;
            if (!fits)
                ErrorAt(
                    line,
                    QStringLiteral("Value %1 out of range for property %2").arg(t.Text, propName));
            v = t.Integer;
        } else {
            invalid(QStringLiteral("an integer"));
        }
        FLexer->Next();
        value = OrdinalVariant(type, v);
    } else {
        switch (id) {
        case QMetaType::Bool: {
            const TValueType vt = NextValue();
            if (vt != TValueType::vaTrue && vt != TValueType::vaFalse)
                invalid(QStringLiteral("True or False"));
            value = ReadBoolean();
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float: {
            const TValueType vt = NextValue();
            if (vt != TValueType::vaFloat && vt != TValueType::vaInt)
                invalid(QStringLiteral("a number"));
            const TToken number = FLexer->Peek();
            const double v = ReadFloat();
            if (id == QMetaType::Float) {
                // The text is rounded to the nearest float once; it is out of
                // range only when that is infinite (FLT_MAX's shortest text,
                // 3.4028235e+38, lies above FLT_MAX but rounds to it).
                float single = 0.0f;
                if (!std::isfinite(v)) {
                    single = static_cast<float>(v);
                } else if (!NumberToFloat(number, single)) {
                    ErrorAt(line, QStringLiteral("Value %1 out of range for property %2")
                                      .arg(number.Text, propName));
                }
                value = single;
            } else {
                value = v;
            }
            break;
        }
        case QMetaType::QString:
            if (FLexer->Peek().Kind != TTokenKind::tkString)
                invalid(QStringLiteral("a string"));
            value = FLexer->Next().Text;
            break;
        case QMetaType::QChar:
            if (FLexer->Peek().Kind != TTokenKind::tkString || FLexer->Peek().Text.size() != 1)
                invalid(QStringLiteral("a string of one character"));
            value = QVariant::fromValue(FLexer->Next().Text.at(0));
            break;
        case QMetaType::QStringList: {
            if (!FLexer->IsSymbol('('))
                invalid(QStringLiteral("a list of strings"));
            FLexer->Next();
            QStringList list;
            while (!FLexer->IsSymbol(')')) {
                if (FLexer->Peek().Kind != TTokenKind::tkString)
                    invalid(QStringLiteral("a string or ')'"));
                list << FLexer->Next().Text;
            }
            FLexer->Next();
            value = list;
            break;
        }
        default:
            ErrorAt(line, QStringLiteral("Property %1 has a type that cannot be stored (%2)")
                              .arg(propName, QString::fromLatin1(type.name())));
        }
    }
    if (!AProp.write(AInstance, value))
        ErrorAt(line, QStringLiteral("Cannot set property %1").arg(propName));
}

void TReader::ReadCollection(TCollection* ACollection) {
    Enter();
    const TDepthGuard depth(FDepth);
    Expect('<');
    ACollection->BeginUpdate();
    try {
        ACollection->Clear();
        while (!FLexer->IsSymbol('>')) {
            if (!AtKeyword("item"))
                Error(QStringLiteral("'item' or '>' expected but %1 found")
                          .arg(TokenDescription(FLexer->Peek())));
            FLexer->Next();
            ReadProperties(ACollection->Add());
        }
        FLexer->Next();
    } catch (...) {
        ACollection->EndUpdate();
        throw;
    }
    ACollection->EndUpdate();
}

void TReader::ResolveFixups() {
    // A name is looked up in the scope it was read in (an embedded frame),
    // then from the root.
    auto find = [](TComponent* AScope, const QStringList& AParts) {
        TComponent* target = AScope;
        for (qsizetype i = 0; i < AParts.size() && target; ++i) {
            TComponent* found = target->FindComponent(AParts[i]);
            if (!found && i == 0 && AScope->GetName().compare(AParts[i], Qt::CaseInsensitive) == 0)
                found = AScope;
            target = found;
        }
        return target;
    };
    for (const TFixup& fixup : FFixups) {
        if (!fixup.Instance)
            continue;
        const QStringList parts = fixup.Name.split(u'.');
        TComponent* target =
            fixup.Scope && fixup.Scope != FRoot ? find(fixup.Scope, parts) : nullptr;
        if (!target)
            target = find(FRoot, parts);
        if (!target)
            ErrorAt(fixup.Line, QStringLiteral("Component %1 not found").arg(fixup.Name));
        const QMetaProperty prop = fixup.Instance->metaObject()->property(fixup.PropertyIndex);
        const QMetaObject* cls = PropertyClass(prop);
        if (!cls || !target->metaObject()->inherits(cls) ||
            !prop.write(fixup.Instance, QVariant::fromValue<QObject*>(target)))
            ErrorAt(fixup.Line, QStringLiteral("Component %1 cannot be stored in property %2")
                                    .arg(fixup.Name, QString::fromLatin1(prop.name())));
    }
    FFixups.clear();
}

TValueType TReader::NextValue() {
    const TToken& t = FLexer->Peek();
    switch (t.Kind) {
    case TTokenKind::tkEOF:
        return TValueType::vaNull;
    case TTokenKind::tkInteger:
        return TValueType::vaInt;
    case TTokenKind::tkFloat:
        return TValueType::vaFloat;
    case TTokenKind::tkString:
        return TValueType::vaString;
    case TTokenKind::tkBinary:
        return TValueType::vaBinary;
    case TTokenKind::tkError:
        return TValueType::vaNull;
    case TTokenKind::tkIdent:
        if (SameText(t.Text, "True"))
            return TValueType::vaTrue;
        if (SameText(t.Text, "False"))
            return TValueType::vaFalse;
        if (SameText(t.Text, "nil"))
            return TValueType::vaNil;
        if (SameText(t.Text, "NaN") || SameText(t.Text, "Inf"))
            return TValueType::vaFloat;
        return TValueType::vaIdent;
    case TTokenKind::tkSymbol:
        switch (t.Symbol) {
        case u'(':
            return TValueType::vaList;
        case u'<':
            return TValueType::vaCollection;
        case u'[':
            return TValueType::vaSet;
        default:
            return TValueType::vaNull;
        }
    }
    return TValueType::vaNull;
}

void TReader::ReadListBegin() {
    Expect('(');
}

void TReader::ReadListEnd() {
    Expect(')');
}

bool TReader::EndOfList() {
    if (FLexer->Peek().Kind == TTokenKind::tkEOF)
        Error(QStringLiteral("Unexpected end of text: ')' expected"));
    return FLexer->IsSymbol(')');
}

int64_t TReader::ReadInt64() {
    const TToken& t = FLexer->Peek();
    if (t.Kind != TTokenKind::tkInteger || t.Unsigned)
        Error(QStringLiteral("Integer expected but %1 found").arg(TokenDescription(t)));
    return FLexer->Next().Integer;
}

int32_t TReader::ReadInteger() {
    const TToken& t = FLexer->Peek();
    if (t.Kind == TTokenKind::tkInteger && !t.Unsigned &&
        (t.Integer < INT32_MIN || t.Integer > INT32_MAX))
        Error(QStringLiteral("Integer %1 out of range").arg(t.Text));
    return static_cast<int32_t>(ReadInt64());
}

double TReader::ReadFloat() {
    const TToken& t = FLexer->Peek();
    double value = 0.0;
    if (t.Kind == TTokenKind::tkFloat)
        value = t.Float;
    else if (t.Kind == TTokenKind::tkInteger)
        value = t.Unsigned ? static_cast<double>(static_cast<uint64_t>(t.Integer))
                           : static_cast<double>(t.Integer);
    else if (t.Kind == TTokenKind::tkIdent && SameText(t.Text, "NaN"))
        value = std::numeric_limits<double>::quiet_NaN();
    else if (t.Kind == TTokenKind::tkIdent && SameText(t.Text, "Inf"))
        value = std::numeric_limits<double>::infinity();
    else
        Error(QStringLiteral("Number expected but %1 found").arg(TokenDescription(t)));
    FLexer->Next();
    return value;
}

QString TReader::ReadString() {
    if (FLexer->Peek().Kind != TTokenKind::tkString)
        Error(QStringLiteral("String expected but %1 found").arg(TokenDescription(FLexer->Peek())));
    return FLexer->Next().Text;
}

QString TReader::ReadIdent() {
    if (FLexer->Peek().Kind != TTokenKind::tkIdent)
        Error(QStringLiteral("Identifier expected but %1 found")
                  .arg(TokenDescription(FLexer->Peek())));
    return FLexer->Next().Text;
}

bool TReader::ReadBoolean() {
    const TValueType vt = NextValue();
    if (vt != TValueType::vaTrue && vt != TValueType::vaFalse)
        Error(QStringLiteral("True or False expected but %1 found")
                  .arg(TokenDescription(FLexer->Peek())));
    FLexer->Next();
    return vt == TValueType::vaTrue;
}

void TReader::SkipValue() {
    Enter();
    const TDepthGuard depth(FDepth);
    auto skipUntil = [this](char AClose) {
        FLexer->Next();
        while (!FLexer->IsSymbol(AClose)) {
            if (FLexer->Peek().Kind == TTokenKind::tkEOF)
                Error(QStringLiteral("Unexpected end of text: '%1' expected")
                          .arg(QLatin1Char(AClose)));
            if (AClose == '>') {
                if (!AtKeyword("item"))
                    Error(QStringLiteral("'item' or '>' expected but %1 found")
                              .arg(TokenDescription(FLexer->Peek())));
                FLexer->Next();
                while (!AtKeyword("end")) {
                    if (FLexer->Peek().Kind != TTokenKind::tkIdent)
                        Error(QStringLiteral("Property name expected but %1 found")
                                  .arg(TokenDescription(FLexer->Peek())));
                    FLexer->Next();
                    Expect('=');
                    SkipValue();
                }
                FLexer->Next();
            } else if (AClose == ']') {
                FLexer->Next();
            } else {
                SkipValue();
            }
        }
        FLexer->Next();
    };
    switch (NextValue()) {
    case TValueType::vaList:
        skipUntil(')');
        break;
    case TValueType::vaCollection:
        skipUntil('>');
        break;
    case TValueType::vaSet:
        skipUntil(']');
        break;
    case TValueType::vaNull:
        Error(QStringLiteral("Value expected but %1 found").arg(TokenDescription(FLexer->Peek())));
    default:
        FLexer->Next();
        break;
    }
}

// ---------------------------------------------------------------- TWriter

TWriter::TWriter(TComponent* ARoot) : TFiler(ARoot) {}

TWriter::~TWriter() = default;

QString TWriter::WriteRootComponent() {
    FText.clear();
    WriteComponent(FRoot, -1);
    FText += u'\n';
    return FText;
}

void TWriter::NewLine() {
    if (!FText.isEmpty())
        FText += u'\n';
    FText += QString(2 * FIndent, u' ');
    FNeedSpace = false;
}

void TWriter::WriteToken(const QString& AText) {
    if (FNeedSpace)
        FText += u' ';
    FText += AText;
    FNeedSpace = true;
}

void TWriter::WritePropName(const QString& AName) {
    NewLine();
    FText += AName;
    FText += QStringLiteral(" =");
    FNeedSpace = true;
}

void TWriter::WriteComponent(TComponent* AComponent, int AOrder) {
    TStateGuard writing(AComponent, &TComponent::SetWriting);
    NewLine();
    const TComponentState state = AComponent->ComponentState();
    FText += state.testFlag(csInline)     ? QStringLiteral("inline ")
             : state.testFlag(csAncestor) ? QStringLiteral("inherited ")
                                          : QStringLiteral("object ");
    if (!AComponent->GetName().isEmpty())
        FText += AComponent->GetName() + QStringLiteral(": ");
    FText += AComponent->ClassName();
    // Created before reading, such a component takes its place from the
    // suffix, not from where its block stands.
    if (state.testFlag(csAncestor) && AOrder >= 0)
        FText += QStringLiteral(" [%1]").arg(AOrder);
    ++FIndent;
    // An embedded frame is the scope of its own references and stores the
    // components it owns, as a root does.
    TComponent* const savedScope = FScope;
    if (!FScope || state.testFlag(csInline))
        FScope = AComponent;
    const QString savedPrefix = FPrefix;
    FPrefix.clear();
    WriteProperties(AComponent);
    FPrefix = savedPrefix;
    int order = 0;
    AComponent->GetChildren([this, &order](TComponent* AChild) { WriteComponent(AChild, order++); },
                            FScope);
    FScope = savedScope;
    --FIndent;
    NewLine();
    FText += QStringLiteral("end");
}

void TWriter::WriteProperties(TPersistent* AInstance) {
    const bool isComponent = qobject_cast<TComponent*>(AInstance) != nullptr;
    for (const QMetaProperty& prop : PublishedProperties(*AInstance->metaObject())) {
        if (!prop.isStored() || (isComponent && qstrcmp(prop.name(), "Name") == 0))
            continue;
        WriteProperty(AInstance, prop);
    }
    AInstance->DefineProperties(*this);
}

void TWriter::WriteProperty(TPersistent* AInstance, const QMetaProperty& AProp) {
    const QString name = FPrefix + QString::fromLatin1(AProp.name());
    if (IsObjectProperty(AProp)) {
        QObject* value = AProp.read(AInstance).value<QObject*>();
        if (auto* collection = qobject_cast<TCollection*>(value)) {
            WritePropName(name);
            WriteCollection(collection);
        } else if (auto* component = qobject_cast<TComponent*>(value)) {
            if (AProp.isWritable()) {
                WritePropName(name);
                WriteToken(ReferenceName(component));
            }
        } else if (auto* sub = qobject_cast<TPersistent*>(value)) {
            const QString savedPrefix = FPrefix;
            FPrefix = name + u'.';
            WriteProperties(sub);
            FPrefix = savedPrefix;
        }
        return;
    }
    if (!AProp.isWritable())
        return;
    const QVariant value = AProp.read(AInstance);
    if (IsDefaultValue(*AInstance->metaObject(), AProp, value))
        return;
    QString text;
    if (AProp.metaType().id() == QMetaType::QString) {
        text = StringText(value.toString());
    } else if (AProp.metaType().id() == QMetaType::QStringList) {
        QStringList parts;
        for (const QString& item : value.toStringList())
            parts << StringText(item);
        text = QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
    } else {
        text = ValueText(*AInstance->metaObject(), AProp, value);
    }
    if (text.isEmpty())
        throw EWriteError(
            QStringLiteral("Property %1 of %2 has a type that cannot be stored (%3)")
                .arg(name, AInstance->ClassName(), QString::fromLatin1(AProp.metaType().name())));
    WritePropName(name);
    WriteToken(text);
}

void TWriter::WriteCollection(TCollection* ACollection) {
    WriteToken(QStringLiteral("<"));
    ++FIndent;
    const QString savedPrefix = FPrefix;
    FPrefix.clear();
    for (int i = 0; i < ACollection->Count(); ++i) {
        NewLine();
        FText += QStringLiteral("item");
        ++FIndent;
        WriteProperties(ACollection->Items(i));
        --FIndent;
        NewLine();
        FText += QStringLiteral("end");
    }
    FPrefix = savedPrefix;
    --FIndent;
    FText += u'>';
    FNeedSpace = true;
}

QString TWriter::ReferenceName(TComponent* AComponent) const {
    QStringList path;
    for (TComponent* c = AComponent; c && c != FRoot; c = c->Owner())
        path.prepend(c->GetName());
    if (path.isEmpty())
        return AComponent->GetName();
    // Inside an embedded frame the reader looks a name up in the frame
    // first: a name the frame uses for another component is given from
    // the root's name instead.
    if (FScope && FScope != FRoot && !FRoot->GetName().isEmpty()) {
        TComponent* shadow = FScope->FindComponent(path[0]);
        if (!shadow && FScope->GetName().compare(path[0], Qt::CaseInsensitive) == 0)
            shadow = FScope;
        for (qsizetype i = 1; i < path.size() && shadow; ++i)
            shadow = shadow->FindComponent(path[i]);
        if (shadow && shadow != AComponent)
            path.prepend(FRoot->GetName());
    }
    return path.join(u'.');
}

void TWriter::DefineProperty(const QString& AName, const TReaderProc&,
                             const TWriterProc& AWriteData, bool AHasData) {
    if (!AHasData || !AWriteData)
        return;
    WritePropName(FPrefix + AName);
    AWriteData(*this);
}

void TWriter::DefineBinaryProperty(const QString& AName, const TStreamProc&,
                                   const TStreamProc& AWriteData, bool AHasData) {
    if (!AHasData || !AWriteData)
        return;
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    AWriteData(device);
    if (bytes.size() > MaxStoredBinarySize)
        throw EWriteError(
            QStringLiteral("Property %1 holds %2 bytes, more than the %3 a stored form takes")
                .arg(FPrefix + AName)
                .arg(bytes.size())
                .arg(MaxStoredBinarySize));
    WritePropName(FPrefix + AName);
    WriteBinary(bytes);
}

void TWriter::WriteBinary(const QByteArray& AValue) {
    constexpr qsizetype BytesPerLine = 32;
    WriteToken(QStringLiteral("{"));
    ++FIndent;
    for (qsizetype i = 0; i < AValue.size(); i += BytesPerLine) {
        NewLine();
        FText += QString::fromLatin1(AValue.mid(i, BytesPerLine).toHex().toUpper());
    }
    --FIndent;
    FText += u'}';
    FNeedSpace = true;
}

void TWriter::WriteListBegin() {
    WriteToken(QStringLiteral("("));
    FNeedSpace = false;
}

void TWriter::WriteListEnd() {
    FText += u')';
    FNeedSpace = true;
}

void TWriter::WriteInteger(int64_t AValue) {
    WriteToken(QString::number(AValue));
}

void TWriter::WriteFloat(double AValue) {
    WriteToken(FloatToStoredText(AValue));
}

void TWriter::WriteString(const QString& AValue) {
    WriteToken(StringText(AValue));
}

QString TWriter::StringText(const QString& AValue) const {
    // Pieces of at most 64 code units (a surrogate pair is never cut), one
    // per line, joined with '+' as the reader takes them.
    constexpr qsizetype PieceLength = 64;
    if (AValue.size() <= PieceLength)
        return StringToStoredText(AValue);
    const QString joint = QStringLiteral(" +\n") + QString(2 * (FIndent + 1), u' ');
    QString text;
    qsizetype start = 0;
    while (start < AValue.size()) {
        qsizetype length = std::min(PieceLength, AValue.size() - start);
        if (start + length < AValue.size() && AValue[start + length - 1].isHighSurrogate() &&
            AValue[start + length].isLowSurrogate())
            --length;
        if (start > 0)
            text += joint;
        text += StringToStoredText(AValue.mid(start, length));
        start += length;
    }
    return text;
}

void TWriter::WriteIdent(const QString& AValue) {
    WriteToken(AValue);
}

void TWriter::WriteBoolean(bool AValue) {
    WriteToken(AValue ? QStringLiteral("True") : QStringLiteral("False"));
}
