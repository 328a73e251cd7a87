// Compiled once for each header and library that the build check names, with
// nothing but that one include.
#include KOPF
