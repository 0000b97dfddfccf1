// Rows from several producer threads while the user-interface thread keeps
// moving them on, holds and releases, replaces and clears. Every row carries
// its producer and sequence number in every value, so that a torn, repeated
// or reordered row shows. Bounded by the row count; the seed is fixed.

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <thread>

#include "ObservedWaterfall.h"
#include "buffers/KvBufferErrors.h"
#include "buffers/KvRealMatrixBuffer.h"

namespace {

constexpr int kProducers = 4;
constexpr int kRowsEach = 5000;
constexpr double kMarker = 99;

uint32_t LengthOf(int AProducer, int ASequence) {
    return static_cast<uint32_t>(3 + AProducer + ASequence % 5);
}

double Stamp(double AProducer, double ASequence) {
    return AProducer * 100000 + ASequence;
}

// Halfway through, producers wait until the user-interface thread has acted
// (replaced, cleared or checked rows) this often, so that its actions meet
// running producers however the threads are scheduled.
constexpr int kActionsBeforeHalfway = 20;

// One buffer per producer, overwritten for every row: the store must copy.
void Produce(TObservedWaterfall& AHost, int AProducer, const std::atomic<int>& AActions) {
    std::vector<double> Frame(16);
    for (int S = 0; S < kRowsEach; ++S) {
        if (S == kRowsEach / 2)
            while (AActions.load() < kActionsBeforeHalfway)
                std::this_thread::yield();
        const uint32_t Length = LengthOf(AProducer, S);
        Frame[0] = AProducer;
        Frame[1] = S;
        for (uint32_t J = 2; J < Length; ++J)
            Frame[J] = Stamp(AProducer, S);
        AHost.Data().AddData(Frame.data(), Length);
    }
}

struct TRowId {
    int Producer;
    int Sequence;
    auto operator<=>(const TRowId&) const = default;
};

// The (producer, sequence) of a row; fails the test when its values disagree.
TRowId Identify(const TKvRealBufferPtr& ARow) {
    const std::vector<double> V = Values(ARow);
    EXPECT_GE(V.size(), 3u);
    if (V.size() < 3)
        return {-1, -1};
    const int P = static_cast<int>(V[0]);
    const int S = static_cast<int>(V[1]);
    const uint32_t Length = V[0] == kMarker ? 3 : LengthOf(P, S);
    EXPECT_EQ(V.size(), Length) << P << ":" << S;
    for (size_t J = 2; J < V.size(); ++J)
        EXPECT_EQ(V[J], Stamp(P, S)) << "torn row " << P << ":" << S;
    return {P, S};
}

TKvRealBufferPtr Marker(int AIndex) {
    return Row({kMarker, double(AIndex), Stamp(kMarker, AIndex)});
}

// No row twice, and each producer's rows oldest first.
void CheckOrder(const TKvRealBufferArray& ARows) {
    std::map<int, int> Last;
    for (const TKvRealBufferPtr& R : ARows) {
        const TRowId Id = Identify(R);
        if (Id.Producer == kMarker)
            continue;
        const auto It = Last.find(Id.Producer);
        if (It != Last.end()) {
            EXPECT_LT(It->second, Id.Sequence) << "producer " << Id.Producer;
        }
        Last[Id.Producer] = Id.Sequence;
    }
}

class TProducers {
public:
    TProducers(TObservedWaterfall& AHost, const std::atomic<int>& AActions) {
        for (int P = 0; P < kProducers; ++P)
            FThreads.emplace_back([&AHost, &AActions, P, this] {
                Produce(AHost, P, AActions);
                FFinished.fetch_add(1);
            });
    }
    ~TProducers() { Join(); }
    bool Running() const { return FFinished.load() < kProducers; }
    void Join() {
        for (std::thread& T : FThreads)
            if (T.joinable())
                T.join();
    }

private:
    std::atomic<int> FFinished{0};
    std::vector<std::thread> FThreads;
};

TEST(RowThreads, NothingIsLostWhenTheBoundsExceedTheTotal) {
    auto Host = MakeWaterfall(32768);
    std::minstd_rand Random(20261208);
    std::set<TRowId> Replaced;
    int Markers = 0;
    std::atomic<int> Actions{0};
    {
        TProducers Producers(*Host, Actions);
        while (Producers.Running()) {
            Host->MoveRows();
            const auto Action = Random() % 100;
            if (Action < 3) {
                Host->SetHold(!Host->GetHold());
            } else if (Action < 5 && Markers < 40) {
                // The row that a replacement overwrites is known from a
                // snapshot: indices stay put while the history has room.
                const TKvRealBufferArray Snapshot = Host->Data().GetData();
                if (Snapshot.empty())
                    continue;
                const auto Index = static_cast<uint32_t>(Random() % Snapshot.size());
                const TRowId Id = Identify(Snapshot[Index]);
                if (Id.Producer != kMarker)
                    Replaced.insert(Id);
                Host->Data().SetData(Index, Marker(Markers++));
                Actions.fetch_add(1);
            }
        }
    }
    Host->SetHold(false);
    Host->MoveRows();
    const TKvRealBufferArray Final = Host->Data().GetData();
    CheckOrder(Final);
    std::set<TRowId> Seen;
    for (const TKvRealBufferPtr& R : Final) {
        const TRowId Id = Identify(R);
        if (Id.Producer != kMarker) {
            EXPECT_TRUE(Seen.insert(Id).second);
        }
    }
    EXPECT_EQ(Seen.size() + Replaced.size(), size_t{kProducers * kRowsEach});
    for (const TRowId& Id : Replaced)
        EXPECT_EQ(Seen.count(Id), 0u);
    EXPECT_GT(Markers, 0);
}

TEST(RowThreads, ClearHoldAndReplaceKeepRowsWholeAndInOrder) {
    auto Host = MakeWaterfall(64);
    std::minstd_rand Random(7);
    int Markers = 0;
    int Checks = 0;
    std::atomic<int> Actions{0};
    {
        TProducers Producers(*Host, Actions);
        while (Producers.Running()) {
            Host->MoveRows();
            const auto Action = Random() % 100;
            if (Action < 12)
                Actions.fetch_add(1);
            if (Action < 3) {
                Host->SetHold(!Host->GetHold());
            } else if (Action < 4) {
                Host->Data().Clear();
            } else if (Action < 7) {
                // Past the rows now and then: refused with the range error.
                const auto Index = static_cast<uint32_t>(Random() % 80);
                try {
                    Host->Data().SetData(Index, Marker(Markers++));
                } catch (const ERangeError&) {
                }
            } else if (Action < 12) {
                CheckOrder(Host->Data().GetData());
                CheckOrder(Host->Data().GetDrawData());
                ++Checks;
            }
        }
    }
    Host->SetHold(false);
    const TKvRealBufferArray Final = Host->Data().GetData();
    CheckOrder(Final);
    EXPECT_LE(Final.size(), 64u);
    EXPECT_GT(Checks, 0);
}

TEST(RowThreads, DestructionWhileProducersAddRefusesTheirRows) {
    auto Host = MakeWaterfall(128);
    TKvWaterfallData& Data = Host->Data();
    std::atomic<bool> Closing{false};
    std::atomic<int> RefusedAfterClose{0};
    std::vector<std::thread> Threads;
    for (int P = 0; P < kProducers; ++P)
        Threads.emplace_back([&Data, &Closing, &RefusedAfterClose, P] {
            const double Frame[3] = {double(P), 0, 0};
            // Each producer goes on for a while after destruction began.
            for (int After = 0; After < 200;) {
                const bool Closed = Closing.load();
                Data.AddData(Frame, 3);
                if (Closed) {
                    ++After;
                    RefusedAfterClose.fetch_add(1);
                }
            }
        });
    while (Host->Rows().GetRowCount() < 100)
        Host->MoveRows();
    bool Checked = false;
    // The producers are done before the control's parts go.
    Host->WhileDestroying = [&](TObservedWaterfall& W) {
        Checked = true;
        Closing.store(true);
        const size_t Kept = W.Data().GetDrawData().size();
        for (std::thread& T : Threads)
            T.join();
        EXPECT_EQ(RefusedAfterClose.load(), kProducers * 200);
        EXPECT_EQ(W.InputCount(), 0);
        W.MoveRows();
        EXPECT_EQ(W.Data().GetDrawData().size(), Kept);
    };
    Host.reset();
    EXPECT_TRUE(Checked);
}

} // namespace

