#pragma once

#include "common/texttrim.h"

#include <QString>
#include <optional>

// The entry rules of the run grid that need no grid, chosen by the column
// (RunCol) the rule is about.

// An entry that ends an edit, after the byte limit of its column (code page
// 950); 總耗時 is first written with two decimals. Columns without a limit
// keep the entry as it is.
ByteLimitedEntry LimitRunEntry(int col, const QString &entry);

// A typed character under the column's key filter: 經辦 upper-cases, the
// number columns keep digits, ".", "-", Backspace and Enter, 有效耗時 only
// Enter. 0 drops the key.
int FilterRunKey(int col, int charCode);

// What a key going down in a column does before the grid sees it. On a row
// that may not be worked on yet (the row above is blank) the keys that change
// a cell by themselves are lost; the cursor keys still move, and typed
// characters meet the key-press rule, which refuses them with its message.
enum class RunKeyAction
{
    Pass,           // the grid handles it as usual
    Swallow,        // the key is lost
    LookUpOperator, // F9 in 經辦: the staff lookup
    ClearOperator,  // Delete in 經辦: the operator's code goes with the name
};
RunKeyAction RunKeyDownRule(int col, int keyCode, bool rowMayBeWorked);

// The choice list a column offers, as the grid layer builds it.
struct RunChoiceList
{
    QString kind;
    QString key;
    bool specialFills = false; // the fixed list "1" to "9" rather than the phrases
};
std::optional<RunChoiceList> RunChoiceListFor(int col);

// True for the columns whose in-cell edit starts from the cell's text (a stamp
// is corrected, not typed again).
bool RunEditKeepsCellText(int col);
