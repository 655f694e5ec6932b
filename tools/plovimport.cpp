#include "plovimport.h"

#include "db/databasecreator.h"
#include "migration/accessimport.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString tableLine(const TableCopied &t)
{
    const QString name = t.source == t.target ? t.source : t.source + u" → "_s + t.target;
    return u"%1：讀取 %2 列，寫入 %3 列"_s.arg(name).arg(t.read).arg(t.written);
}

class ConsoleProgress : public ImportProgress
{
public:
    explicit ConsoleProgress(QTextStream &out) : m_out(out), m_terminal(isatty(STDOUT_FILENO)) {}

    void tableStarted(const SourceTable &table, const QString &) override
    {
        m_name = table.name;
        m_total = table.rowCount;
        rowsCopied(0);
    }
    void rowsCopied(qint64 rows) override
    {
        if (!m_terminal)
            return;
        constexpr qint64 width = 30;
        const qint64 filled = m_total > 0 ? std::min(width, rows * width / m_total) : width;
        m_barShown = true;
        m_out << '\r' << m_name << u" ["_s << QString(filled, u'#') << QString(width - filled, u'-')
              << u"] "_s << rows << u'/' << m_total;
        m_out.flush();
    }
    void tableFinished(const TableCopied &table) override
    {
        if (m_terminal)
            m_out << u"\r\x1b[K"_s;
        m_barShown = false;
        m_out << tableLine(table) << u'\n';
        m_out.flush();
    }

    // Ends the line of a bar left unfinished by a failure.
    void interrupted()
    {
        if (m_barShown)
            m_out << u'\n';
        m_out.flush();
    }

private:
    QTextStream &m_out;
    bool m_terminal;
    bool m_barShown = false;
    QString m_name;
    qint64 m_total = 0;
};

QString columns(const QList<ColumnNote> &notes, bool withRows = false)
{
    QStringList shown;
    for (const ColumnNote &n : notes)
        shown.append(n.table + u'.' + n.column +
                     (withRows ? u"（%1 列）"_s.arg(n.rows) : QString()));
    return shown.join(u"、"_s);
}

void printReport(const ImportReport &report, const QString &target, QTextStream &out)
{
    if (!report.skippedTables.isEmpty())
        out << u"略過（資料庫沒有這些資料表）："_s << report.skippedTables.join(u"、"_s) << u'\n';
    if (!report.missingTables.isEmpty())
        out << u"留空（Access 檔案沒有這些資料表）："_s << report.missingTables.join(u"、"_s)
            << u'\n';
    if (!report.droppedColumns.isEmpty())
        out << u"捨棄的欄位（資料庫沒有）："_s << columns(report.droppedColumns) << u'\n';
    if (!report.defaultedColumns.isEmpty())
        out << u"留給預設值的欄位（Access 檔案沒有）："_s << columns(report.defaultedColumns)
            << u'\n';
    if (!report.defaultedNulls.isEmpty())
        out << u"空值改存欄位的預設值："_s << columns(report.defaultedNulls, true) << u'\n';
    qint64 rows = 0;
    for (const TableCopied &t : report.tables)
        rows += t.written;
    out << u"已匯入 %1 個資料表，共 %2 列，到 %3\n"_s.arg(report.tables.size())
               .arg(rows)
               .arg(TargetForDisplay(target));
}

int usage(QTextStream &err)
{
    err << "usage: plov import SOURCE.mdb DB [--password TEXT] [--codepage N]\n";
    return 2;
}

} // namespace

int PlovImport(const QStringList &args, QTextStream &out, QTextStream &err)
{
    AccessImportOptions options;
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--password" && i + 1 < args.size()) {
            ++i; // a Jet 4 database password does not encrypt: the file reads without it
        } else if (arg == u"--codepage" && i + 1 < args.size()) {
            bool ok = false;
            options.codepage = args.at(++i).toInt(&ok);
            if (!ok || options.codepage <= 0)
                return usage(err);
        } else if (arg.isEmpty() || arg.startsWith(u'-')) { // an option it does not know
            return usage(err);
        } else {
            rest.append(arg);
        }
    }
    if (rest.size() != 2)
        return usage(err);
    options.source = rest.at(0);
    options.target = rest.at(1);
    options.readerProgram =
        QDir(QCoreApplication::applicationDirPath()).filePath(u"plov-mdb-read"_s);
    ConsoleProgress progress(out);
    const ImportReport report = ImportAccessDatabase(options, &progress);
    if (!report.error.isEmpty()) {
        progress.interrupted();
        err << u"plov: "_s << report.error << u"\nplov: 匯入沒有完成，沒有留下任何資料\n"_s;
        return 2;
    }
    printReport(report, options.target, out);
    return 0;
}
