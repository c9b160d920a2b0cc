#include "engine/rename_step.h"
