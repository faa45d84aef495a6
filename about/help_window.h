#pragma once
// The help window: the rules and a short silent clip that plays while it is open.

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <vector>

#include "media_catalogue.h"
#include "services.h"

namespace crestaverde {

class HelpWindow : public QDialog {
  public:
    // A clip that cannot be decoded is reported once by name; the window opens without it.
    HelpWindow(const MediaCatalogue& media, Services& services, QWidget* parent);

    [[nodiscard]] bool clipLoaded() const { return !frames_.empty(); }
    [[nodiscard]] int currentFrame() const { return frame_; }
    [[nodiscard]] const QImage& frameImage(int index) const {
        return frames_[static_cast<std::size_t>(index)];
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void openClip(const QString& path, Services& services);

    std::vector<QImage> frames_;
    int frame_ = 0;
    QTimer player_;
};

}  // namespace crestaverde
