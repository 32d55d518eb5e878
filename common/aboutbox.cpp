#include "aboutbox.h"
