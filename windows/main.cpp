// CRESTAVERDE: the board opens maximised and the start menu over it.

#include <QApplication>
#include <QFile>
#include <QMessageBox>

#include "game.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    crestaverde::prepareApplication();
    const std::filesystem::path folder = crestaverde::MediaCatalogue::programFolder();
    const QStringList unusable = crestaverde::MediaCatalogue(folder).unusableFiles();
    if (!unusable.isEmpty()) {
        QMessageBox::critical(
            nullptr, QStringLiteral("CRESTAVERDE"),
            crestaverde::MediaCatalogue::unusableMessage(
                QFile::decodeName(QByteArray::fromStdString(folder.native())), unusable));
        return 1;
    }
    crestaverde::Game game(folder);
    game.start();
    return QApplication::exec();
}
