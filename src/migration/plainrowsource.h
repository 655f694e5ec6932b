#pragma once

#include "migration/rowsource.h"

// Tables given as plain rows: what the Access reader would stream, for tests and
// benchmarks of the copy.
class PlainRowSource : public RowSource
{
public:
    struct Table
    {
        SourceTable table;
        QList<QVariantList> rows;
    };

    explicit PlainRowSource(QList<Table> tables) : m_tables(std::move(tables)) {}

    bool nextTable(SourceTable &table) override
    {
        if (++m_table >= m_tables.size())
            return false;
        m_row = 0;
        table = m_tables.at(m_table).table;
        return true;
    }
    bool nextRow(QVariantList &values) override
    {
        const QList<QVariantList> &rows = m_tables.at(m_table).rows;
        if (m_row >= rows.size())
            return false;
        values = rows.at(m_row++);
        rowRead(m_row);
        return true;
    }

protected:
    // Called after each row handed out (its number, from 1).
    virtual void rowRead(qsizetype) {}

private:
    QList<Table> m_tables;
    qsizetype m_table = -1;
    qsizetype m_row = 0;
};
