#pragma once

#include "qstringprinter.h"
#include "widgettesting.h"  // SaveScreenshot, ModalWatcher, MessageBoxRecorder
