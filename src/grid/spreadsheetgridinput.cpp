// The grid as the user types into it: keys and input-method text at the sheet
// and in the cell editor, and the edits they open and close.

#include "grid/spreadsheetgrid.h"

#include "grid/cellmodel.h"
#include "grid/gridview.h"
#include "grid/virtualkey.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The character a key event types, as the key-pressed event reports it:
// printable characters, Backspace (8) and Enter (13); 0 for anything else
// (navigation, Tab, Escape, shortcuts).
int characterCode(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    const QList<uint> chars = event->text().toUcs4();
    if (chars.size() != 1)
        return 0;
    const int code = int(chars.first());
    if (code == VirtualKey::Backspace || code == VirtualKey::Enter)
        return code;
    return code >= 32 && code != 127 ? code : 0;
}

bool isPrintable(int charCode)
{
    return charCode >= 32 && charCode != 127;
}

QString characterText(int charCode)
{
    const char32_t c = char32_t(charCode);
    return QString::fromUcs4(&c, 1);
}

} // namespace

bool SpreadsheetGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu &&
        (watched == m_view || watched == m_view->viewport())) {
        emit contextMenuRequested(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    if (watched == m_view->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            // The right button only asks for the context menu.
            return static_cast<QMouseEvent *>(event)->button() == Qt::RightButton;
        default:
            return QWidget::eventFilter(watched, event);
        }
    }
    if (watched == m_view) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return !isEditing() && handleViewKey(static_cast<QKeyEvent *>(event));
        case QEvent::InputMethod:
            return !isEditing() && handleViewInputMethod(static_cast<QInputMethodEvent *>(event));
        case QEvent::FontChange:
            for (int col = 1; col <= maxCol(); ++col)
                applyColumnWidth(col);
            break;
        default:
            break;
        }
    } else if (watched == m_editor) {
        if (event->type() == QEvent::KeyPress)
            return handleEditorKey(static_cast<QKeyEvent *>(event));
        if (event->type() == QEvent::InputMethod)
            return handleEditorInputMethod(static_cast<QInputMethodEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

bool SpreadsheetGrid::handleViewKey(QKeyEvent *event)
{
    const int original = VirtualKeyFromQtKey(event->key());
    if (original != VirtualKey::None) {
        int code = original;
        emit keyDown(code, event->modifiers());
        if (code == VirtualKey::Delete) {
            writeByUser(activeRow(), activeCol(), {});
            return true;
        }
        if (code == VirtualKey::F2) {
            beginEdit(activeText(), {});
            return true;
        }
        if (code != original)
            return true; // swallowed, or replaced by a key the grid has no use for
    }
    const int typed = characterCode(event);
    if (typed == 0)
        return false; // navigation: the view's own
    const int charCode = filterCharacter(typed);
    if (isPrintable(charCode))
        beginEdit({}, characterText(charCode));
    // Enter and Backspace outside an edit change nothing; they are kept from
    // the parent so a dialog's default button does not fire.
    return true;
}

bool SpreadsheetGrid::handleEditorKey(QKeyEvent *event)
{
    const int original = VirtualKeyFromQtKey(event->key());
    if (original != VirtualKey::None) {
        int code = original;
        emit keyDown(code, event->modifiers());
        if (code != original || !m_editor)
            return true;
    }
    const int typed = characterCode(event);
    if (typed == 0)
        return false;
    const int charCode = filterCharacter(typed);
    if (!m_editor || charCode == 0)
        return true;
    if (charCode == VirtualKey::Enter) {
        // Committed at once rather than by the delegate's queued commit, so a
        // keystroke the screen sends after Enter meets the grid, not the editor.
        endEdit();
        return true;
    }
    if (charCode == typed)
        return false; // the editor handles it as typed
    if (charCode == VirtualKey::Backspace)
        m_editor->backspace();
    else if (isPrintable(charCode))
        m_editor->insert(characterText(charCode));
    return true;
}

bool SpreadsheetGrid::handleViewInputMethod(QInputMethodEvent *event)
{
    // A composition outside an edit is not shown; its committed characters
    // start the edit, each passing the key-pressed event first.
    QString accepted;
    const QList<uint> chars = event->commitString().toUcs4();
    for (const uint c : chars) {
        const int charCode = filterCharacter(int(c));
        if (isPrintable(charCode))
            accepted += characterText(charCode);
    }
    if (!accepted.isEmpty())
        beginEdit({}, accepted);
    return true;
}

bool SpreadsheetGrid::handleEditorInputMethod(QInputMethodEvent *event)
{
    if (m_forwarding || event->commitString().isEmpty())
        return false;
    QString accepted;
    bool changed = false;
    const QList<uint> chars = event->commitString().toUcs4();
    for (const uint c : chars) {
        const int charCode = filterCharacter(int(c));
        changed = changed || charCode != int(c);
        if (isPrintable(charCode))
            accepted += characterText(charCode);
    }
    if (!changed)
        return false;
    if (m_editor) {
        QInputMethodEvent replaced(event->preeditString(), event->attributes());
        replaced.setCommitString(accepted, event->replacementStart(), event->replacementLength());
        m_forwarding = true;
        QCoreApplication::sendEvent(m_editor, &replaced);
        m_forwarding = false;
    }
    return true;
}

int SpreadsheetGrid::filterCharacter(int charCode)
{
    emit keyPressed(charCode);
    return charCode;
}

bool SpreadsheetGrid::beginEdit(const QString &initialText, const QString &typed)
{
    const QModelIndex index = m_view->currentIndex();
    if (!index.isValid() || isEditing())
        return false;
    QString text = initialText;
    emit editStarted(text);
    if (m_view->currentIndex() != index || isEditing())
        return false; // the handler moved on or opened an edit itself
    m_editIndex = index;
    m_view->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(m_view->indexWidget(index));
    if (!editor) {
        m_editIndex = QPersistentModelIndex();
        return false;
    }
    editor->setText(text + typed); // the cursor ends up after the text, nothing selected
    editor->installEventFilter(this);
    m_editor = editor;
    connect(editor, &QObject::destroyed, this, [this, editor] {
        if (m_editor == editor)
            m_editor = nullptr;
    });
    return true;
}

void SpreadsheetGrid::onEditorClosed(bool committed, const QString &text)
{
    const QPersistentModelIndex index = m_editIndex;
    m_editIndex = QPersistentModelIndex();
    m_editor = nullptr;
    if (!committed || !index.isValid())
        return;
    QString entry = text;
    bool accept = true;
    emit editEnded(entry, accept);
    if (accept)
        writeByUser(index.row() + 1, index.column() + 1, entry);
}

void SpreadsheetGrid::writeByUser(int row, int col, const QString &text)
{
    if (row < 1 || col < 1 || m_model->cell(row, col) == text)
        return;
    m_model->setCell(row, col, text);
    emit contentsChanged();
}
