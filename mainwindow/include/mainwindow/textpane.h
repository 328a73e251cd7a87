#pragma once

// The panes' field lives among the text fields; the main window's files name
// it by this header still.
#include "textfelder/textpane.h"
