#include "templateabout.h"
#include "translation.h"

#include "programicon.h"

namespace qs::stencil {

AboutInfo aboutInfo()
{
    AboutInfo info;
    info.objectName = QStringLiteral("About");
    info.appTitle = QStringLiteral("tagloom32");
    info.fixedTitle = QStringLiteral("Vantrell Quillsite 97 Stencilry");
    info.major = VersionMajor;
    info.minor = VersionMinor;
    info.revision = VersionRevision;
    info.description = translate(
        "tagloom32",
        "Builds page templates for Quillsite 97: literal text, line breaks and prompts that ask "
        "the page's author for a value or a file while Quillsite plays the template back.");
    info.disclaimer = translate(
        "tagloom32", "Warning: this program is protected by copyright law. Unauthorized copying or "
                     "distribution of it, or of any part of it, is prohibited.");
    info.icon = hicolorIcon(QStringLiteral("tagloom32"));
    return info;
}

CommandLineSpec commandLineSpec()
{
    return {QStringLiteral("tagloom32"),
            AboutBox::versionNumber(VersionMajor, VersionMinor, VersionRevision),
            QT_TRANSLATE_NOOP("tagloom32", "Edits page templates for Quillsite 97."),
            QStringLiteral("[FILE.htp...]"),
            QT_TRANSLATE_NOOP("tagloom32", "Templates to open, each in a window of its own.")};
}

} // namespace qs::stencil
