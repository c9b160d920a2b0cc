#include "engine/cleanup_log.h"
