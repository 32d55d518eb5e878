#pragma once

#include <QString>

namespace qs {

// Hands a saved template to the host's automation class for a test run. Returns an empty
// text on success, otherwise a message for the user that says why (class not registered,
// its command cannot start).
QString hostTestTemplate(const QString &templatePath);

} // namespace qs
