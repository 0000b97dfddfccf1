// The typed setters, clamping setters and getters of the lock wrapper, and
// how wrappers made with CreateCopy share one underlying lock.
#include "foundation/HxLock.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <future>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace {

// A lock wrapper whose notifications and update calls are logged in order.
struct TLogged {
    std::vector<std::string> Log;
    THxLockPtr Lock = THxLock::Create([this] { Log.push_back("notify"); });
    THxPropUpdateFunc Update = [this] { Log.push_back("update"); };
};

// Changing a value stores it, runs the update function and then notifies;
// setting the value it already has changes nothing and tells no one.
template <class T, class TSet> void ExpectSetterContract(T AInitial, T AOther, TSet ASet) {
    TLogged L;
    T value = AInitial;
    EXPECT_TRUE(ASet(*L.Lock, value, AOther, L.Update));
    EXPECT_EQ(value, AOther);
    EXPECT_EQ(L.Log, (std::vector<std::string>{"update", "notify"}));
    L.Log.clear();
    EXPECT_FALSE(ASet(*L.Lock, value, AOther, L.Update));
    EXPECT_EQ(value, AOther);
    EXPECT_TRUE(L.Log.empty());
}

template <class T> void ExpectPlainSetter(T AInitial, T AOther) {
    ExpectSetterContract(AInitial, AOther,
                         [](IHxLock& ALock, T& AProp, T AValue, const THxPropUpdateFunc& AUpdate) {
                             return ALock.Setter(AProp, AValue, AUpdate);
                         });
}

} // namespace

TEST(HxLockSetter, EveryTypeStoresUpdatesNotifiesAndIgnoresTheCurrentValue) {
    ExpectPlainSetter<int32_t>(1, -7);
    ExpectPlainSetter<int16_t>(1, -300);
    ExpectPlainSetter<int64_t>(1, int64_t{1} << 40);
    ExpectPlainSetter<uint32_t>(1, 0xFFFFFFF0u);
    ExpectPlainSetter<uint16_t>(1, 0xFFF0);
    ExpectPlainSetter<uint8_t>(1, 200);
    ExpectPlainSetter<float>(1.0f, 2.5f);
    ExpectPlainSetter<double>(1.0, -2.25);
    ExpectPlainSetter<bool>(true, false);
    ExpectPlainSetter<QString>(QStringLiteral("a"), QStringLiteral("b"));
    ExpectPlainSetter<QByteArray>("a", "b");
    ExpectPlainSetter<QChar>(u'a', u'b');
    ExpectPlainSetter<TKvClockSource>(csInternal, csExternal);
    ExpectSetterContract<TColor>(clRed, clSilver,
                                 [](IHxLock& L, TColor& P, TColor V, const THxPropUpdateFunc& U) {
                                     return L.SetterColor(P, V, U);
                                 });
    ExpectSetterContract<TCursor>(
        0, -3, [](IHxLock& L, TCursor& P, TCursor V, const THxPropUpdateFunc& U) {
            return L.SetterCursor(P, V, U);
        });
    ExpectSetterContract<TDateTime>(
        45000.5, 45001.25, [](IHxLock& L, TDateTime& P, TDateTime V, const THxPropUpdateFunc& U) {
            return L.SetterDateTime(P, V, U);
        });
    ExpectSetterContract<TGPColor>(
        0xFF000000u, 0x80FF8040u,
        [](IHxLock& L, TGPColor& P, TGPColor V, const THxPropUpdateFunc& U) {
            return L.Setter(P, V, U, true);
        });
}

TEST(HxLockSetter, CaseOnlyStringChangeCounts) {
    TLogged L;
    QString caption = QStringLiteral("level");
    EXPECT_TRUE(L.Lock->Setter(caption, QStringLiteral("Level"), nullptr));
    EXPECT_EQ(caption, QStringLiteral("Level"));
    EXPECT_EQ(L.Log, (std::vector<std::string>{"notify"}));
}

