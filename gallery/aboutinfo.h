#pragma once

#include "aboutbox.h"

namespace qs::gallery {

// The gallery editor's About window.
AboutInfo aboutInfo();

} // namespace qs::gallery
