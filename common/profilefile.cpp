#include "profilefile.h"
