// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_edit_accessible.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>
#include <mutex>

namespace crestaverde {
namespace {

class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit LineEditAccessible(QLineEdit& edit)
        : QAccessibleWidget(&edit, QAccessible::EditableText), edit_(edit) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) return edit_.displayText();
        QString text = QAccessibleWidget::text(kind);
        if (text.isEmpty() && kind == QAccessible::Description) text = edit_.placeholderText();
        return text;
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind != QAccessible::Value) {
            QAccessibleWidget::setText(kind, text);
        } else if (!edit_.isReadOnly()) {
            edit_.setText(text);
        }
    }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit_.isReadOnly();
        state.editable = !edit_.isReadOnly();
        state.passwordEdit = edit_.echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !edit_.hasSelectedText()) return;
        *startOffset = edit_.selectionStart();
        *endOffset = edit_.selectionEnd();
    }
    [[nodiscard]] int selectionCount() const override { return edit_.hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) edit_.deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) edit_.setSelection(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int cursorPosition() const override { return edit_.cursorPosition(); }
    void setCursorPosition(int position) override { edit_.setCursorPosition(position); }
    [[nodiscard]] QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset) return {};
        return edit_.displayText().mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(edit_.displayText().size());
    }
    // Measured from the text cursor, which is where Qt has scrolled the text to.
    [[nodiscard]] QRect characterRect(int offset) const override {
        const QString shown = edit_.displayText();
        if (offset < 0 || offset >= shown.size()) return {};
        const QFontMetrics metrics(edit_.font());
        const QRect cursor = edit_.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int left = cursor.x() + metrics.horizontalAdvance(shown.left(offset)) -
                         metrics.horizontalAdvance(shown.left(edit_.cursorPosition()));
        const QRect inField(left, cursor.y(), metrics.horizontalAdvance(shown.at(offset)),
                            cursor.height());
        return {edit_.mapToGlobal(inField.topLeft()), inField.size()};
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override {
        if (!edit_.rect().contains(edit_.mapFromGlobal(point))) return -1;
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (point.x() <= characterRect(offset).right()) return offset;
        }
        return characterCount();
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        edit_.setCursorPosition(endIndex);
        edit_.setCursorPosition(startIndex);
    }
    // The field has one look throughout.
    [[nodiscard]] QString attributes(int /*offset*/, int* startOffset,
                                     int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        if (edit_.isReadOnly() || startOffset > endOffset) return;
        edit_.setText(edit_.text().replace(startOffset, endOffset - startOffset, text));
    }

  private:
    QLineEdit& edit_;
};

QAccessibleInterface* lineEditFactory(const QString& /*className*/, QObject* object) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    return edit != nullptr ? new LineEditAccessible(*edit) : nullptr;
}

}  // namespace

void installLineEditAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&lineEditFactory); });
}

}  // namespace crestaverde
