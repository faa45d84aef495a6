// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_accessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <mutex>

#include "menu_window.h"

namespace crestaverde {
namespace {

class LeftOutLabel : public QAccessibleWidget {
  public:
    explicit LeftOutLabel(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface* menuFactory(const QString& /*className*/, QObject* object) {
    const auto* menu = dynamic_cast<const MenuWindow*>(object->parent());
    if (menu == nullptr) return nullptr;
    for (int row = 0; row < kScoreRows; ++row) {
        if (menu->scoreLabel(row) == object) return new LeftOutLabel(menu->scoreLabel(row));
    }
    return nullptr;
}

}  // namespace

void installMenuAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&menuFactory); });
}

}  // namespace crestaverde
