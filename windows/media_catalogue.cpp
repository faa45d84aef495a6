#include "media_catalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <array>
#include <fstream>

#include "picture_decoder.h"
#include "score_location.h"

namespace crestaverde {
namespace {

constexpr qsizetype kListedFiles = 5;
constexpr qsizetype kShownFolderChars = 80;

bool startsAsClip(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, sizeof magic) && std::string_view(magic, sizeof magic) == "RIFF";
}

}  // namespace

QString media::cardPicture(Card card) {
    static constexpr std::array<char, 14> kRanks = {' ', '1', '2', '3', '4', '5', '6',
                                                    '7', '8', '9', '0', 'j', 'q', 'k'};
    const auto rank = QLatin1Char(kRanks.at(static_cast<std::size_t>(card.rank)));
    const auto suit = QLatin1Char(static_cast<char>('a' + static_cast<int>(card.suit)));
    return QStringLiteral("carta") + rank + suit + QStringLiteral(".gif");
}

MediaCatalogue::MediaCatalogue(std::filesystem::path folder) : folder_(std::move(folder)) {}

MediaCatalogue::MediaCatalogue(const QString& folder)
    : folder_(QFile::encodeName(folder).toStdString()) {}

std::filesystem::path MediaCatalogue::programFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return program.parent_path();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
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

std::filesystem::path MediaCatalogue::filePath(const QString& name) const {
    return folder_ / QFile::encodeName(name).toStdString();
}

QString MediaCatalogue::path(const QString& name) const {
    return QFile::decodeName(QByteArray::fromStdString(filePath(name).native()));
}

QStringList MediaCatalogue::unusableFiles() const {
    QStringList unusable;
    for (const QString& name : fileNames()) {
        const std::filesystem::path file = filePath(name);
        if (name == media::kHelpClip ? !startsAsClip(file) : decodePicture(file).isNull()) {
            unusable << name;
        }
    }
    return unusable;
}

const QPixmap& MediaCatalogue::picture(const QString& name) const {
    auto found = pictures_.find(name);
    if (found == pictures_.end()) {
        QPixmap pixmap =
            name.isEmpty() ? QPixmap() : QPixmap::fromImage(decodePicture(filePath(name)));
        found = pictures_.emplace(name, std::move(pixmap)).first;
    }
    return found->second;
}

QString MediaCatalogue::unusableMessage(const QString& folder, const QStringList& unusable) {
    QString shownFolder = folder;
    if (shownFolder.size() > kShownFolderChars) {
        shownFolder = QStringLiteral("…") + shownFolder.right(kShownFolderChars);
    }
    QStringList listed = unusable.mid(0, kListedFiles);
    if (unusable.size() > kListedFiles) {
        listed << QStringLiteral("y %1 más").arg(unusable.size() - kListedFiles);
    }
    return QStringLiteral(
               "Faltan o están dañados estos archivos en la carpeta del juego (%1):\n\n%2")
        .arg(shownFolder, listed.join(QLatin1Char('\n')));
}

}  // namespace crestaverde
