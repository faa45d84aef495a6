#pragma once
// The pictures and the clip the game reads from its media folder, and the one rule for their
// paths.

#include <QDir>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <map>

namespace crestaverde {

class MediaCatalogue {
  public:
    explicit MediaCatalogue(QString folder);

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
