#include "programm/fensterverwaltung.h"

#include <algorithm>
#include <QWidget>

Fensterverwaltung::~Fensterverwaltung()
{
    for (const QPointer<QWidget> &fenster : offen)
        delete fenster.data();
}

void Fensterverwaltung::setErzeuger(Fensterart art, Erzeuger neu, Modal modal)
{
    erzeuger[art] = { std::move(neu), modal };
}

std::vector<Fensterart> Fensterverwaltung::arten() const
{
    std::vector<Fensterart> liste;
    for (const auto &eintrag : erzeuger)
        liste.push_back(eintrag.first);
    return liste;
}

void Fensterverwaltung::oeffne(Fensterart art)
{
    const auto gefunden = erzeuger.find(art);
    if (gefunden == erzeuger.end())
        return;
    QWidget *fenster = gefunden->second.first();
    fenster->setParent(nullptr, fenster->windowFlags() | Qt::Window);
    if (gefunden->second.second == Modal::Ja)
        fenster->setWindowModality(Qt::ApplicationModal);
    fenster->setAttribute(Qt::WA_DeleteOnClose);
    // Closed windows leave null pointers behind; they go before the list grows.
    std::erase_if(offen, [](const QPointer<QWidget> &f) { return f.isNull(); });
    offen.emplace_back(fenster);
    fenster->show();
}
