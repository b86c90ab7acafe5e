// The program's version, in the forms the resources need: the version record takes
// the numbers and the text, the About box the line it shows.
#pragma once

#define MORTARIX_VERSION        1, 1, 0, 0
#define MORTARIX_VERSION_TEXT   "1, 1, 0, 0"
#define MORTARIX_ABOUT_VERSION  "Mortarix Version 1.1 (Nov 26, 1998)"
