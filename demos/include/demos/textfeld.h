// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A multi-line text field of a demonstration: a field like the panes, whose
// content is a Text shown through the lossless codec, a long line split into
// blocks so that neither showing nor editing it lays out the whole line. A
// type of its own, so that a demonstration's header can declare it ahead.

#include "bausteine/textpane.h"

class Textfeld : public TextPane
{
    Q_OBJECT
public:
    using TextPane::TextPane;
};
