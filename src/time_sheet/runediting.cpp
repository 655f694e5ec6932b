#include "time_sheet/runediting.h"

#include "common/keyfilter.h"
#include "common/numbertext.h"
#include "grid/virtualkey.h"
#include "time_sheet/runcomputations.h"

using namespace Qt::StringLiterals;

namespace {

bool isNumberHeading(const QString &heading)
{
    static const QString headings[] = {u"正色"_s,   u"反色"_s,     u"版數"_s,  u"特色"_s,
                                       u"用墨量"_s, u"完工數量"_s, u"總耗時"_s};
    for (const QString &h : headings)
        if (heading == h)
            return true;
    return false;
}

struct Limit
{
    int bytes = 0;
    QString message;
};

Limit limitOf(const QString &heading)
{
    if (heading == u"開始" || heading == u"結束")
        return {13, u"最多只可輸入12個字!"_s};
    if (heading == u"車別")
        return {6, u"最多只可輸入6個字元!"_s};
    if (heading == u"經辦")
        return {20, u"最多只可輸入20個字元!"_s};
    if (heading == u"說明")
        return {14, u"最多只可輸入14個字元!"_s};
    if (heading == u"台" || isNumberHeading(heading))
        return {10, u"最多只可輸入10個字元!"_s};
    return {};
}

} // namespace

ByteLimitedEntry LimitRunEntry(const QString &heading, const QString &entry)
{
    QString text = entry;
    if (heading == u"總耗時") {
        if (const std::optional<double> value = ParseNumericText(text))
            text = FixedText(*value, 2);
    }
    const Limit limit = limitOf(heading);
    if (limit.bytes == 0)
        return {text, QString()};
    return LimitEntryBytes(text, limit.bytes, limit.message);
}

int FilterRunKey(const QString &heading, int charCode)
{
    if (heading == u"經辦")
        return UpperKey(charCode);
    if (heading == u"有效耗時")
        return charCode == VirtualKey::Enter ? charCode : 0;
    if (isNumberHeading(heading))
        return FilterKey(charCode, KeyFilterDecimalMode);
    return charCode;
}

RunKeyAction RunKeyDownRule(const QString &heading, int keyCode, bool rowMayBeWorked)
{
    const bool changesCell =
        keyCode == VirtualKey::Delete || keyCode == VirtualKey::F2 || keyCode == VirtualKey::F9;
    if (!rowMayBeWorked)
        return changesCell ? RunKeyAction::Swallow : RunKeyAction::Pass;
    if (keyCode == VirtualKey::F2)
        return RunKeyAction::Swallow;
    if (keyCode == VirtualKey::F9 && heading == u"經辦")
        return RunKeyAction::LookUpOperator;
    if (keyCode == VirtualKey::Delete) {
        if (heading == u"經辦")
            return RunKeyAction::ClearOperator;
        if (heading == u"總耗時" || heading == u"有效耗時")
            return RunKeyAction::Swallow;
    }
    return RunKeyAction::Pass;
}

std::optional<RunChoiceList> RunChoiceListFor(const QString &heading)
{
    if (heading == u"車別")
        return RunChoiceList{u"機別"_s, u"車別"_s, false};
    if (heading == u"特色")
        return RunChoiceList{QString(), u"特滿"_s, true};
    if (heading == u"說明")
        return RunChoiceList{QString(), u"停工說明"_s, false};
    return std::nullopt;
}
