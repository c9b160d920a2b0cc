#include "engine/task_confirmation.h"
