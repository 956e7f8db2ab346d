#include "app/CMutex.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {
TEST(CMutex, ReportsWhetherTheNameIsFreeHeldOrOfAnotherKind)
{
    CMutex first;
    EXPECT_EQ(0, first.Acquire("TallyvaneTest.Mutex"));
    EXPECT_EQ(WAIT_OBJECT_0, first.Wait());
    CMutex second;
    EXPECT_EQ(1, second.Acquire("TallyvaneTest.Mutex"));

    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "TallyvaneTest.Event");
    CMutex third;
    EXPECT_EQ(2, third.Acquire("TallyvaneTest.Event"));
    CloseHandle(event);
}

TEST(CMutex, ReleaseGivesTheNameUp)
{
    CMutex mutex;
    EXPECT_EQ(0u, mutex.Wait()); // no handle yet
    ASSERT_EQ(0, mutex.Acquire("TallyvaneTest.Release"));
    mutex.Release();
    EXPECT_EQ(nullptr, mutex.handle);
    CMutex again;
    EXPECT_EQ(0, again.Acquire("TallyvaneTest.Release"));
    // Acquiring again gives up the handle held before.
    EXPECT_EQ(0, again.Acquire("TallyvaneTest.Release"));
}
}
