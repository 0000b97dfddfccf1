// Value and buffer pins: what receivers get, through converters and the
// send functions of the stream types.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "buffers/KvIntegerBuffer.h"
#include "buffers/KvRealBuffer.h"
#include "foundation/HxLock.h"
#include "pins/streams/KvStreamTypes.h"
#include "pins/streams/KvStreamTypesOperations.h"

namespace {

struct TOperationLog {
    std::vector<TGUID> IDs;
    std::vector<TJwNotifyOperationPtr> Operations;
    TKvJwOperationEvent Event() {
        return
            [this](TJwPin*, const TGUID& AID, uint32_t, const TJwNotifyOperationPtr& AOperation) {
                IDs.push_back(AID);
                Operations.push_back(AOperation);
            };
    }
    template <class TOp> TOp* Last() const {
        return Operations.empty() ? nullptr : dynamic_cast<TOp*>(Operations.back()->Instance());
    }
};

// A receiver of one buffer type through that type's registered send function.
class TDispatchedBufferSink : public TKvJwSinkPin {
public:
    TDispatchedBufferSink(const TGUID& AID, TKvJwOperationEvent AEvent)
        : TKvJwSinkPin(nullptr, nullptr, nullptr, std::move(AEvent)) {
        StreamType.ClearTypes();
        StreamType.AddType(AID, JwDefaultDispatcher(this));
    }
};

// Text converters: a source of AID feeding a string sink that logs what arrives.
struct TTextLink {
    TOperationLog Log;
    TOwned<TJwSourcePin> Source;
    TOwned<TKvJwSinkPin> Sink;
    explicit TTextLink(const TGUID& AID)
        : Source(MakeOwned<TJwSourcePin>(nullptr)),
          Sink(MakeOwned<TKvJwSinkPin>(nullptr, nullptr, nullptr, Log.Event())) {
        Source->StreamType.AddType(AID);
        Sink->StreamType.ClearTypes();
        Sink->StreamType.AddType(
            KvStreamTypeID::String, [this](TJwPin*, const TGUID& AType, uint32_t AState,
                                           const TJwNotifyOperationPtr& AOperation) {
                return AState & JwStateRequest ? false
                                               : Sink->DispatchData(AType, AOperation, AState);
            });
        EXPECT_TRUE(Source->Connect(Sink.get()));
    }
    QString Send(TJwNotifyOperation* AOperation) {
        Source->Notify(TJwNotifyOperationPtr(AOperation));
        auto* Text = Log.Last<TJwSuppliedStringOperation>();
        return Text ? Text->GetValue() : QStringLiteral("(nothing)");
    }
};

// Sets the process's time zone for one test and puts the old one back.
class TTimeZoneScope {
public:
    explicit TTimeZoneScope(const char* AZone)
        : FHad(qEnvironmentVariableIsSet("TZ")), FOld(qgetenv("TZ")) {
        qputenv("TZ", AZone);
        tzset();
    }
    ~TTimeZoneScope() {
        if (FHad)
            qputenv("TZ", FOld);
        else
            qunsetenv("TZ");
        tzset();
    }
    TTimeZoneScope(const TTimeZoneScope&) = delete;
    TTimeZoneScope& operator=(const TTimeZoneScope&) = delete;

private:
    bool FHad;
    QByteArray FOld;
};

// Days since 1899-12-30 plus the fraction of the day.
double DateTimeValue(QDate ADate, int AHour) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(ADate)) + AHour / 24.0;
}

TKvDataPtr RealBuffer(std::initializer_list<double> AValues) {
    return TKvDataPtr(
        TKvRealBuffer::CreateData(AValues.begin(), static_cast<uint32_t>(AValues.size())));
}

TEST(StreamPins, RealBufferSourceGivesValueSinksTheLastSample) {
    auto Source = MakeOwned<TKvJwRealSourcePin>(nullptr, true);
    auto RealSink = MakeOwned<TJwRealSinkPin>(nullptr);
    auto FloatSink = MakeOwned<TJwFloatSinkPin>(nullptr);
    int Events = 0;
    RealSink->OnData = [&](TJwValueSinkPin*) { ++Events; };
    ASSERT_TRUE(Source->Connect(RealSink.get()));
    ASSERT_TRUE(Source->Connect(FloatSink.get()));

    EXPECT_TRUE(Source->SubmitBuffer(RealBuffer({1.0, -2.0, 0.1})));
    EXPECT_EQ(RealSink->GetValue(), 0.1);
    EXPECT_EQ(FloatSink->GetValue(), 0.1f);
    EXPECT_EQ(Events, 1);
    Source->SubmitBuffer(RealBuffer({7.25}));
    EXPECT_EQ(RealSink->GetValue(), 7.25);
    // An empty buffer has no last sample: the value stays.
    Source->SubmitBuffer(RealBuffer({}));
    EXPECT_EQ(RealSink->GetValue(), 7.25);
}

