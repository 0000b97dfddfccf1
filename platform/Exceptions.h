#pragma once
// Failures are reported by raising exceptions derived from Exception, with
// the formatted messages the rest of the library and its users rely on.

#include <QString>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(QString AMessage);
    ~Exception() override;

    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

// Out-of-range access to a framework list: "List index out of bounds (%d)".
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Assign between objects that cannot copy each other: "Cannot assign a %s to a %s".
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A stored form or stream that cannot be read.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened or created.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// Resource exhaustion reported by the platform, e.g. "Not enough timers available".
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// A component name that is invalid or already taken.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// A class name that no registered class answers to: "Class %s not found".
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be created.
class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

// A stream that cannot take all the bytes written to it.
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// printf-style message text, always formatted in the C locale so numbers do
// not change with the user's locale ("Index out of range = %u").
QString FormatMessage(const char* AFormat, ...) __attribute__((format(printf, 1, 2)));

// Raises EListError for AIndex.
[[noreturn]] void ListIndexError(long long AIndex);
// Raises EConvertError naming the source class (or "nil") and the destination class.
[[noreturn]] void AssignError(const char* ASourceClass, const char* ADestClass);
