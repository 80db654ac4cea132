// ctest runs each test in a process of its own; the program passes run whole
// too: the test that needs no Application yet comes first, every test puts
// DISPLAY back, and the X error test forgets the errors logged before it.
// gtest first: Xlib's macros (None, Bool) break its headers otherwise.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/XErrorHandlers.h"
#include "tests/common/ChildWatch.h"
#include "tests/common/Process.h"
#include "tests/common/TempDir.h"

#include <cstdlib>
#include <malloc.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRUVO_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define BRUVO_ASAN 1
#endif
#ifdef BRUVO_ASAN
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
// Bytes the process holds on the heap now.
size_t HeapInUse()
{
#ifdef BRUVO_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}
}  // namespace

TEST(Application, FreeFunctionsAnswerZeroWithoutAnApplication)
{
    ASSERT_EQ(MainApplication, nullptr);
    EXPECT_EQ(ScreenWidth(), 0);
    EXPECT_EQ(ScreenHeight(), 0);
    EXPECT_EQ(PointerPosition(), 0u);
}

TEST(Application, OpensTheDisplayAndReadsTheScreen)
{
    TempDir dir;
    dir.Enter();
    Application first("first");
    Application second("second");
    ASSERT_FALSE(first.HasFailed());
    EXPECT_EQ(MainApplication, &first);  // the second does not replace it
    EXPECT_EQ(first.GetDepth(), 24);
    EXPECT_EQ(ScreenWidth(), DisplayWidth(first.GetDisplay(), first.GetScreen()));
    EXPECT_EQ(ScreenHeight(), DisplayHeight(first.GetDisplay(), first.GetScreen()));
    EXPECT_NE(first.GetVisualInfo(), nullptr);
    EXPECT_STREQ(first.GetTitle(), "first");

    EXPECT_TRUE(first.CloseScreen());
    EXPECT_EQ(first.GetDisplay(), nullptr);
    EXPECT_FALSE(first.CloseScreen());
    EXPECT_TRUE(ReadFileBytes("log.txt").empty());
}

TEST(Application, DestructionWithoutCloseScreenFreesTheVisualList)
{
    TempDir dir;
    dir.Enter();
    // What one visual list costs on this server.
    size_t listBytes = 0;
    {
        Application probe("probe");
        ASSERT_FALSE(probe.HasFailed());
        XVisualInfo wanted{};
        wanted.screen = probe.GetScreen();
        wanted.depth = probe.GetDepth();
        int count = 0;
        XFree(XGetVisualInfo(probe.GetDisplay(), VisualScreenMask | VisualDepthMask, &wanted, &count));
        listBytes = sizeof(XVisualInfo) * static_cast<size_t>(count);
        ASSERT_GT(count, 0);
    }
    constexpr int kRounds = 40;
    for (int warmUp = 0; warmUp < 3; ++warmUp)
        Application("warm-up");
    const size_t before = HeapInUse();
    for (int round = 0; round < kRounds; ++round)
        Application("round");
    const size_t after = HeapInUse();
    // A leaked list each round would add kRounds lists; allow a few for noise.
    EXPECT_LT(after > before ? after - before : 0, listBytes * kRounds / 4)
        << "one list is " << listBytes << " bytes";
}

TEST(Application, FailsAndLogsWithoutADisplay)
{
    TempDir dir;
    dir.Enter();
    const ScopedEnv display("DISPLAY", "");
    unsetenv("DISPLAY");
    testing::internal::CaptureStdout();
    Application application("t");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "XOpenDisplay(0) failed.\n");
    EXPECT_EQ(application.HasFailed(), 1);
    EXPECT_EQ(application.GetDisplay(), nullptr);
    EXPECT_EQ(application.GetScreenWidth(), 800);
    EXPECT_EQ(application.GetScreenHeight(), 600);
    EXPECT_EQ(application.GetDepth(), 8);
    EXPECT_FALSE(application.CloseScreen());
    EXPECT_EQ(dir.Read("log.txt"), "XOpenDisplay(0) failed.\n");
}

TEST(Application, WarnsOnAShallowDisplayAndGoesOn)
{
    PrivateXServer server(16);
    ASSERT_TRUE(server.Started()) << "Xvfb could not be started";
    TempDir dir;
    dir.Enter();
    // Only for this test: the later ones use the shared server again.
    const ScopedEnv display("DISPLAY", server.Display());
    testing::internal::CaptureStdout();
    Application application("t");
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(application.HasFailed());
    EXPECT_EQ(application.GetDepth(), 16);
    EXPECT_EQ(dir.Read("log.txt"), "This app requires 24-bit depth.\n");
}

// Errors another client can cause at any moment (a window unmapped between a
// check and a read-back or a focus request) are logged once per kind and the
// program goes on; the failed read-back returns nothing.
TEST(Application, XErrorsAreLoggedOncePerKindAndTheProgramGoesOn)
{
    TempDir dir;
    dir.Enter();
    Application app("errors");
    ASSERT_FALSE(app.HasFailed());
    ForgetReportedXErrors();  // logged by an earlier test of this process
    Display* display = app.GetDisplay();
    const Window unmapped = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 40, 30, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(XGetImage(display, unmapped, 0, 0, 4, 4, AllPlanes, ZPixmap), nullptr);
        XSetInputFocus(display, unmapped, RevertToNone, CurrentTime);
        XSync(display, False);
    }
    const std::string log = ReadFileBytes("log.txt");
    EXPECT_EQ(log,
              "X error ignored: BadMatch (invalid parameter attributes), request X_GetImage\n"
              "X error ignored: BadMatch (invalid parameter attributes), request X_SetInputFocus\n");
    // Still connected and answering.
    XDestroyWindow(display, unmapped);
    XSync(display, False);
    EXPECT_EQ(DisplayWidth(display, app.GetScreen()), app.GetScreenWidth());
    EXPECT_TRUE(app.CloseScreen());
}
