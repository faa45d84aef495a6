// Qt's own buttons and menus speak Spanish once the program is prepared; Qt loads no
// translation by itself, whatever the locale.

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "game.h"

namespace crestaverde::testing {

class QtTextsTest : public QObject {
    Q_OBJECT

  private slots:
    void boxesAndTheNameFieldMenuAreSpanish() {
        prepareApplication();
        const QMessageBox box(QMessageBox::Critical, QStringLiteral("CRESTAVERDE"), QString(),
                              QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
        QLineEdit name;
        const std::unique_ptr<QMenu> menu(name.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) texts << action->text().section('\t', 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("&Deshacer")), qPrintable(texts.join('|')));
        QVERIFY2(texts.contains(QStringLiteral("&Pegar")), qPrintable(texts.join('|')));
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::QtTextsTest)
#include "qt_texts_test.moc"
