// A free from inside a guarded operation waits for the operation's end.

#include <gtest/gtest.h>

#include "TestComponents.h"
#include "platform/FreeGuard.h"

namespace {

TEST(FreeGuard, AFreeFromInsideWaitsForTheLastGuardAndHappensOnce) {
    const int live = TTestChild::Live;
    auto owned = MakeOwned<TTestChild>(nullptr);
    TTestChild* object = owned.get();
    {
        const TFreeGuard outer(object);
        {
            const TFreeGuard inner(object);
            owned.reset(); // a handler frees it
            EXPECT_EQ(TTestChild::Live, live + 1);
            object->SetValue(7); // the operation goes on with it whole
        }
        EXPECT_EQ(TTestChild::Live, live + 1);
        TPersistent::Free(object); // freed again from inside: still one free
        EXPECT_EQ(object->GetValue(), 7);
    }
    EXPECT_EQ(TTestChild::Live, live);

    // A guard that saw no free leaves the object; unguarded, Free frees at
    // once.
    auto kept = MakeOwned<TTestChild>(nullptr);
    { const TFreeGuard guard(kept.get()); }
    EXPECT_EQ(TTestChild::Live, live + 1);
    kept.reset();
    EXPECT_EQ(TTestChild::Live, live);
}

} // namespace
