#pragma once
// A fixture for drawing tests on the null backend: an 800 by 600 back surface, the mouse and
// keyboard switched on, the clock at 0 and empty dirty rectangles. Time is driven with
// TimerEvent (10 ms a call), mouse buttons with PressLeft/ReleaseLeft.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/mouse_cursor.h"
#include "core/timer_service.h"
#include "gfx/dirty_rect_list.h"
#include "gfx/surface_functions.h"
#include "platform/backend.h"
#include "platform/input.h"
#include "platform/null_backend.h"
#include "zel/zel.h"

namespace testing_support {

constexpr uint16_t kBlue = 0x001F;
constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kBlack = 0x0000;

class NullDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SelectBackend(plat::BackendKind::Null);
        plat::null::Reset();
        ASSERT_EQ(ZelInitDirectX(nullptr, 800, 600), 1);
        ZelInitMouse();
        ZelAcquireMouse(1);
        ZelInitKeyboard();
        ResetTimerService();
        mouseCursor.Reset();
        dirtyRects.Clear();
        FillSurface(Back(), kBlack);
    }
    void TearDown() override {
        dirtyRects.Clear();
        plat::null::Reset();
        ZelFreeDirectX();
    }

  public: // the helpers serve the tests' own classes too
    static Surface* Back() { return dirtyRects.BackSurface(); }
    static int BackPixel(int x, int y) { return GetPixelValue(Back(), x, y); }

    // Advances the clock by whole timer events (10 ms each); each event polls the mouse.
    static void Wait(int ms) {
        for (int t = 0; t < ms; t += 10)
            TimerEvent();
    }
    static void PressLeft() {
        plat::NoteMouseButton(1, true);
        TimerEvent();
    }
    static void ReleaseLeft() {
        plat::NoteMouseButton(1, false);
        TimerEvent();
    }
    // A quick tap: pressed and released at (x, y) between two frames.
    static void Tap(int x, int y) {
        mouseCursor.SetPosition(x, y);
        PressLeft();
        ReleaseLeft();
    }
};

// A surface of one colour; its colour key is pure blue like every picture cut from a bitmap.
inline Surface* SolidSurface(int width, int height, uint16_t colour) {
    Surface* surface = MakeSurface(width, height);
    FillSurface(surface, colour);
    SetColorKeyRGB(surface, 0, 0, 255);
    return surface;
}

inline void FillArea(Surface* surface, int left, int top, int right, int bottom, uint16_t colour) {
    plat::Rect area{left, top, right, bottom};
    plat::FillRect(surface, &area, colour);
}

} // namespace testing_support
