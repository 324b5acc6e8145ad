#include "edid.h"

// windows.h first: the other system headers need its types.
// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include "../edid.h"

namespace VSTGUI::win32 {

namespace {
// The monitor device class.
const GUID kMonitorClass = {0x4d36e96e, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};
}  // namespace

bool monitorImageSize(int& widthMm, int& heightMm) {
  HDEVINFO devices = SetupDiGetClassDevsA(&kMonitorClass, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    found = false;
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    unsigned char edid[256];
    DWORD size = sizeof edid;
    DWORD type = 0;
    if (RegQueryValueExA(key, "EDID", nullptr, &type, edid, &size) == ERROR_SUCCESS) {
      found = edidImageSize(edid, size, widthMm, heightMm);
    }
    RegCloseKey(key);
  }
  SetupDiDestroyDeviceInfoList(devices);
  return found;
}

}  // namespace VSTGUI::win32
