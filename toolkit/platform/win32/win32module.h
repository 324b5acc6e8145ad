// The module (DLL) whose resources hold the skin. The library's start
// routine hands its instance handle over before anything else runs.
#pragma once

namespace VSTGUI {

void setPlatformModuleHandle(void* module);
// The stored handle, or the handle of the module that contains this code
// when none was stored (a program linking the layer statically).
void* platformModuleHandle();

// OLE for the editor's lifetime (drag and drop and the shell need it on the
// editor's thread); calls pair up, the way the system counts them.
bool platformOleInitialize();
void platformOleUninitialize();

}  // namespace VSTGUI
