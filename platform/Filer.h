#pragma once
// Reading and writing the stored form (see docs/stored-form.md): a text
// description of a component, the components stored inside it and their
// published property values.
//
// A class stores values beyond its published properties by overriding
// DefineProperties and declaring each one to the filer with a read and a
// write routine; the routines use the value operations below (lists,
// integers, floats, strings, identifiers, Booleans).

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QMetaProperty;
class QObject;
class TCollection;
class TComponent;
class TPersistent;
class TReader;
class TWriter;
class TStoredFormLexer;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
// Binary stored values: the reader hands the bytes over as a read-only
// device; the writer gives a device to write them to.
using TStreamProc = std::function<void(QIODevice&)>;

// The kind of the next value in a reader.
enum class TValueType {
    vaNull,
    vaList,
    vaInt,
    vaFloat,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaNil,
    vaCollection,
    vaSet,
    vaBinary
};

class TFiler {
public:
    explicit TFiler(TComponent* ARoot);
    virtual ~TFiler();
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // Declares the stored value AName. The reader calls AReadData when the
    // form holds it; the writer calls AWriteData when AHasData is true.
    virtual void DefineProperty(const QString& AName, const TReaderProc& AReadData,
                                const TWriterProc& AWriteData, bool AHasData) = 0;
    // Declares the binary stored value AName, written as { hex digits }.
    // The reader calls AReadData with the bytes when the form holds it; the
    // writer calls AWriteData when AHasData is true. A value is at most
    // MaxStoredBinarySize bytes.
    virtual void DefineBinaryProperty(const QString& AName, const TStreamProc& AReadData,
                                      const TStreamProc& AWriteData, bool AHasData) = 0;

    TComponent* Root() const { return FRoot; }

protected:
    TComponent* FRoot;
};

class TReader : public TFiler {
public:
    // Reads AText into ARoot (see ReadRootComponent).
    TReader(const QString& AText, TComponent* ARoot);
    ~TReader() override;

    // Reads the root block: its class must be ARoot's class. The components
    // stored inside are created through the class registry. After the whole
    // text is read, component references are resolved and every component
    // read gets Loaded. On any error the components created so far are
    // freed and EReadError names the line and what was wrong.
    void ReadRootComponent();

    // Reads the properties and stored children of AComponent up to its
    // "end" (TComponent::ReadState calls this).
    void ReadData(TComponent* AComponent);

    void DefineProperty(const QString& AName, const TReaderProc& AReadData,
                        const TWriterProc& AWriteData, bool AHasData) override;
    void DefineBinaryProperty(const QString& AName, const TStreamProc& AReadData,
                              const TStreamProc& AWriteData, bool AHasData) override;

    // Value operations for defined properties.
    TValueType NextValue();
    void ReadListBegin();
    void ReadListEnd();
    // True when the next token closes the current list.
    bool EndOfList();
    int32_t ReadInteger();
    int64_t ReadInt64();
    double ReadFloat();
    QString ReadString();
    QString ReadIdent();
    bool ReadBoolean();
    // Skips one value of any kind.
    void SkipValue();

    // The component whose block is being read, its owner and the parent
    // that stored it.
    TComponent* Current() const { return FCurrent; }
    TComponent* Owner() const { return FOwner; }
    TComponent* Parent() const { return FParent; }
    // Line of the next token (1-based).
    int Line() const;

    [[noreturn]] void Error(const QString& AMessage) const;

private:
    struct TFixup {
        QPointer<QObject> Instance;
        int PropertyIndex;
        QString Name;
        int Line;
        QPointer<TComponent> Scope; // the name scope the reference was read in
    };
    // A child-order suffix "[n]", applied once its parent's block is read.
    struct TChildOrder {
        QPointer<TComponent> Parent;
        QPointer<TComponent> Child;
        int64_t Order;
        int Line;
    };

    // "object Name: Class [n]" and its kin.
    struct THeader {
        const char* Keyword = nullptr; // "object", "inherited" or "inline"
        QString Name;
        QString ClassName;
        int Line = 1;
        bool HasOrder = false;
        int64_t Order = 0; // -1 for a value below 0 or above INT64_MAX
        QString OrderText;
    };

    THeader ReadHeader();
    void ReadComponent(std::vector<TChildOrder>& AOrders);
    void ApplyChildOrders(std::vector<TChildOrder>& AOrders);
    void ReadProperties(TPersistent* AInstance);
    void ReadProperty(TPersistent* AInstance);
    void ReadPropValue(QObject* AInstance, const QMetaProperty& AProp);
    void ReadCollection(TCollection* ACollection);
    void ResolveFixups();
    void Expect(char ASymbol);
    void Enter();
    bool AtKeyword(const char* AKeyword);

    std::unique_ptr<TStoredFormLexer> FLexer;
    TComponent* FCurrent = nullptr;
    TComponent* FOwner = nullptr;
    TComponent* FParent = nullptr;
    QString FPropName;
    bool FPropHandled = false;
    // Nesting of components, collections and skipped lists; bounded so that
    // a hostile text cannot exhaust the stack.
    int FDepth = 0;
    // Owner of the components read: the root, or the embedded frame whose
    // block is being read.
    TComponent* FScope = nullptr;
    std::vector<QPointer<TComponent>> FCreated;
    std::vector<QPointer<TComponent>> FLoaded;
    std::vector<TFixup> FFixups;
};

class TWriter : public TFiler {
public:
    explicit TWriter(TComponent* ARoot);
    ~TWriter() override;

    // Writes the root with its properties and children; returns the text.
    QString WriteRootComponent();

    void DefineProperty(const QString& AName, const TReaderProc& AReadData,
                        const TWriterProc& AWriteData, bool AHasData) override;
    void DefineBinaryProperty(const QString& AName, const TStreamProc& AReadData,
                              const TStreamProc& AWriteData, bool AHasData) override;

    // Value operations for defined properties.
    void WriteListBegin();
    void WriteListEnd();
    void WriteInteger(int64_t AValue);
    void WriteFloat(double AValue);
    void WriteString(const QString& AValue);
    void WriteIdent(const QString& AValue);
    void WriteBoolean(bool AValue);
    // { hex digits } over lines of at most 64 digits.
    void WriteBinary(const QByteArray& AValue);

private:
    // AOrder: the place among the children its parent stores (written as
    // "[n]" for a component the owner's class creates).
    void WriteComponent(TComponent* AComponent, int AOrder);
    // A string literal, split with '+' over lines when it is long.
    QString StringText(const QString& AValue) const;
    void WriteProperties(TPersistent* AInstance);
    void WriteProperty(TPersistent* AInstance, const QMetaProperty& AProp);
    void WriteCollection(TCollection* ACollection);
    void WritePropName(const QString& AName);
    void WriteToken(const QString& AText);
    void NewLine();
    QString ReferenceName(TComponent* AComponent) const;

    QString FText;
    QString FPrefix;
    TComponent* FScope = nullptr;
    int FIndent = 0;
    bool FNeedSpace = false;
};
