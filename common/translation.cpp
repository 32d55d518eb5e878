#include "translation.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace qs {

namespace {

bool load(QCoreApplication &app, const QLocale &locale, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), folder)) {
        app.installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

bool installTranslations(QCoreApplication &app, const QString &program, const QLocale &locale)
{
    // Qt's own texts (standard buttons, the file dialog) come from the system's Qt translations,
    // or on Windows, where Qt is built into the programs, from the catalogue packaged beside them.
    if (!load(app, locale, QStringLiteral("qtbase"),
              QCoreApplication::applicationDirPath() + QStringLiteral("/translations")))
        load(app, locale, QStringLiteral("qtbase"),
             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    const QString ours = QStringLiteral(":/i18n");
    load(app, locale, QStringLiteral("common"), ours);
    return load(app, locale, program, ours);
}

} // namespace qs
