// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bar chart for a handful of series over labelled categories (the letters
// A-Z, the key lengths 1-30). Drawn with QPainter: Qt Charts would bring an
// extra module under a different licence and a heavy dependency for some
// fifty bars.

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <vector>

class Saeulendiagramm : public QWidget
{
    Q_OBJECT
public:
    struct Reihe
    {
        QString name; // the legend's text
        QColor farbe;
        std::vector<double> werte; // one per category
    };
    // One scale for all series (values of one kind, with a unit for the
    // grid lines), or each series up to its own maximum (values of
    // different kinds side by side; the legend then names each maximum).
    enum class Massstab { Gemeinsam, JeReihe };

    explicit Saeulendiagramm(QWidget *parent = nullptr);

    void setDaten(const QStringList &kategorien, std::vector<Reihe> reihen, Massstab massstab,
        const QString &einheit = {});
    // A dashed line across the chart at `wert` on the scale of series
    // `reihe`, labelled with `text`; the scale reaches up to it.
    struct Bezugslinie
    {
        std::size_t reihe = 0;
        double wert = 0;
        QString text;
    };
    void setBezugslinien(std::vector<Bezugslinie> linien);
    // The category drawn with a highlight behind it; -1 for none.
    void setMarkiert(int kategorie);
    const std::vector<Reihe> &reihen() const { return daten; }
    QSize sizeHint() const override { return { 600, 300 }; }
    QSize minimumSizeHint() const override { return { 320, 160 }; }

    // Mid-tone bar colours that stay visible on a light and on a dark palette.
    static QColor ersteFarbe() { return { 0x3b, 0x82, 0xc4 }; }
    static QColor zweiteFarbe() { return { 0xe0, 0x8a, 0x2c }; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double hoechsterWert(const Reihe &reihe) const;
    int zeichneLegende(QPainter &maler, const QRect &flaeche) const;
    void zeichneGitter(QPainter &maler, const QRect &flaeche, double oben) const;
    void zeichneBezugslinien(QPainter &maler, const QRect &flaeche) const;

    QStringList kategorien;
    std::vector<Reihe> daten;
    std::vector<Bezugslinie> bezugslinien;
    Massstab massstab = Massstab::Gemeinsam;
    QString einheit;
    int markiert = -1;
};
