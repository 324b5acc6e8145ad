// Where the editor's skin images come from: the PNG files the build embeds
// in the library on Linux, the library's PNG resources on Windows.
#pragma once

#include "imagesource.h"

namespace sorel {

const VSTGUI::IImageSource* skinImageSource();

}  // namespace sorel
