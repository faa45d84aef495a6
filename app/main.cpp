// CRESTAVERDE: the board opens maximised and the start menu over it.

#include <QApplication>
#include <QMessageBox>

#include "game.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    crestaverde::prepareApplication();
    const QString folder = QApplication::applicationDirPath();
    const QStringList unusable = crestaverde::MediaCatalogue(folder).unusableFiles();
    if (!unusable.isEmpty()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QStringLiteral("Faltan o están dañados estos archivos en la carpeta "
                                             "del juego (%1):\n\n%2")
                                  .arg(folder, unusable.join(QLatin1Char('\n'))));
        return 1;
    }
    crestaverde::Game game(folder);
    game.start();
    return QApplication::exec();
}
