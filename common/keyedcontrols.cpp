#include "keyedcontrols.h"
