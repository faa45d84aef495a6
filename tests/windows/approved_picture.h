// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures of the windows compared with pictures a maintainer approved, kept beside the tests.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>

namespace crestaverde::testing {

// The largest difference of a colour channel between two pictures of one size, over the given
// share of their height.
inline int worstDifference(QImage a, const QImage& b, double share = 1) {
    QPainter painter(&a);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.drawImage(0, 0, b);
    painter.end();
    int worst = 0;
    for (int y = 0; y < qRound(a.height() * share); ++y)
        for (int x = 0; x < a.width(); ++x)
            worst =
                std::max({worst, qRed(a.pixel(x, y)), qGreen(a.pixel(x, y)), qBlue(a.pixel(x, y))});
    return worst;
}

// Empty when the picture is the approved one of that name, give or take rounding. Otherwise the
// picture is written into the current folder, for a maintainer to look at and, if the change of
// look was intended, to copy over the approved one.
inline QString unapproved(QImage shot, const QString& name) {
    shot = shot.convertToFormat(QImage::Format_RGB32);
    const QImage approved = QImage(QFINDTESTDATA(name)).convertToFormat(QImage::Format_RGB32);
    if (shot.size() == approved.size() && worstDifference(approved, shot) <= 8) return {};
    const QString drawn = QDir::current().absoluteFilePath(name);
    shot.save(drawn);
    return "not as approved; drawn now: " + drawn;
}

}  // namespace crestaverde::testing
