#pragma once

#include "reports/pressschedulelookups.h"
#include "reports/pressschedulerow.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <memory>

class Connection;

// Reading the press schedule from the shared database. Failures throw DbError.

// The rows of 印刷預排表1 of the presses starting with the trimmed press text
// (an empty text takes every press), in press, work-order and line order.
QVector<PressScheduleRow> LoadPressScheduleRows(Connection &connection, const QString &press);

// The trimmed COMPANY of the first COMPANY row; empty when there is none.
QString ReadCompanyName(Connection &connection);

// The lookups of each entry in PAPER and PLATE. Those of every row are read at
// once as the report is prepared (one statement per table, the rows' jobs bound
// as one value) and answered from memory. Should that fail, each entry reads its
// own: the entries share one connection, opened for the first entry; an entry
// whose lookup failed closes it, and the next entry opens a fresh one.
class DbPressScheduleLookups : public PressScheduleLookups
{
public:
    explicit DbPressScheduleLookups(const QString &connectionString);
    ~DbPressScheduleLookups() override;

    void prepare(const QVector<PressScheduleRow> &rows) override;
    void beginRow() override;
    void endRow() override;
    QVector<PaperLine> paperLines(const QString &po, double no) override;
    QVector<QString> plateDates(const QString &po, double no) override;

private:
    template <typename Lookup> auto guarded(Lookup lookup);
    static QString jobKey(const QString &po, double no);

    // What prepare() read, by jobKey(); empty when it did not.
    bool m_prepared = false;
    QHash<QString, QVector<PaperLine>> m_paper;
    QHash<QString, QVector<QString>> m_plates;
    QString m_connectionString;
    std::unique_ptr<Connection> m_connection;
    bool m_rowFailed = false;
};
