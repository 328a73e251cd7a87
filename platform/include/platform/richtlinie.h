#pragma once

// Machine-wide policy values that a school's administrator sets for every
// user (below "Software\rovozu" of the local machine's settings store).

namespace richtlinie {

// "NoDemo": bit 1 hides the matrix, 2 the Caesar, 4 the Vigenère
// demonstration. Anything unreadable counts as 0, a value of the wrong type
// included; larger values count as 7.
int NoDemo();

} // namespace richtlinie
