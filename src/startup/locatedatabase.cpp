#include "startup/locatedatabase.h"

#include "common/cp950.h"
#include "startup/datasourcefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// Only a regular file, and only its beginning: a data-source file is a few lines,
// and a FIFO, a device or a huge file in its place must not hold up the start.
// Nothing when there is no such file or it cannot be read.
std::optional<QString> readDataSourceFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Written by this system's tools in UTF-8, by the suite's Windows programs in
    // code page 950: a folder name in Chinese reads right either way.
    const QByteArray bytes = f.read(kDataSourceFileLimit);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? fromCp950(bytes) : text;
}

} // namespace

DatabaseLocation LocateDatabase(const QString &programFolder, const QString &home,
                                const QString &machineName, const QString &loginName)
{
    DatabaseLocation loc;
    loc.MachineUserId = machineName + u'\\' + loginName;
    loc.TempFolder = withSlash(programFolder);
    if (!home.isEmpty()) {
        loc.TempFolder = withSlash(home) + u"Temp/"_s;
        QDir().mkpath(loc.TempFolder); // a folder that cannot be made is left to fail later
    }
    const std::optional<QString> text =
        readDataSourceFile(withSlash(programFolder) + u"PLOV.DSN"_s);
    const std::optional<DataSourceFile> file =
        text ? ReadDataSourceText(*text, kDatabasePassword) : std::nullopt;
    if (!file) {
        loc.DatabaseFolder = withSlash(programFolder);
        loc.TempFolder = withSlash(programFolder);
        return loc;
    }
    loc.Site = file->site;
    loc.Server = file->server;
    loc.Problem = file->serverProblem;
    if (loc.Site != u"C" || file->folderText.isEmpty())
        loc.DatabaseFolder = withSlash(programFolder);
    else
        loc.DatabaseFolder = file->folderText;
    return loc;
}

QString BuildConnectionString(const DatabaseLocation &location)
{
    if (location.Server)
        return postgresConnectionString(*location.Server);
    // A server that cannot be used: nothing to open, so that no operation ends up
    // in a local file instead (SetUnusableDatabaseProblem says why).
    if (!location.Problem.isEmpty())
        return {};
    return SqliteConnectionString(location.DatabaseFolder + u"PLOV.mdb"_s);
}

std::optional<QString> ResetTempText(const QString &tempFolder)
{
    QFile f(tempFolder + u"PLOV.TXT"_s);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return f.errorString();
    return std::nullopt;
}
