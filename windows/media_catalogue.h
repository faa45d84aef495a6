#pragma once
// The pictures and the clip the game reads from its media folder: every file name, and the one
// rule for their paths. Paths are kept as the system's bytes: a folder whose name is not valid
// UTF-8 works as well.

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <filesystem>
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
    explicit MediaCatalogue(std::filesystem::path folder);
    // A folder named by a QString, as Qt hands them out; names Qt cannot hold need the above.
    explicit MediaCatalogue(const QString& folder);

    // The folder the running program lies in, byte for byte.
    [[nodiscard]] static std::filesystem::path programFolder();
    [[nodiscard]] static QStringList fileNames();
    // The path to open a file by.
    [[nodiscard]] std::filesystem::path filePath(const QString& name) const;
    // The same path for showing to the player.
    [[nodiscard]] QString path(const QString& name) const;
    // Files of the catalogue that are missing, cut short, too large or cannot be decoded. Every
    // picture is decoded whole.
    [[nodiscard]] QStringList unusableFiles() const;
    // A picture by file name; empty names and unusable files give a null pixmap. Each file is
    // decoded once.
    [[nodiscard]] const QPixmap& picture(const QString& name) const;

    // What the start-up check tells the player: a few of the files, and how many more, so that
    // the box fits any screen.
    [[nodiscard]] static QString unusableMessage(const QString& folder,
                                                 const QStringList& unusable);

  private:
    std::filesystem::path folder_;
    mutable std::map<QString, QPixmap> pictures_;
};

}  // namespace crestaverde
