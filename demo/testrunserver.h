#pragma once

#include <QString>

namespace qs::demo {

// Registers the demo host as the host's automation server for this user: on Windows the
// in-process class beside hostProgram, which starts it; elsewhere the command that starts it.
// Returns an error's text, or the empty text.
QString registerTestRunServer(const QString &hostProgram);

} // namespace qs::demo
