#pragma once
// The about window: title, version, a fan of three changing cards, and a button that launches
// the system-information tool.

#include <QDialog>
#include <QTimer>
#include <array>

#include "card_fan.h"
#include "last_frame.h"
#include "media_catalogue.h"
#include "random_draws.h"
#include "services.h"

class QLabel;

namespace crestaverde {

class AboutWindow : public ClosesAfterLastFrame<QDialog> {
  public:
    // searchPath is where the system-information tool is looked for, as in PATH.
    AboutWindow(const MediaCatalogue& media, Services& services, std::string searchPath,
                QWidget* parent);

    [[nodiscard]] const std::array<Card, kFanCards>& fan() const { return fan_; }
    // Shows a new random card in the fan.
    void changeFan();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLabel* addLabel(const QString& name, const QRect& rect, const QFont& font);
    void showSystemInfo();

    const MediaCatalogue& media_;
    Services& services_;
    std::string searchPath_;
    ClockSeededRandom random_;
    std::array<Card, kFanCards> fan_ = kFirstFan;
    QTimer fanTimer_;
};

}  // namespace crestaverde
