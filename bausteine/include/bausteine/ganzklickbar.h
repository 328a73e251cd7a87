// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's check boxes and radio buttons take clicks only on the box and the
// caption; these take them over their whole designed width, as the windows'
// designs promise.

#include <QPoint>

template <typename Knopf> class GanzKlickbar : public Knopf
{
public:
    using Knopf::Knopf;

protected:
    bool hitButton(const QPoint &pos) const override { return this->rect().contains(pos); }
};
