#include "engine/numeric_text.h"
