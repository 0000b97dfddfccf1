#include "platform/Exceptions.h"

Exception::Exception(QString AMessage) : FMessage(std::move(AMessage)), FUtf8(FMessage.toStdString()) {}

Exception::~Exception() = default;

void ListIndexError(long long AIndex) {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(AIndex));
}

void AssignError(const char* ASourceClass, const char* ADestClass) {
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                            .arg(QString::fromLatin1(ASourceClass ? ASourceClass : "nil"),
                                 QString::fromLatin1(ADestClass)));
}
