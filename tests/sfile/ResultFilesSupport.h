#pragma once
// Kept for tests/run/test_copies.cpp until its include names support/ResultFiles.h.
#include "support/ResultFiles.h"
