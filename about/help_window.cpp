#include "help_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "about_texts.h"
#include "design.h"
#include "window_texts.h"

namespace crestaverde {
namespace {

// With the design font the leading spaces fill the box's first line, so the rules start on the
// second; the line break keeps that with any substitute font.
QString rulesCaption() {
    return QString(texts::kRulesLeadingSpaces, QLatin1Char(' ')) + QLatin1Char('\n') +
           texts::qText(texts::kRules);
}

QFont designFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(design::pointsToPixels(points));
    font.setBold(bold);
    return font;
}

}  // namespace

HelpWindow::HelpWindow(const MediaCatalogue& media, Services& services, QWidget* parent)
    : ClosesAfterLastFrame(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                       Qt::MSWindowsFixedSizeDialogHint),
      loader_(&decodeClip) {
    setObjectName(QStringLiteral("help"));
    setWindowTitle(texts::qText(texts::kHelpWindowTitle));
    setFixedSize(design::kHelpSize);
    QPalette green = palette();
    green.setColor(QPalette::Window, design::kFelt);
    setPalette(green);
    setAutoFillBackground(true);

    auto* heading = new QLabel(texts::qText(texts::kRulesHeading), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setGeometry(design::kHelpHeading);
    heading->setFont(designFont(design::kSerif, design::kHelpHeadingPoints, true));
    heading->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(design::kPaper.name()));
    heading->setWordWrap(true);
    heading->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* rules = new QLabel(rulesCaption(), this);
    rules->setObjectName(QStringLiteral("rules"));
    rules->setGeometry(design::kHelpRules);
    rules->setFont(designFont(design::kTahoma, design::kHelpRulesPoints, true));
    rules->setStyleSheet(QStringLiteral("color: %1; background: %2; border: 1px solid %1;")
                             .arg(design::kInk.name(), design::kLightGreen.name()));
    rules->setWordWrap(true);
    rules->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    connect(&player_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % static_cast<int>(frames_.size());
        update(design::kHelpClip);
    });
    openClip(media, services);
}

// The clip arrives while the window is already open; until then the window shows without it.
void HelpWindow::openClip(const MediaCatalogue& media, Services& services) {
    loader_.start(
        media.filePath(media::kHelpClip).native(),
        [this, &services, shown = media.path(media::kHelpClip)](ClipLoader::Decoded decoded) {
            if (const auto* error = std::get_if<std::string>(&decoded)) {
                services.message(texts::clipUnplayable(shown.toStdString(), *error),
                                 BoxIcon::Warning);
                return;
            }
            ClipImages& clip = std::get<ClipImages>(decoded);
            frames_ = std::move(clip.frames);
            player_.setInterval(std::max(clip.frameMilliseconds, 20));
            if (isVisible() && frames_.size() > 1) player_.start();
            update(design::kHelpClip);
        });
}

// Only the close box closes help: Esc does nothing here.
void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The clip starts when the window shows and stops with it.
void HelpWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (frames_.size() > 1) player_.start();
}

void HelpWindow::paintEvent(QPaintEvent* /*event*/) {
    if (frames_.empty()) return;
    QPainter painter(this);
    const QImage& image = frames_[static_cast<std::size_t>(frame_)];
    const QPoint at =
        design::kHelpClip.topLeft() + QPoint((design::kHelpClip.width() - image.width()) / 2,
                                             (design::kHelpClip.height() - image.height()) / 2);
    painter.drawImage(at, image);
}

}  // namespace crestaverde
