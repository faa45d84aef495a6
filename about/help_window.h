#pragma once
// The help window: the rules and a short silent clip that plays while it is open.

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <vector>

#include "clip_loader.h"
#include "last_frame.h"
#include "media_catalogue.h"
#include "services.h"

namespace crestaverde {

class HelpWindow : public ClosesAfterLastFrame<QDialog> {
  public:
    // The clip is decoded in the background; a clip that cannot be decoded is reported once by
    // its name, and the window stays open without it.
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
    void openClip(const MediaCatalogue& media, Services& services);

    std::vector<QImage> frames_;
    int frame_ = 0;
    QTimer player_;
    ClipLoader loader_;  // last, so that it goes first and no clip arrives in a dying window
};

}  // namespace crestaverde
