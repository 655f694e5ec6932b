#include "migration/accessfilesource.h"

#include "db/dberror.h"
#include "migration/valueconversion.h"

using namespace Qt::StringLiterals;

namespace {

SourceKind kindNamed(const QByteArray &name)
{
    static const QHash<QByteArray, SourceKind> kinds = {
        {"bool", SourceKind::Bool},         {"int", SourceKind::Integer},
        {"real", SourceKind::Real},         {"decimal", SourceKind::Decimal},
        {"datetime", SourceKind::DateTime}, {"text", SourceKind::Text},
        {"binary", SourceKind::Binary},     {"guid", SourceKind::Guid}};
    return kinds.value(name, SourceKind::Text);
}

QVariant valueOf(const QByteArray &field, SourceKind kind)
{
    if (field == "\\N")
        return {};
    switch (kind) {
    case SourceKind::Bool:
        return field == "1";
    case SourceKind::Integer:
        return field.toLongLong();
    case SourceKind::Real:
        return field.toDouble();
    case SourceKind::DateTime:
        return DateTimeFromJet(field.toDouble());
    case SourceKind::Binary:
        return QByteArray::fromHex(field);
    default: {
        const QByteArray text = AccessFileSource::Unescaped(field);
        QString s = QString::fromUtf8(text);
        if (s.isNull())
            s = u""_s; // empty text, not null
        return s;
    }
    }
}

} // namespace

AccessFileSource::AccessFileSource(const QString &readerProgram, const QString &file, int codepage)
    : m_file(file)
{
    m_process.setProgram(readerProgram);
    m_process.setArguments({file, u"--codepage"_s, QString::number(codepage)});
    m_process.setReadChannel(QProcess::StandardOutput);
    m_process.start(QIODevice::ReadOnly);
    if (!m_process.waitForStarted(10000))
        throw DbError(
            u"無法啟動讀取 Access 檔案的程式 %1：%2"_s.arg(readerProgram, m_process.errorString()));
    if (nextLine() != "plov-mdb 1")
        fail(u"讀取程式送來的不是 Access 檔案的資料"_s);
}

AccessFileSource::~AccessFileSource()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray AccessFileSource::Unescaped(const QByteArray &field)
{
    if (!field.contains('\\'))
        return field;
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c != '\\' || i + 1 == field.size()) {
            out += c;
            continue;
        }
        const char e = field.at(++i);
        out += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
    }
    return out;
}

QByteArray AccessFileSource::nextLine()
{
    if (!m_pushedBack.isNull())
        return std::exchange(m_pushedBack, QByteArray());
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', m_pos);
        if (end >= 0) {
            const QByteArray line = m_buffer.mid(m_pos, end - m_pos);
            m_pos = end + 1;
            return line;
        }
        m_buffer.remove(0, m_pos);
        m_pos = 0;
        if (m_process.bytesAvailable() == 0 && !m_process.waitForReadyRead(-1) &&
            m_process.bytesAvailable() == 0)
            fail(QString());
        m_buffer += m_process.readAll();
    }
}

QList<QByteArray> AccessFileSource::fields(const QByteArray &line) const
{
    return line.split('\t');
}

void AccessFileSource::fail(const QString &what)
{
    m_process.closeReadChannel(QProcess::StandardOutput);
    m_process.waitForFinished(10000);
    QString why = QString::fromUtf8(m_process.readAllStandardError()).trimmed();
    why.remove(u"plov-mdb-read: "_s);
    const QString where = !m_inTable   ? m_file
                          : m_row == 0 ? u"資料表 %1"_s.arg(m_table.name)
                                       : u"資料表 %1 第 %2 列之後"_s.arg(m_table.name).arg(m_row);
    if (m_process.exitStatus() == QProcess::CrashExit)
        throw DbError(u"讀取 Access 檔案的程式異常結束（%1）"_s.arg(where));
    if (!why.isEmpty())
        throw DbError(why);
    throw DbError(u"Access 檔案的資料不完整（%1）%2"_s.arg(where, what));
}

bool AccessFileSource::nextTable(SourceTable &table)
{
    if (m_finished)
        return false;
    while (m_inTable) { // the rest of a table nobody read
        QVariantList values;
        if (!nextRow(values))
            break;
    }
    const QByteArray line = nextLine();
    if (line == "Z") {
        m_finished = true;
        m_process.waitForFinished(10000);
        if (m_process.exitStatus() != QProcess::NormalExit || m_process.exitCode() != 0)
            fail(QString());
        return false;
    }
    const QList<QByteArray> head = fields(line);
    if (head.size() != 3 || head.at(0) != "T")
        fail(QString());
    m_table = {QString::fromUtf8(Unescaped(head.at(1))), {}, head.at(2).toLongLong()};
    m_inTable = true;
    m_row = 0;
    for (;;) { // the column lines come first
        const QByteArray next = nextLine();
        if (!next.startsWith("C\t")) {
            m_pushedBack = next;
            break;
        }
        const QList<QByteArray> column = fields(next);
        if (column.size() != 3)
            fail(QString());
        m_table.columns.append(
            {QString::fromUtf8(Unescaped(column.at(1))), kindNamed(column.at(2))});
    }
    table = m_table;
    return true;
}

bool AccessFileSource::nextRow(QVariantList &values)
{
    if (!m_inTable)
        return false;
    const QByteArray line = nextLine();
    if (line.startsWith("E\t")) {
        m_inTable = false;
        if (line.mid(2).toLongLong() != m_row)
            fail(QString());
        return false;
    }
    const QList<QByteArray> parts = fields(line);
    if (parts.size() != m_table.columns.size() + 1 || parts.at(0) != "R")
        fail(QString());
    values.clear();
    values.reserve(m_table.columns.size());
    for (qsizetype i = 0; i < m_table.columns.size(); ++i)
        values.append(valueOf(parts.at(i + 1), m_table.columns.at(i).kind));
    ++m_row;
    return true;
}
