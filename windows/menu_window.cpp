// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "design.h"
#include "last_frame.h"
#include "window_texts.h"

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
    // A palette, not a style sheet: the menu is the first thing a player sees, and a style sheet
    // costs its window a good part of the time it takes to show.
    QPalette paper = label->palette();
    paper.setColor(QPalette::WindowText, design::kPaper);
    label->setPalette(paper);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

MenuWindow::MenuWindow(Menu& menu, Board& board, const MediaCatalogue& media, QWidget* boardWindow,
                       std::function<void()> endProgram)
    : QDialog(boardWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      menu_(menu),
      board_(board),
      media_(media),
      endProgram_(std::move(endProgram)) {
    setObjectName(QStringLiteral("menu"));
    setWindowTitle(texts::kMenuWindowTitle);
    setFixedSize(design::kMenuSize);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, design::kMenuGrey);
    setPalette(grey);
    setAutoFillBackground(true);

    QPushButton* play = addButton(texts::kPlayButtonText, "play", design::kPlayButton);
    QPushButton* help = addButton(texts::kHelpButtonText, "help", design::kHelpButton);
    QPushButton* about = addButton(texts::kAboutButtonText, "about", design::kAboutButton);
    QPushButton* quit = addButton(texts::kQuitButtonText, "quit", design::kQuitButton);
    // A dialog's buttons are auto-default: Enter presses the one with the focus, and Play when
    // none has it.
    play->setDefault(true);
    setTabOrder(play, help);
    setTabOrder(help, about);
    setTabOrder(about, quit);
    connect(play, &QPushButton::clicked, this, [this] { this->play(); });
    connect(help, &QPushButton::clicked, this, [this] {
        if (help_) help_();
    });
    connect(about, &QPushButton::clicked, this, [this] {
        if (about_) about_();
    });
    connect(quit, &QPushButton::clicked, this, [this] { endProgram_(); });

    for (int row = 0; row < kScoreRows; ++row) {
        names_[static_cast<std::size_t>(row)] = tableLabel(this, QStringLiteral("name%1").arg(row));
        scores_[static_cast<std::size_t>(row)] =
            tableLabel(this, QStringLiteral("score%1").arg(row));
    }
    // Front to back the score labels lie over the names; raise in reverse of that order.
    for (int row = 0; row < kScoreRows; ++row) names_[static_cast<std::size_t>(row)]->raise();
    for (int row = 0; row < kScoreRows; ++row) scores_[static_cast<std::size_t>(row)]->raise();
    play->setFocus();
}

QPushButton* MenuWindow::addButton(const QString& caption, const QString& name,
                                   design::ButtonDesign place) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(place.left, design::kMenuButtonTop, place.width, design::kMenuButtonHeight);
    return button;
}

void MenuWindow::setHelpAndAbout(std::function<void()> help, std::function<void()> about) {
    help_ = std::move(help);
    about_ = std::move(about);
}

void MenuWindow::setBeforePlay(std::function<void()> beforePlay) {
    beforePlay_ = std::move(beforePlay);
}

void MenuWindow::play() {
    if (beforePlay_) beforePlay_();
    closeAfterLastFrame(*this, [this] {
        hide();
        if (QWidget* board = parentWidget()) {
            board->raise();
            board->activateWindow();
        }
        board_.deal();
    });
}

// Scores keep the right edge the design lines them up on, so that long scores stay in the window.
// A name keeps its left edge and one line, cut short with an ellipsis where it would run into its
// score; the whole name stays in the table and shows as the label's tip.
void MenuWindow::showTable() {
    for (int row = 0; row < kScoreRows; ++row) {
        const int top = design::kScoreRowTops[static_cast<std::size_t>(row)];
        QLabel* score = scores_[static_cast<std::size_t>(row)];
        score->setText(QString::fromStdString(menu_.scoreCaption(row)));
        score->setAlignment(Qt::AlignRight | Qt::AlignTop);
        const int scoreWidth = score->fontMetrics().horizontalAdvance(score->text()) + 2;
        score->setGeometry(design::kScoreRight - scoreWidth, top, scoreWidth,
                           design::kScoreRowHeight);
        QLabel* name = names_[static_cast<std::size_t>(row)];
        const QString whole = QString::fromStdString(menu_.nameCaption(row));
        const int room = score->x() - design::kNameScoreGap - design::kNameLeft;
        name->setText(name->fontMetrics().elidedText(whole, Qt::ElideRight, room));
        name->setToolTip(name->text() == whole ? QString() : whole);
        name->setGeometry(design::kNameLeft, top, room, design::kScoreRowHeight);
        // A screen reader hears the whole row, the whole name included.
        QStringList reading = {whole, score->text()};
        reading.removeAll(QString());
        name->setAccessibleName(reading.join(QStringLiteral(", ")));
    }
}

void MenuWindow::showModal() {
    menu_.open();
    showTable();
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr) {
        move(screen->geometry().center() - rect().center());
    }
    findChild<QPushButton*>(QStringLiteral("play"))->setFocus();
    exec();
}

void MenuWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    media_.paint(painter, media::kMenuRecords, QRectF(design::kMenuRecords));
    media_.paint(painter, media::kMenuTitle, QRectF(design::kMenuTitle));
    media_.paint(painter, media::kMenuLandscape, QRectF(design::kMenuLandscape));
    painter.setPen(design::kInk);
    painter.drawRect(design::kMenuLandscape.adjusted(-1, -1, 0, 0));
}

// Esc and the close box leave the program, as the quit button does.
void MenuWindow::reject() {
    endProgram_();
}

void MenuWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    endProgram_();
}

}  // namespace crestaverde
