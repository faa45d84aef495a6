#include "media_catalogue.h"

#include <QFile>
#include <QImageReader>

#include "score_location.h"

namespace crestaverde {

MediaCatalogue::MediaCatalogue(QString folder) : folder_(std::move(folder)) {}

QString MediaCatalogue::folderFor(const QString& programFolder) {
    return QString::fromStdString(mediaFolderFor(programFolder.toStdString()).string());
}

QStringList MediaCatalogue::fileNames() {
    QStringList names;
    for (const QChar rank : QStringLiteral("1234567890jqk")) {
        for (const QChar suit : QStringLiteral("abcd")) {
            names << QStringLiteral("carta") + rank + suit + QStringLiteral(".gif");
        }
    }
    names << "atras.jpg"
          << "ninguna.jpg"
          << "carta.jpg"
          << "fondo2.jpg"
          << "intro.gif"
          << "hi-score.jpg"
          << "ayuda.avi";
    return names;
}

QString MediaCatalogue::path(const QString& name) const {
    return folder_.filePath(name);
}

QStringList MediaCatalogue::unusableFiles() const {
    QStringList unusable;
    for (const QString& name : fileNames()) {
        const QString file = path(name);
        if (name.endsWith(QStringLiteral(".avi"))) {
            QFile clip(file);
            if (!clip.open(QIODevice::ReadOnly) || clip.read(4) != "RIFF") unusable << name;
        } else if (QImageReader(file).read().isNull()) {
            unusable << name;
        }
    }
    return unusable;
}

const QPixmap& MediaCatalogue::picture(const QString& name) const {
    auto found = pictures_.find(name);
    if (found == pictures_.end()) {
        found = pictures_.emplace(name, name.isEmpty() ? QPixmap() : QPixmap(path(name))).first;
    }
    return found->second;
}

}  // namespace crestaverde
