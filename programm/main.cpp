// SPDX-License-Identifier: GPL-3.0-or-later
#include "cipher/verschl.h"
#include "platform/dateiname.h"
#include "programm/programm.h"
#include "programm/qtdialoge.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Qt reads its scale factor once, when the application is made. A
    // restart for another Darstellungsgröße brings the factor along, and
    // names the file that carries the windows' state over.
    const QString uebergabe = qEnvironmentVariable(kUebergabeVariable);
    qunsetenv(kUebergabeVariable);
    if (uebergabe.isEmpty()) {
        if (const QByteArray faktor = Einstellungsspeicher::GespeicherterSkalenfaktor();
            !faktor.isEmpty())
            qputenv("QT_SCALE_FACTOR", faktor);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zifferon"));
    // Lets a Wayland desktop match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.nordhain.Zifferon"));
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
    Programm programm(dialoge, dateiname::Befehlszeile(argc, argv));
    // Every window of the program shows the program's icon, drawn from the
    // SVG at the screen's pixel ratio; the main window brings it along.
    QApplication::setWindowIcon(programm.haupt.windowIcon());
    if (!uebergabe.isEmpty())
        programm.haupt.Uebernehmen(uebergabe);
    return QApplication::exec();
}
