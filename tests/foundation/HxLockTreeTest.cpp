// A tree of settings objects three levels deep: one underlying lock for the
// whole tree, one change notification per node, each passed up to the root.
#include "TestSettings.h"

#include "pins/JwLockEvents.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct TEventRecord {
    IJwLock* Lock;
    TJwLockEvent Event;
    std::thread::id Thread;
};

// Records every lock event and lets a thread wait for one.
class TRecordingMonitor : public TInterfaced<IJwLockMonitor> {
public:
    void LockEvent(IJwLock* ALock, IJwLockSection*, TJwLockEvent AEvent,
                   std::thread::id AThreadID) override {
        std::lock_guard<std::mutex> G(FMutex);
        FEvents.push_back({ALock, AEvent, AThreadID});
        FChanged.notify_all();
    }

    // Index of the first event of that kind from AThread, waiting for it.
    size_t WaitFor(TJwLockEvent AEvent, std::thread::id AThread) {
        std::unique_lock<std::mutex> G(FMutex);
        size_t found = 0;
        FChanged.wait(G, [&] {
            for (size_t i = 0; i < FEvents.size(); ++i)
                if (FEvents[i].Event == AEvent && FEvents[i].Thread == AThread) {
                    found = i;
                    return true;
                }
            return false;
        });
        return found;
    }

    std::vector<TEventRecord> Events() {
        std::lock_guard<std::mutex> G(FMutex);
        return FEvents;
    }

private:
    std::mutex FMutex;
    std::condition_variable FChanged;
    std::vector<TEventRecord> FEvents;
};

class TMonitorRegistration {
public:
    explicit TMonitorRegistration(const TIntfPtr<IJwLockMonitor>& AMonitor) : FMonitor(AMonitor) {
        JwRegisterLockMonitor(FMonitor);
    }
    ~TMonitorRegistration() { JwUnregisterLockMonitor(FMonitor); }

private:
    TIntfPtr<IJwLockMonitor> FMonitor;
};

// Root, child and grandchild; each node's handler passes the change on to
// its owner, as controls pass their parts' changes up.
struct TTree {
    std::atomic<int> RootChanges{0};
    std::atomic<int> ChildChanges{0};
    std::atomic<int> LeafChanges{0};
    TOwned<TTestSettings> Root;
    TOwned<TTestSettings> Child;
    TOwned<TTestSettings> Leaf;

    TTree() {
        Root =
            MakeOwned<TTestSettings>(static_cast<TPersistent*>(nullptr), THxLock::Create(nullptr),
                                     [this](TPersistent*) { ++RootChanges; });
        Child = MakeOwned<TTestSettings>(Root.get(), [this](TPersistent*) {
            ++ChildChanges;
            Root->Lock()->ChangeNotify();
        });
        Leaf = MakeOwned<TTestSettings>(Child.get(), [this](TPersistent*) {
            ++LeafChanges;
            Child->Lock()->ChangeNotify();
        });
    }
};

} // namespace

TEST(HxLockTree, EveryNodeNotifiesItselfAndTheChangeReachesTheRoot) {
    TTree T;
    ASSERT_EQ(T.Leaf->Lock()->Instance(), T.Root->Lock()->Instance());
    ASSERT_EQ(T.Child->Lock()->Instance(), T.Root->Lock()->Instance());
    EXPECT_EQ(T.Leaf->GetOwner(), T.Child.get());

    T.Leaf->SetLow(-1.0);
    EXPECT_EQ(T.LeafChanges, 1);
    EXPECT_EQ(T.ChildChanges, 1);
    EXPECT_EQ(T.RootChanges, 1);

    T.Child->SetCaption(QStringLiteral("middle"));
    EXPECT_EQ(T.LeafChanges, 1);
    EXPECT_EQ(T.ChildChanges, 2);
    EXPECT_EQ(T.RootChanges, 2);

    T.Leaf->SetLow(-1.0);
    EXPECT_EQ(T.RootChanges, 2) << "no change, no notification";
}

TEST(HxLockTree, ASecondThreadCannotWriteWhileTheFirstHoldsTheTreesLock) {
    TTree T;
    TIntfPtr<TRecordingMonitor> monitor(new TRecordingMonitor);
    TMonitorRegistration registration(TIntfPtr<IJwLockMonitor>(monitor.get()));
    IJwLock* const treeLock = T.Root->Lock()->Instance();

    std::atomic<bool> writerDone{false};
    std::thread writer;
    std::thread::id writerId;
    {
        // Held through the leaf; the writer sets a property of the root.
        const TJwLockSectionPtr Held = T.Leaf->Lock()->WriteLock();
        ASSERT_TRUE(Held);
        writer = std::thread([&] {
            T.Root->SetHigh(42.0);
            writerDone = true;
        });
        writerId = writer.get_id();
        const size_t begin = monitor->WaitFor(TJwLockEvent::BeginWriteCreate, writerId);
        EXPECT_EQ(monitor->Events()[begin].Lock, treeLock)
            << "the root's setter waits on the tree's lock";
        EXPECT_FALSE(writerDone);
        EXPECT_EQ(T.Root->GetHigh(), 7.0) << "read by the holder: re-entrant, still the old value";
        EXPECT_EQ(T.RootChanges, 0);
    }
    writer.join();
    const size_t released =
        monitor->WaitFor(TJwLockEvent::BeginWriteDestroy, std::this_thread::get_id());
    const size_t entered = monitor->WaitFor(TJwLockEvent::WriteCreate, writerId);
    EXPECT_GT(entered, released) << "the writer got in only after the holder let go";
    EXPECT_EQ(T.Root->GetHigh(), 42.0);
    EXPECT_EQ(T.RootChanges, 1);
}
