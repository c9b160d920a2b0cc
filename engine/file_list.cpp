#include "engine/file_list.h"
