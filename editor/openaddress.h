// Opening a page in the system's browser, and finding the project's own
// documentation from where this library lives.
#pragma once

#include <string>

namespace sorel {

// Hands the address to the system (xdg-open on Linux, the shell on Windows)
// without waiting for it. Never call it from the audio thread.
void openAddress(const char* address);

// Tests replace the system call; null restores it.
using AddressOpener = void (*)(const char* address);
void setAddressOpener(AddressOpener opener);

// The full path of a file of the installed documentation (<prefix>/share/doc/
// sorel beside the library's own folder), or "" when it is not there.
std::string documentationPage(const char* file);

}  // namespace sorel
