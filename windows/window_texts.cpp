// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_texts.h"

#include "board.h"

namespace crestaverde::texts {
namespace {

// Spanish marks the thousands with a full stop, also in a four-digit number. Only the rules'
// positive amounts are written this way.
QString withThousands(int value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
        digits.insert(at, QLatin1Char('.'));
    }
    return digits;
}

QString rankName(int rank) {
    switch (rank) {
        case kAce:
            return QStringLiteral("As");
        case 11:
            return QStringLiteral("Jota");
        case 12:
            return QStringLiteral("Reina");
        case kKing:
            return QStringLiteral("Rey");
        default:
            return QString::number(rank);
    }
}

}  // namespace

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString peakBonusNotice() {
    return withThousands(kPeakBonus) + QStringLiteral(" puntos");
}

QString cardName(Card card) {
    static const auto suits =
        std::to_array({QStringLiteral("corazones"), QStringLiteral("diamantes"),
                       QStringLiteral("tréboles"), QStringLiteral("picas")});
    return rankName(card.rank) + QStringLiteral(" de ") +
           suits.at(static_cast<std::size_t>(card.suit));
}

QString towerPlace(const QString& tower, int row) {
    return QStringLiteral("Torre %1, fila %2").arg(tower).arg(row);
}

QString unusableMedia(const QString& folder, const QString& fileLines) {
    return QStringLiteral(
               "Faltan o están dañados estos archivos en la carpeta del juego (%1):\n\n%2")
        .arg(folder, fileLines);
}

QString andMoreFiles(qsizetype count) {
    return QStringLiteral("y %1 más").arg(count);
}

}  // namespace crestaverde::texts