TEST(HxLockSetter, SynchronizeTypeRunsItsUpdateButDoesNotNotify) {
    TLogged L;
    TKvSynchronizeType mode = stNone;
    EXPECT_TRUE(L.Lock->Setter(mode, stQueue, L.Update));
    EXPECT_EQ(mode, stQueue);
    EXPECT_EQ(L.Log, (std::vector<std::string>{"update"}));
    L.Log.clear();
    EXPECT_FALSE(L.Lock->Setter(mode, stQueue, L.Update));
    EXPECT_TRUE(L.Log.empty());
}

TEST(HxLockSetter, UpdateFunctionMaySetAnotherPropertyOfTheTree) {
    TLogged L;
    int32_t width = 1;
    int32_t area = 0;
    EXPECT_TRUE(L.Lock->Setter(width, 4, [&] { L.Lock->Setter(area, width * width, nullptr); }));
    EXPECT_EQ(area, 16);
    EXPECT_EQ(L.Log, (std::vector<std::string>{"notify", "notify"}));
}

TEST(HxLockSetter, FailingUpdateFunctionLeavesTheLockFree) {
    TLogged L;
    int32_t value = 0;
    EXPECT_THROW(L.Lock->Setter(value, 5, [] { throw Exception(QStringLiteral("update failed")); }),
                 Exception);
    EXPECT_EQ(value, 5) << "stored before the update function ran";
    EXPECT_TRUE(L.Log.empty()) << "no notification after a failed update";
    EXPECT_EQ(L.Lock->Instance()->GetOwningThread(), JwNoThread);
    EXPECT_EQ(L.Lock->Instance()->GetCounts().CountLocks, 0);
}

TEST(HxLockClamp, MinMaxRaisesThenLowersSoTheMaximumWins) {
    TLogged L;
    int32_t value = 0;
    EXPECT_TRUE(L.Lock->SetterMinMax(value, 7, 10, 5, nullptr));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(L.Lock->SetterMinMax(value, -3, 0, 100, nullptr));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(L.Lock->SetterMinMax(value, 250, 0, 100, nullptr));
    EXPECT_EQ(value, 100);
    EXPECT_TRUE(L.Lock->SetterMin(value, -1, 3, nullptr));
    EXPECT_EQ(value, 3);
    EXPECT_TRUE(L.Lock->SetterMax(value, 99, 50, nullptr));
    EXPECT_EQ(value, 50);
    EXPECT_EQ(L.Log.size(), 5u);
}

TEST(HxLockClamp, ClampedToTheCurrentValueIsNoChange) {
    TLogged L;
    double value = 5.0;
    EXPECT_FALSE(L.Lock->SetterMax(value, 80.0, 5.0, L.Update));
    EXPECT_FALSE(L.Lock->SetterMin(value, -1.0, 5.0, L.Update));
    EXPECT_TRUE(L.Log.empty());
}

TEST(HxLockClamp, UnsignedCompareUnsignedAndInt64Signed) {
    TLogged L;
    uint32_t cardinal = 0;
    EXPECT_TRUE(L.Lock->SetterMax(cardinal, 0x80000000u, 10u, nullptr));
    EXPECT_EQ(cardinal, 10u) << "0x80000000 is large, not negative";
    uint16_t word = 0;
    EXPECT_TRUE(
        L.Lock->SetterMinMax(word, uint16_t{0xFFFF}, uint16_t{1}, uint16_t{0x7FFF}, nullptr));
    EXPECT_EQ(word, 0x7FFF);
    uint8_t byte = 0;
    EXPECT_TRUE(L.Lock->SetterMin(byte, uint8_t{2}, uint8_t{0x90}, nullptr));
    EXPECT_EQ(byte, 0x90);
    int64_t big = 0;
    EXPECT_TRUE(L.Lock->SetterMin(big, -1, 1, nullptr));
    EXPECT_EQ(big, 1) << "-1 is below 1";
    EXPECT_TRUE(
        L.Lock->SetterMax(big, std::numeric_limits<int64_t>::max(), int64_t{1} << 40, nullptr));
    EXPECT_EQ(big, int64_t{1} << 40);
    float single = 0.0f;
    EXPECT_TRUE(L.Lock->SetterMinMax(single, 3.5f, -1.0f, 2.0f, nullptr));
    EXPECT_EQ(single, 2.0f);
}