TEST(StreamPins, RealBufferSourceWithoutFloatCannotFeedAValueSink) {
    auto Source = MakeOwned<TKvJwRealSourcePin>(nullptr, false);
    auto RealSink = MakeOwned<TJwRealSinkPin>(nullptr);
    EXPECT_FALSE(Source->Connect(RealSink.get()));
    EXPECT_FALSE(RealSink->IsConnected());
}

TEST(StreamPins, IntegerBuffersReachARealBufferSinkThroughTheConverter) {
    TOperationLog Log;
    auto Source = MakeOwned<TKvJwIntegerSourcePin>(nullptr);
    auto Sink = MakeOwned<TKvJwRealSinkPin>(nullptr, Log.Event());
    // A sink that takes real buffers only.
    Sink->StreamType.RemoveType(KvStreamTypeID::Universal);
    EXPECT_FALSE(Source->CanConnectTo(Sink.get(), false));
    ASSERT_TRUE(Source->Connect(Sink.get()));
    EXPECT_TRUE(Source->IsConnectedByConverterTo(Sink.get()));
    EXPECT_EQ(Sink->GetUpStreamLinkName(), QStringLiteral("Kv integer buffer"));
    EXPECT_EQ(Sink->GetDownStreamLinkName(), QStringLiteral("Kv real buffer"));

    const int32_t Values[] = {3, -40000, 2147483647};
    ASSERT_TRUE(Source->SubmitBuffer(TKvDataPtr(TKvIntegerBuffer::CreateData(Values, 3))) || true);
    auto* Op = Log.Last<TJwSuppliedBufferOperation>();
    ASSERT_NE(Op, nullptr);
    EXPECT_EQ(Log.IDs.back(), KvStreamTypeID::Real);
    TIntfPtr<IKvRealBuffer> Reals;
    ASSERT_TRUE(Supports(Op->GetBuffer(), Reals));
    ASSERT_EQ(Reals->GetSize(), 3u);
    for (int32_t I = 0; I < 3; ++I)
        EXPECT_EQ(Reals->GetItem(I), static_cast<double>(Values[I]));
}

TEST(StreamPins, StartSampleRateIsPerSampleForRealAndIntegerReceivers) {
    TOperationLog RealLog;
    TOperationLog IntegerLog;
    auto RealSource = MakeOwned<TKvJwRealSourcePin>(nullptr);
    auto IntegerSource = MakeOwned<TKvJwIntegerSourcePin>(nullptr);
    auto RealSink = MakeOwned<TDispatchedBufferSink>(KvStreamTypeID::Real, RealLog.Event());
    auto IntegerSink =
        MakeOwned<TDispatchedBufferSink>(KvStreamTypeID::Integer, IntegerLog.Event());
    ASSERT_TRUE(RealSource->Connect(RealSink.get()));
    ASSERT_TRUE(IntegerSource->Connect(IntegerSink.get()));
    // Requests for the current value are not delivered to buffer receivers.
    EXPECT_TRUE(RealLog.Operations.empty());

    RealSource->Notify(TJwNotifyOperationPtr(new TJwStartSampleRateOperation(8000)));
    IntegerSource->Notify(TJwNotifyOperationPtr(new TJwStartSampleRateOperation(8000)));
    ASSERT_NE(RealLog.Last<TJwStartSampleRateOperation>(), nullptr);
    EXPECT_EQ(RealLog.Last<TJwStartSampleRateOperation>()->GetRate(), 1000.0);
    EXPECT_EQ(IntegerLog.Last<TJwStartSampleRateOperation>()->GetRate(), 2000.0);
    // Other operations arrive as they were sent.
    const TJwNotifyOperationPtr Stop(new TJwStopOperation);
    RealSource->Notify(Stop);
    EXPECT_EQ(RealLog.Operations.back(), Stop);
}

