#include "engine/name_rules.h"
