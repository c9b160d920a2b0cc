#include "engine/clean_command.h"
