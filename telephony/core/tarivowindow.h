#pragma once

// Whether the rating program's main window (window class "Tarivo") is running for this suite.
bool FindTarivoWindow();