TEST(HxLockGetter, AnswersTheValueOfEveryType) {
    TLogged L;
    IHxLock& K = *L.Lock;
    EXPECT_EQ(K.Getter(int32_t{-5}), -5);
    EXPECT_EQ(K.Getter(int64_t{1} << 50), int64_t{1} << 50);
    EXPECT_EQ(K.Getter(uint32_t{0xFFFFFFFFu}), 0xFFFFFFFFu);
    EXPECT_EQ(K.Getter(uint8_t{200}), 200);
    EXPECT_EQ(K.Getter(uint16_t{60000}), 60000);
    EXPECT_EQ(K.Getter(1.5f), 1.5f);
    EXPECT_EQ(K.Getter(2.5L), 2.5L);
    EXPECT_EQ(K.Getter(true), true);
    EXPECT_EQ(K.Getter(QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(K.Getter(QChar(u'q')), QChar(u'q'));
    EXPECT_EQ(K.Getter(TDateTime{45000.75}), 45000.75);
    EXPECT_EQ(K.Instance()->GetCounts().CountLocks, 0) << "every read section released";
}

TEST(HxLockStopped, SettersAreRefusedWhileAnotherThreadStopsTheLock) {
    TLogged L;
    std::promise<void> stopped;
    std::promise<void> done;
    std::thread stopper([&, finished = done.get_future()] {
        const TJwLockSectionPtr Stop = L.Lock->StopLock();
        stopped.set_value();
        finished.wait();
    });
    stopped.get_future().wait();
    int32_t value = 1;
    EXPECT_FALSE(L.Lock->ReadLock()) << "a stopped lock hands out no section";
    // The tree is being taken down: a value set now would be written unlocked.
    EXPECT_FALSE(L.Lock->Setter(value, 2, nullptr));
    EXPECT_FALSE(L.Lock->SetterMinMax(value, 7, 0, 5, nullptr));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(L.Lock->Getter(value), 1);
    EXPECT_TRUE(L.Log.empty());
    done.set_value();
    stopper.join();
    EXPECT_EQ(L.Lock->Instance()->GetCounts().CountStopLocks, 0);
}

TEST(HxLockCopy, CopiesShareTheUnderlyingLockButNotTheNotification) {
    std::vector<std::string> log;
    const THxLockPtr root = THxLock::Create([&] { log.push_back("root"); });
    const THxLockPtr child = THxLock::CreateCopy(root, [&] { log.push_back("child"); });
    const THxLockPtr leaf = THxLock::CreateCopy(child, nullptr);
    EXPECT_EQ(child->Instance(), root->Instance());
    EXPECT_EQ(leaf->Instance(), root->Instance());
    EXPECT_NE(static_cast<IHxLock*>(child.get()), static_cast<IHxLock*>(root.get()));
    EXPECT_TRUE(Supports(child, IJwLock::IID));

    child->ChangeNotify();
    leaf->ChangeNotify();
    root->ChangeNotify();
    EXPECT_EQ(log, (std::vector<std::string>{"child", "root"}));

    // A section taken through one wrapper is the same hold for all of them.
    const TJwLockSectionPtr Section = leaf->WriteLock();
    const TJwLockSectionPtr Nested = root->ReadLock();
    EXPECT_EQ(root->Instance()->GetCounts().CountLocks, 2);
}

TEST(HxLockCopy, CopyOfNoLockRaises) {
    EXPECT_THROW(THxLock::CreateCopy(THxLockPtr(), nullptr), Exception);
}
