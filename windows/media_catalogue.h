// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures and the clip the game reads from its media folder: every file name, and the one
// rule for their paths. Each picture has a drawing beside it, from which it is drawn on screen at
// the size it has there. Paths are kept as the system's bytes: a folder whose name is not valid
// UTF-8 works as well.

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <array>
#include <filesystem>
#include <map>
#include <tuple>

#include "cards.h"

class QPainter;

namespace crestaverde::media {

inline const QString kCardBack = QStringLiteral("atras.jpg");
inline const QString kEmptyStock = QStringLiteral("ninguna.jpg");
inline const QString kBlankFace = QStringLiteral("carta.jpg");
inline const QString kMenuLandscape = QStringLiteral("fondo2.jpg");
inline const QString kMenuTitle = QStringLiteral("intro.gif");
inline const QString kMenuRecords = QStringLiteral("hi-score.jpg");
inline const QString kHelpClip = QStringLiteral("ayuda.avi");

// "carta", the rank character ("1".."9", "0" for the ten, "j", "q", "k"), the suit letter
// ("a" hearts, "b" diamonds, "c" clubs, "d" spades), ".gif".
[[nodiscard]] QString cardPicture(Card card);
// The scalable drawing of a picture: its name with ".svg" for its suffix.
[[nodiscard]] QString drawingOf(const QString& picture);

// The program's icon is built into it, at the sizes a window's title bar, task bar and switcher
// ask for; launchers take the larger ones that the package installs. Each size is sent to the
// window system with every window, so there are no more than these.
inline constexpr auto kIconSizes = std::to_array({16, 32, 48, 64});
[[nodiscard]] QString iconPicture(int size);  // ":/icons/crestaverde-<size>.png"

}  // namespace crestaverde::media

namespace crestaverde {

class MediaCatalogue {
  public:
    explicit MediaCatalogue(std::filesystem::path folder);
    // A folder named by a QString, as Qt hands them out; names Qt cannot hold need the above.
    explicit MediaCatalogue(const QString& folder);
    MediaCatalogue(MediaCatalogue&&) noexcept;
    MediaCatalogue& operator=(MediaCatalogue&&) noexcept;
    ~MediaCatalogue();

    // Every file the game reads: the pictures, their drawings and the clip.
    [[nodiscard]] static QStringList fileNames();
    // The path to open a file by.
    [[nodiscard]] std::filesystem::path filePath(const QString& name) const;
    // The same path for showing to the player.
    [[nodiscard]] QString path(const QString& name) const;
    // Files of the catalogue that are missing, cut short, too large or no pictures by their
    // headers: every picture's header and end read, the clip's start, the drawings found. Quick
    // enough to wait for: only the few large pictures are decoded, which the later check skips.
    [[nodiscard]] QStringList unusableFiles() const;
    // The other pictures that do not decode whole, every frame of each read: the check's second
    // part.
    [[nodiscard]] QStringList undecodablePictures() const;
    // Drawings that do not parse, each parsed whole: the longest part of the check.
    [[nodiscard]] QStringList unusableDrawings() const;
    // A picture drawn from its drawing at a size in device pixels, for a screen of the given
    // pixel ratio; each size is drawn once. Empty names give a null pixmap.
    [[nodiscard]] QPixmap picture(const QString& name, QSize pixels, qreal pixelRatio) const;
    // Paints a picture into a rectangle of the painter's coordinates, drawn for the pixels it
    // covers on the painter's device and lined up with them.
    void paint(QPainter& painter, const QString& name, const QRectF& rect) const;

    // What the start-up check tells the player: a few of the files, and how many more, so that
    // the box fits any screen.
    [[nodiscard]] static QString unusableMessage(const QString& folder,
                                                 const QStringList& unusable);

  private:
    [[nodiscard]] bool usable(const QString& name) const;

    std::filesystem::path folder_;
    mutable std::map<std::tuple<QString, int, int, qreal>, QPixmap> pictures_;
};

}  // namespace crestaverde
