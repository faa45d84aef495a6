// SPDX-License-Identifier: GPL-3.0-or-later
// Opens and closes the game's kinds of box over a maximised window on a Wayland compositor, one
// after another, each box redrawing itself every millisecond so that a frame of it is nearly
// always on its way when it closes. Writes "passed" to RESULT once every box has closed the way
// it was closed.
// Usage: boxes_on_wayland ROUNDS RESULT
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "last_frame.h"

namespace {

using crestaverde::ClosesAfterLastFrame;
using crestaverde::MessageBoxClosingAfterLastFrame;

// Runs the box until it closes, changing it every millisecond and closing it after a while that
// differs from round to round.
void runRedrawing(QDialog& box, int round, const std::function<void(int)>& change,
                  const std::function<void()>& close) {
    QTimer redraw;
    int step = 0;
    QObject::connect(&redraw, &QTimer::timeout, [&] { change(++step); });
    redraw.start(1);
    QTimer::singleShot(20 + round % 13, &box, close);
    box.exec();
}

bool messageClosedByItsButton(QWidget& parent, int round) {
    MessageBoxClosingAfterLastFrame box(QMessageBox::NoIcon, QStringLiteral("CRESTAVERDE"),
                                        QStringLiteral("NIVEL"), &parent);
    QPushButton* ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    runRedrawing(
        box, round, [&](int step) { box.setText(QStringLiteral("NIVEL %1").arg(step)); },
        [ok] { ok->click(); });
    return box.chosen() == ok;
}

bool questionClosedByEsc(QWidget& parent, int round) {
    MessageBoxClosingAfterLastFrame box(QMessageBox::Question, QStringLiteral("CRESTAVERDE"),
                                        QStringLiteral("¿Desea abandonar la partida?"), &parent);
    box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setEscapeButton(no);
    runRedrawing(
        box, round, [&](int step) { box.setInformativeText(QString::number(step)); },
        [&box] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&box, &escape);
        });
    return box.chosen() == no;
}

bool nameAccepted(QWidget& parent, int round) {
    ClosesAfterLastFrame<QInputDialog> box(&parent);
    box.setLabelText(QStringLiteral("Nombre"));
    runRedrawing(
        box, round, [&](int step) { box.setTextValue(QString::number(step)); },
        [&box] { box.accept(); });
    return box.result() == QDialog::Accepted && !box.textValue().isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("Usage: boxes_on_wayland ROUNDS RESULT\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    const int rounds = std::atoi(argv[1]);
    QMainWindow board;
    board.setCentralWidget(new QLabel(QStringLiteral("CRESTAVERDE")));
    board.showMaximized();
    int failed = 0;
    QTimer::singleShot(0, [&] {
        for (int round = 0; round < rounds; ++round) {
            const bool closedRight = round % 3 == 0   ? messageClosedByItsButton(board, round)
                                     : round % 3 == 1 ? questionClosedByEsc(board, round)
                                                      : nameAccepted(board, round);
            if (!closedRight) {
                std::fprintf(stderr, "box %d did not close the way it was closed\n", round);
                ++failed;
            }
        }
        QApplication::quit();
    });
    QApplication::exec();
    if (failed != 0) return 1;
    QFile result(QString::fromLocal8Bit(argv[2]));
    if (!result.open(QIODevice::WriteOnly) || result.write("passed\n") != 7) return 1;
    std::printf("%d boxes closed\n", rounds);
    return 0;
}
