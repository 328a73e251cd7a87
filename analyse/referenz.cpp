// The German reference tables and the scale built on them.

#include "intern.h"

#include <cmath>

namespace analyse {

namespace {

#include "referenz_tabellen.inc"

// The two ends of the pair scale: the mean over all 676 pairs is what
// letters drawn at random score; the pairs weighted by their own
// probability are what German text scores on average.
struct Skala
{
    double zufall = 0;
    double deutsch = 0;
};

const Skala &skala()
{
    static const Skala s = [] {
        Skala t;
        double gewicht = 0;
        for (double p : kPaare) {
            t.zufall += p / static_cast<double>(kPaare.size());
            t.deutsch += std::exp(p) * p;
            gewicht += std::exp(p);
        }
        t.deutsch /= gewicht;
        return t;
    }();
    return s;
}

// Letter indices outside 0..25 wrap round, so no call reads outside a table.
std::size_t index26(int i) { return static_cast<std::size_t>((i % 26 + 26) % 26); }

} // namespace

const std::array<double, 26> &DeutscheBuchstaben() { return kBuchstaben; }

double DeutschesPaar(int erster, int zweiter)
{
    return kPaare[index26(erster) * 26 + index26(zweiter)];
}

namespace intern {

double PaarSumme::Mittel() const
{
    return paare == 0 ? skala().zufall : summe / static_cast<double>(paare);
}

double Deutschgrad(double mittlererPaarwert)
{
    const Skala &s = skala();
    return (mittlererPaarwert - s.zufall) / (s.deutsch - s.zufall);
}

} // namespace intern

} // namespace analyse
