// RAII wrappers of GDI handles: objects freed, selections restored, DCs
// released or deleted, ownership moved but never shared.
#include <gtest/gtest.h>

#include <utility>

#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/PaintDC.h"
#include "framework/ScopedSelect.h"
#include "framework/SolidDrawing.h"
#include "framework/Window.h"
#include "framework/WindowDC.h"
#include "support/Pixels.h"
#include "support/Pump.h"

namespace {

HFONT MakeFont(int height) {
  LOGFONTA description = {};
  description.lfHeight = height;
  lstrcpyA(description.lfFaceName, "Tahoma");
  return CreateFontIndirectA(&description);
}

bool IsGdiObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(GdiObject, DeletesItsObjectWhenItGoes) {
  HFONT handle = nullptr;
  {
    fw::Font font(MakeFont(12));
    handle = font.Get();
    ASSERT_TRUE(IsGdiObject(handle));
  }
  EXPECT_FALSE(IsGdiObject(handle));
}

TEST(GdiObject, MovingHandsOverOwnershipAndResetDeletesTheOldObject) {
  fw::Pen first(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
  HPEN handle = first.Get();
  fw::Pen second(std::move(first));
  EXPECT_EQ(nullptr, first.Get());
  EXPECT_EQ(handle, second.Get());

  fw::Pen third(CreatePen(PS_SOLID, 2, RGB(4, 5, 6)));
  HPEN replaced = third.Get();
  third = std::move(second);
  EXPECT_FALSE(IsGdiObject(replaced)) << "move assignment deleted the object it held";
  EXPECT_TRUE(IsGdiObject(handle));

  third.Reset();
  EXPECT_FALSE(IsGdiObject(handle));
  EXPECT_FALSE(static_cast<bool>(third));
}

TEST(GdiObject, ReleaseGivesUpOwnership) {
  HBRUSH handle = nullptr;
  {
    fw::Brush brush(CreateSolidBrush(RGB(9, 9, 9)));
    handle = brush.Release();
  }
  EXPECT_TRUE(IsGdiObject(handle));
  DeleteObject(handle);
}

TEST(ScopedSelect, PutsThePreviousObjectBackAtTheEndOfItsScope) {
  fw::MemoryDC dc(nullptr);
  HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_FONT);
  fw::Font font(MakeFont(20));
  {
    fw::ScopedSelect select(dc.Get(), font.Get());
    EXPECT_TRUE(static_cast<bool>(select));
    EXPECT_EQ(font.Get(), GetCurrentObject(dc.Get(), OBJ_FONT));
    EXPECT_EQ(original, select.Previous());
  }
  EXPECT_EQ(original, GetCurrentObject(dc.Get(), OBJ_FONT));
}

TEST(ScopedSelect, AMovedSelectionIsRestoredOnceAndAReplacedOneFirst) {
  fw::MemoryDC dc(nullptr);
  HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
  fw::Pen red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  fw::Pen blue(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
  fw::Font font(MakeFont(10));
  {
    fw::ScopedSelect outer(dc.Get(), red.Get());
    fw::ScopedSelect moved(std::move(outer));
    EXPECT_FALSE(static_cast<bool>(outer));
    EXPECT_EQ(red.Get(), GetCurrentObject(dc.Get(), OBJ_PEN));

    fw::ScopedSelect fontSelection(dc.Get(), font.Get());
    fontSelection = std::move(moved);  // restores the font first, then owns the pen selection
    EXPECT_NE(font.Get(), GetCurrentObject(dc.Get(), OBJ_FONT));
    EXPECT_EQ(red.Get(), GetCurrentObject(dc.Get(), OBJ_PEN));
  }
  EXPECT_EQ(original, GetCurrentObject(dc.Get(), OBJ_PEN));
}

TEST(ScopedSelect, ASelectionThatFailedRestoresNothing) {
  fw::MemoryDC dc(nullptr);
  HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_FONT);
  {
    fw::ScopedSelect select(dc.Get(), nullptr);
    EXPECT_FALSE(static_cast<bool>(select));
  }
  EXPECT_EQ(original, GetCurrentObject(dc.Get(), OBJ_FONT));
}

TEST(MemoryDC, IsDeletedWhenItGoesAndMovesOwnership) {
  HDC handle = nullptr;
  {
    fw::MemoryDC dc(nullptr);
    handle = dc.Get();
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(handle));
    fw::MemoryDC moved(std::move(dc));
    EXPECT_EQ(nullptr, dc.Get());
    EXPECT_EQ(handle, moved.Get());
  }
  EXPECT_FALSE(IsGdiObject(handle));
}

