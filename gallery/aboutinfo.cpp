#include "aboutinfo.h"
#include "translation.h"

#include "programicon.h"

namespace qs::gallery {

AboutInfo aboutInfo()
{
    AboutInfo info;
    info.objectName = QStringLiteral("frmAbout");
    info.appTitle = QStringLiteral("Pictorium");
    info.major = VersionMajor;
    info.minor = VersionMinor;
    info.revision = VersionRevision;
    info.description = translate(
        "artshelf",
        "Builds clipart galleries for Quillsite 97: sort pictures into categories, give them "
        "titles, and install the finished gallery into Quillsite's clipart folder.");
    info.disclaimer = translate(
        "artshelf", "Warning: this program is protected by copyright law. Unauthorized copying or "
                    "distribution of it, or of any part of it, is prohibited.");
    info.icon = hicolorIcon(QStringLiteral("artshelf"));
    return info;
}

CommandLineSpec commandLineSpec()
{
    return {QStringLiteral("artshelf"),
            AboutBox::versionNumber(VersionMajor, VersionMinor, VersionRevision),
            QT_TRANSLATE_NOOP("artshelf", "Edits clipart galleries for Quillsite 97."),
            QStringLiteral("[FILE.gal]"), QT_TRANSLATE_NOOP("artshelf", "A gallery to open.")};
}

} // namespace qs::gallery
