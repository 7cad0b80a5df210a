// A stand-in for the main view that records the system commands a page asks for.
#pragma once

#include "../pages/PageHostRecorder.h"

using RecordingHost = PageHostRecorder;
