// SPDX-License-Identifier: GPL-3.0-or-later
#include "demos/gitterbild.h"

#include "demos/stringaligngrid.h"
#include "papier/papier.h"
#include "platform/benannt.h"
#include "platform/dateiname.h"
#include "schnittstellen/dialoge.h"
#include "svgschreiber.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

namespace {

constexpr int kVergroesserung = 2;

// Draws the grid in its own coordinates, whatever the device's scale: the
// frame, the cells, then the scroll bars over them. An SVG keeps no clipping,
// so the band around the cells is covered before the scroll bars come;
// otherwise the cells cut off at the edge of the view would show under the
// scroll bars and in the corner between them.
void zeichne(TStringAlignGrid &grid, QPaintDevice &geraet)
{
    constexpr auto ganz = QWidget::DrawChildren | QWidget::DrawWindowBackground;
    QPainter maler(&geraet);
    grid.render(&maler, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    QWidget *ansicht = grid.viewport();
    ansicht->render(&maler, ansicht->pos(), QRegion(), ganz);
    const QRegion band = QRegion(grid.contentsRect()) - ansicht->geometry();
    for (const QRect &teil : band)
        maler.fillRect(teil, grid.palette().brush(grid.backgroundRole()));
    for (QWidget *kind : grid.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (kind != ansicht && kind->isVisible())
            kind->render(&maler, kind->pos(), QRegion(), ganz);
    }
}

void speichereMitDialog(TStringAlignGrid &grid, Dialoge &dialoge)
{
    const auto pfad = dialoge.DokumentSpeichern(grid.window(),
        { QStringLiteral("Bild speichern"), {}, QStringLiteral("gitter.png"), false },
        { QStringLiteral("PNG-Bilder (*.png)"), QStringLiteral("SVG-Bilder (*.svg)") });
    if (pfad && !SpeichereGitterbild(grid, *pfad))
        dialoge.ZeigeFehler(grid.window(), dateiname::Speicherfehler(*pfad));
}

} // namespace

// Painted at twice the size rather than scaled up afterwards: letters and
// lines are drawn anew at that resolution.
QImage Gitterbild(TStringAlignGrid &grid)
{
    QImage bild(grid.size() * kVergroesserung, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(kVergroesserung);
    bild.fill(Qt::white);
    zeichne(grid, bild);
    bild.setDevicePixelRatio(1);
    return bild;
}

bool SpeichereGitterbild(TStringAlignGrid &grid, const QString &pfad)
{
    const bool svg = QFileInfo(pfad).suffix().compare(u"svg", Qt::CaseInsensitive) == 0;
    return papier::SchreibeSicher(pfad, [&grid, svg](QIODevice &datei) {
        if (!svg)
            return Gitterbild(grid).save(&datei, "PNG");
        SvgSchreiber bild(datei, grid.size(), kVergroesserung, QStringLiteral("Zifferon"));
        zeichne(grid, bild);
        return bild.geschrieben();
    });
}

void GitterbilderAnbieten(QWidget &fenster, Dialoge &dialoge)
{
    for (TStringAlignGrid *grid : fenster.findChildren<TStringAlignGrid *>()) {
        auto *kopieren
            = benannt(new QAction(QStringLiteral("Bild kopieren"), grid), "Bildkopieren");
        QObject::connect(kopieren, &QAction::triggered, grid,
            [grid] { QGuiApplication::clipboard()->setImage(Gitterbild(*grid)); });
        auto *speichern
            = benannt(new QAction(QStringLiteral("Bild speichern..."), grid), "Bildspeichern");
        QObject::connect(speichern, &QAction::triggered, grid,
            [grid, &dialoge] { speichereMitDialog(*grid, dialoge); });
        grid->addActions({ kopieren, speichern });
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}
