#include "platform/Exceptions.h"

#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

Exception::Exception(QString AMessage)
    : FMessage(std::move(AMessage)), FUtf8(FMessage.toStdString()) {}

Exception::~Exception() = default;

void ListIndexError(long long AIndex) {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(AIndex));
}

void AssignError(const char* ASourceClass, const char* ADestClass) {
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(QString::fromLatin1(ASourceClass ? ASourceClass : "nil"),
                                 QString::fromLatin1(ADestClass)));
}

QString FormatMessage(const char* AFormat, ...) {
    // A process-wide C locale, made once; uselocale switches only this thread.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    va_list args;
    va_start(args, AFormat);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, AFormat, copy);
    va_end(copy);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), AFormat, args);
    va_end(args);
    uselocale(previous);
    return QString::fromUtf8(text.data(), length > 0 ? length : 0);
}
