#include "engine/posix_file_system.h"
