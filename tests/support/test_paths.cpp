#include "support/test_paths.h"