TEST(StreamPins, SubmitBufferSharesTheDataAndSwallowsReceiverErrors) {
    TOperationLog Log;
    auto Source = MakeOwned<TKvJwRealSourcePin>(nullptr);
    auto Sink =
        MakeOwned<TKvJwRealSinkPin>(nullptr, [&](TJwPin* ASender, const TGUID& AID, uint32_t AState,
                                                 const TJwNotifyOperationPtr& AOperation) {
            Log.Event()(ASender, AID, AState, AOperation);
            if (Log.Operations.size() == 2)
                throw Exception(QStringLiteral("receiver failed"));
        });
    ASSERT_TRUE(Source->Connect(Sink.get()));
    auto Buffer = RealBuffer({1, 2});
    Source->SubmitBuffer(Buffer);
    auto* Op = Log.Last<TJwSuppliedBufferOperation>();
    ASSERT_NE(Op, nullptr);
    EXPECT_NE(Op->GetBuffer().get(), Buffer.get());
    TIntfPtr<IKvDataBuffer> Sent;
    TIntfPtr<IKvDataBuffer> Received;
    ASSERT_TRUE(Supports(Buffer, Sent) && Supports(Op->GetBuffer(), Received));
    EXPECT_EQ(Sent->ByteRead(), Received->ByteRead());
    EXPECT_FALSE(Source->SubmitBuffer(Buffer));
    EXPECT_EQ(Source->GetInSending(), 0);
    EXPECT_FALSE(Source->SubmitBuffer(TKvDataPtr()));
}

TEST(StreamPins, SourceRemembersTheLastStartUntilAStop) {
    auto Source = MakeOwned<TKvJwRealSourcePin>(nullptr);
    const TJwNotifyOperationPtr Start(new TJwStartSampleRateOperation(44100));
    Source->Notify(Start);
    EXPECT_EQ(Source->GetLastStartOperation(), Start);
    Source->Stop();
    EXPECT_FALSE(Source->GetLastStartOperation());
}

TEST(StreamPins, TheWaterfallInputTakesEveryTypeItShows) {
    auto Sink = MakeOwned<TKvJwComboRealIntMatrixSinkPin>(nullptr, nullptr);
    const std::vector<TGUID> Expected{KvStreamTypeID::Universal, KvStreamTypeID::Real,
                                      JwStdTypeID::Float,        JwStdTypeID::Real,
                                      KvStreamTypeID::Integer,   JwStdTypeID::Integer,
                                      KvStreamTypeID::RealMatrix};
    EXPECT_EQ(Sink->GetStreamIDs(), Expected);
    EXPECT_TRUE(Sink->FIgnoreUpstream);
}

TEST(StreamPins, MasterPumpGoesUpstream) {
    auto Source = MakeOwned<TKvJwRealSourcePin>(nullptr);
    auto Sink = MakeOwned<TKvJwRealSinkPin>(nullptr, nullptr);
    TJwNotifyOperationPtr Got;
    Source->OnOperation = [&](TJwPin*, const TGUID&, uint32_t,
                              const TJwNotifyOperationPtr& AOperation) { Got = AOperation; };
    EXPECT_FALSE(Sink->MasterPump(Sink.get()));
    ASSERT_TRUE(Source->Connect(Sink.get()));
    EXPECT_TRUE(Sink->MasterPump(Sink.get()));
    ASSERT_TRUE(Got);
    EXPECT_NE(dynamic_cast<TJwMasterPumpOperation*>(Got->Instance()), nullptr);
}

TEST(ValuePins, RealSourceSendsChangesAndAnswersTheFirstDelivery) {
    auto Source = MakeOwned<TJwRealSourcePin>(nullptr);
    Source->SetValue(4.25);
    auto Sink = MakeOwned<TJwRealSinkPin>(nullptr);
    int Events = 0;
    Sink->OnData = [&](TJwValueSinkPin*) { ++Events; };
    ASSERT_TRUE(Sink->Connect(Source.get()));
    EXPECT_EQ(Sink->GetConnectedID(), JwStdTypeID::Real);
    EXPECT_EQ(Sink->GetValue(), 4.25);
    EXPECT_EQ(Events, 1);
    Source->SetValue(4.25);
    EXPECT_EQ(Events, 1);
    Source->SubmitReal(4.25);
    EXPECT_EQ(Events, 2);
    Source->SetValue(-1e300);
    EXPECT_EQ(Sink->GetValue(), -1e300);
}

TEST(ValuePins, FloatReceiversOfARealSourceGetTheNarrowedValue) {
    auto Source = MakeOwned<TJwRealSourcePin>(nullptr);
    auto Sink = MakeOwned<TJwFloatSinkPin>(nullptr);
    ASSERT_TRUE(Source->Connect(Sink.get()));
    EXPECT_EQ(Sink->GetConnectedID(), JwStdTypeID::Float);
    Source->SetValue(0.1);
    EXPECT_EQ(Sink->GetValue(), 0.1f);
}

