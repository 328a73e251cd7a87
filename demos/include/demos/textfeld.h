#pragma once

// A multi-line text field of a demonstration: a Bytefeld, whose content is a
// Text shown through the panes' lossless codec. A type of its own, so that a
// demonstration's header can declare it ahead.

#include "textfelder/bytefeld.h"

class Textfeld : public Bytefeld
{
    Q_OBJECT
public:
    using Bytefeld::Bytefeld;
};
