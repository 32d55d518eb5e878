#pragma once

#include "aboutbox.h"
#include "commandline.h"

namespace qs::stencil {

// The program's version, as its About window shows it and --version prints it.
inline constexpr int VersionMajor = 1;
inline constexpr int VersionMinor = 5;
inline constexpr int VersionRevision = 3;

// The template editor's About window.
AboutInfo aboutInfo();
// What tagloom32's command line takes: templates to open.
CommandLineSpec commandLineSpec();

} // namespace qs::stencil
