#pragma once
// The tests hear with the estimator the calibration uses.
#include "sound/Pitch.h"
