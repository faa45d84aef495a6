#include "about_window.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

#include "about_texts.h"
#include "design.h"
#include "system_info.h"
#include "window_texts.h"

namespace crestaverde {
namespace {

QFont dialogFont(double points = design::kDialogFontPoints) {
    QFont font(design::kSansSerif);
    font.setPixelSize(design::pointsToPixels(points));
    return font;
}

}  // namespace

AboutWindow::AboutWindow(const MediaCatalogue& media, Services& services, std::string searchPath,
                         QWidget* parent)
    : ClosesAfterLastFrame(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                       Qt::MSWindowsFixedSizeDialogHint),
      media_(media),
      services_(services),
      searchPath_(std::move(searchPath)) {
    setObjectName(QStringLiteral("about"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(design::kAboutSize);
    setGeometry(QRect(design::kAboutPosition, design::kAboutSize));  // the client area's place

    QFont titleFont(design::kSerif);
    titleFont.setPixelSize(design::pointsToPixels(design::kAboutTitlePoints));
    const QString title = texts::qText(texts::kApplicationTitle);
    setWindowTitle(texts::qText(texts::kAboutWindowTitlePrefix) + title);
    addLabel(QStringLiteral("title"), design::kAboutTitle, titleFont)->setText(title);
    addLabel(QStringLiteral("version"), design::kAboutVersion, dialogFont())
        ->setText(texts::qText(texts::kVersionPrefix) + QApplication::applicationVersion());
    addLabel(QStringLiteral("description"), design::kAboutDescription, dialogFont())
        ->setText(texts::qText(texts::kDescription));
    addLabel(QStringLiteral("credit"), design::kAboutDisclaimer, dialogFont())
        ->setText(texts::qText(texts::kCredit));

    auto* ok = new QPushButton(texts::kAccept, this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(design::kAboutOk);
    ok->setDefault(true);
    ok->setFont(dialogFont());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* systemInfo = new QPushButton(texts::qText(texts::kSystemInfoButtonText), this);
    systemInfo->setObjectName(QStringLiteral("systemInfo"));
    systemInfo->setGeometry(design::kAboutSystemInfo);
    systemInfo->setFont(dialogFont());
    connect(systemInfo, &QPushButton::clicked, this, [this] { showSystemInfo(); });
    setTabOrder(ok, systemInfo);

    fanTimer_.setInterval(design::kFanChangeMs);
    connect(&fanTimer_, &QTimer::timeout, this, [this] { changeFan(); });
    fanTimer_.start();
}

// Detached: the game goes on while the tool runs.
void AboutWindow::showSystemInfo() {
    const std::optional<std::string> program = findSystemInfoProgram(searchPath_);
    if (program && QProcess::startDetached(QString::fromStdString(*program), {})) return;
    services_.message(texts::kSystemInfoUnavailable);
}

QLabel* AboutWindow::addLabel(const QString& name, const QRect& rect, const QFont& font) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void AboutWindow::changeFan() {
    const FanStep step = nextFanStep(random_, services_.timeOfDayMicros());
    fan_.at(static_cast<std::size_t>(step.fanPosition)) = step.card;
    update();
}

// Back to front: the lower right card, the engraved line, then the lower left and the top card.
void AboutWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const auto draw = [&](std::size_t position) {
        media_.paint(painter, media::cardPicture(fan_.at(position)),
                     QRectF(design::kAboutCards.at(position)));
    };
    draw(2);
    painter.setPen(QPen(design::kPaper, 2));
    painter.drawLine(design::kAboutWhiteLine);
    painter.setPen(QPen(design::kEngravedGrey, 1));
    painter.drawLine(design::kAboutGreyLine);
    draw(0);
    draw(1);
}

}  // namespace crestaverde
