#include "engine/batch_run.h"
