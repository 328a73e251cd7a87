// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Machine-wide policy values that a school's administrator sets for every
// user (below "Software\rovozu" of the local machine's settings store).

namespace richtlinie {

// "NoDemo": bit 1 hides the matrix, 2 the Caesar, 4 the Vigenère
// demonstration. A text that is a plain decimal number counts as that number;
// anything else unreadable counts as 0; larger values count as 7.
int NoDemo();
// "NoAnalyse": bit 1 hides the cryptanalysis window's command, read like
// "NoDemo".
bool NoAnalyse();

} // namespace richtlinie
