// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <QPaintDevice>
#include <QSize>

class QIODevice;
class SvgMaschine;

// A paint device that writes what is painted on it as SVG: filled and
// stroked paths (text arrives as its outlines) and embedded pictures. That is
// all a letter grid and its scroll bars are made of, and it needs no Qt module
// beyond QtGui, which the Windows build lacks for SVG. Like a browser, it
// counts 96 user units to the inch, so fonts come out at the size a PNG of
// the same grid shows. Clipping is not kept.
class SvgSchreiber : public QPaintDevice
{
public:
    // size is the drawing's size in user units; the picture is shown at
    // size * vergroesserung.
    SvgSchreiber(QIODevice &ziel, QSize groesse, int vergroesserung, const QString &titel);
    ~SvgSchreiber() override;

    QPaintEngine *paintEngine() const override;
    // After painting ended: was everything written?
    bool geschrieben() const;

protected:
    int metric(PaintDeviceMetric metrik) const override;

private:
    std::unique_ptr<SvgMaschine> maschine;
    QSize groesse;
};
