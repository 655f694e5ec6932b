#include "app/program.h"

#include <QGuiApplication>

int main(int argc, char **argv)
{
    // For whatever asks Qt for it. The command line stays the suite's own and has
    // no option to print it: `plov --version` does that.
    QCoreApplication::setApplicationVersion(QStringLiteral(PLOV_VERSION));
    // Ties the windows to the desktop entry, and so to its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PLOV_APP_ID));
    return Main(argc, argv);
}
