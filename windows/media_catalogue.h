#pragma once
// The pictures and the clip the game reads from its media folder: every file name, and the one
// rule for their paths.

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <map>

#include "cards.h"

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

}  // namespace crestaverde::media

namespace crestaverde {

class MediaCatalogue {
  public:
    explicit MediaCatalogue(const QString& folder);

    // The media's folder for a program in programFolder: beside it when built in place, the
    // shared data folder when installed.
    [[nodiscard]] static QString folderFor(const QString& programFolder);

    [[nodiscard]] static QStringList fileNames();
    [[nodiscard]] QString path(const QString& name) const;
    // Files of the catalogue that are missing or cannot be decoded.
    [[nodiscard]] QStringList unusableFiles() const;
    // A picture by file name; empty names give a null pixmap. Each file is decoded once.
    [[nodiscard]] const QPixmap& picture(const QString& name) const;

  private:
    QDir folder_;
    mutable std::map<QString, QPixmap> pictures_;
};

}  // namespace crestaverde
