#include "qt_services.h"

#include <unistd.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>
#include <cstdio>

#include "score_table.h"

namespace crestaverde {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon iconOfStyle(int style) {
    switch (style & 0xF0) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

QtTimer::QtTimer(std::function<void()> onTick) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
}

// Interval 0 means no ticks at all, where a bare QTimer would tick as fast as it can.
void QtTimer::apply() {
    if (enabled_ && interval_ > 0) {
        timer_.start(interval_);
    } else {
        timer_.stop();
    }
}

void QtTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    apply();
}

void QtTimer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    apply();
}

QtServices::QtServices(std::function<void(TimerId)> onTick, std::function<void()> endProgram)
    : endProgram_(std::move(endProgram)) {
    for (const TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3}) {
        timers_[static_cast<std::size_t>(id)] =
            std::make_unique<QtTimer>([onTick, id] { onTick(id); });
    }
}

void QtServices::post(std::function<void()> callback) {
    QMetaObject::invokeMethod(&postTarget_, std::move(callback), Qt::QueuedConnection);
}

std::int64_t QtServices::timeOfDayMicros() const {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    return duration_cast<microseconds>(now % days(1)).count();
}

void QtServices::endProcessNow() {
    std::fflush(nullptr);
    ::_exit(0);
}

int QtServices::showMessageBox(std::string_view text, int style, std::string_view title) {
    host_->refreshBoard();
    QMessageBox box(iconOfStyle(style), fromUtf8(title), fromUtf8(text), QMessageBox::NoButton,
                    host_->boxParent());
    if ((style & 0x0F) == 4) {
        QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? box::kAnswerYes : box::kAnswerNo;
    }
    QPushButton* ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return box::kAnswerOk;
}

std::string QtServices::showInputBox(std::string_view prompt, std::string_view title,
                                     std::string_view prefilled) {
    host_->refreshBoard();
    QInputDialog dialog(host_->boxParent());
    dialog.setWindowTitle(fromUtf8(title));
    dialog.setLabelText(fromUtf8(prompt));
    dialog.setTextValue(fromUtf8(prefilled));
    // The box is only ever asked for a name; it takes no more than the table keeps.
    if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(kMaxNameChars);
    dialog.setOkButtonText(QStringLiteral("Aceptar"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

}  // namespace crestaverde
