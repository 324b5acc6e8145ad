// Defaults for the sanitizer build of the X11 tests (the
// sanitizer runtime looks these functions up; other builds ignore them).

// Read by the sanitizer build. The libraries are built without frame
// pointers, so allocation stacks are unwound the slow way to reach our frames.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

// Read by the leak checker of the sanitizer build. cairo 1.16 keeps a
// 32-byte record for a partial upload through shared memory until a later
// upload finds it done, so the last one of a display connection is never
// freed. Only allocations made inside the frame's present step are excused;
// that step creates one cairo context and destroys it before returning.
extern "C" const char* __lsan_default_suppressions() { return "leak:VSTGUI::x11::X11Frame::present\n"; }
