#pragma once

#include "aboutbox.h"
#include "commandline.h"

namespace qs::gallery {

// The program's version, as its About window shows it and --version prints it.
inline constexpr int VersionMajor = 1;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 0;

// The gallery editor's About window.
AboutInfo aboutInfo();
// What artshelf's command line takes: one gallery to open.
CommandLineSpec commandLineSpec();

} // namespace qs::gallery
