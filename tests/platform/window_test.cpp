#include <gtest/gtest.h>

#include "platform/window.h"

using namespace platform;

TEST(WindowLayout, WindowedScaleIsTheLargestWholeFactorThatFits) {
  EXPECT_EQ(integer_scale_for(640, 500, 1024, 768), 1);
  EXPECT_EQ(integer_scale_for(640, 500, 1920, 1040), 2);
  EXPECT_EQ(integer_scale_for(800, 620, 3840, 2100), 3);
  EXPECT_EQ(integer_scale_for(640, 500, 320, 200), 1);  // never below 1
  Viewport v = fit_canvas(640, 500, 1280, 1000, true);
  EXPECT_EQ(v.x, 0);
  EXPECT_EQ(v.width, 1280);
}

TEST(WindowLayout, FullScreenLetterboxesWithAspectKept) {
  Viewport v = fit_canvas(640, 480, 1920, 1080, false);
  EXPECT_EQ(v.height, 1080);
  EXPECT_EQ(v.width, 1440);
  EXPECT_EQ(v.x, 240);
  EXPECT_EQ(v.y, 0);
  v = fit_canvas(800, 600, 1080, 1920, false);
  EXPECT_EQ(v.width, 1080);
  EXPECT_EQ(v.height, 810);
  EXPECT_EQ(v.y, 555);
}

TEST(WindowLayout, PointerMapsBackToLogicalPoints) {
  Viewport v = fit_canvas(640, 480, 1920, 1080, false);
  int x = 0, y = 0;
  window_to_canvas(v, 640, 480, 240, 0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  window_to_canvas(v, 640, 480, 1679, 1079, x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  window_to_canvas(v, 640, 480, 239, 0, x, y);
  EXPECT_EQ(x, -1);  // the letterbox lies outside the picture
}

TEST(WindowLayout, FullScreenTogglingKeepsClientCoordinates) {
  // The same picture point seen through the window (menu strip above, scale
  // 2) and through full screen (no strip, letterboxed) maps to one client point.
  const int w = 800, h = 600;
  Viewport win = fit_canvas(w, h + kMenuStripHeight, 1700, 1300, true);
  Viewport full = fit_canvas(w, h, 2560, 1440, false);
  for (int cx : {0, 123, 799})
    for (int cy : {0, 321, 599}) {
      int px = win.x + cx * 2 + 1, py = win.y + (cy + kMenuStripHeight) * 2 + 1;
      int x = 0, y = 0;
      window_to_canvas(win, w, h + kMenuStripHeight, px, py, x, y);
      EXPECT_EQ(x, cx);
      EXPECT_EQ(y - kMenuStripHeight, cy);
      px = full.x + (cx * full.width + full.width / 2) / w;
      py = full.y + (cy * full.height + full.height / 2) / h;
      window_to_canvas(full, w, h, px, py, x, y);
      EXPECT_EQ(x, cx);
      EXPECT_EQ(y, cy);
    }
}
