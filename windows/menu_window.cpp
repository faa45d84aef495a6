#include "menu_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "design.h"
#include "icons.h"

namespace crestaverde {
namespace {

QFont tableFont() {
    QFont font(design::kSansSerif);
    font.setPixelSize(design::pointsToPixels(design::kScorePoints));
    font.setBold(true);
    return font;
}

QLabel* tableLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(tableFont());
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setWordWrap(true);
    return label;
}

}  // namespace

MenuWindow::MenuWindow(Menu& menu, Board& board, const MediaCatalogue& media, QWidget* board_window)
    : QDialog(board_window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                Qt::MSWindowsFixedSizeDialogHint),
      menu_(menu),
      board_(board),
      media_(media) {
    setObjectName(QStringLiteral("frmjuego"));
    setWindowTitle(QStringLiteral("BIENVENIDO A CRESTAVERDE"));
    setWindowIcon(suitIcon(Suit::Hearts));
    setFixedSize(design::kMenuSize);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, design::kMenuGrey);
    setPalette(grey);
    setAutoFillBackground(true);

    QPushButton* jugar =
        addButton(QStringLiteral("&Jugar"), "Command1", design::kJugar.left, design::kJugar.width);
    QPushButton* ayuda = addButton(QStringLiteral("Ay&uda..."), "Command2", design::kAyuda.left,
                                   design::kAyuda.width);
    QPushButton* acerca = addButton(QStringLiteral("&Acerca de..."), "Command3",
                                    design::kAcercaDe.left, design::kAcercaDe.width);
    QPushButton* salir =
        addButton(QStringLiteral("&Salir"), "Command4", design::kSalir.left, design::kSalir.width);
    jugar->setDefault(true);
    setTabOrder(jugar, ayuda);
    setTabOrder(ayuda, acerca);
    setTabOrder(acerca, salir);
    connect(jugar, &QPushButton::clicked, this, [this] { menu_.Command1_Click(board_); });
    connect(ayuda, &QPushButton::clicked, this, [this] {
        if (help_) help_();
    });
    connect(acerca, &QPushButton::clicked, this, [this] {
        if (about_) about_();
    });
    connect(salir, &QPushButton::clicked, this, [this] { menu_.Form_Unload(); });

    for (int row = 0; row < kScoreRows; ++row) {
        names_[static_cast<std::size_t>(row)] =
            tableLabel(this, QStringLiteral("Label1_%1").arg(row));
        scores_[static_cast<std::size_t>(row)] =
            tableLabel(this, QStringLiteral("Label2_%1").arg(row));
    }
    // Front to back the score labels lie over the names; raise in reverse of that order.
    for (int row = 0; row < kScoreRows; ++row) names_[static_cast<std::size_t>(row)]->raise();
    for (int row = 0; row < kScoreRows; ++row) scores_[static_cast<std::size_t>(row)]->raise();
    jugar->setFocus();
}

QPushButton* MenuWindow::addButton(const QString& caption, const QString& name, int left,
                                   int width) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(left, design::kMenuButtonTop, width, design::kMenuButtonHeight);
    button->setAutoDefault(false);
    return button;
}

void MenuWindow::setHelpAndAbout(std::function<void()> help, std::function<void()> about) {
    help_ = std::move(help);
    about_ = std::move(about);
}

void MenuWindow::Form_Load() {
    if (loaded_) return;
    loaded_ = true;
    menu_.Form_Load();
}

// Names keep their left edge and wrap at the design width unless a single word is wider.
// Scores keep the right edge the design lines them up on, so that long scores stay in the window.
void MenuWindow::showTable() {
    for (int row = 0; row < kScoreRows; ++row) {
        const int top = design::kScoreRowTops[static_cast<std::size_t>(row)];
        QLabel* name = names_[static_cast<std::size_t>(row)];
        name->setText(QString::fromStdString(menu_.nameCaption(row)));
        int width = design::kNameWidth;
        for (const QString& word : name->text().split(QLatin1Char(' '))) {
            width = std::max(width, name->fontMetrics().horizontalAdvance(word) + 2);
        }
        width = std::min(width, design::kMenuSize.width() - design::kNameLeft);
        name->setGeometry(design::kNameLeft, top, width,
                          std::max(design::kScoreRowHeight, name->heightForWidth(width)));
        QLabel* score = scores_[static_cast<std::size_t>(row)];
        score->setText(QString::fromStdString(menu_.scoreCaption(row)));
        score->setAlignment(Qt::AlignRight | Qt::AlignTop);
        const int scoreWidth = score->fontMetrics().horizontalAdvance(score->text()) + 2;
        score->setGeometry(design::kScoreRight - scoreWidth, top, scoreWidth,
                           design::kScoreRowHeight);
    }
}

void MenuWindow::showModal() {
    Form_Load();
    showTable();
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr) {
        move(screen->geometry().center() - rect().center());
    }
    findChild<QPushButton*>(QStringLiteral("Command1"))->setFocus();
    exec();
}

void MenuWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawPixmap(design::kMenuImage3.topLeft(),
                       media_.picture(QStringLiteral("hi-score.jpg")));
    painter.drawPixmap(design::kMenuImage2.topLeft(), media_.picture(QStringLiteral("intro.gif")));
    const QPixmap& landscape = media_.picture(QStringLiteral("fondo2.jpg"));
    painter.drawPixmap(design::kMenuImage1.topLeft(), landscape);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(design::kMenuImage1.topLeft(), landscape.size()).adjusted(-1, -1, 0, 0));
}

// Esc and the close box leave the program, as the quit button does.
void MenuWindow::reject() {
    menu_.Form_Unload();
}

void MenuWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    menu_.Form_Unload();
}

}  // namespace crestaverde
