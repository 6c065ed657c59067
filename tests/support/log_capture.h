#pragma once
// The log capture is shared by every test folder now: support/log_capture.h.
#include "support/log_capture.h"