TEST(ValuePins, IntegersReachARealSinkThroughTheRegisteredConverter) {
    auto Source = MakeOwned<TJwSourcePin>(nullptr);
    Source->StreamType.AddType(JwStdTypeID::Integer);
    auto Sink = MakeOwned<TJwRealSinkPin>(nullptr);
    EXPECT_FALSE(Source->CanConnectTo(Sink.get(), false));
    ASSERT_TRUE(Source->Connect(Sink.get()));
    // The sink takes "Real" over "Float": the integer-to-real converter.
    EXPECT_EQ(Sink->GetConnectedID(), JwStdTypeID::Real);
    Source->Notify(TJwNotifyOperationPtr(new TJwSuppliedIntegerOperation(-7)));
    EXPECT_EQ(Sink->GetValue(), -7.0);
}

TEST(ValuePins, ClockSourceCanHaveItsSendingReplaced) {
    int Sent = 0;
    auto Source = MakeOwned<TJwClockSourcePin>(
        nullptr, [&](TJwSourcePin*, const TJwNotifyOperationPtr& AOperation) {
            Sent += dynamic_cast<TJwClockOperation*>(AOperation->Instance()) ? 1 : 0;
            return true;
        });
    EXPECT_TRUE(Source->Clock());
    EXPECT_EQ(Sent, 1);
}

TEST(ValuePins, RangedSourceSendsValueWithRange) {
    auto Source = MakeOwned<TJwRealRangedSourcePin>(nullptr);
    TOperationLog Log;
    auto Sink = MakeOwned<TKvJwSinkPin>(nullptr, nullptr, nullptr, Log.Event());
    Sink->StreamType.AddType(
        JwStdTypeID::RangedReal,
        [&](TJwPin*, const TGUID& AID, uint32_t AState, const TJwNotifyOperationPtr& AOperation) {
            return Sink->DispatchData(AID, AOperation, AState);
        });
    ASSERT_TRUE(Source->Connect(Sink.get()));
    Source->SubmitValueRange(5, 0, 10);
    auto* Op = Log.Last<TJwSuppliedRealValueRangeOperation>();
    ASSERT_NE(Op, nullptr);
    EXPECT_EQ(Op->GetValue(), 5.0);
    EXPECT_EQ(Op->GetMax(), 10.0);
    const auto Count = Log.Operations.size();
    Source->SetMax(10);
    EXPECT_EQ(Log.Operations.size(), Count);
    Source->SetMin(-3);
    EXPECT_EQ(Log.Last<TJwSuppliedRealValueRangeOperation>()->GetMin(), -3.0);
}

TEST(ValuePins, RealsAndDatesBecomeTextOnTheWayToAStringSink) {
    TOperationLog Log;
    auto Source = MakeOwned<TJwRealSourcePin>(nullptr);
    auto Sink = MakeOwned<TKvJwSinkPin>(nullptr, nullptr, nullptr, Log.Event());
    Sink->StreamType.ClearTypes();
    Sink->StreamType.AddType(KvStreamTypeID::String, [&](TJwPin*, const TGUID& AID, uint32_t AState,
                                                         const TJwNotifyOperationPtr& AOperation) {
        return AState & JwStateRequest ? false : Sink->DispatchData(AID, AOperation, AState);
    });
    ASSERT_TRUE(Source->Connect(Sink.get()));
    // The first delivery brought the current value.
    ASSERT_EQ(Log.Operations.size(), 1u);
    Log.Operations.clear();
    // The user's number format is used.
    const QLocale Saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Source->SetValue(0.1);
    Source->SetValue(-2500.5);
    QLocale::setDefault(Saved);
    ASSERT_EQ(Log.Operations.size(), 2u);
    auto* First = dynamic_cast<TJwSuppliedStringOperation*>(Log.Operations[0]->Instance());
    auto* Text = Log.Last<TJwSuppliedStringOperation>();
    ASSERT_TRUE(First && Text);
    EXPECT_EQ(First->GetValue(), QStringLiteral("0,1"));
    EXPECT_EQ(Text->GetValue(), QStringLiteral("-2500,5"));
}

