#include "pins/streams/KvStreamTypesConverters.h"

#include <cmath>

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include "buffers/KvBlockBuffer.h"
#include "buffers/KvRealBuffer.h"
#include "buffers/KvRealMatrixBuffer.h"
#include "pins/streams/JwStdTypesOperations.h"
#include "pins/streams/KvStreamTypesOperations.h"

namespace {

template <class TOp> TOp* As(const TJwNotifyOperationPtr& AOperation) {
    return dynamic_cast<TOp*>(AOperation->Instance());
}

TJwNotifyOperationPtr Buffer(const TKvDataPtr& ABuffer) {
    return TJwNotifyOperationPtr(new TJwSuppliedBufferOperation(ABuffer));
}

TJwNotifyOperationPtr Text(const QString& AText) {
    return TJwNotifyOperationPtr(new TJwSuppliedStringOperation(AText));
}

// The same data viewed as a block of bytes, without a copy.
TJwNotifyOperationPtr AsBlock(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedBufferOperation>(AOperation))
        return Buffer(TKvDataPtr(TKvBlockBuffer::CreateUniversal(Op->GetBuffer()).get()));
    return AOperation;
}

} // namespace

TJwNotifyOperationPtr
TKvJwIntToBinaryFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    return AsBlock(AOperation);
}

TJwNotifyOperationPtr
TKvJwRealToBinaryFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    return AsBlock(AOperation);
}

TJwNotifyOperationPtr
TKvJwComplexToBinaryFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    return AsBlock(AOperation);
}

TJwNotifyOperationPtr
TKvJwIntToRealFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedBufferOperation>(AOperation);
    TIntfPtr<IKvIntegerBuffer> Integers;
    if (!Op || !Supports(Op->GetBuffer(), Integers))
        return AOperation;
    return Buffer(
        TKvDataPtr(TKvRealBuffer::CreateIntegerData(Integers->Read(), Integers->GetSize()).get()));
}

TJwNotifyOperationPtr
TKvJwRealToRealMatrixFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedBufferOperation>(AOperation))
        return Buffer(TKvDataPtr(TKvRealMatrixBuffer::CreateUniversal(Op->GetBuffer()).get()));
    return AOperation;
}

TJwNotifyOperationPtr
TKvJwTimeToStringFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    auto* Op = As<TJwSuppliedDateTimeOperation>(AOperation);
    if (!Op)
        return AOperation;
    // Days since 1899-12-30, the fraction being the time of day; beyond the
    // years 1..9999 there is no date to show.
    constexpr double MinDays = -693593.0;
    constexpr double MaxDays = 2958466.0;
    if (!(Op->GetValue() >= MinDays && Op->GetValue() < MaxDays))
        return Text(QString());
    // The calendar day and the wall-clock time are taken apart, so that a
    // daylight-saving change between the epoch and the date moves nothing.
    // Before the epoch the fraction still counts forward from midnight.
    constexpr qint64 MsecsPerDay = 86400000;
    const double Whole = std::trunc(Op->GetValue());
    auto Days = static_cast<qint64>(Whole);
    auto Msecs = std::llround(std::fabs(Op->GetValue() - Whole) * static_cast<double>(MsecsPerDay));
    if (Msecs >= MsecsPerDay) {
        ++Days;
        Msecs -= MsecsPerDay;
    }
    const QDateTime Local(QDate(1899, 12, 30).addDays(Days),
                          QTime::fromMSecsSinceStartOfDay(static_cast<int>(Msecs)));
    return Text(QLocale().toString(Local, QLocale::ShortFormat));
}

TJwNotifyOperationPtr
TKvJwIntegerToStringFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedIntegerOperation>(AOperation))
        return Text(QString::number(Op->GetValue()));
    return AOperation;
}

TJwNotifyOperationPtr
TKvJwRealToStringFormatConverter::Convert(const TJwNotifyOperationPtr& AOperation) {
    if (auto* Op = As<TJwSuppliedRealOperation>(AOperation))
        return Text(QString::number(Op->GetValue(), 'g', QLocale::FloatingPointShortest)
                        .replace(u'.', QLocale().decimalPoint()));
    return AOperation;
}
