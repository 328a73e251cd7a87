// SPDX-License-Identifier: GPL-3.0-or-later
// Renders an SVG into a PNG of one size, or into a Windows icon file holding
// every usual size up to the given one. No outside converter is needed at
// build time: Qt Svg is already a dependency of the Linux program, and the
// Windows build, which lacks it, uses this tool of a Linux build.
#include <cstdio>
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QImage zeichne(QSvgRenderer &svg, int groesse)
{
    QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    svg.render(&maler);
    return bild;
}

QByteArray alsPng(const QImage &bild)
{
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "PNG");
    return png;
}

// An icon file is a directory of images; since Windows Vista each may be a
// whole PNG. A size of 256 is written as 0.
QByteArray alsIco(QSvgRenderer &svg, int groesste)
{
    QList<QByteArray> bilder;
    QList<int> groessen;
    for (int groesse : { 16, 20, 24, 32, 40, 48, 64, 128, 256 }) {
        if (groesse <= groesste) {
            groessen << groesse;
            bilder << alsPng(zeichne(svg, groesse));
        }
    }
    QByteArray ico;
    QDataStream aus(&ico, QIODevice::WriteOnly);
    aus.setByteOrder(QDataStream::LittleEndian);
    aus << quint16(0) << quint16(1) << quint16(bilder.size());
    quint32 versatz = 6 + 16 * bilder.size();
    for (int i = 0; i < bilder.size(); ++i) {
        const auto seite = quint8(groessen[i] % 256);
        aus << seite << seite << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(bilder[i].size()) << versatz;
        versatz += bilder[i].size();
    }
    for (const QByteArray &png : bilder)
        aus.writeRawData(png.constData(), int(png.size()));
    return ico;
}

} // namespace

int main(int argc, char *argv[])
{
    // Usage: icon_rendern SVG SIZE PNG|ICO
    if (argc != 4) {
        std::fprintf(stderr, "Aufruf: %s SVG GROESSE PNG|ICO\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int groesse = QByteArray(argv[2]).toInt();
    if (!svg.isValid() || groesse <= 0) {
        std::fprintf(stderr, "%s: ungültiges SVG oder ungültige Größe\n", argv[0]);
        return 1;
    }
    const QString ziel = QString::fromLocal8Bit(argv[3]);
    if (!ziel.endsWith(QLatin1String(".ico")))
        return zeichne(svg, groesse).save(ziel, "PNG") ? 0 : 1;
    QFile datei(ziel);
    const QByteArray ico = alsIco(svg, groesse);
    return datei.open(QIODevice::WriteOnly) && datei.write(ico) == ico.size() ? 0 : 1;
}
