// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the windows show or tell the player by themselves: the boxes' buttons, the board's
// labels and control, the menu's title and buttons, the names a screen reader reads out, the
// start-up check's report, and the wait for the record table as the program ends. The rules' own
// texts come from board_texts.h, the record table's from menu_texts.h.

#include <QString>
#include <array>
#include <string_view>

#include "cards.h"
#include "tower_layout.h"

namespace crestaverde::texts {

// A text of the toolkit-free layers, as the windows show it.
[[nodiscard]] QString qText(std::string_view text);

// The buttons of the boxes.
inline const QString kAccept = QStringLiteral("Aceptar");
inline const QString kCancel = QStringLiteral("Cancelar");
inline const QString kYes = QStringLiteral("Sí");
inline const QString kNo = QStringLiteral("No");

// The board.
inline const QString kAbandonButtonText = QStringLiteral("&Abandonar");
inline const QString kScoreHeading = QStringLiteral("Puntuación:");
// The notice beside a peak that was taken: what every tower click now pays for it.
[[nodiscard]] QString peakBonusNotice();
// The time bar's name, for a screen reader.
inline const QString kTimeBarName = QStringLiteral("Tiempo");

// The start menu.
inline const QString kMenuWindowTitle = QStringLiteral("BIENVENIDO A CRESTAVERDE");
inline const QString kPlayButtonText = QStringLiteral("&Jugar");
inline const QString kHelpButtonText = QStringLiteral("Ay&uda...");
inline const QString kAboutButtonText = QStringLiteral("&Acerca de...");
inline const QString kQuitButtonText = QStringLiteral("&Salir");

// The wait for the record table at the end of the program.
inline const QString kSavingWait = QStringLiteral(
    "Guardando las puntuaciones en el archivo de récords (record.ini), que otro programa tiene "
    "bloqueado...");
inline const QString kQuitUnsaved = QStringLiteral("Salir sin guardar");

// What a screen reader reads on the board: a card by its rank and suit ("As de picas"), where it
// lies, and the read labels with what they hold after their name.
[[nodiscard]] QString cardName(Card card);
inline const QString kFaceDownCard = QStringLiteral("Carta boca abajo");
inline const QString kNoCards = QStringLiteral("Sin cartas");
inline const QString kFaceUpPlace = QStringLiteral("Al lado de la baraja");
inline const QString kStockPlace = QStringLiteral("Baraja");
// "Torre <tower>, fila <row>", the towers named left to right.
inline const std::array<QString, kTowers> kTowerNames = {
    QStringLiteral("izquierda"), QStringLiteral("central"), QStringLiteral("derecha")};
[[nodiscard]] QString towerPlace(const QString& tower, int row);
inline const QString kScoreName = QStringLiteral("Puntuación: ");
inline const QString kDrawsLeftName = QStringLiteral("Robos restantes: ");
inline const auto kPeakNames =
    std::to_array({QStringLiteral("Pico izquierdo: "), QStringLiteral("Pico central: "),
                   QStringLiteral("Pico derecho: ")});

// The start-up check: the folder, then the files one a line, the last perhaps "y <n> más".
[[nodiscard]] QString unusableMedia(const QString& folder, const QString& fileLines);
[[nodiscard]] QString andMoreFiles(qsizetype count);

}  // namespace crestaverde::texts