namespace {

// Matrix ASequence: 3 rows of 4 values, every value of row r = ASequence * 10 + r.
TKvDataPtr NumberedMatrix(int ASequence) {
    double Values[12];
    for (int R = 0; R < 3; ++R)
        for (int C = 0; C < 4; ++C)
            Values[R * 4 + C] = ASequence * 10.0 + R;
    return TKvDataPtr(TKvRealMatrixBuffer::CreateData(Values, 3, 4));
}

void ExpectWholeRows(const TKvRealBufferArray& ARows) {
    for (const TKvRealBufferPtr& Row : ARows) {
        ASSERT_EQ(Row->GetSize(), 4u);
        for (uint32_t C = 1; C < 4; ++C)
            ASSERT_EQ(Row->Read()[C], Row->Read()[0]);
    }
}

TEST(RowThreads, MatricesThroughThePinWhileHeldPaintedAndDestroyed) {
    auto Host = MakeWaterfall(16);
    auto Source = MakeOwned<TKvJwRealMatrixSourcePin>(nullptr);
    ASSERT_TRUE(Source->Connect(Host->GetInputPin()));
    std::atomic<int> Sent{0};
    std::atomic<bool> Stop{false};
    std::thread Producer([&] {
        for (int S = 0; !Stop.load(); ++S) {
            Source->SubmitBuffer(NumberedMatrix(S));
            Sent.store(S + 1);
        }
    });
    std::mt19937 Random(7);
    for (int Step = 0; Step < 400; ++Step) {
        Host->MoveRows();
        if (Random() % 8 == 0)
            Host->SetHold(!Host->GetHold());
        ExpectWholeRows(Host->Data().GetDrawData());
        ExpectWholeRows(Host->Data().GetData());
    }
    Host->SetHold(false);
    // Every matrix replaces rows 0 to 2, so the history holds one matrix's
    // rows. The write lock keeps a matrix that is coming in from being seen
    // half done, as the paint pass does.
    const int Before = Sent.load();
    while (Sent.load() < Before + 2)
        std::this_thread::yield();
    TKvRealBufferArray Rows;
    {
        const TJwLockSectionPtr Lock = Host->Rows().WriteLock();
        Rows = Host->Data().GetDrawData();
    }
    ASSERT_EQ(Rows.size(), 3u);
    EXPECT_EQ(Rows[1]->Read()[0], Rows[0]->Read()[0] + 1);
    EXPECT_EQ(Rows[2]->Read()[0], Rows[0]->Read()[0] + 2);

    // Destroyed while the producer keeps sending.
    Host.reset();
    const int AtDestruction = Sent.load();
    while (Sent.load() < AtDestruction + 10)
        std::this_thread::yield();
    Stop.store(true);
    Producer.join();
    EXPECT_FALSE(Source->IsConnected());
}

} // namespace
