#pragma once

#include "db/dberror.h"
#include "reports/pressschedulelookups.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

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

    static QString key(const QString &po, double no) { return po + u'/' + QString::number(no); }

    void beginRow() override { ++openRows; }
    void endRow() override { --openRows; }
    QVector<PaperLine> paperLines(const QString &po, double no) override
    {
        calls.append(u"paper "_s + key(po, no));
        if (failPaperFor.contains(key(po, no)))
            throw DbError(u"paper lookup failed"_s);
        return paper.value(key(po, no));
    }
    QVector<QString> plateDates(const QString &po, double no) override
    {
        calls.append(u"plate "_s + key(po, no));
        if (failPlateFor.contains(key(po, no)))
            throw DbError(u"plate lookup failed"_s);
        return plates.value(key(po, no));
    }
};