// A window that paints through PaintDC and counts its paints.
class PaintingWindow : public fw::Window {
 public:
  bool Open() {
    fw::WindowClass windowClass;
    windowClass.name = "LumettaTestPaint";
    fw::WindowParams params;
    params.style = WS_POPUP | WS_VISIBLE;
    params.x = params.y = 10;
    params.width = params.height = 60;
    return Create(windowClass, params);
  }
  int paints = 0;
  RECT lastPaintRect = {};

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) {
      fw::PaintDC dc(Handle());
      ++paints;
      lastPaintRect = dc.PaintRect();
      FillRect(dc.Get(), &dc.PaintRect(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
  }
};

TEST(PaintDC, EndsThePaintSoTheUpdateRegionIsValidated) {
  PaintingWindow window;
  ASSERT_TRUE(window.Open());
  UpdateWindow(window.Handle());
  const int before = window.paints;

  RECT part = {5, 6, 20, 30};
  InvalidateRect(window.Handle(), &part, FALSE);
  UpdateWindow(window.Handle());
  EXPECT_EQ(before + 1, window.paints);
  EXPECT_TRUE(EqualRect(&part, &window.lastPaintRect));
  RECT pending = {};
  EXPECT_FALSE(GetUpdateRect(window.Handle(), &pending, FALSE));
  testing_support::PumpPending();
  EXPECT_EQ(before + 1, window.paints) << "no repeated WM_PAINT";
}

// A window that paints all of its client area in one colour through
// HandleWholePaint and notes the kind of DC it was given.
class WholePaintWindow : public PaintingWindow {
 public:
  explicit WholePaintWindow(fw::OffScreenBuffer* buffer) : buffer_(buffer) {}
  DWORD paintedDcType = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    const auto paint = [this](HDC dc) {
      paintedDcType = GetObjectType(dc);
      RECT all = {};
      GetClientRect(Handle(), &all);
      fw::FillSolidRect(dc, all, RGB(0, 128, 255));
    };
    if (fw::HandleWholePaint(Handle(), message, wParam, paint, result, buffer_)) return result;
    return Window::HandleMessage(message, wParam, lParam);
  }

 private:
  fw::OffScreenBuffer* buffer_;
};

// The kept off-screen bitmap must still cover the window after it has
// shrunk and grown past its first size.
TEST(PaintDC, AWholePaintOffScreenShowsTheSameAsOneOnTheScreenAtEverySize) {
  fw::OffScreenBuffer buffer;
  const struct {
    fw::OffScreenBuffer* buffer;
    DWORD dcType;
  } cases[] = {{nullptr, OBJ_DC}, {&buffer, OBJ_MEMDC}};
  for (const auto& c : cases) {
    WholePaintWindow window(c.buffer);
    ASSERT_TRUE(window.Open());
    for (const int size : {60, 30, 140}) {
      SetWindowPos(window.Handle(), nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER);
      RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_EQ(c.dcType, window.paintedDcType);
      const testing_support::ClientPixels pixels(window.Handle());
      EXPECT_EQ(RGB(0, 128, 255), pixels.At(1, 1)) << size;
      EXPECT_EQ(RGB(0, 128, 255), pixels.At(size - 2, size - 2)) << size;
    }
  }
}

TEST(WindowDC, BelongsToItsWindowAndIsReleasedExactlyOnce) {
  PaintingWindow window;
  ASSERT_TRUE(window.Open());
  fw::WindowDC dc(window.Handle());
  ASSERT_TRUE(static_cast<bool>(dc));
  EXPECT_EQ(window.Handle(), WindowFromDC(dc.Get()));
  EXPECT_EQ(window.Handle(), dc.Hwnd());

  fw::WindowDC moved(std::move(dc));
  EXPECT_FALSE(dc.ReleaseNow()) << "the moved-from wrapper owns nothing";
  EXPECT_EQ(window.Handle(), moved.Hwnd()) << "the window handle moves with the DC";
  EXPECT_TRUE(moved.ReleaseNow());
  EXPECT_FALSE(moved.ReleaseNow());
}

}  // namespace
