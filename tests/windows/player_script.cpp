#include "player_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>

namespace crestaverde::testing {

PlayerScript::PlayerScript() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(5);
}

PlayerScript& PlayerScript::box(BoxAnswer answer) {
    steps_.push_back({std::move(answer), {}, {}});
    return *this;
}

PlayerScript& PlayerScript::when(std::function<bool()> ready, std::function<void()> act) {
    steps_.push_back({{}, std::move(ready), std::move(act)});
    return *this;
}

// A message or input box that is up and has not been seen yet, recorded on the way.
QDialog* PlayerScript::newBox() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog == lastBox_ || !dialog->isVisible()) return nullptr;
    auto* message = qobject_cast<QMessageBox*>(dialog);
    auto* input = qobject_cast<QInputDialog*>(dialog);
    if (message == nullptr && input == nullptr) return nullptr;
    lastBox_ = dialog;
    SeenBox seen;
    seen.title = dialog->windowTitle();
    if (message != nullptr) {
        seen.text = message->text();
        seen.icon = message->icon();
        for (QAbstractButton* button : message->buttons()) seen.buttons << button->text();
    } else {
        seen.input = true;
        seen.text = input->labelText();
        seen.prefilled = input->textValue();
    }
    seen_.push_back(seen);
    return dialog;
}

void PlayerScript::poll() {
    if (QDialog* dialog = newBox()) unanswered_ = dialog;
    if (steps_.empty()) return;
    Step& step = steps_.front();
    if (step.answer) {
        if (unanswered_.isNull() || !unanswered_->isVisible()) return;
        BoxAnswer answer = std::move(step.answer);
        steps_.pop_front();
        answer(std::exchange(unanswered_, nullptr));
        return;
    }
    if (!step.ready()) return;
    std::function<void()> act = std::move(step.act);
    steps_.pop_front();
    QTimer::singleShot(0, std::move(act));
}

PlayerScript::BoxAnswer PlayerScript::clickButton(const QString& text) {
    return [text](QDialog* dialog) {
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text() == text) {
                QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
                return;
            }
        }
        qWarning("no button %s", qPrintable(text));
    };
}

PlayerScript::BoxAnswer PlayerScript::pressKey(Qt::Key key) {
    return [key](QDialog* dialog) {
        QTimer::singleShot(0, dialog, [dialog, key] { QTest::keyClick(dialog, key); });
    };
}

// Typed one key event at a time: QTest::keyClicks refuses characters such as á or ñ.
static void typeInto(QDialog* dialog, const QString& text) {
    auto* field = dialog->findChild<QLineEdit*>();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

PlayerScript::BoxAnswer PlayerScript::typeAndAccept(const QString& text) {
    return [text](QDialog* dialog) {
        typeInto(dialog, text);
        QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
    };
}

PlayerScript::BoxAnswer PlayerScript::typeAndCancel(const QString& text) {
    return [text](QDialog* dialog) {
        typeInto(dialog, text);
        pressKey(Qt::Key_Escape)(dialog);
    };
}

}  // namespace crestaverde::testing
