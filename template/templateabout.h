#pragma once

#include "aboutbox.h"

namespace qs::stencil {

// The template editor's About window.
AboutInfo aboutInfo();

} // namespace qs::stencil
