// Shared pieces of the picture and drawing tests: one Application on the
// private X server for the whole program, a created form to draw on, and
// pixel read-back straight from the window (tests/common/XTestSupport.h).
#pragma once

// gtest before Xlib: X.h's None and Bool macros break gtest's templates.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "gui/Form.h"
#include "gui/Registry.h"
#include "tests/common/TempDir.h"
#include "tests/common/XTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdint>
#include <string>
#include <vector>

namespace imagetest {

using xtest::App;
using xtest::Dpy;
using xtest::PixelAt;
using xtest::ReadPixels;

class TestForm : public Form {
public:
    TestForm(int32_t px, int32_t py, int32_t w, int32_t h, int64_t colour = 0x000000) : Form(0)
    {
        SetApplication(App());
        MoveTo(px, py);
        SetSize(w, h);
        SetBackColor(colour);
    }
    void Paint() override {}  // the tests draw; exposure must not repaint controls
};

// Other test programs may open windows over ours on the shared server: with
// backing store the covered parts keep what was drawn and read back as drawn.
inline void KeepContents(Window window)
{
    XSetWindowAttributes attributes{};
    attributes.backing_store = Always;
    XChangeWindowAttributes(Dpy(), window, CWBackingStore, &attributes);
    XSync(Dpy(), False);
}

// A form created and mapped on the private server, a private working folder
// for log.txt, and empty registries once the test is over.
class ImageTest : public ::testing::Test {
protected:
    ImageTest() { folder.Enter(); }
    void SetUp() override
    {
        ASSERT_NE(Dpy(), nullptr) << "the tests need the X server named by DISPLAY";
        form = new TestForm(20, 20, 320, 240);
        form->Create();
        ASSERT_TRUE(form->IsCreated());
        KeepContents(form->GetWindow());
    }
    void TearDown() override
    {
        delete form;
        XSync(Dpy(), True);
        EXPECT_TRUE(AllElements.empty()) << AllElements.size() << " elements left registered";
        EXPECT_TRUE(FormList.empty());
    }
    Window Win() const { return form->GetWindow(); }
    std::string Log() const { return ReadFileBytes("log.txt"); }

    TempDir folder;
    TestForm* form = nullptr;
};

}  // namespace imagetest
