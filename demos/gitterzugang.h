// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The letter grid as screen readers and other assistive technology see it: a
// table of one-letter cells. The demonstrations point at letters with colours
// only, so a cell that stands out from the grid's own colours (marked,
// inverse, or lit by a running light) is reported as selected, with the
// description "markiert".

namespace gitterzugang {

// Makes Qt's accessibility ask this file for every letter grid; once is
// enough, more calls do nothing.
void Anmelden();

} // namespace gitterzugang
