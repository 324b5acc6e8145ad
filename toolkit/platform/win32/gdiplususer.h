// GDI+ runs while anything needs it: every frame and every decoded image
// holds one user. The first user starts it, the last one shuts it down, so
// it never starts or stops inside the library's start routine.
#pragma once

namespace VSTGUI::win32 {

class GdiplusUser {
 public:
  GdiplusUser();
  ~GdiplusUser();
  GdiplusUser(const GdiplusUser&) = delete;
  GdiplusUser& operator=(const GdiplusUser&) = delete;
  // False when GDI+ could not be started.
  bool running() const { return started; }

 private:
  bool started;
};

}  // namespace VSTGUI::win32
