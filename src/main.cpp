#include "common/translations.h"
#include "startup/startup.h"

#include <QGuiApplication>

namespace {

// Run by Qt as soon as Main has made the application, before the first box or
// window, so that Qt's own buttons and dialogs speak Chinese from the start.
void InstallTranslationsOnStart()
{
    InstallChineseTranslations();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallTranslationsOnStart)

int main(int argc, char **argv)
{
    // For whatever asks Qt for it. The command line stays the suite's own and has
    // no option to print it: `plov --version` does that.
    QCoreApplication::setApplicationVersion(QStringLiteral(PLOV_VERSION));
    // Ties the windows to the desktop entry, and so to its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PLOV_APP_ID));
    return Main(argc, argv);
}
