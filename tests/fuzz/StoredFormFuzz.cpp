// Fuzz target for the stored-form reader: any bytes are decoded, checked
// for syntax and read into the test components. Reading either succeeds or
// raises EReadError and leaves nothing behind; a form that reads is written,
// and what is written reads back to the same text.
#include "TestComponents.h"

#include "platform/Exceptions.h"
#include "platform/StoredForm.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* AWhat, const QString& AText) {
    std::fprintf(stderr, "%s\n--- text ---\n%s\n", AWhat, AText.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    RegisterTestClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    const QByteArray bytes(reinterpret_cast<const char*>(AData), static_cast<qsizetype>(ASize));
    QString text;
    try {
        text = StoredFormTextFromBytes(bytes);
    } catch (const EReadError&) {
        // Go on with the bytes as Latin-1, so the lexer sees every character.
        text = StoredFormTextFromBytes(bytes, QStringLiteral("ISO-8859-1"));
    }
    (void)CheckStoredFormSyntax(text);

    const int live = TTestChild::Live;
    TOwned<TComponent> root;
    try {
        root = CreateComponentFromText(text);
    } catch (const EReadError&) {
        if (TTestChild::Live != live)
            Fail("a failed read left components alive", text);
        return 0;
    }
    if (!CheckStoredFormSyntax(text).empty())
        Fail("the syntax check refuses a form that reads", text);
    const QString written = ComponentToText(root.get());
    TOwned<TComponent> again;
    try {
        again = CreateComponentFromText(written);
    } catch (const EReadError& e) {
        Fail(e.what(), written);
    }
    if (ComponentToText(again.get()) != written)
        Fail("the written form reads back differently", written);
    return 0;
}
