#pragma once

#include "common/texttrim.h"

#include <QString>
#include <optional>

// The entry rules of the run grid that need no grid. Like the screen, they
// choose a rule by the heading of the column.

// An entry that ends an edit, after the byte limit of its column (code page
// 950); "總耗時" is first written with two decimals. Headings without a limit
// keep the entry as it is.
ByteLimitedEntry LimitRunEntry(const QString &heading, const QString &entry);

// A typed character under the column's key filter: 經辦 upper-cases, the
// number columns keep digits, ".", "-", Backspace and Enter, 有效耗時 only
// Enter. 0 drops the key.
int FilterRunKey(const QString &heading, int charCode);

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
RunKeyAction RunKeyDownRule(const QString &heading, int keyCode, bool rowMayBeWorked);

// The choice list a column offers, as the grid layer builds it.
struct RunChoiceList
{
    QString kind;
    QString key;
    bool specialFills = false; // the fixed list "1" to "9" rather than the phrases
};
std::optional<RunChoiceList> RunChoiceListFor(const QString &heading);
