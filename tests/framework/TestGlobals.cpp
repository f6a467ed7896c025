// The program's shell defines the screen globals; the framework tests link
// without it, so the full-screen aspect ratio stands in here.
#include "globals.h"

float aspectRatio = 1.25f;
