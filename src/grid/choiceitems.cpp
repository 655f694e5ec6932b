#include "grid/choiceitems.h"

using namespace Qt::StringLiterals;

namespace {

// Keys whose items are the DESC of the phrase rows listed under the key (or
// under the kind).
const QStringList kItemKeys = {u"機別"_s,     u"車別"_s,     u"停工說明"_s, u"停工類別"_s,
                               u"固定片語"_s, u"顏色說明"_s, u"留版說明"_s, u"包裝"_s,
                               u"油墨明細"_s, u"特滿"_s};

// The blanks that keep the second part of a print-size item out of view.
constexpr int kHiddenPartOffset = 100;

class PhraseRows
{
public:
    explicit PhraseRows(const RecordArray &data) : m_data(data) {}

    // A single field (the single empty element) is no table data.
    bool any() const { return m_data.size() > 1 && count() > 0; }
    int count() const { return m_data.isEmpty() ? 0 : int(m_data.first().size()); }
    bool hasField(int field) const { return field < m_data.size(); }
    QString text(int field, int record) const
    {
        return hasField(field) ? m_data.at(field).value(record).toString().trimmed() : QString();
    }

private:
    const RecordArray &m_data;
};

// One of two texts: the other one when the cell holds the first, both (in
// order) when the cell is empty, otherwise the first.
QStringList pairAfter(const QString &current, const QString &first, const QString &second)
{
    if (current.isEmpty())
        return {first, second};
    return {current == first ? second : first};
}

} // namespace

const QStringList &WorkKinds()
{
    static const QStringList kinds = {u"印前"_s, u"製版"_s, u"紙品"_s, u"印刷"_s, u"上光"_s,
                                      u"裱紙"_s, u"軋工"_s, u"糊工"_s, u"裁摺"_s, u"裝訂"_s,
                                      u"刀模"_s, u"燙金"_s, u"運送"_s, u"其它"_s};
    return kinds;
}

QStringList ChoiceListItems(const QString &kind, const QString &key, const QString &currentText,
                            const RecordArray &data)
{
    const QString current = currentText.trimmed();
    const PhraseRows rows(data);
    QStringList items{current};
    const auto addUnlessCurrent = [&](const QString &item) {
        if (item != current)
            items.append(item);
    };

    if (key == u"YN"_s) {
        items += rows.any() ? QStringList{current == u"Y"_s ? u"N"_s : u"Y"_s}
                            : pairAfter(current, u"Y"_s, u"N"_s);
        return items;
    }
    if (key == u"YN1"_s)
        return {rows.any() ? u" "_s : QString(), u"Y"_s, u"N"_s};
    if (key == u"判定"_s)
        return {u" "_s, u"OK"_s, u"NG"_s};
    if (!rows.any())
        return items;
    if (key == u"製程種類"_s)
        return QStringList{u" "_s} + WorkKinds();
    if (key == u"版別固定"_s)
        return items + pairAfter(current, u"菊版"_s, u"全開"_s);
    if (key == u"紙品單位"_s)
        return items + pairAfter(current, u"令"_s, u"張"_s);

    const bool itemKey = kItemKeys.contains(key);
    const bool printSize = kind == u"D-印刷"_s && key == u"印刷尺寸"_s;
    for (int r = 0; r < rows.count(); ++r) {
        const QString item = rows.text(1, r);
        if (itemKey) {
            if (item == key)
                addUnlessCurrent(rows.text(2, r));
            if (item == kind)
                addUnlessCurrent(rows.text(2, r));
        } else if (key == u"撥出倉位"_s) {
            addUnlessCurrent(item);
        } else if (key == u"單位"_s || key == u"QC"_s) {
            items.append(item);
        } else if (rows.hasField(3) && item == kind) {
            const QString group = rows.text(2, r);
            if (group != key && !group.isEmpty())
                continue;
            QString text = rows.text(3, r);
            if (printSize)
                text += QString(kHiddenPartOffset, u' ') + u"||"_s + rows.text(4, r);
            addUnlessCurrent(text);
        }
    }
    return items;
}

int ChoiceListPreselect(const QStringList &items, const QString &current)
{
    if (current.isEmpty())
        return -1;
    return int(items.lastIndexOf(current));
}

int ChoiceListBottomRow(int activeRow, int itemCount)
{
    return itemCount >= 11 ? activeRow + 10 : activeRow + itemCount + 1;
}
