// Where the project's own documentation is: found from where this library
// lives, so that the about view's links open pages that exist.
#pragma once

#include <string>

namespace sorel {

// The full path of a file of the installed documentation (<prefix>/share/doc/
// sorel beside the library's own folder), or "" when it is not there.
std::string documentationPage(const char* file);

}  // namespace sorel
