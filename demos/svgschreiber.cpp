// SPDX-License-Identifier: GPL-3.0-or-later
#include "svgschreiber.h"

#include <QBuffer>
#include <QImage>
#include <QIODevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSvgDpi = 96;

QString zahl(qreal wert) { return QString::number(wert, 'g', 7); }

QString attribut(const char *name, const QString &wert)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), wert);
}

// name is "fill" or "stroke"; the opacity attribute is named after it.
QString farbe(const char *name, const QColor &c)
{
    QString text = attribut(name, c.name(QColor::HexRgb));
    if (c.alpha() != 255)
        text += QStringLiteral(" %1-opacity=\"%2\"").arg(QLatin1String(name), zahl(c.alphaF()));
    return text;
}

QString pfadDaten(const QPainterPath &pfad)
{
    QString d;
    for (int i = 0; i < pfad.elementCount(); ++i) {
        const QPainterPath::Element e = pfad.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            d += QLatin1Char('M');
            break;
        case QPainterPath::LineToElement:
            d += QLatin1Char('L');
            break;
        case QPainterPath::CurveToElement:
            d += QLatin1Char('C');
            break;
        case QPainterPath::CurveToDataElement:
            d += QLatin1Char(' ');
            break;
        }
        d += zahl(e.x) + QLatin1Char(' ') + zahl(e.y);
    }
    return d;
}

QString bildDaten(const QImage &bild)
{
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

} // namespace

class SvgMaschine : public QPaintEngine
{
public:
    SvgMaschine(QIODevice &ziel, QSize groesse, int vergroesserung, const QString &titel)
        : QPaintEngine(AllFeatures)
        , ziel(ziel)
    {
        text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<svg xmlns=\"http://www.w3.org/2000/svg\" "
                              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.2\" "
                              "baseProfile=\"tiny\" width=\"%1\" height=\"%2\" "
                              "viewBox=\"0 0 %3 %4\">\n<title>%5</title>\n<defs/>\n")
                   .arg(groesse.width() * vergroesserung)
                   .arg(groesse.height() * vergroesserung)
                   .arg(groesse.width())
                   .arg(groesse.height())
                   .arg(titel.toHtmlEscaped());
    }

    bool begin(QPaintDevice *) override { return true; }

    bool end() override
    {
        text += QStringLiteral("</svg>\n");
        const QByteArray bytes = text.toUtf8();
        fertig = ziel.write(bytes) == bytes.size();
        return fertig;
    }

    void updateState(const QPaintEngineState &zustand) override
    {
        if (zustand.state() & DirtyPen)
            stift = zustand.pen();
        if (zustand.state() & DirtyBrush)
            pinsel = zustand.brush();
        if (zustand.state() & DirtyTransform)
            matrix = zustand.transform();
    }

    void drawPath(const QPainterPath &pfad) override
    {
        element(QStringLiteral("path"), attribut("d", pfadDaten(pfad)), pfad.fillRule(), true);
    }

    void drawPolygon(const QPointF *punkte, int anzahl, PolygonDrawMode modus) override
    {
        QPainterPath pfad;
        pfad.addPolygon(QPolygonF(QList<QPointF>(punkte, punkte + anzahl)));
        if (modus != PolylineMode)
            pfad.closeSubpath();
        element(QStringLiteral("path"), attribut("d", pfadDaten(pfad)),
            modus == WindingMode ? Qt::WindingFill : Qt::OddEvenFill, modus != PolylineMode);
    }

    void drawPixmap(const QRectF &r, const QPixmap &bild, const QRectF &aus) override
    {
        drawImage(r, bild.toImage(), aus, Qt::AutoColor);
    }

    void drawImage(
        const QRectF &r, const QImage &bild, const QRectF &aus, Qt::ImageConversionFlags) override
    {
        text += QStringLiteral("<image") + attribut("x", zahl(r.x())) + attribut("y", zahl(r.y()))
            + attribut("width", zahl(r.width())) + attribut("height", zahl(r.height()))
            + attribut("preserveAspectRatio", QStringLiteral("none")) + transformation()
            + attribut("xlink:href", bildDaten(bild.copy(aus.toAlignedRect())))
            + QStringLiteral("/>\n");
    }

    Type type() const override { return User; }

    bool fertig = false;

