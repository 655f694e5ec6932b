#pragma once

#include "migration/rowsource.h"

#include <QByteArray>
#include <QProcess>

// The tables of an Access file, read by the reader program (plov-mdb-read, see
// tools/plovmdbread.cpp for its stream) in a process of its own: a file that makes
// the reader fail or crash ends only that process, and the source reports it as a
// DbError naming the table and row it got to, so that the import stops there.
class AccessFileSource : public RowSource
{
public:
    // Starts the reader on the file; codepage is for Jet 3 files (950 by default).
    // Throws DbError when the reader cannot be started.
    AccessFileSource(const QString &readerProgram, const QString &file, int codepage = 950);
    ~AccessFileSource() override; // ends the reader when it is still running

    bool nextTable(SourceTable &table) override;
    bool nextRow(QVariantList &values) override;

    // A field of the stream as it was written ("\\t" back to a tab and so on).
    static QByteArray Unescaped(const QByteArray &field);

private:
    QByteArray nextLine();
    [[noreturn]] void fail(const QString &what);
    QList<QByteArray> fields(const QByteArray &line) const;

    QProcess m_process;
    QString m_file;
    QByteArray m_buffer;
    QByteArray m_pushedBack; // a line read one too far
    qsizetype m_pos = 0;
    SourceTable m_table;
    bool m_inTable = false;
    bool m_finished = false;
    qint64 m_row = 0;
};
