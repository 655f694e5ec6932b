#pragma once

#include "reports/pressschedulelookups.h"
#include "startup/db/dberror.h"

#include <QHash>
#include <QStringList>

// PAPER and PLATE lines held in memory, keyed by "PO/NO"; a key listed in
// failOn makes that lookup throw as a broken connection would.
class FakeLookups : public PressScheduleLookups
{
public:
    QHash<QString, QVector<PaperLine>> paper;
    QHash<QString, QVector<QString>> plates;
    QStringList failPaperFor;
    QStringList failPlateFor;
    QStringList calls; // "paper PO/NO", "plate PO/NO"
    int openRows = 0;

    static QString key(const QString &po, double no) { return po + '/' + QString::number(no); }

    void beginRow() override { ++openRows; }
    void endRow() override { --openRows; }
    QVector<PaperLine> paperLines(const QString &po, double no) override
    {
        calls.append(QStringLiteral("paper ") + key(po, no));
        if (failPaperFor.contains(key(po, no)))
            throw DbError(QStringLiteral("paper lookup failed"));
        return paper.value(key(po, no));
    }
    QVector<QString> plateDates(const QString &po, double no) override
    {
        calls.append(QStringLiteral("plate ") + key(po, no));
        if (failPlateFor.contains(key(po, no)))
            throw DbError(QStringLiteral("plate lookup failed"));
        return plates.value(key(po, no));
    }
};
