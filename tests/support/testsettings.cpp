// Linked into every test: the program's per-user preferences go to a folder of
// the test's own, made when the application starts and removed when the test
// ends, so no test writes into the user's settings or reads what another left.

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

void UseTemporarySettings()
{
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(UseTemporarySettings)
