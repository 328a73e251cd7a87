#include "cipher/verschl.h"
#include "mainwindow/dialoge.h"
#include "mainwindow/programm.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zifferon"));
    // The main window ends the program itself, also while the method window
    // is still open.
    QApplication::setQuitOnLastWindowClosed(false);

    // Standard buttons and the editing menu of the panes in German.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    verschl::ErzeugeVigenereTabelle();

    QtDialoge dialoge;
    Programm programm(dialoge, QApplication::arguments().mid(1));
    return QApplication::exec();
}
