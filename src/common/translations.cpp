#include "common/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

// The translator belongs to the application and goes with it.
bool Install(const QString &file, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

bool InstallChineseTranslations()
{
    const bool qtTexts =
        Install(u"qtbase_zh_TW"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Built into the program; a tool without widgets has none.
    Install(u"daily_report_zh_TW"_s, u":/i18n"_s);
    return qtTexts;
}