TEST(ValuePins, DatesOutsideTheCalendarBecomeEmptyText) {
    TOperationLog Log;
    auto Source = MakeOwned<TJwSourcePin>(nullptr);
    Source->StreamType.AddType(JwStdTypeID::DateTime);
    auto Sink = MakeOwned<TKvJwSinkPin>(nullptr, nullptr, nullptr, Log.Event());
    Sink->StreamType.ClearTypes();
    Sink->StreamType.AddType(KvStreamTypeID::String, [&](TJwPin*, const TGUID& AID, uint32_t AState,
                                                         const TJwNotifyOperationPtr& AOperation) {
        return Sink->DispatchData(AID, AOperation, AState);
    });
    ASSERT_TRUE(Source->Connect(Sink.get()));
    const QLocale Saved;
    QLocale::setDefault(QLocale::c());
    Source->Notify(TJwNotifyOperationPtr(new TJwSuppliedDateTimeOperation(2.5)));
    ASSERT_NE(Log.Last<TJwSuppliedStringOperation>(), nullptr);
    // 1900-01-01 12:00 in the C locale's short format.
    EXPECT_EQ(
        Log.Last<TJwSuppliedStringOperation>()->GetValue(),
        QLocale::c().toString(QDateTime(QDate(1900, 1, 1), QTime(12, 0)), QLocale::ShortFormat));
    for (double Bad : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e7}) {
        Source->Notify(TJwNotifyOperationPtr(new TJwSuppliedDateTimeOperation(Bad)));
        EXPECT_EQ(Log.Last<TJwSuppliedStringOperation>()->GetValue(), QString());
    }
    QLocale::setDefault(Saved);
}

TEST(ValuePins, DateTextShowsTheWallClockTimeAcrossDaylightSaving) {
    const TTimeZoneScope Zone("Europe/Berlin");
    const QLocale Saved;
    QLocale::setDefault(QLocale::c());
    TTextLink Link(JwStdTypeID::DateTime);
    const auto Expected = [](QDate ADate, QTime ATime) {
        return QLocale::c().toString(QDateTime(ADate, ATime), QLocale::ShortFormat);
    };
    // Summer time, winter time, and a time before the epoch (the fraction
    // counts forward from that day's midnight).
    const QString Summer =
        Link.Send(new TJwSuppliedDateTimeOperation(DateTimeValue(QDate(2023, 7, 1), 12)));
    const QString Winter =
        Link.Send(new TJwSuppliedDateTimeOperation(DateTimeValue(QDate(2023, 1, 15), 6)));
    const QString Before = Link.Send(new TJwSuppliedDateTimeOperation(-1.25));
    QLocale::setDefault(Saved);
    EXPECT_TRUE(Summer.contains(QStringLiteral("12:00"))) << Summer.toStdString();
    EXPECT_EQ(Summer, Expected(QDate(2023, 7, 1), QTime(12, 0)));
    EXPECT_EQ(Winter, Expected(QDate(2023, 1, 15), QTime(6, 0)));
    EXPECT_EQ(Before, Expected(QDate(1899, 12, 29), QTime(6, 0)));
}

TEST(ValuePins, NumberTextHasNoThousandsSeparators) {
    const QLocale Saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TTextLink Integers(JwStdTypeID::Integer);
    TTextLink Reals(JwStdTypeID::Real);
    const QString Lowest =
        Integers.Send(new TJwSuppliedIntegerOperation(std::numeric_limits<int32_t>::min()));
    const QString Real = Reals.Send(new TJwSuppliedRealOperation(1234567.5));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString GermanReal = Reals.Send(new TJwSuppliedRealOperation(-1234567.5));
    const QString GermanInteger = Integers.Send(new TJwSuppliedIntegerOperation(1000000));
    QLocale::setDefault(Saved);
    EXPECT_EQ(Lowest, QStringLiteral("-2147483648"));
    EXPECT_EQ(Real, QStringLiteral("1234567.5"));
    // The locale decides the decimal separator only.
    EXPECT_EQ(GermanReal, QStringLiteral("-1234567,5"));
    EXPECT_EQ(GermanInteger, QStringLiteral("1000000"));
}

TEST(Offsets, CoordinateOffsetNotifiesOnlyOnChange) {
    int Changes = 0;
    auto Lock = THxLock::Create(nullptr);
    auto Offset = MakeOwned<TKvCoordinateOffset>(static_cast<TPersistent*>(nullptr), Lock,
                                                 [&](TPersistent*) { ++Changes; });
    EXPECT_EQ(Offset->GetCoordinateMode(), cmLeftTop);
    Offset->SetCoordinateMode(cmCenter);
    Offset->SetCoordinateMode(cmCenter);
    EXPECT_EQ(Offset->GetCoordinateMode(), cmCenter);
    EXPECT_EQ(Changes, 1);
    Offset->SetCX(-4);
    Offset->SetCX(-4);
    EXPECT_EQ(Offset->GetCX(), -4);
    EXPECT_EQ(Changes, 2);
}

} // namespace
