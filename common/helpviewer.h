#pragma once

#include <QString>

namespace qs {

// Starts the help viewer on a help file and returns at once; without one, opens the HTML
// manual of the same name beside it in the desktop's browser. Returns an empty text on
// success, otherwise a message for the user saying why nothing could start.
QString launchHelpViewer(const QString &helpFilePath);

} // namespace qs
