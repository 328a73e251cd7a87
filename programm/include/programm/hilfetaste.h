// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// F1 opens the guide from every window of the program: one filter on the
// whole application rather than a shortcut in each window, so a window added
// later has it too. F1 in the guide itself opens no second one.

#include "schnittstellen/fensterfabrik.h"

#include <QObject>

class Hilfetaste : public QObject
{
public:
    explicit Hilfetaste(Fensterfabrik &fabrik);

protected:
    bool eventFilter(QObject *ziel, QEvent *ereignis) override;

private:
    Fensterfabrik &fabrik;
};
