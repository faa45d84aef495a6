// The floor the game's start is measured against: a minimal Qt Widgets program that shows a
// maximised window with 52 card pictures and opens a dialog over it.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QApplication::applicationDirPath());
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    int i = 0;
    for (const QChar rank : QStringLiteral("1234567890jqk")) {
        for (const QChar suit : QStringLiteral("abcd")) {
            auto* card = new QLabel(&window);
            card->setPixmap(
                QPixmap(folder.filePath(QStringLiteral("carta") + rank + suit + ".gif")));
            card->move(10 + (i % 13) * 60, 10 + (i / 13) * 110);
            ++i;
        }
    }
    window.showMaximized();
    QDialog dialog(&window);
    dialog.setWindowTitle(QStringLiteral("floor dialog"));
    QTimer::singleShot(1, &dialog, &QDialog::exec);
    return QApplication::exec();
}
