#include "migration/tablemapping.h"

#include <QHash>

QString FoldName(const QString &name)
{
    QString folded = name;
    for (QChar &c : folded) {
        if (c.isUpper() && c.script() == QChar::Script_Latin)
            c = c.toLower();
    }
    return folded;
}

qsizetype FindTable(const QList<TargetTable> &tables, const QString &name)
{
    const QString folded = FoldName(name);
    for (qsizetype i = 0; i < tables.size(); ++i) {
        if (FoldName(tables.at(i).name) == folded)
            return i;
    }
    return -1;
}

ColumnMapping MapColumns(const SourceTable &source, const TargetTable &target)
{
    QHash<QString, qsizetype> targetIndex;
    for (qsizetype i = 0; i < target.columns.size(); ++i)
        targetIndex.insert(FoldName(target.columns.at(i).name), i);
    ColumnMapping mapping;
    QList<bool> copied(target.columns.size(), false);
    for (qsizetype i = 0; i < source.columns.size(); ++i) {
        const qsizetype t = targetIndex.value(FoldName(source.columns.at(i).name), -1);
        if (t < 0 || copied.at(t)) {
            mapping.dropped.append(source.columns.at(i).name);
            continue;
        }
        copied[t] = true;
        mapping.source.append(i);
        mapping.target.append(t);
    }
    for (qsizetype t = 0; t < target.columns.size(); ++t) {
        if (!copied.at(t))
            mapping.defaulted.append(target.columns.at(t).name);
    }
    return mapping;
}
