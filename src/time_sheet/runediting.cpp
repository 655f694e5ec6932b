#include "time_sheet/runediting.h"

#include "common/keyfilter.h"
#include "common/numbertext.h"
#include "grid/virtualkey.h"
#include "time_sheet/runcolumns.h"
#include "time_sheet/runcomputations.h"

using namespace Qt::StringLiterals;

namespace {

bool isNumberColumn(int col)
{
    switch (col) {
    case RunCol::Front:
    case RunCol::Back:
    case RunCol::Plates:
    case RunCol::Fills:
    case RunCol::Ink:
    case RunCol::Finished:
    case RunCol::Hours:
        return true;
    default:
        return false;
    }
}

struct Limit
{
    int bytes = 0;
    QString message;
};

Limit limitOf(int col)
{
    switch (col) {
    case RunCol::Start:
    case RunCol::End:
        return {13, u"最多只可輸入12個字!"_s};
    case RunCol::Press:
        return {6, u"最多只可輸入6個字元!"_s};
    case RunCol::Operator:
        return {20, u"最多只可輸入20個字元!"_s};
    case RunCol::Note:
        return {14, u"最多只可輸入14個字元!"_s};
    case RunCol::Sets:
        return {10, u"最多只可輸入10個字元!"_s};
    default:
        if (isNumberColumn(col))
            return {10, u"最多只可輸入10個字元!"_s};
        return {};
    }
}

} // namespace

ByteLimitedEntry LimitRunEntry(int col, const QString &entry)
{
    QString text = entry;
    if (col == RunCol::Hours) {
        if (const std::optional<double> value = ParseNumericText(text))
            text = FixedText(*value, 2);
    }
    const Limit limit = limitOf(col);
    if (limit.bytes == 0)
        return {text, QString()};
    return LimitEntryBytes(text, limit.bytes, limit.message);
}

int FilterRunKey(int col, int charCode)
{
    if (col == RunCol::Operator)
        return UpperKey(charCode);
    if (col == RunCol::Effective)
        return charCode == VirtualKey::Enter ? charCode : 0;
    if (isNumberColumn(col))
        return FilterKey(charCode, KeyFilterDecimalMode);
    return charCode;
}

RunKeyAction RunKeyDownRule(int col, int keyCode, bool rowMayBeWorked)
{
    const bool changesCell =
        keyCode == VirtualKey::Delete || keyCode == VirtualKey::F2 || keyCode == VirtualKey::F9;
    if (!rowMayBeWorked)
        return changesCell ? RunKeyAction::Swallow : RunKeyAction::Pass;
    if (keyCode == VirtualKey::F2)
        return RunKeyAction::Swallow;
    if (keyCode == VirtualKey::F9 && col == RunCol::Operator)
        return RunKeyAction::LookUpOperator;
    if (keyCode == VirtualKey::Delete) {
        if (col == RunCol::Operator)
            return RunKeyAction::ClearOperator;
        if (col == RunCol::Hours || col == RunCol::Effective)
            return RunKeyAction::Swallow;
    }
    return RunKeyAction::Pass;
}

std::optional<RunChoiceList> RunChoiceListFor(int col)
{
    switch (col) {
    case RunCol::Press:
        return RunChoiceList{u"機別"_s, u"車別"_s, false};
    case RunCol::Fills:
        return RunChoiceList{QString(), u"特滿"_s, true};
    case RunCol::Note:
        return RunChoiceList{QString(), u"停工說明"_s, false};
    default:
        return std::nullopt;
    }
}

bool RunEditKeepsCellText(int col)
{
    return col == RunCol::Start || col == RunCol::End;
}
