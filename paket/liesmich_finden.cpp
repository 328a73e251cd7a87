// SPDX-License-Identifier: GPL-3.0-or-later
// Copied beside the unpacked program (<root>/usr/bin), this asks the readme
// window itself whether its search finds the guide the package installed, so
// the check follows the search order the program really uses.
//   liesmich_finden ERWARTETE_DATEI
// Exit 0 when the window shows exactly that file's text.
#include "help/liesmich.h"
#include "platform/codepage.h"
#include "platform/textdatei.h"

#include <cstdio>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextDocument>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: liesmich_finden ERWARTETE_DATEI\n");
        return 2;
    }
    const auto erwartet = textdatei::Lesen(QString::fromLocal8Bit(argv[1]));
    if (!erwartet || erwartet->text.empty()) {
        std::fprintf(stderr, "liesmich_finden: %s fehlt oder ist leer\n", argv[1]);
        return 1;
    }
    const QStringList ordner = TLiesmichForm::Suchordner();
    TLiesmichForm fenster(ordner);
    const auto *feld = fenster.findChild<QPlainTextEdit *>(QStringLiteral("Mliesmich"));
    // Compare what the document makes of both texts, so line breaks are read
    // the same way on each side.
    QTextDocument soll;
    soll.setPlainText(codepage::AlsPanetext(erwartet->text));
    if (!feld || feld->toPlainText() != soll.toPlainText()) {
        std::fprintf(
            stderr, "liesmich_finden: das Fenster zeigt die Kurzanleitung nicht; gesucht in:\n");
        for (const QString &o : ordner)
            std::fprintf(stderr, "  %s\n", qPrintable(o));
        return 1;
    }
    std::printf("liesmich_finden: Kurzanleitung gefunden (%zu Bytes)\n", erwartet->text.size());
    return 0;
}
