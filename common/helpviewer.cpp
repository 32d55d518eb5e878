#include "helpviewer.h"
