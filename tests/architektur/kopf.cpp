// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled once for each header and library that the build check names, with
// nothing but that one include.
#include KOPF
