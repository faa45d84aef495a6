#include "media_catalogue.h"

#include <QFile>
#include <QImageReader>
#include <array>

#include "score_location.h"

namespace crestaverde {

QString media::cardPicture(Card card) {
    static constexpr std::array<char, 14> kRanks = {' ', '1', '2', '3', '4', '5', '6',
                                                    '7', '8', '9', '0', 'j', 'q', 'k'};
    const auto rank = QLatin1Char(kRanks.at(static_cast<std::size_t>(card.rank)));
    const auto suit = QLatin1Char(static_cast<char>('a' + static_cast<int>(card.suit)));
    return QStringLiteral("carta") + rank + suit + QStringLiteral(".gif");
}

MediaCatalogue::MediaCatalogue(const QString& folder) : folder_(folder) {}

QString MediaCatalogue::folderFor(const QString& programFolder) {
    return QString::fromStdString(mediaFolderFor(programFolder.toStdString()).string());
}

QStringList MediaCatalogue::fileNames() {
    QStringList names;
    for (int rank = kAce; rank <= kKing; ++rank) {
        for (const Suit suit : {Suit::Hearts, Suit::Diamonds, Suit::Clubs, Suit::Spades}) {
            names << media::cardPicture({rank, suit});
        }
    }
    names << media::kCardBack << media::kEmptyStock << media::kBlankFace << media::kMenuLandscape
          << media::kMenuTitle << media::kMenuRecords << media::kHelpClip;
    return names;
}

QString MediaCatalogue::path(const QString& name) const {
    return folder_.filePath(name);
}

QStringList MediaCatalogue::unusableFiles() const {
    QStringList unusable;
    for (const QString& name : fileNames()) {
        const QString file = path(name);
        if (name == media::kHelpClip) {
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
