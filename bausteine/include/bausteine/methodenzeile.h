// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The method and its parameters in one line, as the method window holds
// them: the main window shows it between the panes and prints it above the
// texts, a demonstration names the method it shows with it.

#include "schnittstellen/methodenfenster.h"

#include <QString>

QString Methodenzeile(const Methodeneinstellungen &e);
