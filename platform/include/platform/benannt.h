// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Controls and actions carry their names as object names, so tests find them
// with findChild and readers find them with grep.

#include <QLatin1String>

template <typename T> T *benannt(T *objekt, const char *name)
{
    objekt->setObjectName(QLatin1String(name));
    return objekt;
}
