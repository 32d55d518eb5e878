#include "hostautomation.h"
