#include "engine/clean_settings.h"
