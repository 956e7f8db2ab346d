#include "framework/ComInit.h"

#include <objbase.h>

#include <gtest/gtest.h>

// The apartment's state is read by the system itself: CoInitialize answers S_OK on an
// uninitialised thread and S_FALSE on an initialised one.
namespace {

HRESULT Probe()
{
    HRESULT result = CoInitialize(nullptr);
    CoUninitialize();
    return result;
}

}

TEST(ComInit, NestedCallsInitialiseAndUninitialiseOnce)
{
    ASSERT_EQ(S_OK, Probe());
    EXPECT_EQ(0, ComInitialize());
    EXPECT_EQ(0, ComInitialize());

    // One reference taken by the system: removing one leaves the thread uninitialised.
    CoUninitialize();
    EXPECT_EQ(S_OK, CoInitialize(nullptr));

    ComUninitialize();
    EXPECT_EQ(S_FALSE, Probe()) << "the first ComUninitialize must not end COM";
    ComUninitialize();
    EXPECT_EQ(S_OK, Probe()) << "the last ComUninitialize must end COM";
    ComUninitialize();
    EXPECT_EQ(S_OK, Probe());
}

TEST(ComInit, AThreadInitialisedElsewhereIsAFailureThatKeepsNoReference)
{
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    EXPECT_EQ(1, ComInitialize());
    ComUninitialize();
    CoUninitialize();
    EXPECT_EQ(S_OK, Probe());
}

TEST(ComInit, AMultithreadedApartmentIsAFailure)
{
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_EQ(1, ComInitialize());
    ComUninitialize();
    CoUninitialize();
    EXPECT_EQ(S_OK, Probe());
}
