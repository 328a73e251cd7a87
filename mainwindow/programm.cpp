#include "mainwindow/programm.h"

Programm::Programm(Dialoge &dialoge, const QStringList &argumente)
    : haupt(dialoge, argumente)
    , option(haupt)
{
    haupt.setMethodenfenster(option);
    option.FormCreate();
}