private:
    QString transformation() const
    {
        if (matrix.isIdentity())
            return {};
        return attribut("transform",
            QStringLiteral("matrix(%1 %2 %3 %4 %5 %6)")
                .arg(zahl(matrix.m11()), zahl(matrix.m12()), zahl(matrix.m21()), zahl(matrix.m22()),
                    zahl(matrix.dx()), zahl(matrix.dy())));
    }

    QString fuellung(Qt::FillRule regel)
    {
        if (pinsel.style() == Qt::NoBrush)
            return attribut("fill", QStringLiteral("none"));
        QString ergebnis = attribut("fill-rule",
            regel == Qt::WindingFill ? QStringLiteral("nonzero") : QStringLiteral("evenodd"));
        const QGradient *verlauf = pinsel.gradient();
        if (verlauf && verlauf->type() == QGradient::LinearGradient
            && verlauf->coordinateMode() == QGradient::LogicalMode)
            return ergebnis
                + attribut("fill", linearerVerlauf(*static_cast<const QLinearGradient *>(verlauf)));
        // Other gradients and patterns are rare in widgets: their main colour stands in.
        const QColor c = verlauf && !verlauf->stops().isEmpty() ? verlauf->stops().first().second
                                                                : pinsel.color();
        return ergebnis + farbe("fill", c);
    }

    QString linearerVerlauf(const QLinearGradient &verlauf)
    {
        const QString id = QStringLiteral("v%1").arg(++verlaeufe);
        QString def = QStringLiteral("<linearGradient") + attribut("id", id)
            + attribut("gradientUnits", QStringLiteral("userSpaceOnUse"))
            + attribut("x1", zahl(verlauf.start().x())) + attribut("y1", zahl(verlauf.start().y()))
            + attribut("x2", zahl(verlauf.finalStop().x()))
            + attribut("y2", zahl(verlauf.finalStop().y())) + QStringLiteral(">");
        for (const QGradientStop &halt : verlauf.stops()) {
            def += QStringLiteral("<stop") + attribut("offset", zahl(halt.first))
                + attribut("stop-color", halt.second.name(QColor::HexRgb))
                + attribut("stop-opacity", zahl(halt.second.alphaF())) + QStringLiteral("/>");
        }
        text += def + QStringLiteral("</linearGradient>\n");
        return QStringLiteral("url(#%1)").arg(id);
    }

    QString strich() const
    {
        if (stift.style() == Qt::NoPen)
            return attribut("stroke", QStringLiteral("none"));
        // A cosmetic pen is one device pixel wide at any scale.
        const qreal breite = stift.widthF() > 0 ? stift.widthF() : 1;
        QString ergebnis = farbe("stroke", stift.color()) + attribut("stroke-width", zahl(breite))
            + attribut("stroke-linecap",
                stift.capStyle() == Qt::FlatCap        ? QStringLiteral("butt")
                    : stift.capStyle() == Qt::RoundCap ? QStringLiteral("round")
                                                       : QStringLiteral("square"))
            + attribut("stroke-linejoin",
                stift.joinStyle() == Qt::RoundJoin       ? QStringLiteral("round")
                    : stift.joinStyle() == Qt::BevelJoin ? QStringLiteral("bevel")
                                                         : QStringLiteral("miter"));
        if (stift.isCosmetic())
            ergebnis += attribut("vector-effect", QStringLiteral("non-scaling-stroke"));
        if (stift.style() != Qt::SolidLine) {
            QStringList striche;
            for (qreal laenge : stift.dashPattern())
                striche << zahl(laenge * breite);
            ergebnis += attribut("stroke-dasharray", striche.join(QLatin1Char(',')));
        }
        return ergebnis;
    }

    void element(const QString &name, const QString &form, Qt::FillRule regel, bool gefuellt)
    {
        const QString fuellen
            = gefuellt ? fuellung(regel) : attribut("fill", QStringLiteral("none"));
        text += QLatin1Char('<') + name + form + fuellen + strich() + transformation()
            + QStringLiteral("/>\n");
    }

    QIODevice &ziel;
    QString text;
    QPen stift;
    QBrush pinsel;
    QTransform matrix;
    int verlaeufe = 0;
};

SvgSchreiber::SvgSchreiber(QIODevice &ziel, QSize groesse, int vergroesserung, const QString &titel)
    : maschine(std::make_unique<SvgMaschine>(ziel, groesse, vergroesserung, titel))
    , groesse(groesse)
{ }

SvgSchreiber::~SvgSchreiber() = default;

QPaintEngine *SvgSchreiber::paintEngine() const { return maschine.get(); }

bool SvgSchreiber::geschrieben() const { return maschine->fertig; }

int SvgSchreiber::metric(PaintDeviceMetric metrik) const
{
    switch (metrik) {
    case PdmWidth:
        return groesse.width();
    case PdmHeight:
        return groesse.height();
    case PdmWidthMM:
        return qRound(groesse.width() * 25.4 / kSvgDpi);
    case PdmHeightMM:
        return qRound(groesse.height() * 25.4 / kSvgDpi);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kSvgDpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return qRound(devicePixelRatioFScale());
    }
    return 0;
}
