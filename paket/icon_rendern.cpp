// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program icon's SVG into the PNG sizes the hicolor icon theme
// expects, so no outside converter is needed at build time: Qt Svg is already
// a dependency of the program.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Usage: icon_rendern SVG SIZE PNG
    if (argc != 4) {
        std::fprintf(stderr, "Aufruf: %s SVG GROESSE PNG\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int groesse = QByteArray(argv[2]).toInt();
    if (!svg.isValid() || groesse <= 0) {
        std::fprintf(stderr, "%s: ungültiges SVG oder ungültige Größe\n", argv[0]);
        return 1;
    }
    QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    svg.render(&maler);
    maler.end();
    return bild.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
