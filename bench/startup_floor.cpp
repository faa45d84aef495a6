// The floor the game's start is measured against: a minimal Qt Widgets program that shows a
// maximised window with 52 card pictures and opens a dialog over it. With --text the dialog
// shows one line of text, as any real dialog does: the first text a Qt program draws brings in
// fontconfig, FreeType, HarfBuzz and a font, some 3.5 MB that no program with words can avoid.
// Usage: startup_floor [--text] [MEDIA_FOLDER]

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    const bool text = arguments.removeAll(QStringLiteral("--text")) > 0;
    const QDir folder(arguments.isEmpty() ? QApplication::applicationDirPath() : arguments.first());
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
    if (text) new QLabel(QStringLiteral("Un diálogo con una línea de texto"), &dialog);
    QTimer::singleShot(1, &dialog, &QDialog::exec);
    return QApplication::exec();
}
