#include "time_sheet/runhistory.h"

#include "db/jetval.h"
#include "grid/recordtext.h"
#include "time_sheet/runcolumns.h"

using namespace Qt::StringLiterals;

namespace {

// What a run holds: the stored fields before its keys.
constexpr int kCompared = int(std::size(kStoredRunFields)) - kStoredRunKeys;

QString valueText(const QVariant &value)
{
    return RecordValueText(value).trimmed();
}

QString runText(const QString &start, const QString &end)
{
    return start + u'–' + end;
}

} // namespace

QVector<ChangeRow> RunChanges(const TimeSheetJob &job, const RecordArray &before,
                              const QVector<QVariantList> &after)
{
    const int stored = before.isEmpty() ? 0 : int(before.first().size());
    const auto old = [&](int field, int run) { return valueText(before.value(field).value(run)); };
    const auto row = [&](const QString &column, const QString &from, const QString &to,
                         const QString &action, int seq) {
        return ChangeRow{u"預排資料耗時明細1"_s,
                         job.po,
                         Val(job.line),
                         QString(),
                         QVariant(),
                         seq,
                         column,
                         from,
                         to,
                         action};
    };
    QVector<bool> found(stored, false);
    QVector<ChangeRow> changes;
    for (int i = 0; i < after.size(); ++i) {
        const QVariantList &values = after[i];
        const QString start = valueText(values.value(0));
        int match = -1;
        for (int r = 0; r < stored && match < 0; ++r)
            if (!found[r] && old(0, r) == start && (!start.isEmpty() || r == i))
                match = r;
        if (match < 0) {
            changes.append(row(QString(), QString(), runText(start, valueText(values.value(1))),
                               u"新增"_s, i + 1));
            continue;
        }
        found[match] = true;
        if (match != i)
            changes.append(
                row(u"序"_s, QString::number(match + 1), QString::number(i + 1), u"改序"_s, i + 1));
        for (int field = 0; field < kCompared; ++field)
            if (old(field, match) != valueText(values.value(field)))
                changes.append(row(QString::fromUtf16(kStoredRunFields[field].name),
                                   old(field, match), valueText(values.value(field)), u"修改"_s,
                                   i + 1));
    }
    for (int r = 0; r < stored; ++r)
        if (!found[r])
            changes.append(
                row(QString(), runText(old(0, r), old(1, r)), QString(), u"刪除"_s, r + 1));
    return changes;
}
