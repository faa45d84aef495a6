#include "about_window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "card_fan.h"
#include "crestaverde_version.h"
#include "design.h"
#include "icons.h"

namespace crestaverde {
namespace {

const QString kDescription = QStringLiteral(
    "Gracias por haber descargado este juego. Espero que lo disfrutes sin gastarte un duro en la "
    "maquina del \"zurano\".DISFRUTALO");
const QString kCredit = QStringLiteral(
    "Cartas, dibujos y programa: el equipo de CRESTAVERDE. Hecho con C++ y Qt 6 para Debian.");

QFont dialogFont(double points = design::kDialogFontPoints) {
    QFont font(design::kSansSerif);
    font.setPixelSize(design::pointsToPixels(points));
    return font;
}

}  // namespace

AboutWindow::AboutWindow(const MediaCatalogue& media, Services& services, Registry& registry,
                         SystemPort& system, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      media_(media),
      services_(services) {
    setObjectName(QStringLiteral("frmAcercade"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(suitIcon(Suit::Clubs));
    setFixedSize(design::kAboutSize);
    setGeometry(QRect(design::kAboutPosition, design::kAboutSize));  // the client area's place

    QFont titleFont(design::kSerif);
    titleFont.setPixelSize(design::pointsToPixels(design::kAboutTitlePoints));
    addLabel(QStringLiteral("lblTitle"), design::kAboutTitle, titleFont);
    addLabel(QStringLiteral("lblVersion"), design::kAboutVersion, dialogFont());
    addLabel(QStringLiteral("lblDescription"), design::kAboutDescription, dialogFont())
        ->setText(kDescription);
    addLabel(QStringLiteral("lblDisclaimer"), design::kAboutDisclaimer, dialogFont())
        ->setText(kCredit);

    auto* ok = new QPushButton(QStringLiteral("Aceptar"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(design::kAboutOk);
    ok->setDefault(true);
    ok->setFont(dialogFont());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* sysInfo = new QPushButton(QStringLiteral("&Info. del sistema..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setGeometry(design::kAboutSysInfo);
    sysInfo->setAutoDefault(false);
    sysInfo->setFont(dialogFont());
    connect(sysInfo, &QPushButton::clicked, this,
            [&registry, &system] { StartSysInfo(registry, system); });
    setTabOrder(ok, sysInfo);

    Timer1.setInterval(design::kAboutTimerMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Form_Load();
    Timer1.start();
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

void AboutWindow::Form_Load() {
    cards_ = {QStringLiteral("cartaqa.gif"), QStringLiteral("cartaka.gif"),
              QStringLiteral("cartaja.gif")};
    const QString title = QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size());
    setWindowTitle(QStringLiteral("Acerca de ") + title);
    findChild<QLabel*>(QStringLiteral("lblVersion"))
        ->setText(QStringLiteral("Versión " CRESTAVERDE_VERSION));
    findChild<QLabel*>(QStringLiteral("lblTitle"))->setText(title);
}

void AboutWindow::Timer1_Timer() {
    const FanStep step = nextFanStep(random_, services_.timeOfDayMicros());
    cards_[static_cast<std::size_t>(step.pictureIndex)] =
        QStringLiteral("carta") + QString::fromStdString(step.cardCode) + QStringLiteral(".gif");
    update();
}

// Back to front: the lower right card, the engraved line, then the lower left and the top card.
void AboutWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(design::kAboutCards[2], media_.picture(cards_[2]));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(design::kAboutWhiteLine);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(design::kAboutGreyLine);
    painter.drawPixmap(design::kAboutCards[0], media_.picture(cards_[0]));
    painter.drawPixmap(design::kAboutCards[1], media_.picture(cards_[1]));
}

}  // namespace crestaverde
