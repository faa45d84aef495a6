#pragma once
// The about window `frmAcercade`: title, version, a fan of three changing cards, and a button
// that launches the system-information tool.

#include <QDialog>
#include <QTimer>
#include <array>

#include "media_catalogue.h"
#include "random_draws.h"
#include "services.h"
#include "system_info.h"

class QLabel;

namespace crestaverde {

class AboutWindow : public QDialog {
  public:
    AboutWindow(const MediaCatalogue& media, Services& services, Registry& registry,
                SystemPort& system, QWidget* parent);

    // The picture each card of the fan shows, by file name.
    [[nodiscard]] const QString& cardPicture(int index) const {
        return cards_[static_cast<std::size_t>(index)];
    }
    void Timer1_Timer();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load();
    QLabel* addLabel(const QString& name, const QRect& rect, const QFont& font);

    const MediaCatalogue& media_;
    Services& services_;
    ClockSeededRandom random_;
    std::array<QString, 3> cards_;
    QTimer Timer1;
};

}  // namespace crestaverde
